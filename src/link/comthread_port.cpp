// The link worker's port access: opening and configuring the port, single-byte reads and
// writes, waiting for a byte or a line, discarding input. Every byte is reported to the log.
#include "link/comthread.h"

#include "link/linkmessage.h"
#include "link/serialdevicemap.h"
#include "link/networkport.h"
#include "link/portline.h"

#include <cctype>

namespace {
// A line longer than this without CR LF is no identification line: a babbling device must not
// grow the text without bound.
constexpr int LongestLine = 256;
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
    auto port = MakePortLine(name);
    // A server on the network may take seconds to answer or not: the window is not held up
    // meanwhile. Nothing it reaches under the link lock changes while the port opens.
    const bool held = m_pass && m_pass->owns_lock();
    if (held) m_pass->unlock();
    const PortLine::OpenFault fault = port->Open(name, speed);
    if (held) m_pass->lock();
    if (fault == PortLine::OpenFault::None) {
        m_roundTrip.Reset(port->OverNetwork(), port->OpeningRoundTripMs());
        m_answerAwaited = false;
        m_port = std::move(port);
        return;
    }
    // A server's refusal names its own cause.
    if (port->OverNetwork()) throw PortError{port->ErrorText()};
    switch (fault) {
    case PortLine::OpenFault::None: break;
    case PortLine::OpenFault::Refused: {
        // Refused without a lack of permission: the device is locked or held open elsewhere.
        const QString advice = SerialDeviceMap::PermissionAdvice(name);
        throw PortError{advice.isEmpty() ? SerialDeviceMap::InUseText(m_portNumber, name) : advice};
    }
    case PortLine::OpenFault::NoDevice:
        if (m_portNumber > 0) throw PortError{SerialDeviceMap::UnmappedText(m_portNumber)};
        break;
    case PortLine::OpenFault::Other: break;
    }
    throw PortError{port->ErrorText()};
}

void TCOMThread::ConnectPort()
{
    try {
        const QString device = Device();
        if (device.isEmpty()) throw PortError{SerialDeviceMap::UnmappedText(m_portNumber)};
        OpenPort(LinkBaudRate, device);
        m_state = LinkState::WaitingForLink;
        m_firstConnect = true;
        m_statusText = QStringLiteral("Waiting For Link On ") + PortName();
    } catch (const PortError &error) {
        m_state = LinkState::Stopped;
        m_statusText = QStringLiteral("COM Port Fail: ") + error.message;
    }
}

QString TCOMThread::Device() const { return m_device.isEmpty() ? SerialDeviceMap::DeviceFor(m_portNumber) : m_device; }

void TCOMThread::ClosePort() { CloseDevice(); }

void TCOMThread::CloseDevice()
{
    if (!m_port) return;
    m_port->Close();
    m_port.reset();
}

void TCOMThread::ResetLink()
{
    m_upgradeRequested = false;
    m_applicationStartPending = false;
    m_bootloaderDeclined = false;
    SetStatus(QStringLiteral("Not Connected"), LinkColor::Red);
    m_progress = 0;
    ClosePort();
    ConnectPort();
    // Whatever the controller said before the line was opened is stale, at a server too.
    if (m_port) m_port->PurgeInput();
    FlushInput();
}

void TCOMThread::NoteDeviceGone()
{
    if (m_port && m_port->Gone()) m_deviceGone = true;
}

bool TCOMThread::ReadByte(uint8_t &byte)
{
    if (!ReadDevice(byte)) return false;
    PostMessage(LinkCode::ByteReceived, byte);
    m_lastReceive = Now();
    if (m_answerAwaited) m_roundTrip.Sample(m_lastReceive - m_writtenAt);
    m_answerAwaited = false;
    ++m_bytesHeard;
    if (std::isalpha(byte)) ++m_lettersHeard;
    return true;
}

bool TCOMThread::ReadDevice(uint8_t &byte)
{
    if (!m_port || !m_port->IsOpen()) return false;
    if (m_port->Read(byte)) return true;
    NoteDeviceGone();
    return false;
}

bool TCOMThread::WriteByte(uint8_t byte)
{
    if (!WriteDevice(byte)) return false;
    PostMessage(LinkCode::ByteSent, byte);
    m_lastSend = Now();
    m_writtenAt = m_lastSend;
    m_answerAwaited = true;
    return true;
}

bool TCOMThread::WriteDevice(uint8_t byte)
{
    if (!m_port || !m_port->IsOpen()) {
        m_writeError = QStringLiteral("the port is not open");
        return false;
    }
    // A write waits until the driver has taken the byte, but never past a request to stop.
    if (m_port->Write(byte, [this] { return isInterruptionRequested(); })) return true;
    m_writeError = m_port->ErrorText();
    NoteDeviceGone();
    return false;
}

bool TCOMThread::WaitByte(uint8_t &byte)
{
    const uint32_t start = Now();
    for (;;) {
        if (ReadByte(byte)) return true;
        if (Now() - start >= Answer(LinkTime::WaitByteMs)) return false;
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
        if (Now() - lastByte > Answer(LinkTime::ReadLineSilenceMs) || isInterruptionRequested()) return false;
        Pause(LinkTime::ReadLinePollMs);
    }
}

void TCOMThread::FlushInput()
{
    uint8_t byte = 0;
    while (ReadByte(byte)) {
    }
}
