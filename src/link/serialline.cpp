// The link worker's serial line: the toolkit's serial port, or on Windows the system's own
// handle polled without overlapped I/O.
#include "link/serialline.h"

#ifdef Q_OS_WIN
#include "link/windowsportwords.h"

#include <windows.h>
#else
#include <QSerialPort>

#include <poll.h>
#endif

namespace {
// A system text speaks of files where the tool speaks of the port.
QString PortWording(QString systemText)
{
    systemText.replace(QStringLiteral("file"), QStringLiteral("port"));
    systemText.replace(QStringLiteral("File"), QStringLiteral("Port"));
    return systemText;
}

// How long one wait for the driver to take a written byte lasts before the writer is asked whether
// to stop.
constexpr int WriteWaitSliceMs = 50;

#ifdef Q_OS_WIN
const QString DevicePrefix = QStringLiteral("\\\\.\\");

QString SystemText(DWORD code) { return PortWording(WindowsPortWords::SystemMessage(code)); }

// A port with no device is said in the system's own words (ErrorText), not as a gap in the
// device map: on Windows every COM number has its device name, and the map is rarely the cause.
SerialLine::OpenFault FaultOf(DWORD code)
{
    switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return SerialLine::OpenFault::Refused;
    default: return SerialLine::OpenFault::Other;
    }
}

// 8N1 at `speed`, binary, no flow control of either kind, the modem lines inactive, and a line
// error never stops the port.
void SetLineFormat(DCB &dcb, int speed)
{
    dcb.BaudRate = static_cast<DWORD>(speed);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
}
#else
// A device that went away while open (an adapter pulled out, the far end of a pseudo-terminal
// closed) leaves its line hung up. The toolkit may report that as a plain read or write error
// rather than as its resource error, so the line itself is asked.
bool LineHungUp(QSerialPort &port)
{
    pollfd line{static_cast<int>(port.handle()), POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
#endif
}  // namespace

#ifdef Q_OS_WIN

SerialLine::SerialLine() : m_handle(INVALID_HANDLE_VALUE) {}

SerialLine::~SerialLine() { Close(); }

SerialLine::OpenFault SerialLine::Open(const QString &name, int speed)
{
    Close();
    m_gone = false;
    const QString path = name.startsWith(DevicePrefix) ? name : DevicePrefix + name;
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        m_errorText = WindowsPortWords::OpenFailure(name, WindowsPortWords::SystemMessage(code));
        return FaultOf(code);
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    // Reads return at once with what has arrived; a write waits a bounded time for the driver.
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, static_cast<DWORD>(WriteWaitSliceMs)};
    bool ok = GetCommState(handle, &dcb);
    if (ok) SetLineFormat(dcb, speed);
    ok = ok && SetCommState(handle, &dcb) && SetCommTimeouts(handle, &timeouts);
    if (!ok) {
        // A name that opens but is no serial port (Wine gives an unmapped COM number such a handle).
        const DWORD code = GetLastError();
        CloseHandle(handle);
        m_errorText = WindowsPortWords::OpenFailure(name, WindowsPortWords::SystemMessage(code));
        return FaultOf(code);
    }
    // A pseudo-terminal has no modem lines and refuses these, which is harmless.
    EscapeCommFunction(handle, CLRDTR);
    EscapeCommFunction(handle, CLRRTS);
    m_handle = handle;
    return OpenFault::None;
}

void SerialLine::Close()
{
    if (m_handle == INVALID_HANDLE_VALUE) return;
    CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

bool SerialLine::IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

bool SerialLine::Read(uint8_t &byte)
{
    char c = 0;
    DWORD got = 0;
    if (!ReadFile(m_handle, &c, 1, &got, nullptr)) {
        m_lastError = GetLastError();
        NoteGone();
        return false;
    }
    if (got != 1) return false;
    byte = static_cast<uint8_t>(c);
    return true;
}

bool SerialLine::Write(uint8_t byte, const std::function<bool()> &stopping)
{
    const char c = static_cast<char>(byte);
    for (;;) {
        DWORD written = 0;
        const bool ok = WriteFile(m_handle, &c, 1, &written, nullptr);
        if (ok && written == 1) return true;
        // A write the driver did not take within the slice is tried again until the writer stops.
        if (ok && !stopping()) continue;
        m_lastError = ok ? static_cast<DWORD>(ERROR_TIMEOUT) : GetLastError();
        m_errorText = SystemText(m_lastError);
        if (!ok) NoteGone();
        if (IsOpen()) PurgeComm(m_handle, PURGE_TXABORT | PURGE_TXCLEAR);
        return false;
    }
}

void SerialLine::NoteGone()
{
    // The driver of a removed device refuses to report the line's state.
    DWORD errors = 0;
    if (ClearCommError(m_handle, &errors, nullptr)) return;
    Close();
    m_gone = true;
}

#else

SerialLine::SerialLine() = default;

SerialLine::~SerialLine() { Close(); }

SerialLine::OpenFault SerialLine::Open(const QString &name, int speed)
{
    Close();
    m_gone = false;
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(name);
    const bool ok = port->open(QIODevice::ReadWrite) && port->setBaudRate(speed) &&
                    port->setDataBits(QSerialPort::Data8) && port->setParity(QSerialPort::NoParity) &&
                    port->setStopBits(QSerialPort::OneStop) && port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        m_errorText = PortWording(port->errorString());
        const bool refused = port->error() == QSerialPort::PermissionError;
        port->close();
        return refused ? OpenFault::Refused : OpenFault::Other;
    }
    // The modem lines are held inactive; a pseudo-terminal has none and refuses, which is harmless.
    port->setDataTerminalReady(false);
    port->setRequestToSend(false);
    port->clearError();
    m_port = std::move(port);
    return OpenFault::None;
}

void SerialLine::Close()
{
    if (!m_port) return;
    m_port->close();
    m_port.reset();
}

bool SerialLine::IsOpen() const { return m_port && m_port->isOpen(); }

bool SerialLine::Read(uint8_t &byte)
{
    char c = 0;
    if ((m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(0)) || m_port->read(&c, 1) != 1) {
        NoteGone();
        return false;
    }
    byte = static_cast<uint8_t>(c);
    return true;
}

bool SerialLine::Write(uint8_t byte, const std::function<bool()> &stopping)
{
    const char c = static_cast<char>(byte);
    if (m_port->write(&c, 1) != 1) {
        m_errorText = PortWording(m_port->errorString());
        NoteGone();
        return false;
    }
    // A write waits until the byte has gone, but never past a request to stop.
    while (m_port->bytesToWrite() > 0) {
        if (m_port->waitForBytesWritten(WriteWaitSliceMs)) continue;
        if (m_port->error() != QSerialPort::TimeoutError || stopping()) {
            m_errorText = PortWording(m_port->errorString());
            NoteGone();
            if (!m_port->isOpen()) return false;
            m_port->clear(QSerialPort::Output);
            m_port->clearError();
            return false;
        }
    }
    return true;
}

void SerialLine::NoteGone()
{
    const QSerialPort::SerialPortError error = m_port->error();
    const bool gone = error == QSerialPort::ResourceError ||
                      ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) && LineHungUp(*m_port));
    if (!gone) return;
    m_port->close();
    m_gone = true;
}

#endif
