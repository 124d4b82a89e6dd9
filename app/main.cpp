#include <QApplication>

#include "fonts.h"
#include "form1.h"

int main(int argc, char* argv[])
{
    fonts::ConfigurationPreload preload;
    QApplication app(argc, argv);
    preload.wait();
    // The message box and the entries' first layout (a line edit lays out its
    // empty text in the application's font before it takes its own) use the
    // window's default face instead of loading a Latin one as well.
    QApplication::setFont(fonts::windowDefault());
    Form1 form;
    form.show();
    return app.exec();
}
