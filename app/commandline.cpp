// SPDX-License-Identifier: MIT
#include "commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QString Program = u"prism-compose"_s;

// Qt's documented application options. They are declared so that the parser
// lets them through to Qt; --help names them in one line, --help-all lists
// them.
const struct {
    const char* name;
    const char* value;  // nullptr: a switch
    const char* description;
} QtOptions[] = {
    {"platform", "name", "Qt's platform plugin: xcb, wayland, offscreen ..."},
    {"platformpluginpath", "path", "Where Qt looks for platform plugins."},
    {"platformtheme", "name", "Qt's platform theme."},
    {"plugin", "name", "An extra Qt plugin to load."},
    {"qmljsdebugger", "settings", "Qt's QML debugger (not used here)."},
    {"qwindowgeometry", "geometry", "The window's place, e.g. +100+50."},
    {"qwindowicon", "file", "The window's icon."},
    {"qwindowtitle", "title", "The window's title."},
    {"session", "id", "The session to restore."},
    {"display", "name", "The X display to open, e.g. :0."},
    {"geometry", "geometry", "Same as -qwindowgeometry."},
    {"style", "name", "The widget style, e.g. Fusion."},
    {"stylesheet", "file", "A Qt style sheet."},
    {"reverse", nullptr, "Lays the window out right to left."},
    {"widgetcount", nullptr, "Counts the widgets at exit."},
};

QStringList argumentsOf(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// The value of one of Qt's options on the command line ("-display :1",
// "--display=:1"), or a null string.
QString qtOptionValue(const QStringList& args, const QString& name)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        QString a = args[i];
        if (!a.startsWith(u'-'))
            continue;
        a.remove(0, a.startsWith(u"--"_s) ? 2 : 1);
        if (a == name && i + 1 < args.size())
            return args[i + 1];
        if (a.startsWith(name + u'='))
            return a.mid(name.size() + 1);
    }
    return {};
}

}  // namespace

namespace {

// The parser of the program's options; Qt's own are listed in its help only
// when asked for with --help-all.
void describe(QCommandLineParser& parser, bool showQtOptions)
{
    // Qt's options are single-dash words ("-platform"), not bundled letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        u"プリズムの合成: composes two ophthalmic prisms (power in prism dioptres, base direction "
        "0-360 degrees) into the one equivalent prism, shown beside a vector diagram; the window "
        "prints on the default printer.\n"
        "Qt's standard options (-platform, -display, -style, -reverse ...) are accepted."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(u"lens"_s,
        u"Opens the lens tool (the prism a lens gives at a decentration, and the decentration for a prism) "
        "beside the window."_s));
    for (const auto& o : QtOptions) {
        QCommandLineOption option(QString::fromLatin1(o.name), QString::fromLatin1(o.description));
        if (o.value)
            option.setValueName(QString::fromLatin1(o.value));
        if (!showQtOptions)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

}  // namespace

CommandLine readCommandLine(int argc, char** argv)
{
    QCommandLineParser parser;
    describe(parser, false);
    const QStringList args = argumentsOf(argc, argv);
    const QString name = args.isEmpty() ? Program : QFileInfo(args.first()).fileName();
    const auto refuse = [&](const QString& why) {
        return CommandLine{CommandLine::Action::Refuse,
            name + u": "_s + why + u"\nTry '"_s + name + u" --help' for more information.\n"_s, UsageStatus};
    };
    if (!parser.parse(args))
        return refuse(parser.errorText());
    if (parser.isSet(u"help"_s) || parser.isSet(u"help-all"_s)) {
        QCommandLineParser all;
        describe(all, true);
        QString text = (parser.isSet(u"help-all"_s) ? all : parser).helpText();
        // Without an application object Qt cannot know the program's name.
        text.replace(u"<executable_name>"_s, name);
        return {CommandLine::Action::Answer, text, 0};
    }
    if (parser.isSet(u"version"_s))
        return {CommandLine::Action::Answer, Program + u' ' + QStringLiteral(PRISM_VERSION) + u'\n', 0};
    if (!parser.positionalArguments().isEmpty())
        return refuse(u"unexpected argument '%1': the program reads nothing from its command line"_s.arg(
            parser.positionalArguments().first()));
    CommandLine run;
    run.lens = parser.isSet(u"lens"_s);
    return run;
}

QString displayProblem(int argc, char** argv)
{
    const QStringList args = argumentsOf(argc, argv);
    QString platform = qtOptionValue(args, u"platform"_s);
    if (platform.isNull())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty()) {
        // Qt's default here is the X11 platform, unless a Wayland session
        // makes it choose its Wayland platform: that one is left to Qt.
        if (qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland"_s)
            return {};
        platform = u"xcb"_s;
    }
    // A list ("xcb;offscreen") lets Qt fall back by itself; options after a
    // colon ("xcb:...") do not change the display.
    if (platform.contains(u';') || platform.section(u':', 0, 0) != u"xcb"_s)
        return {};

    QString display = qtOptionValue(args, u"display"_s);
    if (display.isNull())
        display = qEnvironmentVariable("DISPLAY");
    const QString head = Program + u": cannot open the window: "_s;
    if (display.isEmpty())
        return head + u"no display is set (DISPLAY is empty); start it from a desktop session"_s;

    // Ask the X server the way Qt will, through libxcb, loaded here only to
    // knock on the door. Where the library is missing, Qt reports it itself.
    QLibrary xcb(u"xcb"_s, 1);
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    const auto connect = reinterpret_cast<Connect>(xcb.resolve("xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(xcb.resolve("xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(xcb.resolve("xcb_disconnect"));
    if (!connect || !hasError || !disconnect)
        return {};
    void* connection = connect(display.toLocal8Bit().constData(), nullptr);
    const bool reached = connection && hasError(connection) == 0;
    if (connection)
        disconnect(connection);
    return reached ? QString() : head + u"the display \"%1\" cannot be reached"_s.arg(display);
}
