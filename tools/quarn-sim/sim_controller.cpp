#include "sim_controller.h"

#include "sim_peer.h"

#include "core/conversions.h"
#include "core/image_defaults.h"
#include "core/ticks.h"
#include "link/linkprotocol.h"
#include "core/variants.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

// One byte at 9600 baud, 8N1: ten bits.
constexpr int64_t ByteTimeUs = 10'000'000 / LinkBaudRate;
constexpr int PollMs = 1;
// A turn of the engine counts for at most this long on the controller's timer (see AdvanceTimer).
constexpr int64_t LongestTurnUs = 50'000;
// The application comes up this long after the bootloader starts it.
constexpr int ApplicationStartDelayMs = 100;
// The bootloader announces itself this long after a restart.
constexpr int RestartDelayMs = 50;
// A bootloader without an application repeats its 'B' this often until hooked.
constexpr uint32_t BootRepeatMs = 1000;
// Without a byte from the tool for this long the application counts the link as lost and
// announces itself again.
constexpr uint32_t LinkLostMs = 3000;
// A transfer with no byte from the tool for this long is abandoned, so that a tool that gave up
// or was replaced finds the controller announcing itself again. Far longer than any gap the tool
// may leave: a tool held up by its machine must find the transfer still waiting, or it would take
// the announcements that follow for image bytes.
constexpr uint32_t TransferAbandonMs = 5000;
// A live command counts as ended when its pairs stop for this long.
constexpr uint32_t LiveEndMs = 100;
// The record of the line keeps at most this many bytes.
constexpr size_t MaxWireRecord = 1'000'000;
// The delay of the right echo after a wrong one.
constexpr int RightEchoDelayMs = 30;

QString ByteText(uint8_t byte)
{
    if (byte >= 0x21 && byte <= 0x7E) return QStringLiteral("'%1' (0x%2)").arg(QChar(byte)).arg(byte, 2, 16, QLatin1Char('0'));
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

}  // namespace

SimController::SimController(SimOptions options) : m_options(std::move(options)) {}

SimController::~SimController() { Stop(); }

void SimController::SetBootloaderPeer(BootloaderPeer *peer) { m_peer = peer; }

void SimController::SetLogSink(std::function<void(const QString &)> sink) { m_logSink = std::move(sink); }

SimOptions SimController::Options() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_options;
}

void SimController::UpdateOptions(const std::function<void(SimOptions &)> &change)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    change(m_options);
}

bool SimController::Start(QString &error)
{
    if (!LoadImageFile(error)) return false;
    if (!m_pty.Open(error)) return false;
    if (!m_peer) {
        m_ownPeer = MakeBootloaderPeer(m_options);
        m_peer = m_ownPeer.get();
    }
    m_started = Clock::now();
    m_lastTurnUs = 0;
    m_timerUs = 0;
    m_stop = false;
    PowerUp();
    m_thread = std::thread([this] { Run(); });
    return true;
}

void SimController::PowerCycle(std::function<void(SimOptions &)> change)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_powerCycleChange = std::move(change);
    m_powerCycle = true;
}

void SimController::PowerUp()
{
    // Power-up goes through the bootloader, which waits briefly for its hook.
    m_output.clear();
    m_lineFreeUs = 0;
    m_transferHalted = false;
    if (Options().fastStart && m_peer->HasFirmware())
        StartApplication();
    else
        EnterBootloader("power-up");
}

void SimController::Stop()
{
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    m_pty.Close();
}

bool SimController::LoadImageFile(QString &error)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    SetImageDefaultBytes(m_image.data());
    if (m_options.imageFile.isEmpty()) return true;
    QFile file(m_options.imageFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(m_options.imageFile, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != CalImageSize) {
        error = QStringLiteral("%1: not a calibration image (%2 bytes, not %3)")
                    .arg(m_options.imageFile)
                    .arg(bytes.size())
                    .arg(CalImageSize);
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), m_image.begin());
    return true;
}

void SimController::SaveUploadedImage()
{
    const QString fileName = Options().saveImageFile;
    if (fileName.isEmpty()) return;
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(reinterpret_cast<const char *>(m_incoming.data()), CalImageSize) == CalImageSize)
        Log(QStringLiteral("image written to %1").arg(fileName));
    else
        Log(QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()));
}

// --- The engine thread ----------------------------------------------------------------------

void SimController::Run()
{
    Log(QStringLiteral("controller '%1' on %2").arg(QChar(Options().product)).arg(DevicePath()));
    while (!m_stop) {
        AdvanceTimer();
        if (m_powerCycle.exchange(false)) {
            {
                std::lock_guard<std::mutex> guard(m_mutex);
                if (m_powerCycleChange) m_powerCycleChange(m_options);
                m_powerCycleChange = nullptr;
            }
            PowerUp();
        }
        FlushDueOutput();
        HearWaiting(PollMs);
        HandleDueInput();
        // A byte the tool has sent counts before a time limit: this thread may have been held up
        // while the byte waited, which on a serial line it would long since have arrived.
        HearWaiting(0);
        if (m_input.empty()) OnTimers();
    }
}

