#include "editor/appstyle.h"
#include "editor/quarnform.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.halvern.QuarnTrim"));
    InstallApplicationStyle();
    TQuarnForm form;
    form.show();
    // A *.joy file named on the command line (a double-click in Explorer, a desktop's "Open
    // with") is opened once the window is up, so that a box about it has its window behind it.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString fileName = arguments.at(1);
        QTimer::singleShot(0, &form, [&form, fileName] { form.OpenJoyFile(fileName); });
    }
    return app.exec();
}
