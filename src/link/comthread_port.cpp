// The link worker's port access: opening and configuring the port, single-byte reads and
// writes, waiting for a byte or a line, discarding input. Every byte is reported to the log.
#include "link/comthread.h"

#include "link/linkmessage.h"
#include "link/serialdevicemap.h"

#include <QSerialPort>

#ifndef Q_OS_WIN
#include <poll.h>
#endif

namespace {
// How long one wait for the driver to take a written byte lasts before the worker checks whether
// it is being stopped.
constexpr int WriteWaitSliceMs = 50;
// A line longer than this without CR LF is no identification line: a babbling device must not
// grow the text without bound.
constexpr int LongestLine = 256;

// A device that went away while open (an adapter pulled out, the far end of a pseudo-terminal
// closed) leaves its line hung up. The toolkit may report that as a plain read or write error
// rather than as its resource error, so the line itself is asked.
bool LineHungUp(QSerialPort &port)
{
#ifdef Q_OS_WIN
    Q_UNUSED(port);
    return false;
#else
    pollfd line{static_cast<int>(port.handle()), POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#endif
}

QString PortWording(QString systemText)
{
    systemText.replace(QStringLiteral("file"), QStringLiteral("port"));
    systemText.replace(QStringLiteral("File"), QStringLiteral("Port"));
    return systemText;
}
}  // namespace

bool TCOMThread::OpenPort(int speed, const QString &name)
{
    if (speed != LinkBaudRate) throw PortError{QStringLiteral("Illegal baud rate <%1>.").arg(speed)};
    if (name.isEmpty()) throw PortError{QStringLiteral("Illegal com port name!")};
    OpenDevice(name, speed);
    return true;
}

void TCOMThread::OpenDevice(const QString &name, int speed)
{
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(name);
    const bool ok = port->open(QIODevice::ReadWrite) && port->setBaudRate(speed) &&
                    port->setDataBits(QSerialPort::Data8) && port->setParity(QSerialPort::NoParity) &&
                    port->setStopBits(QSerialPort::OneStop) && port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        QString text = PortWording(port->errorString());
        if (port->error() == QSerialPort::PermissionError) {
            // Refused without a lack of permission: the device is locked or held open elsewhere.
            const QString advice = SerialDeviceMap::PermissionAdvice(name);
            text = advice.isEmpty() ? SerialDeviceMap::InUseText(m_portNumber, name) : advice;
        }
        port->close();
        throw PortError{text};
    }
    // The modem lines are held inactive; a pseudo-terminal has none and refuses, which is harmless.
    port->setDataTerminalReady(false);
    port->setRequestToSend(false);
    port->clearError();
    m_port = std::move(port);
}

void TCOMThread::ConnectPort()
{
    try {
        const QString device = m_device.isEmpty() ? SerialDeviceMap::DeviceFor(m_portNumber) : m_device;
        if (device.isEmpty()) throw PortError{SerialDeviceMap::UnmappedText(m_portNumber)};
        OpenPort(LinkBaudRate, device);
        m_state = LinkState::WaitingForLink;
        m_firstConnect = true;
        m_statusText = QStringLiteral("Waiting For Link On COM%1").arg(m_portNumber);
    } catch (const PortError &error) {
        m_state = LinkState::Stopped;
        m_statusText = QStringLiteral("COM Port Fail: ") + error.message;
    }
}

void TCOMThread::ClosePort() { CloseDevice(); }

void TCOMThread::CloseDevice()
{
    if (!m_port) return;
    m_port->close();
    m_port.reset();
}

void TCOMThread::ResetLink()
{
    m_upgradeRequested = false;
    m_applicationStartPending = false;
    m_bootloaderDeclined = false;
    m_firmwareFileName.clear();
    SetStatus(QStringLiteral("Not Connected"), LinkColor::Red);
    m_progress = 0;
    ClosePort();
    ConnectPort();
    FlushInput();
}

void TCOMThread::NoteDeviceGone()
{
    const QSerialPort::SerialPortError error = m_port->error();
    const bool gone = error == QSerialPort::ResourceError ||
                      ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) && LineHungUp(*m_port));
    if (!gone) return;
    m_port->close();
    m_deviceGone = true;
}

bool TCOMThread::ReadByte(uint8_t &byte)
{
    if (!ReadDevice(byte)) return false;
    PostMessage(LinkCode::ByteReceived, byte);
    m_lastReceive = Now();
    return true;
}

bool TCOMThread::ReadDevice(uint8_t &byte)
{
    if (!m_port || !m_port->isOpen()) return false;
    char c = 0;
    if ((m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(0)) || m_port->read(&c, 1) != 1) {
        NoteDeviceGone();
        return false;
    }
    byte = static_cast<uint8_t>(c);
    return true;
}

bool TCOMThread::WriteByte(uint8_t byte)
{
    if (!WriteDevice(byte)) return false;
    PostMessage(LinkCode::ByteSent, byte);
    m_lastSend = Now();
    return true;
}

bool TCOMThread::WriteDevice(uint8_t byte)
{
    if (!m_port || !m_port->isOpen()) {
        m_writeError = QStringLiteral("the port is not open");
        return false;
    }
    const char c = static_cast<char>(byte);
    if (m_port->write(&c, 1) != 1) {
        m_writeError = PortWording(m_port->errorString());
        NoteDeviceGone();
        return false;
    }
    // A write waits until the byte has gone, but never past a request to stop the worker.
    while (m_port->bytesToWrite() > 0) {
        if (m_port->waitForBytesWritten(WriteWaitSliceMs)) continue;
        if (m_port->error() != QSerialPort::TimeoutError || isInterruptionRequested()) {
            m_writeError = PortWording(m_port->errorString());
            NoteDeviceGone();
            if (!m_port->isOpen()) return false;
            m_port->clear(QSerialPort::Output);
            m_port->clearError();
            return false;
        }
    }
    return true;
}

bool TCOMThread::WaitByte(uint8_t &byte)
{
    const uint32_t start = Now();
    for (;;) {
        if (ReadByte(byte)) return true;
        if (Now() - start >= LinkTime::WaitByteMs) return false;
        Pause(LinkTime::WaitBytePollMs);
    }
}

bool TCOMThread::ReadLine(QByteArray &line)
{
    line.clear();
    uint32_t lastByte = Now();
    for (;;) {
        uint8_t byte = 0;
        while (ReadByte(byte)) {
            line.append(static_cast<char>(byte));
            lastByte = Now();
            if (line.size() >= 2 && line.contains("\r\n")) return true;
            if (line.size() > LongestLine) return false;
        }
        if (Now() - lastByte > LinkTime::ReadLineSilenceMs || isInterruptionRequested()) return false;
        Pause(LinkTime::ReadLinePollMs);
    }
}

void TCOMThread::FlushInput()
{
    uint8_t byte = 0;
    while (ReadByte(byte)) {
    }
}