void SimController::HandleByte(uint8_t byte)
{
    if (Options().silent) {
        Log(QStringLiteral("tool > %1 (silent: no answer)").arg(ByteText(byte)));
        return;
    }
    // The wire from the tool is broken: nothing arrives, the controller goes on announcing.
    if (Options().deaf) return;
    switch (m_mode) {
    case Mode::Application: HandleApplicationByte(byte); break;
    case Mode::Upload: HandleUploadByte(byte); break;
    case Mode::Download: HandleDownloadByte(byte); break;
    case Mode::BootHook:
    case Mode::BootOrder:
    case Mode::BootPeer: HandleBootByte(byte); break;
    }
}

void SimController::HandleApplicationByte(uint8_t byte)
{
    if (m_liveCode >= 0) {
        // The level of a live command pair.
        const int code = m_liveCode;
        m_liveCode = -1;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            ++m_livePairs;
        }
        if (code != m_activeOutput || byte != m_activeLevel) {
            if (m_activeOutput >= 0 && code != m_activeOutput) EndLiveCommand();
            Log(QStringLiteral("live: output %1 driven at %2 (%3)").arg(code).arg(byte).arg(TrimVoltsText(byte)));
            m_activeOutput = code;
            m_activeLevel = byte;
        }
        ++m_activePairs;
        m_lastPairMs = NowMs();
        return;
    }
    switch (byte) {
    case Wire::Attention:
        Log(QStringLiteral("tool > 0xff attention"));
        Announce();
        return;
    case Wire::Acknowledge:
        if (!m_connected) Log(QStringLiteral("tool > 'E': connected"));
        m_connected = true;
        m_announcing = false;
        return;
    case Wire::SendImage:
        Log(QStringLiteral("tool > 'H': upload starts, answering 'I'"));
        m_announcing = false;
        m_mode = Mode::Upload;
        m_transferIndex = 0;
        m_transferHalted = false;
        Send(Wire::ImageReady);
        return;
    case Wire::GetImage: {
        Log(QStringLiteral("tool > 'F': download starts"));
        m_announcing = false;
        m_mode = Mode::Download;
        m_transferIndex = 0;
        m_transferHalted = false;
        SendNextDownloadByte();
        return;
    }
    case Wire::Restart:
        Log(QStringLiteral("tool > 'R': restarting into the bootloader"));
        EnterBootloader("restart");
        return;
    default:
        if (m_connected) {
            m_liveCode = byte;
        } else {
            Log(QStringLiteral("tool > %1 ignored (not connected)").arg(ByteText(byte)));
        }
        return;
    }
}

void SimController::HandleUploadByte(uint8_t byte)
{
    const SimOptions options = Options();
    const int k = m_transferIndex;
    if (m_transferHalted) return;
    if (options.stopAfter >= 0 && k >= options.stopAfter) {
        Log(QStringLiteral("upload: silent after %1 bytes (fault)").arg(k));
        m_transferHalted = true;
        return;
    }
    m_incoming[k] = byte;
    if (options.verbose) Log(QStringLiteral("upload: byte %1 = %2").arg(k).arg(byte));
    if (k == options.wrongEchoAt) {
        const uint8_t wrong = byte ^ 0x5A;
        Log(QStringLiteral("upload: byte %1 echoed wrong as %2 (fault)").arg(k).arg(wrong));
        Send(wrong);
        if (options.wrongEchoOnly) {
            m_transferHalted = true;
            return;
        }
        Send(byte, RightEchoDelayMs);
    } else {
        Send(byte, options.byteDelayMs);
    }
    if (++m_transferIndex == CalImageSize) {
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            m_image = m_incoming;
            ++m_uploads;
        }
        SaveUploadedImage();
        FinishTransfer("upload: 256 bytes taken over");
    }
}

void SimController::HandleDownloadByte(uint8_t byte)
{
    if (m_transferHalted) return;
    // `byte` is the tool's echo of the byte sent before.
    const int k = m_transferIndex - 1;
    const uint8_t sent = Image()[k];
    if (byte != sent)
        Log(QStringLiteral("download: echo of byte %1 is %2, not %3").arg(k).arg(byte).arg(sent));
    else if (Options().verbose)
        Log(QStringLiteral("download: byte %1 = %2 echoed").arg(k).arg(byte));
    if (m_transferIndex == CalImageSize) {
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            ++m_downloads;
        }
        FinishTransfer("download: 256 bytes sent and echoed");
        return;
    }
    SendNextDownloadByte();
}

