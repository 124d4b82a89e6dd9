// SPDX-License-Identifier: MIT
// Runs an external program to its end (a CUPS tool, a PDF renderer, the
// installed program itself) and keeps what it said: the one way every suite
// starts a process it waits for.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct Run {
    int exitCode = -1;     // -1 when it crashed, timed out or never started
    bool crashed = false;  // ended by a signal (an abort, a core dump)
    QString out;           // standard output
    QString err;           // standard error
    bool ok() const { return exitCode == 0; }
    QString said() const { return out + err; }
};

// `env` replaces the environment when it is not empty.
inline Run run(const QString& program, const QStringList& args, const QProcessEnvironment& env = {},
    int timeoutMs = 180000)
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForStarted(10000)) {
        r.err = program + QStringLiteral(": ") + p.errorString();
        return r;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out: ") + program;
        return r;
    }
    r.crashed = p.exitStatus() == QProcess::CrashExit;
    r.exitCode = r.crashed ? -1 : p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}
