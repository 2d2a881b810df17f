#include "editor/appstyle.h"
#include "editor/quarnform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.halvern.QuarnTrim"));
    InstallApplicationStyle();
    TQuarnForm form;
    form.show();
    return app.exec();
}
