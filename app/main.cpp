#include <QApplication>

#include "form1.h"
#include "startup.h"

int main(int argc, char* argv[])
{
    const auto app = startApplication(argc, argv);
    Form1 form;
    form.show();
    return app->exec();
}
