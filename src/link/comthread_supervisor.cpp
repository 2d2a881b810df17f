// The link supervisor's states outside the image transfer: waiting for the controller,
// identification, the bootloader hook, the connected state with its requests and keep-alive,
// and the restart request.
#include "link/comthread.h"

#include "app/calimage.h"
#include "link/linkmessage.h"
#include "link/productcodes.h"
#include "link/serialdevicemap.h"

namespace {
const char *const NoFirmwareHooked = "This system has no firmware, please select firmware now.";
const char *const NoFirmwareSilent = "This system has no firmware. \r\nPress OK, then cycle power and select firmware.";
const char *const BootHookFailed = "Boot Hook Failed!";
}  // namespace

void TCOMThread::StepWaitingForLink()
{
    uint8_t byte = 0;
    if (ReadByte(byte)) {
        if (FindProductCode(byte)) {
            TakeProductCode(byte);
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
                Box(QString::fromLatin1(NoFirmwareHooked));
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
    if (m_applicationStartPending) {
        if (SinceLinkTimer() > LinkTime::ApplicationStartMs) {
            Box(QString::fromLatin1(NoFirmwareSilent));
            m_upgradeRequested = true;
            m_applicationStartPending = false;
        }
    } else if (SinceLinkTimer() > LinkTime::LinkLostMs && !m_bootloaderDeclined) {
        SetStatus(QStringLiteral("Waiting For Link On ") + PortName(), LinkColor::Blue);
    }
}

void TCOMThread::TakeProductCode(uint8_t letter)
{
    const ProductCodeEntry *product = FindProductCode(letter);
    m_applicationStartPending = false;
    m_bootloaderDeclined = false;   // an application answers: its bootloader is hooked when asked for
    // Unheard, the acknowledgement would leave the controller announcing itself: not connected.
    if (!Send(Wire::Acknowledge)) return;
    m_lastAcknowledge = Now();
    SetStatus(QString::fromLatin1(product->banner), LinkColor::Green);
    m_transferLength = TransferLength;
    ProductCode = product->stored;
    m_announcedLetter = letter;
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
            m_applicationStartPending = true;
            ResetLinkTimer();
            m_state = LinkState::WaitingForLink;
        }
        return;
    }
    if (SinceLinkTimer() > LinkTime::BootReadyMs) {
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
    SetStatus(QString::fromLatin1(line).trimmed(), LinkColor::Green);
    m_state = LinkState::FirmwareInstall;
    SyncStatus();
    IdentifyDevice(line);
}

void TCOMThread::StepFirmwareInstall() { RunFirmwareJob(); }

void TCOMThread::StepConnected()
{
    switch (m_requestByte) {
    case Request::None:
        if (SinceLinkTimer() > LinkTime::KeepAliveMs) {
            FlushInput();
            if (!Send(Wire::Attention)) return;
            ResetLinkTimer();
            m_state = LinkState::WaitingForLink;
        }
        break;
    case Request::SendCalibration: StartTransfer(LinkState::SendingImage); break;
    case Request::GetCalibration: StartTransfer(LinkState::ReceivingImage); break;
    case Request::Restart:
        m_requestByte = Request::None;
        FlushInput();
        if (!Send(Wire::Attention)) return;
        ResetLinkTimer();
        m_state = LinkState::RestartPending;
        break;
    case Request::Upgrade: {
        // The upgrade probe: the application must answer, then it is restarted into its bootloader.
        m_requestByte = Request::None;
        FlushInput();
        if (!Send(Wire::Attention)) return;
        uint8_t byte = 0;
        if (WaitByte(byte) && FindProductCode(byte)) {
            if (!Send(Wire::Restart)) return;
            m_upgradeRequested = true;
            m_state = LinkState::WaitingForLink;
        } else {
            m_state = LinkState::RestartPending;
        }
        ResetLinkTimer();
        break;
    }
    default:
        // A live command: the pair goes out at every pass until the user interface changes it.
        if (!Send(m_requestByte) || !Send(m_requestValue)) return;
        m_requestSent = true;
        ResetLinkTimer();
        break;
    }
}

void TCOMThread::LosePort()
{
    // Whatever the pass was doing has ended with the line; nothing resumes on its own.
    m_deviceGone = false;
    ClosePort();
    m_requestByte = Request::None;
    m_progress = 0;
    SetStatus(QStringLiteral("Device Removed From ") + PortName(), LinkColor::Red);
    ResetLinkTimer();
    m_state = LinkState::PortLost;
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
