#include "cli/portchoice.h"

#include "core/settings.h"
#include "cli/cli.h"
#include "link/networkport.h"
#include "link/serialdevicemap.h"

#include <QRegularExpression>

namespace {

bool IsDevicePath(const QString &text)
{
    return text.contains(QLatin1Char('/')) || text.startsWith(QLatin1String("\\\\.\\"));
}

}  // namespace

bool ChoosePort(const QString &given, PortChoice *choice, QString *error)
{
    if (IsNetworkPortName(given) && !ParseNetworkPort(given)) {
        *error = MalformedNetworkPortText(given);
        return false;
    }
    if (IsDevicePath(given)) {
        choice->com = SerialDeviceMap::PlatformNumber(given);
        choice->device = given;
        choice->label = given;
        choice->named = given;
        return true;
    }
    int com = 0;
    if (given.isEmpty()) {
        com = StoredComPortSetting();  // a command never changes the window's settings
    } else {
        static const QRegularExpression comNumber(QStringLiteral("^(?:COM)?([0-9]{1,3})$"),
                                                  QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = comNumber.match(given);
        com = match.hasMatch() ? match.captured(1).toInt() : 0;
    }
    if (com < 1 || com > 255) {
        *error = QStringLiteral("'%1' is neither a COM number (1 to 255, as 7 or COM7) nor a device path").arg(given);
        return false;
    }
    choice->com = com;
    choice->named = QStringLiteral("COM%1").arg(com);
    choice->device = SerialDeviceMap::DeviceFor(com);
    choice->label = choice->device.isEmpty() ? QStringLiteral("COM%1").arg(com)
                                             : QStringLiteral("COM%1 (%2)").arg(com).arg(choice->device);
    return true;
}

bool ChoosePort(Cli &cli, PortChoice *choice)
{
    QString error;
    if (ChoosePort(cli.Options().port, choice, &error)) return true;
    cli.Fail(Exit::Usage, QStringLiteral("--port"), error);
    return false;
}

QStringList PortList(const QString &portOption)
{
    return portOption.isEmpty() ? QStringList() : portOption.split(PortSeparator);
}

QString PortInFileName(const PortChoice &port)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9-]+"));
    QString name = port.named;
    name.replace(unsafe, QStringLiteral("_"));
    while (name.startsWith(QLatin1Char('_'))) name.remove(0, 1);
    while (name.endsWith(QLatin1Char('_'))) name.chop(1);
    return name;
}
