#include "link/serialdevicemap.h"

#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSettings>

#ifdef Q_OS_WIN
// Only the base API (the system's table of device names); the window API is not needed.
#include <windef.h>
#include <winbase.h>
#endif

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace SerialDeviceMap {
namespace {

// Device families outside Windows and the COM number of their first device.
struct DeviceFamily {
    const char *prefix;
    int firstCom;
    int count;
};
constexpr DeviceFamily Families[] = {
    {"/dev/ttyS", 1, 32},
    {"/dev/ttyUSB", 33, 32},
    {"/dev/ttyACM", 65, 32},
};

QString Key(int comNumber) { return QStringLiteral("COM%1").arg(comNumber); }

// A settings object on the map's group.
struct MapSettings {
    std::unique_ptr<QSettings> store = OpenSettings(QString::fromLatin1(SettingsSection));
    QSettings &settings = *store;
    MapSettings() { settings.beginGroup(QString::fromLatin1(Group)); }
};

QString PlatformDevice(int comNumber)
{
#ifdef Q_OS_WIN
    return comNumber > 0 ? QStringLiteral("\\\\.\\COM%1").arg(comNumber) : QString();
#else
    for (const DeviceFamily &family : Families) {
        const int k = comNumber - family.firstCom;
        if (k >= 0 && k < family.count) return QString::fromLatin1(family.prefix) + QString::number(k);
    }
    return {};
#endif
}

}  // namespace

QString UnmappedText(int comNumber)
{
    const MapSettings map;
    return QStringLiteral("%1 has no device: map it with an entry %1=DEVICE in the [%2] group of %3")
        .arg(Key(comNumber), QString::fromLatin1(Group), QDir::toNativeSeparators(map.settings.fileName()));
}

QString InUseText(int comNumber, const QString &device)
{
    return QStringLiteral("%1 is in use by another program").arg(comNumber > 0 ? Key(comNumber) : device);
}

int PlatformNumber(const QString &systemLocation)
{
    for (const DeviceFamily &family : Families) {
        const QString prefix = QString::fromLatin1(family.prefix);
        if (!systemLocation.startsWith(prefix)) continue;
        bool ok = false;
        const int k = systemLocation.mid(prefix.size()).toInt(&ok);
        if (ok && k >= 0 && k < family.count) return family.firstCom + k;
    }
    return 0;
}

QString DeviceFor(int comNumber)
{
    MapSettings map;
    const QString device = map.settings.value(Key(comNumber)).toString();
    if (!device.isEmpty()) return device;
    return PlatformDevice(comNumber);
}

bool DevicePresent(const QString &device)
{
    if (device.isEmpty()) return false;
#ifdef Q_OS_WIN
    // The system's own name table knows a port as soon as its driver registers it; the port list
    // can lag behind (a USB adapter whose driver registers late, a port linked after start).
    QString name = device;
    if (name.startsWith(QStringLiteral("\\\\.\\"))) name = name.mid(4);
    wchar_t target[MAX_PATH];
    if (QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target, MAX_PATH) != 0) return true;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (info.systemLocation().compare(device, Qt::CaseInsensitive) == 0) return true;
    return false;
#else
    return QFileInfo::exists(device);
#endif
}

QString DetailsText(const QString &device, const QString &description, const QString &manufacturer)
{
    QString text = device;
    if (!description.isEmpty()) text += QStringLiteral("  ") + description;
    if (!manufacturer.isEmpty() && !description.contains(manufacturer, Qt::CaseInsensitive))
        text += description.isEmpty() ? QStringLiteral("  ") + manufacturer : QStringLiteral(" (%1)").arg(manufacturer);
    return text;
}

QString PortDetails(int comNumber, const QList<QSerialPortInfo> &available)
{
    const QString device = DeviceFor(comNumber);
    // A mapped name may be a link to the device (a /dev/serial/by-id entry, for example).
    const QString target = QFileInfo(device).canonicalFilePath();
    for (const QSerialPortInfo &info : available)
        if (info.systemLocation() == device || (!target.isEmpty() && info.systemLocation() == target))
            return DetailsText(device, info.description(), info.manufacturer());
    return DetailsText(device, {}, {});
}

QString PermissionAdvice(const QString &device)
{
#ifdef Q_OS_LINUX
    const QByteArray path = QFile::encodeName(device);
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES) return {};
    // The group that owns the device, when membership would open it; Debian's is "dialout".
    QString groupName = QStringLiteral("dialout");
    struct stat status {};
    if (::stat(path.constData(), &status) == 0 && (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP) &&
        status.st_gid != 0)
        if (const struct group *entry = ::getgrgid(status.st_gid)) groupName = QString::fromLocal8Bit(entry->gr_name);
    return QStringLiteral("Permission denied, join group %1").arg(groupName);
#else
    Q_UNUSED(device);
    return {};
#endif
}

QStringList PortNames()
{
    QStringList names;
    {
        MapSettings map;
        names = map.settings.childKeys();
    }
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        names << info.portName();
#else
        if (const int n = PlatformNumber(info.systemLocation())) names << Key(n);
#endif
    }
    return names;
}

void Register(int comNumber, const QString &device)
{
    MapSettings map;
    map.settings.setValue(Key(comNumber), device);
    map.settings.sync();
}

void Unregister(int comNumber, const QString &device)
{
    MapSettings map;
    if (map.settings.value(Key(comNumber)).toString() == device) map.settings.remove(Key(comNumber));
    map.settings.sync();
}

}  // namespace SerialDeviceMap
