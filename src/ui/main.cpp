#include "ui/appstyle.h"
#include "ui/endrequest.h"
#include "ui/quarnform.h"

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
    // Asked to end by the system, the window closes as by its close box, so the link worker lets
    // go of the controller first.
    const EndRequestWatcher endRequests([&form] { form.EndForSystem(); });
    // A *.joy file named on the command line (a double-click in Explorer, a desktop's "Open
    // with") is opened once the window is up, so that a box about it has its window behind it.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString fileName = arguments.at(1);
        QTimer::singleShot(0, &form, [&form, fileName] { form.OpenJoyFile(fileName); });
    }
    const int status = app.exec();
    // A worker freed from inside one of its own hand-overs is deleted later; the loop has ended,
    // so it is deleted here, letting go of the controller before the program exits.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
