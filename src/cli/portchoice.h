#pragma once
// Which serial port a command talks to: a COM number ("7" or "COM7") through the same device map
// as the window, a device path, a serial device server ("tcp://HOST:PORT", "rfc2217://HOST:PORT"),
// or, when none is given, the window's stored "COM Port".
#include <QString>
#include <QStringList>

struct PortChoice {
    int com = 0;       // 0 for a device path with no COM number of its own
    QString device;    // what is opened
    QString label;     // how messages name it: "COM7 (/dev/ttyUSB6)" or the device path
    QString named;     // as the user named it: "COM7", or the device path
};

// False with `error` set when `given` is neither a COM number nor a device path.
bool ChoosePort(const QString &given, PortChoice *choice, QString *error);

class Cli;
// The port of --port (or the stored one); false after a usage line on standard error.
bool ChoosePort(Cli &cli, PortChoice *choice);

// The ports of --port: "7,8,9", and a repeated --port joins its values with the same comma.
inline constexpr QChar PortSeparator = QLatin1Char(',');
QStringList PortList(const QString &portOption);

// What `{port}` in a file name stands for: the port as the user named it, in the letters, digits
// and hyphens a file name takes everywhere; every other run of characters is one '_'
// ("/dev/ttyUSB0" gives "dev_ttyUSB0", "tcp://host:2001" "tcp_host_2001").
inline const QString PortPlaceholder = QStringLiteral("{port}");
QString PortInFileName(const PortChoice &port);
