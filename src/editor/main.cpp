#include "editor/appstyle.h"
#include "editor/quarnform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    InstallApplicationStyle();
    TQuarnForm form;
    form.show();
    return app.exec();
}
