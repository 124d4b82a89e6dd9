// SPDX-License-Identifier: MIT
// Installing and packaging: the files land where a desktop looks for them and
// validate; the Debian package unpacks to the same and its desktop entry
// starts the window (run under Xvfb); the exported CMake package serves a
// consumer project.
#include "process.h"
#include <QDir>
#include <QDirIterator>

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString AppId = u"org.prismcompose.PrismCompose"_qs;

#define RUN_OK(result)                                                                                       \
    do {                                                                                                     \
        const Run& r_ = (result);                                                                            \
        QVERIFY2(r_.ok(), qPrintable(r_.said()));                                                            \
    } while (false)

// The runtime files, relative to the prefix.
const QStringList RuntimeFiles{
    u"bin/prism-compose"_qs,
    u"share/applications/org.prismcompose.PrismCompose.desktop"_qs,
    u"share/icons/hicolor/scalable/apps/org.prismcompose.PrismCompose.svg"_qs,
    u"share/metainfo/org.prismcompose.PrismCompose.metainfo.xml"_qs,
};

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void installsWhereTheDesktopLooks();
    void desktopFilesValidate();
    void consumerFindsTheCore();
    void packagePassesDebiansChecker();
    void everyCodeFileCarriesItsLicence();
    void packageUnpacksAndStartsFromItsDesktopEntry();

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_packages;
    QString m_deb;  // the Debian package, built once
};

void InstallTest::initTestCase()
{
    QVERIFY(m_prefix.isValid() && m_packages.isValid());
    RUN_OK(run(QStringLiteral(PRISM_CMAKE),
        {u"--install"_qs, QStringLiteral(PRISM_BUILD_DIR), u"--prefix"_qs, m_prefix.path()}));
    RUN_OK(run(QStringLiteral(PRISM_CPACK),
        {u"-G"_qs, u"DEB"_qs, u"-B"_qs, m_packages.path(), u"--config"_qs,
            QStringLiteral(PRISM_BUILD_DIR) + u"/CPackConfig.cmake"_qs}));
    const QStringList debs = QDir(m_packages.path()).entryList({u"*.deb"_qs});
    QCOMPARE(debs.size(), 1);
    m_deb = m_packages.filePath(debs.first());
}

void InstallTest::packagePassesDebiansChecker()
{
    // Debian's own checker: no error and no warning (its notes are advice).
    const Run lintian = run(u"lintian"_qs, {u"--fail-on"_qs, u"error,warning"_qs, m_deb});
    QVERIFY2(lintian.exitCode == 0, qPrintable(lintian.said()));
    for (const QString& line : lintian.out.split(u'\n'))
        QVERIFY2(!line.startsWith(u"E:"_qs) && !line.startsWith(u"W:"_qs), qPrintable(line));
}

void InstallTest::everyCodeFileCarriesItsLicence()
{
    const Run files = run(u"git"_qs, {u"-C"_qs, QStringLiteral(PRISM_SOURCE_DIR), u"ls-files"_qs});
    if (!files.ok())
        QSKIP("not a git checkout");
    // Code: C++, CMake, shell and JavaScript; data (corpus, icons, entries) is not.
    const QRegularExpression code(uR"((\.(cpp|h|cmake|in|sh|js|mjs)|CMakeLists\.txt|Makefile|\.ci/run)$)"_qs);
    int checked = 0;
    for (const QString& name : files.out.split(u'\n', Qt::SkipEmptyParts)) {
        if (!code.match(name).hasMatch())
            continue;
        QFile file(QStringLiteral(PRISM_SOURCE_DIR) + u'/' + name);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray head = file.read(200);
        QVERIFY2(head.contains("SPDX-License-Identifier: MIT"), qPrintable(name));
        ++checked;
    }
    QVERIFY(checked > 40);
}

void InstallTest::installsWhereTheDesktopLooks()
{
    for (const QString& file : RuntimeFiles)
        QVERIFY2(QFile::exists(m_prefix.filePath(file)), qPrintable(file));
    QVERIFY(QFileInfo(m_prefix.filePath(u"bin/prism-compose"_qs)).isExecutable());
    for (const QString& file : {u"include/prism/prism.h"_qs, u"lib/libprism.a"_qs,
             u"lib/cmake/PrismCompose/PrismComposeConfig.cmake"_qs,
             u"lib/cmake/PrismCompose/PrismComposeConfigVersion.cmake"_qs})
        QVERIFY2(QFile::exists(m_prefix.filePath(file)), qPrintable(file));
}