void SimController::SendNextDownloadByte()
{
    const int stopAfter = Options().stopAfter;
    if (stopAfter >= 0 && m_transferIndex >= stopAfter) {
        Log(QStringLiteral("download: silent after %1 bytes (fault)").arg(m_transferIndex));
        m_transferHalted = true;
        return;
    }
    Send(Image()[m_transferIndex++], Options().byteDelayMs);
}

void SimController::FinishTransfer(const char *what)
{
    Log(QString::fromLatin1(what));
    m_mode = Mode::Application;
    m_connected = false;
    // After every transfer the application announces itself again.
    Announce();
}

void SimController::HandleBootByte(uint8_t byte)
{
    switch (m_mode) {
    case Mode::BootHook:
        if (byte == Wire::HookBoot) {
            Log(QStringLiteral("tool > 'u': bootloader hooked, answering '?'"));
            m_mode = Mode::BootOrder;
            Send(Wire::BootReady);
        } else {
            Log(QStringLiteral("tool > %1 ignored by the bootloader").arg(ByteText(byte)));
        }
        return;
    case Mode::BootOrder:
        if (byte == Wire::Restart) {
            Log(QStringLiteral("tool > 'R': bootloader starts the application"));
            StartApplication();
            return;
        }
        m_mode = Mode::BootPeer;
        [[fallthrough]];
    default: {
        const QByteArray reply = m_peer->Receive(byte);
        if (byte == Wire::Identify && reply.endsWith("\r\n"))
            Log(QStringLiteral("bootloader names its chip: %1").arg(QString::fromLatin1(reply.trimmed())));
        SendBytes(reply);
        if (m_peer->StartApplicationRequested()) {
            Log(QStringLiteral("tool > 'R': bootloader starts the application"));
            StartApplication();
        }
        return;
    }
    }
}

void SimController::EnterBootloader(const char *why)
{
    EndLiveCommand();
    m_liveCode = -1;
    m_connected = false;
    m_announcing = false;
    m_mode = Mode::BootHook;
    m_peer->Reset();
    Log(QStringLiteral("bootloader starts (%1), announcing 'B'").arg(QLatin1String(why)));
    Send(Wire::BootAnnounce, RestartDelayMs);
    m_bootDeadlineMs = NowMs() + RestartDelayMs + uint32_t(Options().bootWaitMs);
}

void SimController::StartApplication()
{
    if (!m_peer->HasFirmware()) {
        Log(QStringLiteral("no application to start"));
        EnterBootloader("no application");
        return;
    }
    Log(QStringLiteral("application starts"));
    m_mode = Mode::Application;
    m_connected = false;
    m_liveCode = -1;
    m_announcing = true;
    m_nextAnnounceMs = NowMs() + ApplicationStartDelayMs;
}

void SimController::Announce()
{
    const SimOptions options = Options();
    const int garbage = options.garbage;
    const char code = options.wrongCode ? options.wrongCode : options.product;
    for (int i = 0; i < garbage; ++i) {
        // Bytes that mean nothing to the tool in any state that waits for a product code.
        uint8_t junk;
        do {
            m_garbageSeed = m_garbageSeed * 1103515245u + 12345u;
            junk = static_cast<uint8_t>(m_garbageSeed >> 16);
        } while (VariantOfLetter(junk) || junk == Wire::BootAnnounce || junk == Wire::BootReady ||
                 junk == Wire::ImageReady);
        Send(junk);
    }
    Log(QStringLiteral("announcing %1%2").arg(ByteText(uint8_t(code)),
                                            garbage ? QStringLiteral(" after %1 garbage bytes").arg(garbage) : QString()));
    Send(static_cast<uint8_t>(code));
    // Repeated until the tool acknowledges (or starts a transfer).
    m_announcing = true;
    m_nextAnnounceMs = NowMs() + uint32_t(options.announceMs);
}

void SimController::EndLiveCommand()
{
    if (m_activeOutput < 0) return;
    Log(QStringLiteral("live: output %1 released after %2 pairs").arg(m_activeOutput).arg(m_activePairs));
    m_activeOutput = -1;
    m_activeLevel = -1;
    m_activePairs = 0;
}

