#pragma once
// COM numbers and the devices behind them. The tool speaks of COM numbers everywhere (the setting,
// the status text, the port dialog); this map turns a number into a device and lists the numbers
// that exist:
//   1. explicit entries "COM<n>" = device path in the settings group "SerialDeviceMap" (a
//      technician's own mapping; the controller emulator registers itself there) win;
//   2. on Windows, the ports the system names "COM<n>";
//   3. elsewhere, /dev/ttyS<k> is COM<k+1>, /dev/ttyUSB<k> COM<k+33>, /dev/ttyACM<k> COM<k+65>.
#include <QList>
#include <QString>
#include <QStringList>

class QSerialPortInfo;

namespace SerialDeviceMap {

inline constexpr const char *Group = "SerialDeviceMap";

// The device to open for COM<n>; empty when no device can have that number.
QString DeviceFor(int comNumber);

// The names ("COM<n>") of every port the system and the map know of, unsorted, as the serial
// device map lists them.
QStringList PortNames();

// Registers COM<n> for `device` in the map, and removes it again (only while it still names
// that device, so a later registration of the same number by someone else is kept).
void Register(int comNumber, const QString &device);
void Unregister(int comNumber, const QString &device);

// True when the system has a device at `device` (a path, or a Windows port device name).
bool DevicePresent(const QString &device);

// What the port dialog shows after "COM<n>": the device behind the number and, when the system
// knows it (one of `available`, the system's port list), its description and maker, for a USB
// adapter its product name.
QString PortDetails(int comNumber, const QList<QSerialPortInfo> &available);
QString DetailsText(const QString &device, const QString &description, const QString &manufacturer);

// Why `device` cannot be opened when the reason is a lack of permission, with the fix (on Linux,
// membership of the group that owns serial devices); empty when permission is not the cause.
QString PermissionAdvice(const QString &device);

// Why COM<n> cannot be opened when no device has that number, and how to map one to it.
QString UnmappedText(int comNumber);
// Why a port that another program holds cannot be opened; it is named by its COM number (0: by
// `device`).
QString InUseText(int comNumber, const QString &device);

// COM<n> for a device path by the platform's naming, or 0.
int PlatformNumber(const QString &systemLocation);

}  // namespace SerialDeviceMap
