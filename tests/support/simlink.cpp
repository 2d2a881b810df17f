#include "support/simlink.h"

#include "core/ticks.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "link/serialdevicemap.h"

#include <QCoreApplication>
#include <QtTest>

#include <cstdio>

SimOnCom::SimOnCom(int com, SimOptions options) : SimOnCom(com, std::move(options), nullptr) {}

SimOnCom::SimOnCom(int com, SimOptions options, BootloaderPeer &bootloader) : SimOnCom(com, std::move(options), &bootloader) {}

SimOnCom::SimOnCom(int com, SimOptions options, BootloaderPeer *bootloader) : m_com(com)
{
    options.com = com;
    m_sim = std::make_unique<SimController>(options);
    if (bootloader) m_sim->SetBootloaderPeer(bootloader);
    // QUARN_SIM_LOG=1 puts the emulator's own account of the line on standard error, to read a
    // failed run beside the test's messages.
    if (qEnvironmentVariableIntValue("QUARN_SIM_LOG"))
        m_sim->SetLogSink([com](const QString &line) { fprintf(stderr, "COM%d %s\n", com, qPrintable(line)); });
    QString error;
    if (!m_sim->Start(error)) qFatal("emulator: %s", qPrintable(error));
    m_device = m_sim->DevicePath();
    SerialDeviceMap::Register(com, m_device);
}

SimOnCom::~SimOnCom()
{
    kill();
    SerialDeviceMap::Unregister(m_com, m_device);
}

void SimOnCom::kill() { m_sim->Stop(); }

std::vector<WireByte> SimOnCom::toolWire() const
{
    std::vector<WireByte> out;
    for (const WireByte &w : m_sim->WireLog())
        if (w.fromTool) out.push_back(w);
    return out;
}

QByteArray SimOnCom::toolBytes() const
{
    QByteArray out;
    for (const WireByte &w : toolWire()) out.append(static_cast<char>(w.byte));
    return out;
}

void RecordingLinkHost::SyncStatus(const LinkStatus &status)
{
    m_last = status;
    if (m_texts.isEmpty() || m_texts.last() != status.text) m_texts << status.text;
}

void RecordingLinkHost::ShowError(const QString &text) { m_boxes << QStringLiteral("error: ") + text; }
void RecordingLinkHost::ShowInfo(const QString &text) { m_boxes << QStringLiteral("info: ") + text; }

void RecordingLinkHost::ImageToBuffer(uint8_t *buffer) { std::copy(image.begin(), image.end(), buffer); }

void RecordingLinkHost::BufferToImage(const uint8_t *buffer)
{
    std::copy(buffer, buffer + CalImageSize, received.begin());
    ++m_imagesTaken;
}

LinkStatus RecordingLinkHost::lastStatus() const { return m_last; }
QStringList RecordingLinkHost::statusTexts() const { return m_texts; }
QStringList RecordingLinkHost::boxes() const { return m_boxes; }

LinkMessageRecorder::LinkMessageRecorder() { QCoreApplication::instance()->installEventFilter(this); }
LinkMessageRecorder::~LinkMessageRecorder() = default;

bool LinkMessageRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == LinkMessageEvent::EventType()) {
        const auto *m = static_cast<const LinkMessageEvent *>(event);
        messages.push_back({TickCount(), m->code(), m->value()});
    }
    return QObject::eventFilter(watched, event);
}

int LinkMessageRecorder::count(int code) const
{
    int n = 0;
    for (const Message &m : messages) n += m.code == code;
    return n;
}

namespace {
// A code no worker posts.
constexpr int MarkCode = -1;
}  // namespace

void LinkMessageRecorder::Mark()
{
    ++m_marksPosted;
    PostLinkMessage(0, 0, MarkCode, 0);
}

QByteArray LinkMessageRecorder::SentSinceMark() const
{
    QByteArray sent;
    int marksSeen = 0;
    for (const Message &m : messages) {
        if (m.code == MarkCode) {
            sent.clear();
            ++marksSeen;
        } else if (m.code == LinkCode::ByteSent) {
            sent.append(char(m.value));
        }
    }
    return marksSeen == m_marksPosted ? sent : QByteArray();
}

CalImageBytes PatternImage(uint8_t seed)
{
    CalImageBytes image{};
    for (int i = 0; i < CalImageSize; ++i) image[i] = static_cast<uint8_t>(seed + i * 7);
    image[33] = 1;
    return image;
}

bool waitFreshlyConnected(SimOnCom &sim, TCOMThread &worker, int timeoutMs)
{
    constexpr uint32_t FreshMs = 300;
    return QTest::qWaitFor(
        [&] {
            const std::vector<WireByte> wire = sim.toolWire();
            return !wire.empty() && wire.back().byte == 'E' && TicksSince(wire.back().tick) < FreshMs &&
                   worker.LockedState() == LinkState::Connected;
        },
        timeoutMs);
}
