// SPDX-License-Identifier: MIT
// The command line as installed programs answer it: --help, --version, Qt's
// own options, and a plain word on a missing display. The program reads
// nothing else from it; everything here is decided before any window or
// display connection exists.
#pragma once

#include <QString>

struct CommandLine {
    enum class Action {
        Run,     // start the window
        Answer,  // print `text` on standard output and exit 0 (help, version)
        Refuse,  // print `text` on standard error and exit with `status`
    };
    Action action = Action::Run;
    QString text;
    int status = 0;
    bool lens = false;  // --lens: the lens tool's window opens beside the composer's
};

// Exit statuses besides 0.
inline constexpr int NoDisplayStatus = 1;
inline constexpr int UsageStatus = 2;

// Reads the arguments (Qt's own options are accepted and left to Qt).
CommandLine readCommandLine(int argc, char** argv);

// When the platform Qt will use is the X11 one and its display is not set
// or cannot be reached, the one line that says so; otherwise empty. Qt
// itself would abort with a core dump there.
QString displayProblem(int argc, char** argv);
