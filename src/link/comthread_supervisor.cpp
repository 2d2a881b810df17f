// The link supervisor's states outside the image transfer: waiting for the controller,
// identification, the bootloader hook, the connected state with its requests and keep-alive,
// and the restart request.
#include "link/comthread.h"

#include "core/calimage.h"
#include "link/linkmessage.h"
#include "link/portline.h"
#include "core/variants.h"
#include "link/serialdevicemap.h"

#include <algorithm>

namespace {
const char *const NoFirmwareHooked = "This system has no firmware, please select firmware now.";
const char *const NoFirmwareSilent = "This system has no firmware. \r\nPress OK, then cycle power and select firmware.";
const char *const BootHookFailed = "Boot Hook Failed!";
const char *const DeafController = "controller on %1 does not answer: check the cable";
}  // namespace

void TCOMThread::StepWaitingForLink()
{
    uint8_t byte = 0;
    if (ReadByte(byte)) {
        if (VariantOfLetter(byte)) {
            if (AcknowledgeWanted()) {
                TakeProductCode(byte);
            } else {
                // The front end has nothing more for it: the controller is left announcing, as
                // it was found. Its application did start.
                m_applicationStartPending = false;
            }
        } else if (byte == Wire::BootAnnounce && !LeftAnnouncing()) {
            if (!Send(Wire::HookBoot)) return;
            // The bootloader's '?' is given its time from the hook on. Counted from an earlier
            // reset (at power-up, the start of the worker), the hook would hold only if the '?'
            // were already waiting at the very next pass, and any delay of the line or of this
            // machine would leave the controller sitting in its bootloader.
            ResetLinkTimer();
            m_state = LinkState::BootHook;
            if (m_applicationStartPending) {
                // The bootloader came back instead of the application: there is none to start.
                m_upgradeRequested = true;
                ShowError(QString::fromLatin1(NoFirmwareHooked));
                m_applicationStartPending = false;
            }
        } else {
            // A letter that names no product, heard twice running, is a controller this tool
            // does not know rather than noise on the line: it is kept so that a failure can name it.
            const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
            if (letter && byte == m_strayByte) m_unknownLetter = byte;
            m_strayByte = byte;
        }
        return;
    }
    m_transfer.StepReadAgainWait();
    if (m_state != LinkState::WaitingForLink) return;
    if (m_applicationStartPending) {
        if (SinceLinkTimer() > Answer(LinkTime::ApplicationStartMs)) {
            ShowError(QString::fromLatin1(NoFirmwareSilent));
            m_upgradeRequested = true;
            m_applicationStartPending = false;
        }
    } else if (SinceLinkTimer() > Answer(LinkTime::LinkLostMs) && !m_bootloaderDeclined) {
        SetStatus(QStringLiteral("Waiting For Link On ") + PortName(), LinkColor::Blue);
    }
}

void TCOMThread::TakeProductCode(uint8_t letter)
{
    const Variant *product = VariantOfLetter(letter);
    m_applicationStartPending = false;
    m_bootloaderDeclined = false;   // an application answers: its bootloader is hooked when asked for
    // Unheard, the acknowledgement would leave the controller announcing itself: not connected.
    if (!Send(Wire::Acknowledge)) return;
    NoAnswerAwaited();
    m_lastAcknowledge = Now();
    SetStatus(QString::fromLatin1(product->banner), LinkColor::Green);
    ProductCode = product->code;
    m_announcedLetter = letter;
    // A job in doubt goes on with the next read of the image as soon as the controller is back.
    if (m_transfer.ReadAgainPending()) m_requestByte = Request::GetCalibration;
    if (m_firstConnect) {
        if (m_downloadOnConnect) m_requestByte = Request::GetCalibration;
        m_firstConnect = false;
    }
    ResetLinkTimer();
    m_state = LinkState::Connected;
}

void TCOMThread::StepBootHook()
{
    uint8_t byte = 0;
    if (ReadByte(byte) && byte == Wire::BootReady) {
        if (m_upgradeRequested) {
            if (!Send(Wire::Identify)) return;
            m_state = LinkState::BootIdentify;
        } else {
            if (!Send(Wire::Restart)) return;
            NoAnswerAwaited();
            m_applicationStartPending = true;
            ResetLinkTimer();
            m_state = LinkState::WaitingForLink;
        }
        return;
    }
    if (SinceLinkTimer() > Answer(LinkTime::BootReadyMs)) {
        SetStatus(QString::fromLatin1(BootHookFailed), LinkColor::Red);
        m_state = LinkState::Connected;
    }
}

void TCOMThread::StepBootIdentify()
{
    QByteArray line;
    if (!ReadLine(line)) {
        SetStatus(QString::fromLatin1(BootHookFailed), LinkColor::Red);
        m_state = LinkState::Connected;
        return;
    }
    StartFirmwareRun(line);
}

void TCOMThread::StartFirmwareRun(const QByteArray &identificationLine)
{
    SetStatus(QString::fromLatin1(identificationLine).trimmed(), LinkColor::Green);
    m_state = LinkState::FirmwareInstall;
    SyncStatus();
    m_firmware.IdentifyDevice(identificationLine);
}

