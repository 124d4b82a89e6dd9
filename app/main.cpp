// SPDX-License-Identifier: MIT
#include "commandline.h"
#include "form1.h"
#include "startup.h"
#include "tools.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The command line and the display are settled before Qt needs either:
    // --help answers over a terminal without a display, and a missing
    // display is said in one line instead of Qt's abort.
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.action != CommandLine::Action::Run) {
        std::FILE* out = commandLine.action == CommandLine::Action::Answer ? stdout : stderr;
        std::fputs(commandLine.text.toLocal8Bit().constData(), out);
        return commandLine.status;
    }
    if (const QString problem = displayProblem(argc, argv); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return NoDisplayStatus;
    }

    const auto app = startApplication(argc, argv);
    Form1 form;
    Tools tools(form);
    form.show();
    if (commandLine.lens)
        tools.openLens();
    return app->exec();
}
