// SPDX-License-Identifier: MIT
// Installing and packaging: the files land where a desktop looks for them and
// validate; the Debian package unpacks to the same and its desktop entry
// starts the window (run under Xvfb); the exported CMake package serves a
// consumer project.
#include "process.h"

#include <QDir>
#include <QDirIterator>
#include <form/form.h>

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString AppId = u"org.prismcompose.PrismCompose"_s;

QString described(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

#define RUN_OK(result)                                                                                       \
    do {                                                                                                     \
        const Run& r_ = (result);                                                                            \
        QVERIFY2(r_.ok(), qPrintable(r_.said()));                                                            \
    } while (false)

// The runtime files, relative to the prefix.
const QStringList RuntimeFiles{
    u"bin/prism-compose"_s,
    u"share/applications/org.prismcompose.PrismCompose.desktop"_s,
    u"share/icons/hicolor/scalable/apps/org.prismcompose.PrismCompose.svg"_s,
    u"share/metainfo/org.prismcompose.PrismCompose.metainfo.xml"_s,
};

}  // namespace

class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void installsWhereTheDesktopLooks();
    void desktopFilesValidate();
    void consumerFindsTheCore();
    void programConfiguresWithoutTheTests();
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
        {u"--install"_s, QStringLiteral(PRISM_BUILD_DIR), u"--prefix"_s, m_prefix.path()}));
    RUN_OK(run(QStringLiteral(PRISM_CPACK),
        {u"-G"_s, u"DEB"_s, u"-B"_s, m_packages.path(), u"--config"_s,
            QStringLiteral(PRISM_BUILD_DIR) + u"/CPackConfig.cmake"_s}));
    const QStringList debs = QDir(m_packages.path()).entryList({u"*.deb"_s});
    QCOMPARE(debs.size(), 1);
    m_deb = m_packages.filePath(debs.first());
}

void InstallTest::packagePassesDebiansChecker()
{
    // Debian's own checker: no error and no warning (its notes are advice).
    const Run lintian = run(u"lintian"_s, {u"--fail-on"_s, u"error,warning"_s, m_deb});
    QVERIFY2(lintian.exitCode == 0, qPrintable(lintian.said()));
    for (const QString& line : lintian.out.split(u'\n'))
        QVERIFY2(!line.startsWith(u"E:"_s) && !line.startsWith(u"W:"_s), qPrintable(line));
}

void InstallTest::everyCodeFileCarriesItsLicence()
{
    const Run files = run(u"git"_s, {u"-C"_s, QStringLiteral(PRISM_SOURCE_DIR), u"ls-files"_s});
    if (!files.ok())
        QSKIP("not a git checkout");
    // Code: C++, CMake, shell and JavaScript; data (corpus, icons, entries) is not.
    const QRegularExpression code(uR"((\.(cpp|h|cmake|in|sh|js|mjs)|CMakeLists\.txt|Makefile|\.ci/run)$)"_s);
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
    QVERIFY(QFileInfo(m_prefix.filePath(u"bin/prism-compose"_s)).isExecutable());
    for (const QString& file : {u"include/prism/prism.h"_s, u"lib/libprism.a"_s,
             u"lib/cmake/PrismCompose/PrismComposeConfig.cmake"_s,
             u"lib/cmake/PrismCompose/PrismComposeConfigVersion.cmake"_s})
        QVERIFY2(QFile::exists(m_prefix.filePath(file)), qPrintable(file));
}

void InstallTest::desktopFilesValidate()
{
    const QString desktop = m_prefix.filePath(u"share/applications/"_s + AppId + u".desktop"_s);
    const Run desktopCheck = run(u"desktop-file-validate"_s, {desktop});
    QVERIFY2(desktopCheck.exitCode == 0 && !desktopCheck.said().contains(u"error:"_s),
        qPrintable(desktopCheck.said()));
    RUN_OK(run(u"appstreamcli"_s,
        {u"validate"_s, u"--no-net"_s,
            m_prefix.filePath(u"share/metainfo/"_s + AppId + u".metainfo.xml"_s)}));

    QSettings entry(desktop, QSettings::IniFormat);
    entry.beginGroup(u"Desktop Entry"_s);
    QCOMPARE(entry.value(u"Name"_s).toString(), described(form::description().programTitle));
    QVERIFY(!entry.value(u"Name[en]"_s).toString().isEmpty());
    QCOMPARE(entry.value(u"Icon"_s).toString(), AppId);
    QCOMPARE(entry.value(u"Exec"_s).toString(), u"prism-compose"_s);
}

