// SPDX-License-Identifier: MIT
// The program's command line as a shell user meets it, over a terminal that
// may have no display (an SSH session): answers on the right stream, with
// the right exit status, and never Qt's abort.
#include "process.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The environment of a plain terminal: no display of any kind.
QProcessEnvironment terminal(const QString& display = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        env.insert(u"DISPLAY"_s, display);
    return env;
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void startsOnQtsOwnPlatformOption();
};

void CommandLineTest::answers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");  // standard output contains this ("" : nothing at all)
    QTest::addColumn<QString>("err");  // standard error contains this ("" : nothing at all)

    const QString version = u"prism-compose " PRISM_VERSION_TEXT ""_s;
    QTest::newRow("--help") << QStringList{u"--help"_s} << QString() << 0 << u"--version"_s << QString();
    QTest::newRow("-h") << QStringList{u"-h"_s} << QString() << 0 << u"Usage: prism-compose"_s << QString();
    QTest::newRow("--help-all lists Qt's options")
        << QStringList{u"--help-all"_s} << QString() << 0 << u"--platform"_s << QString();
    QTest::newRow("--version") << QStringList{u"--version"_s} << QString() << 0 << version << QString();
    QTest::newRow("Qt's option, then --version")
        << QStringList{u"-platform"_s, u"offscreen"_s, u"--version"_s} << QString() << 0 << version
        << QString();
    QTest::newRow("unknown option") << QStringList{u"--frobnicate"_s} << QString() << 2 << QString()
                                    << u"frobnicate"_s;
    QTest::newRow("an argument") << QStringList{u"3"_s} << QString() << 2 << QString() << u"'3'"_s;
    QTest::newRow("no display") << QStringList{} << QString() << 1 << QString() << u"DISPLAY"_s;
    QTest::newRow("display out of reach") << QStringList{} << u":4242"_s << 1 << QString() << u":4242"_s;
    QTest::newRow("-display out of reach")
        << QStringList{u"-display"_s, u":4243"_s} << QString() << 1 << QString() << u":4243"_s;
}

void CommandLineTest::answers()
{
    QFETCH(QStringList, args);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const Run r = run(QStringLiteral(PRISM_APP_PATH), args, terminal(display), 20000);
    QVERIFY2(!r.crashed, qPrintable(r.err));
    QCOMPARE(r.exitCode, status);
    if (out.isEmpty())
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    else
        QVERIFY2(r.out.contains(out), qPrintable(r.out));
    if (err.isEmpty()) {
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    } else {
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        // A missing display is said in one line.
        if (status == 1)
            QCOMPARE(r.err.trimmed().count(u'\n'), 0);
    }
}

void CommandLineTest::startsOnQtsOwnPlatformOption()
{
    // Qt's own options still reach Qt: with -platform offscreen the window
    // starts without any display and keeps running until it is ended.
    QProcess app;
    app.setProcessEnvironment(terminal());
    app.start(QStringLiteral(PRISM_APP_PATH), {u"-platform"_s, u"offscreen"_s});
    QVERIFY(app.waitForStarted(5000));
    QVERIFY2(!app.waitForFinished(1500), qPrintable(app.readAllStandardError()));
    app.terminate();
    QVERIFY(app.waitForFinished(5000));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_cli.moc"