void SimController::OnTimers()
{
    const uint32_t now = NowMs();
    switch (m_mode) {
    case Mode::Application:
        if (m_activeOutput >= 0 && now - m_lastPairMs > LiveEndMs) EndLiveCommand();
        if (m_connected && now - m_lastFromToolMs > LinkLostMs) {
            Log(QStringLiteral("link lost: the tool has been silent"));
            m_connected = false;
            m_announcing = true;
            m_nextAnnounceMs = now;
        }
        if (m_announcing && int32_t(now - m_nextAnnounceMs) >= 0) Announce();
        break;
    case Mode::Upload:
    case Mode::Download:
        if (now - m_lastFromToolMs > TransferAbandonMs) {
            Log(QStringLiteral("transfer abandoned after %1 bytes").arg(m_transferIndex));
            m_mode = Mode::Application;
            m_connected = false;
            m_announcing = true;
            m_nextAnnounceMs = now;
        }
        break;
    case Mode::BootHook:
        if (int32_t(now - m_bootDeadlineMs) >= 0) {
            if (m_peer->HasFirmware()) {
                StartApplication();
            } else {
                Send(Wire::BootAnnounce);
                m_bootDeadlineMs = now + BootRepeatMs;
            }
        }
        break;
    default: break;
    }
}

// --- The line -------------------------------------------------------------------------------

void SimController::Send(uint8_t byte, int delayMs)
{
    const bool pacing = Options().pacing;
    const int64_t now = NowUs() + int64_t(delayMs) * 1000;
    const int64_t start = std::max(now, m_lineFreeUs);
    m_lineFreeUs = pacing ? start + ByteTimeUs : start;
    m_output.push_back({byte, m_lineFreeUs});
}

void SimController::Hear(uint8_t byte)
{
    // A pseudo-terminal delivers the tool's bytes at once; on a serial line each one takes its
    // character time after the one before it, and the controller acts on it only then.
    // The record shows it when it came off the pseudo-terminal, as the tool sent it.
    Record(true, byte);
    const int64_t now = NowUs();
    const int64_t due = Options().pacing ? std::max(now, m_inputFreeUs) + ByteTimeUs : now;
    m_inputFreeUs = due;
    m_input.push_back({byte, due});
}

void SimController::HearWaiting(int waitMs)
{
    pollfd pfd{m_pty.Master(), POLLIN, 0};
    if (::poll(&pfd, 1, waitMs) <= 0 || !(pfd.revents & POLLIN)) return;
    uint8_t bytes[64];
    const ssize_t n = ::read(m_pty.Master(), bytes, sizeof bytes);
    for (ssize_t i = 0; i < n; ++i) Hear(bytes[i]);
}

void SimController::HandleDueInput()
{
    const int64_t now = NowUs();
    while (!m_input.empty() && m_input.front().dueUs <= now) {
        const uint8_t byte = m_input.front().byte;
        m_input.pop_front();
        m_lastFromToolMs = NowMs();
        HandleByte(byte);
    }
}

void SimController::SendBytes(const QByteArray &bytes)
{
    for (char c : bytes) Send(static_cast<uint8_t>(c));
}

void SimController::FlushDueOutput()
{
    const int64_t now = NowUs();
    const bool silent = Options().silent;
    while (!m_output.empty() && m_output.front().dueUs <= now) {
        const uint8_t byte = m_output.front().byte;
        if (silent) {
            m_output.pop_front();
            continue;
        }
        const ssize_t n = ::write(m_pty.Master(), &byte, 1);
        if (n != 1 && errno == EAGAIN) return;  // the line is full: try again at the next turn
        m_output.pop_front();
        if (n == 1) Record(false, byte);
    }
}

void SimController::Record(bool fromTool, uint8_t byte)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_wire.size() < MaxWireRecord) m_wire.push_back({TickCount(), fromTool, byte});
}

void SimController::Log(const QString &line)
{
    if (!m_logSink) return;
    const double seconds = double(NowUs()) / 1e6;
    m_logSink(QStringLiteral("%1  %2").arg(seconds, 9, 'f', 3).arg(line));
}

int64_t SimController::NowUs() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - m_started).count();
}

void SimController::AdvanceTimer()
{
    // The controller's timer runs with its engine. A turn that comes far later than its poll means
    // this machine held every thread up, the tool's as well: that pause counts as one long turn,
    // so it is never taken for the tool's silence and ends no transfer the tool kept up.
    const int64_t now = NowUs();
    m_timerUs += std::min(now - m_lastTurnUs, LongestTurnUs);
    m_lastTurnUs = now;
}

uint32_t SimController::NowMs() const { return static_cast<uint32_t>(m_timerUs / 1000); }

// --- Observers ------------------------------------------------------------------------------

std::vector<WireByte> SimController::WireLog() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_wire;
}

void SimController::ClearWire()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_wire.clear();
}

CalImageBytes SimController::Image() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_image;
}

void SimController::SetImage(const CalImageBytes &image)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    m_image = image;
}

int SimController::UploadsCompleted() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_uploads;
}

int SimController::DownloadsCompleted() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_downloads;
}

int SimController::LivePairs() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_livePairs;
}
