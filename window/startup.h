// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class QApplication;
class QCoreApplication;

// Creates the program's QApplication as the program starts it: the system's
// font configuration is read beside the connection to the display, glyphs
// are drawn so that synthesised bold holds at every device pixel ratio, Qt's
// own texts speak the session's language, and the application's default
// font is the window's Japanese face.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

// Loads Qt's own translations (context menus, standard buttons) for the
// session's locale, when Qt has them; false when none applies (C, English).
bool loadQtTranslations(QCoreApplication& app);
