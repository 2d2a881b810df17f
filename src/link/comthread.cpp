// The link worker's frame: construction, the supervisor loop, the link lock, requests from the
// user interface and the hand-overs to it.
#include "link/comthread.h"

#include "core/ticks.h"
#include "link/linkmessage.h"
#include "link/networkport.h"
#include "link/portline.h"
#include "link/timerresolution.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>

#include <atomic>

namespace {
std::atomic<int> nextWorkerId{1};
// How long the freeing UI thread waits for the worker between two turns of its event queue.
constexpr int DestroyPollMs = 5;
}  // namespace

TCOMThread::TCOMThread(LinkHost &owner, int port, QString device) : TCOMThread(owner, port, Unstarted{}, std::move(device)) { start(); }

TCOMThread::TCOMThread(LinkHost &owner, int port, Unstarted, QString device)
    : m_owner(owner), m_context(owner.LinkContext()), m_hostId(owner.LinkHostId()), m_workerId(nextWorkerId++), m_portNumber(port),
      m_device(std::move(device)), m_downloadOnConnect(owner.DownloadOnFirstConnect()),
      m_startApplicationFirst(owner.StartApplicationOnOpen()), m_statusText(QStringLiteral("Not Connected")),
      m_firmware(*this),
      m_bootProbe(owner.FindWaitingBootloader() ? BootProbe::Opened : BootProbe::Off)
{
}

TCOMThread::~TCOMThread() { StopAndWait(); }

void TCOMThread::StopAndWait()
{
    requestInterruption();
    // The thread may be waiting for a hand-over (a status refresh, a message box): keep serving
    // the UI event queue until it has left its loop and closed the port.
    while (!wait(QDeadlineTimer(DestroyPollMs)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TCOMThread::run()
{
    const TimerResolution fineTick;  // the pacing pauses sleep what they ask for, on Windows too
    bool opened = false;
    while (!isInterruptionRequested()) {
        Pass();
        if (!opened && m_startApplicationFirst) StartApplicationFirst();
        opened = true;
        LookForWaitingBootloader();
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_firmware.LeaveOnExit(m_state);
    }
    ClosePort();
}

void TCOMThread::Pass()
{
    {
        std::unique_lock<std::mutex> pass(m_lock);
        m_pass = &pass;
        Step();
        m_pass = nullptr;
    }
    const uint32_t pauseStart = Now();
    Pause(LinkTime::PassSleepMs);
    if (Now() - m_lastStatusRefresh > LinkTime::StatusRefreshMs) {
        SyncStatus();
        m_lastStatusRefresh = Now();
    }
    // The time limits measure the controller's silence, and the worker can judge that only while
    // it watches the line. When this machine held the worker up (a stalled system, a busy window
    // behind the status refresh), the controller's answer may simply not have been read or even
    // sent yet, so that time does not count: the link timer moves on by it.
    const uint32_t away = Now() - pauseStart;
    if (away > LinkTime::PassSleepMs + LinkTime::HeldUpMs) m_linkTimer += away - LinkTime::PassSleepMs;
}

uint32_t TCOMThread::Now() const { return TickCount(); }

void TCOMThread::Pause(uint32_t ms) { msleep(ms); }

void TCOMThread::Step()
{
    switch (m_state) {
    case LinkState::Start: ResetLink(); break;
    case LinkState::Stopped: break;
    case LinkState::WaitingForLink: StepWaitingForLink(); break;
    case LinkState::BootHook: StepBootHook(); break;
    case LinkState::BootIdentify: StepBootIdentify(); break;
    case LinkState::FirmwareInstall: m_firmware.Run(); break;
    case LinkState::Connected: StepConnected(); break;
    case LinkState::SendingImage: m_transfer.StepSending(); break;
    case LinkState::ReceivingImage: m_transfer.StepReceiving(); break;
    case LinkState::RestartPending: StepRestartPending(); break;
    case LinkState::PortLost: StepPortLost(); break;
    default: break;
    }
    if (m_deviceGone) LosePort();
}

bool TCOMThread::SetRequest(uint8_t code, uint8_t value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    // The worker's own next read of an image in doubt goes first.
    if (m_state != LinkState::Connected || m_transfer.ReadAgainPending()) return false;
    m_requestByte = code;
    m_probeOnly = false;
    m_liveTest.Store(value);
    return true;
}

bool TCOMThread::LiveCommandUnsent()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_state == LinkState::Connected && Request::IsLiveCommand(m_requestByte) && m_liveTest.Unsent();
}

uint8_t TCOMThread::LockedState()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_state;
}

void TCOMThread::ClearProgress()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_progress = 0;
}

