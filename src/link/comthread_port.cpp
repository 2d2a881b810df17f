// The link worker's port access: opening and configuring the port, single-byte reads and
// writes, waiting for a byte or a line, discarding input. Every byte is reported to the log.
#include "link/comthread.h"

#include "app/ticks.h"
#include "link/linkmessage.h"
#include "link/serialdevicemap.h"

#include <QSerialPort>

namespace {
// How long one wait for the driver to take a written byte lasts before the worker checks whether
// it is being stopped.
constexpr int WriteWaitSliceMs = 50;
// A line longer than this without CR LF is no identification line: a babbling device must not
// grow the text without bound.
constexpr int LongestLine = 256;

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

    auto port = std::make_unique<QSerialPort>();
    port->setPortName(name);
    const bool ok = port->open(QIODevice::ReadWrite) && port->setBaudRate(speed) &&
                    port->setDataBits(QSerialPort::Data8) && port->setParity(QSerialPort::NoParity) &&
                    port->setStopBits(QSerialPort::OneStop) && port->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        const QString text = PortWording(port->errorString());
        port->close();
        throw PortError{text};
    }
    // The modem lines are held inactive; a pseudo-terminal has none and refuses, which is harmless.
    port->setDataTerminalReady(false);
    port->setRequestToSend(false);
    port->clearError();
    m_port = std::move(port);
    return true;
}

void TCOMThread::ConnectPort()
{
    try {
        OpenPort(LinkBaudRate, m_device.isEmpty() ? SerialDeviceMap::DeviceFor(m_portNumber) : m_device);
        m_state = LinkState::WaitingForLink;
        m_firstConnect = true;
        m_statusText = QStringLiteral("Waiting For Link On COM%1").arg(m_portNumber);
    } catch (const PortError &error) {
        m_state = LinkState::Stopped;
        m_statusText = QStringLiteral("COM Port Fail: ") + error.message;
    }
}

void TCOMThread::ClosePort()
{
    if (!m_port) return;
    m_port->close();
    m_port.reset();
}

void TCOMThread::ResetLink()
{
    m_upgradeRequested = false;
    m_applicationStartPending = false;
    m_firmwareFileName.clear();
    SetStatus(QStringLiteral("Not Connected"), LinkColor::Red);
    m_progress = 0;
    ClosePort();
    ConnectPort();
    FlushInput();
}

bool TCOMThread::ReadByte(uint8_t &byte)
{
    if (!m_port || !m_port->isOpen()) return false;
    if (m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(0)) return false;
    char c = 0;
    if (m_port->read(&c, 1) != 1) return false;
    byte = static_cast<uint8_t>(c);
    PostMessage(LinkCode::ByteReceived, byte);
    m_lastReceive = TickCount();
    return true;
}

bool TCOMThread::WriteByte(uint8_t byte)
{
    if (!m_port || !m_port->isOpen()) return false;
    const char c = static_cast<char>(byte);
    if (m_port->write(&c, 1) != 1) return false;
    // A write waits until the byte has gone, but never past a request to stop the worker.
    while (m_port->bytesToWrite() > 0) {
        if (m_port->waitForBytesWritten(WriteWaitSliceMs)) continue;
        if (m_port->error() != QSerialPort::TimeoutError || isInterruptionRequested()) {
            m_port->clear(QSerialPort::Output);
            m_port->clearError();
            return false;
        }
    }
    PostMessage(LinkCode::ByteSent, byte);
    m_lastSend = TickCount();
    return true;
}

bool TCOMThread::WaitByte(uint8_t &byte)
{
    const uint32_t start = TickCount();
    for (;;) {
        if (ReadByte(byte)) return true;
        if (TicksSince(start) >= LinkTime::WaitByteMs) return false;
        msleep(LinkTime::WaitBytePollMs);
    }
}

bool TCOMThread::ReadLine(QByteArray &line)
{
    line.clear();
    uint32_t lastByte = TickCount();
    for (;;) {
        uint8_t byte = 0;
        while (ReadByte(byte)) {
            line.append(static_cast<char>(byte));
            lastByte = TickCount();
            if (line.size() >= 2 && line.contains("\r\n")) return true;
            if (line.size() > LongestLine) return false;
        }
        if (TicksSince(lastByte) > LinkTime::ReadLineSilenceMs || isInterruptionRequested()) return false;
        msleep(LinkTime::ReadLinePollMs);
    }
}

void TCOMThread::FlushInput()
{
    uint8_t byte = 0;
    while (ReadByte(byte)) {
    }
}
