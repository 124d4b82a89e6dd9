#pragma once

#include <memory>

class QApplication;

// Creates the program's QApplication as the program starts it: the system's
// font configuration is read beside the connection to the display, and the
// application's default font is the window's Japanese face.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);
