// SPDX-License-Identifier: MIT
// A private CUPS scheduler for printing tests: its own configuration folder
// and socket, reached through CUPS_SERVER, so the machine's own printers are
// neither used nor changed. Needs root (the filters run as user lp).
#pragma once

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "process.h"

#include <cups/cups.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class CupsSandbox {
public:
    ~CupsSandbox() { stop(); }

    QString socketPath() const { return m_dir.filePath(u"cups.sock"_s); }
    QString logFile() const { return m_dir.filePath(u"log/error_log"_s); }

    // Starts the scheduler and points this process's print client at it.
    // On failure returns false and says why.
    bool start(QString* why)
    {
        if (geteuid() != 0)
            return fail(why, u"a private CUPS scheduler needs root"_s);
        const QString cupsd = QStandardPaths::findExecutable(u"cupsd"_s, {u"/usr/sbin"_s, u"/usr/bin"_s});
        if (cupsd.isEmpty())
            return fail(why, u"cupsd is not installed"_s);
        if (!m_dir.isValid())
            return fail(why, u"no temporary folder"_s);
        m_dir.setAutoRemove(true);

        const QString root = m_dir.path();
        QFile::setPermissions(root,
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                | QFile::ReadOther | QFile::ExeOther);
        for (const char* sub : {"cache", "state", "spool", "tmp", "log", "ppd"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        // Filters run as lp and must be able to write their temporary files.
        if (::chmod(QFile::encodeName(m_dir.filePath(u"tmp"_s)).constData(), 01777) != 0)
            return fail(why, u"cannot open the spool's temporary folder to lp"_s);

        writeFile(u"cupsd.conf"_s,
            QStringLiteral("Listen %1\n"
                           "DefaultAuthType None\n"
                           "LogLevel warn\n"
                           "Browsing Off\n"
                           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                           "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n")
                .arg(socketPath()));
        writeFile(u"cups-files.conf"_s,
            QStringLiteral("ServerRoot %1\n"
                           "StateDir %1/state\n"
                           "CacheDir %1/cache\n"
                           "RequestRoot %1/spool\n"
                           "TempDir %1/tmp\n"
                           "ServerBin /usr/lib/cups\n"
                           "DataDir /usr/share/cups\n"
                           "ErrorLog %1/log/error_log\n"
                           "AccessLog %1/log/access_log\n"
                           "PageLog %1/log/page_log\n")
                .arg(root));

        m_cupsd.setProgram(cupsd);
        m_cupsd.setArguments({u"-f"_s, u"-c"_s, m_dir.filePath(u"cupsd.conf"_s), u"-s"_s,
            m_dir.filePath(u"cups-files.conf"_s)});
        m_cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
        m_cupsd.start();
        if (!m_cupsd.waitForStarted(5000))
            return fail(why, u"cupsd did not start: "_s + m_cupsd.errorString());

        // The program under test asks the print service through libcups.
        qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        cupsSetServer(QFile::encodeName(socketPath()).constData());

        QElapsedTimer waited;
        waited.start();
        while (!tool(u"lpstat"_s, {u"-r"_s}).out.contains(u"scheduler is running"_s)) {
            if (waited.elapsed() > 15000 || m_cupsd.state() != QProcess::Running)
                return fail(why, u"the scheduler did not come up; see "_s + logFile());
            QThread::msleep(50);
        }
        return true;
    }

    void stop()
    {
        if (m_cupsd.state() == QProcess::NotRunning)
            return;
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    bool running() const { return m_cupsd.state() == QProcess::Running; }

    // Debian's description of the cups-pdf printer: every paper, no margin.
    static QString pdfPrinterPpd() { return u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s; }

    // A queue that turns jobs into PDF files (Debian's cups-pdf), described
    // by `ppd`.
    bool addPdfPrinter(const QString& name, bool makeDefault, const QString& ppd = pdfPrinterPpd())
    {
        if (!QFile::exists(ppd))
            return false;
        if (!toolOk(u"lpadmin"_s, {u"-p"_s, name, u"-v"_s, u"cups-pdf:/"_s, u"-E"_s, u"-P"_s, ppd}))
            return false;
        return !makeDefault || toolOk(u"lpadmin"_s, {u"-d"_s, name});
    }

    // The PDF files cups-pdf has written since `since`, oldest first. It
    // writes into the job owner's own folder (Debian's "Out ${HOME}/PDF"), a
    // moment after the job completes.
    static QFileInfoList pdfsSince(const QDateTime& since)
    {
        const passwd* pw = getpwuid(geteuid());
        const QDir folder(QString::fromLocal8Bit(pw ? pw->pw_dir : "/root") + u"/PDF"_s);
        QFileInfoList written;
        for (const QFileInfo& info :
            folder.entryInfoList({u"*.pdf"_s}, QDir::Files, QDir::Time | QDir::Reversed))
            if (info.lastModified() >= since && info.size() > 0)
                written.append(info);
        return written;
    }

    // Runs a CUPS client tool against this scheduler.
    Run tool(const QString& program, const QStringList& arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"CUPS_SERVER"_s, socketPath());
        return run(program, arguments, env, 15000);
    }

    bool toolOk(const QString& program, const QStringList& arguments) const
    {
        const Run r = tool(program, arguments);
        if (!r.ok())
            qWarning(
                "%s %s: %s", qPrintable(program), qPrintable(arguments.join(u' ')), qPrintable(r.said()));
        return r.ok();
    }

private:
    static bool fail(QString* why, const QString& reason)
    {
        if (why)
            *why = reason;
        return false;
    }

    void writeFile(const QString& name, const QString& text)
    {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }

    QTemporaryDir m_dir{QDir::tempPath() + u"/prism-cups-XXXXXX"_s};
    QProcess m_cupsd;
};