void TCOMThread::RunOnUi(const std::function<void()> &call)
{
    if (!m_context) return;
    const bool held = m_pass && m_pass->owns_lock();
    if (held) m_pass->unlock();
    const auto handOver = [this, &call] {
        m_handOverRunning = true;
        call();
        m_handOverRunning = false;
    };
    // A worker driven pass by pass on the UI thread itself runs its hand-overs in place: a
    // blocking hand-over to its own thread would never run.
    if (m_context->thread() == QThread::currentThread())
        handOver();
    else
        QMetaObject::invokeMethod(m_context.data(), handOver, Qt::BlockingQueuedConnection);
    if (held) m_pass->lock();
}

void TCOMThread::SyncStatus()
{
    LinkStatus status;
    {
        std::unique_lock<std::mutex> guard(m_lock, std::defer_lock);
        if (!(m_pass && m_pass->owns_lock())) guard.lock();
        status.text = m_statusText;
        status.colour = m_statusColour;
        status.progress = m_progress;
    }
    status.rxLamp = Now() - m_lastReceive < LinkTime::LampRecentMs;
    status.txLamp = Now() - m_lastSend < LinkTime::LampRecentMs;
    RunOnUi([this, &status] { m_owner.SyncStatus(status); });
}

void TCOMThread::ShowError(const QString &text)
{
    RunOnUi([this, &text] { m_owner.ShowError(text); });
}

void TCOMThread::ShowInfo(const QString &text)
{
    RunOnUi([this, &text] { m_owner.ShowInfo(text); });
}

void TCOMThread::SetStatus(const QString &text, uint32_t colour)
{
    m_statusText = text;
    m_statusColour = colour;
}

void TCOMThread::StopLink(const QString &text)
{
    SetStatus(text, LinkColor::Red);
    m_requestByte = Request::None;
    m_state = LinkState::Stopped;
}

bool TCOMThread::Send(uint8_t byte)
{
    if (WriteByte(byte)) return true;
    // A worker being stopped leaves its status to the one that replaces it.
    if (Stopping()) return false;
    if (m_state == LinkState::SendingImage || m_state == LinkState::ReceivingImage) {
        // A connection that closed under the echo names itself; a refused write on a local port
        // is told by the transfer's failure alone.
        m_transfer.Failed(m_deviceGone && m_port && m_port->OverNetwork() ? m_writeError : QString());
    } else {
        const QString why = m_writeError.isEmpty() ? QStringLiteral("the port refused a write") : m_writeError;
        StopLink(QStringLiteral("COM Port Fail: ") + why);
    }
    return false;
}

void TCOMThread::PostMessage(int code, int value) { PostLinkMessage(m_hostId, m_workerId, code, value); }

bool TCOMThread::OverNetwork() const { return IsNetworkPortName(Device()); }

QString TCOMThread::PortName() const
{
    return m_portNumber > 0 ? QStringLiteral("COM%1").arg(m_portNumber) : m_device;
}

uint32_t TCOMThread::SinceLinkTimer() const { return Now() - m_linkTimer; }

void TCOMThread::ResetLinkTimer() { m_linkTimer = Now(); }
