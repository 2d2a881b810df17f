#include "link/windowsportwords.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <iterator>
#endif

namespace WindowsPortWords {
namespace {
const QString DevicePrefix = QStringLiteral("\\\\.\\");
}  // namespace

QString UserName(const QString &device) { return device.startsWith(DevicePrefix) ? device.mid(DevicePrefix.size()) : device; }

QString OpenFailure(const QString &device, const QString &systemMessage)
{
    return UserName(device) + QStringLiteral(": ") + systemMessage;
}

#ifdef Q_OS_WIN
QString SystemMessage(unsigned long code)
{
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, static_cast<DWORD>(std::size(text)), nullptr);
    const QString words = QString::fromWCharArray(text, static_cast<int>(length)).trimmed();
    return words.isEmpty() ? QStringLiteral("Windows error %1").arg(code) : words;
}
#endif

}  // namespace WindowsPortWords