void InstallTest::consumerFindsTheCore()
{
    QTemporaryDir build;
    QVERIFY(build.isValid());
    RUN_OK(run(QStringLiteral(PRISM_CMAKE),
        {u"-S"_s, QStringLiteral(PRISM_SOURCE_DIR) + u"/tests/consumer"_s, u"-B"_s, build.path(),
            u"-DCMAKE_PREFIX_PATH="_s + m_prefix.path()}));
    RUN_OK(run(QStringLiteral(PRISM_CMAKE), {u"--build"_s, build.path()}));
    const Run composed = run(build.filePath(u"consumer"_s), {u"3"_s, u"0"_s, u"4"_s, u"90"_s});
    QCOMPARE(composed.exitCode, 0);
    QCOMPARE(composed.out.trimmed(), u"5.0△ Base 53°"_s);
}

void InstallTest::programConfiguresWithoutTheTests()
{
    // A packager's build: the program alone, nothing that needs QtTest,
    // clang, the fuzzer or the benchmark.
    QTemporaryDir build;
    QVERIFY(build.isValid());
    RUN_OK(run(QStringLiteral(PRISM_CMAKE),
        {u"-S"_s, QStringLiteral(PRISM_SOURCE_DIR), u"-B"_s, build.path(), u"-DBUILD_TESTING=OFF"_s}));
    const Run targets
        = run(QStringLiteral(PRISM_CMAKE), {u"--build"_s, build.path(), u"--target"_s, u"help"_s});
    RUN_OK(targets);
    QVERIFY2(targets.out.contains(u"prism-compose"_s), qPrintable(targets.out));
    for (const QString& absent : {u"tst_"_s, u"fuzz"_s, u"bench"_s})
        QVERIFY2(!targets.out.contains(absent), qPrintable(absent));
    QVERIFY(!QFile::exists(build.filePath(u"CTestTestfile.cmake"_s)));
}

void InstallTest::packageUnpacksAndStartsFromItsDesktopEntry()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString deb = m_deb;

    // What the package asks of the system: Qt, CUPS's client, the fonts.
    const Run depends = run(u"dpkg-deb"_s, {u"-f"_s, deb, u"Depends"_s});
    RUN_OK(depends);
    for (const char* needed : {"libqt6widgets6", "libqt6printsupport6", "libcups2", "qt6-qpa-plugins",
             "qt6-translations-l10n", "fonts-ipafont-gothic", "fonts-motoya-l-maruberi"})
        QVERIFY2(depends.out.contains(QLatin1String(needed)), needed);

    const QString root = out.filePath(u"root"_s);
    RUN_OK(run(u"dpkg-deb"_s, {u"-x"_s, deb, root}));
    for (const QString& file : RuntimeFiles)
        QVERIFY2(QFile::exists(root + u"/usr/"_s + file), qPrintable(file));
    QVERIFY2(!QFile::exists(root + u"/usr/include/prism/prism.h"_s), "the runtime package holds no headers");

    // Start it the way a desktop does: the entry's Exec, found on the PATH.
    QSettings entry(root + u"/usr/share/applications/"_s + AppId + u".desktop"_s, QSettings::IniFormat);
    const QString exec = entry.value(u"Desktop Entry/Exec"_s).toString();
    QVERIFY(!exec.isEmpty());
    const QString program = QStandardPaths::findExecutable(exec, {root + u"/usr/bin"_s});
    QVERIFY2(!program.isEmpty(), qPrintable(exec));

    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    app.setProcessEnvironment(env);
    app.setProgram(program);
    app.start();
    QVERIFY(app.waitForStarted(5000));
    const Run window = run(
        u"xdotool"_s, {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^Form1$"_s}, {}, 20000);
    const bool shown = window.exitCode == 0 && !window.out.trimmed().isEmpty();
    // A desktop finds the entry of a running window (its icon and name in a
    // task bar) through the window's WM_CLASS.
    const QString wmClass = entry.value(u"Desktop Entry/StartupWMClass"_s).toString();
    const Run byClass = run(
        u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"^"_s + wmClass + u"$"_s}, {}, 5000);
    app.terminate();
    app.waitForFinished(5000);
    QVERIFY2(shown, qPrintable(window.out));
    QVERIFY(!wmClass.isEmpty());
    QCOMPARE(byClass.out.trimmed(), window.out.trimmed());
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
