// SPDX-License-Identifier: MIT
#include "startup.h"

#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <form/form.h>

#include <fontconfig/fontconfig.h>

#include <thread>

using namespace Qt::StringLiterals;

bool loadQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(), u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

std::unique_ptr<QApplication> startApplication(int& argc, char** argv)
{
    // The gothic stand-ins have no bold face; Qt synthesises one by widening
    // each glyph's outline by a share of the font's size in logical pixels.
    // Glyphs rasterised into Qt's glyph cache under a device scale (a
    // high-density screen, QT_SCALE_FACTOR) get the widening of the unscaled
    // size, so at 2x the bold captions look regular. Drawn as outlines, a
    // glyph is widened at its logical size and then scaled with everything
    // else: bold holds at every device pixel ratio. A glyph larger than this
    // many pixels is drawn as an outline; one pixel means every glyph. Read by
    // Qt at the first text drawn. A value set by the user is kept.
    if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE"))
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", "1");

    // Reading the font configuration is the slowest single step of start-up
    // (fontconfig parses every configuration file of the system); it runs on
    // a helper thread while the application connects to the display, and is
    // joined before anything uses a font, and on every way out (a jthread
    // joins when it goes out of scope, also when QApplication throws). The
    // program itself stays on one thread.
    std::jthread fontConfiguration([] { FcInit(); });
    auto app = std::make_unique<QApplication>(argc, argv);
    fontConfiguration.join();

    // Lets a Wayland desktop match the window to its desktop entry (X11
    // desktops match its WM_CLASS, the program's name, to StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.prismcompose.PrismCompose"));
    // The message box and the entries' first layout (a line edit lays out its
    // empty text in the application's font before it takes its own) use the
    // window's default face instead of loading a Latin one as well.
    QApplication::setFont(fonts::make(form::description().windowFont));
    // Qt's own texts (an entry's context menu) in the session's language.
    loadQtTranslations(*app);
    return app;
}