void TCOMThread::StepConnected()
{
    if (m_probe != Probe::None) return StepProbe();
    switch (m_requestByte) {
    case Request::None:
        // Over a network the keep-alive goes out earlier by the round trip, so that it still
        // reaches the controller within the idle time it allows.
        if (SinceLinkTimer() + std::min(m_roundTrip.Allowance(), LinkTime::KeepAliveMs / 2) > LinkTime::KeepAliveMs) {
            FlushInput();
            if (!Send(Wire::Attention)) return;
            ResetLinkTimer();
            m_state = LinkState::WaitingForLink;
        }
        break;
    case Request::SendCalibration: m_transfer.Start(LinkState::SendingImage); break;
    case Request::GetCalibration: m_transfer.Start(LinkState::ReceivingImage); break;
    case Request::Restart:
        m_requestByte = Request::None;
        FlushInput();
        if (!Send(Wire::Attention)) return;
        ResetLinkTimer();
        m_state = LinkState::RestartPending;
        break;
    case Request::Upgrade:
        // The probe: the application must answer; for an upgrade it is then restarted into its
        // bootloader. Whatever waits now arrived since the line was last read.
        m_requestByte = Request::None;
        FlushInput();
        m_probe = Probe::Quiet;
        ResetLinkTimer();
        StepProbe();
        break;
    default:
        // A live command: the pair goes out at every pass until the user interface changes it.
        m_liveTest.Step(m_requestByte);
        break;
    }
}

void TCOMThread::StepProbe()
{
    uint8_t byte = 0;
    if (m_probe == Probe::Quiet) {
        // Nothing in flight may be taken for the answer: the 0xFF waits until the line has been
        // quiet longer than a controller that does not hear the tool waits between announcements.
        FlushInput();
        const uint32_t quiet = std::min(Now() - m_lastReceive, Now() - m_lastAcknowledge);
        if (quiet >= LinkTime::QuietLineMs) {
            // A refused write ends the probe with the link.
            m_probe = Probe::None;
            if (!Send(Wire::Attention)) return;
            m_probe = Probe::Answer;
            ResetLinkTimer();
        } else if (SinceLinkTimer() > Answer(LinkTime::ProbeQuietLimitMs)) {
            ProbeEnded(false);
        }
        return;
    }
    if (ReadByte(byte) && byte == m_announcedLetter) return ProbeEnded(true);
    if (SinceLinkTimer() > Answer(LinkTime::ProbeAnswerMs)) ProbeEnded(false);
}

void TCOMThread::ProbeEnded(bool answered)
{
    m_probe = Probe::None;
    ResetLinkTimer();
    if (m_probeOnly) {
        // Only the question whether the controller hears: its answer waits for an 'E' that comes
        // only when there is more to do.
        m_probeOnly = false;
        if (!answered) return StopLink(NotHearingText());
        m_probeAnswered = true;
        m_state = LinkState::WaitingForLink;
        return;
    }
    if (!answered) {
        m_state = LinkState::RestartPending;
        return;
    }
    if (!Send(Wire::Restart)) return;
    NoAnswerAwaited();
    m_upgradeRequested = true;
    m_state = LinkState::WaitingForLink;
}

bool TCOMThread::RequestProbe()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_state != LinkState::Connected || m_transfer.ReadAgainPending()) return false;
    m_requestByte = Request::Upgrade;
    m_probeOnly = true;
    m_probeAnswered = false;
    return true;
}

void TCOMThread::LosePort()
{
    // Whatever the pass was doing has ended with the line; nothing resumes on its own.
    if (m_port && m_port->OverNetwork()) return LoseConnection();
    m_deviceGone = false;
    ClosePort();
    m_requestByte = Request::None;
    m_probe = Probe::None;
    m_transfer.Abandon();
    m_progress = 0;
    SetStatus(QStringLiteral("Device Removed From ") + PortName(), LinkColor::Red);
    ResetLinkTimer();
    m_state = LinkState::PortLost;
}

void TCOMThread::LoseConnection()
{
    m_deviceGone = false;
    const QString why = m_port->ErrorText();
    ClosePort();
    m_requestByte = Request::None;
    m_probe = Probe::None;
    // A failure this pass already recorded (a refused echo) keeps its words.
    if (m_state == LinkState::Stopped) return;
    if (m_state == LinkState::SendingImage || m_state == LinkState::ReceivingImage) return m_transfer.Failed(why);
    m_transfer.Abandon();
    m_progress = 0;
    StopLink(why.left(1).toUpper() + why.mid(1));
}

void TCOMThread::StepPortLost()
{
    if (SinceLinkTimer() < LinkTime::PortReturnPollMs) return;
    ResetLinkTimer();
    // Back under its name: the link starts afresh on it, and identifies and downloads as after
    // any connection.
    if (SerialDeviceMap::DevicePresent(Device())) ResetLink();
}

void TCOMThread::StepRestartPending()
{
    if (SinceLinkTimer() > LinkTime::RestartRepeatMs) {
        PostMessage(LinkCode::ReplaceWorker, 0);
        ResetLinkTimer();
    }
}

QString TCOMThread::NotHearingText() const { return QString::fromLatin1(DeafController).arg(PortName()); }

bool TCOMThread::AcknowledgeWanted() const { return m_transfer.ReadAgainPending() || m_owner.WorkLeft(); }
