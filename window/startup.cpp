#include "startup.h"

#include "fonts.h"

#include <QApplication>
#include <QFont>

#include <fontconfig/fontconfig.h>

#include <thread>

std::unique_ptr<QApplication> startApplication(int& argc, char** argv)
{
    // Reading the font configuration is the slowest single step of start-up
    // (fontconfig parses every configuration file of the system); it runs on
    // a helper thread while the application connects to the display, and is
    // joined before anything uses a font. The program itself stays on one
    // thread.
    std::thread fontConfiguration([] { FcInit(); });
    auto app = std::make_unique<QApplication>(argc, argv);
    fontConfiguration.join();

    // Lets a Wayland desktop match the window to its desktop entry (X11
    // desktops match its WM_CLASS, the program's name, to StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.prismcompose.PrismCompose"));
    // The message box and the entries' first layout (a line edit lays out its
    // empty text in the application's font before it takes its own) use the
    // window's default face instead of loading a Latin one as well.
    QApplication::setFont(fonts::windowDefault());
    return app;
}
