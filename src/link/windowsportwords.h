#pragma once
// Why a port could not be opened on Windows, in Windows' own words and with the port named as the
// user named it: "COM5: The system cannot find the file specified." A technician can look the
// sentence up, and it does not send them to the device map, which Windows users rarely need.
#include <QString>

namespace WindowsPortWords {

// The port's name without the system's device prefix ("\\.\COM5" is COM5).
QString UserName(const QString &device);

// "<port>: <the system's message>".
QString OpenFailure(const QString &device, const QString &systemMessage);

#ifdef Q_OS_WIN
// The system's message for an error code, or "Windows error <code>" when it has none.
QString SystemMessage(unsigned long code);
#endif

}  // namespace WindowsPortWords