void InstallTest::desktopFilesValidate()
{
    const QString desktop = m_prefix.filePath(u"share/applications/"_qs + AppId + u".desktop"_qs);
    const Run desktopCheck = run(u"desktop-file-validate"_qs, {desktop});
    QVERIFY2(desktopCheck.exitCode == 0 && !desktopCheck.said().contains(u"error:"_qs),
        qPrintable(desktopCheck.said()));
    RUN_OK(run(u"appstreamcli"_qs,
        {u"validate"_qs, u"--no-net"_qs,
            m_prefix.filePath(u"share/metainfo/"_qs + AppId + u".metainfo.xml"_qs)}));

    QSettings entry(desktop, QSettings::IniFormat);
    entry.beginGroup(u"Desktop Entry"_qs);
    QCOMPARE(entry.value(u"Name"_qs).toString(), u"プリズムの合成"_qs);
    QVERIFY(!entry.value(u"Name[en]"_qs).toString().isEmpty());
    QCOMPARE(entry.value(u"Icon"_qs).toString(), AppId);
    QCOMPARE(entry.value(u"Exec"_qs).toString(), u"prism-compose"_qs);
}

void InstallTest::consumerFindsTheCore()
{
    QTemporaryDir build;
    QVERIFY(build.isValid());
    RUN_OK(run(QStringLiteral(PRISM_CMAKE),
        {u"-S"_qs, QStringLiteral(PRISM_SOURCE_DIR) + u"/tests/consumer"_qs, u"-B"_qs, build.path(),
            u"-DCMAKE_PREFIX_PATH="_qs + m_prefix.path()}));
    RUN_OK(run(QStringLiteral(PRISM_CMAKE), {u"--build"_qs, build.path()}));
    const Run composed = run(build.filePath(u"consumer"_qs), {u"3"_qs, u"0"_qs, u"4"_qs, u"90"_qs});
    QCOMPARE(composed.exitCode, 0);
    QCOMPARE(composed.out.trimmed(), u"5.0△ Base 53°"_qs);
}

void InstallTest::packageUnpacksAndStartsFromItsDesktopEntry()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString deb = m_deb;

    // What the package asks of the system: Qt, CUPS's client, the fonts.
    const Run depends = run(u"dpkg-deb"_qs, {u"-f"_qs, deb, u"Depends"_qs});
    RUN_OK(depends);
    for (const char* needed : {"libqt6widgets6", "libqt6printsupport6", "libcups2", "qt6-qpa-plugins",
             "qt6-translations-l10n", "fonts-ipafont-gothic", "fonts-motoya-l-maruberi"})
        QVERIFY2(depends.out.contains(QLatin1String(needed)), needed);

    const QString root = out.filePath(u"root"_qs);
    RUN_OK(run(u"dpkg-deb"_qs, {u"-x"_qs, deb, root}));
    for (const QString& file : RuntimeFiles)
        QVERIFY2(QFile::exists(root + u"/usr/"_qs + file), qPrintable(file));
    QVERIFY2(!QFile::exists(root + u"/usr/include/prism/prism.h"_qs), "the runtime package holds no headers");

    // Start it the way a desktop does: the entry's Exec, found on the PATH.
    QSettings entry(root + u"/usr/share/applications/"_qs + AppId + u".desktop"_qs, QSettings::IniFormat);
    const QString exec = entry.value(u"Desktop Entry/Exec"_qs).toString();
    QVERIFY(!exec.isEmpty());
    const QString program = QStandardPaths::findExecutable(exec, {root + u"/usr/bin"_qs});
    QVERIFY2(!program.isEmpty(), qPrintable(exec));

    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"xcb"_qs);
    app.setProcessEnvironment(env);
    app.setProgram(program);
    app.start();
    QVERIFY(app.waitForStarted(5000));
    const Run window = run(u"xdotool"_qs,
        {u"search"_qs, u"--sync"_qs, u"--onlyvisible"_qs, u"--name"_qs, u"^Form1$"_qs}, {}, 20000);
    const bool shown = window.exitCode == 0 && !window.out.trimmed().isEmpty();
    // A desktop finds the entry of a running window (its icon and name in a
    // task bar) through the window's WM_CLASS.
    const QString wmClass = entry.value(u"Desktop Entry/StartupWMClass"_qs).toString();
    const Run byClass = run(u"xdotool"_qs,
        {u"search"_qs, u"--onlyvisible"_qs, u"--class"_qs, u"^"_qs + wmClass + u"$"_qs}, {}, 5000);
    app.terminate();
    app.waitForFinished(5000);
    QVERIFY2(shown, qPrintable(window.out));
    QVERIFY(!wmClass.isEmpty());
    QCOMPARE(byClass.out.trimmed(), window.out.trimmed());
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
