// The link worker's frame: construction, the supervisor loop, the link lock, requests from the
// user interface and the hand-overs to it.
#include "link/comthread.h"

#include "app/ticks.h"
#include "link/hex/flashimage.h"
#include "link/linkmessage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>
#include <QSerialPort>

#include <atomic>

namespace {
std::atomic<int> nextWorkerId{1};
// How long the freeing UI thread waits for the worker between two turns of its event queue.
constexpr int DestroyPollMs = 5;
}  // namespace

TCOMThread::TCOMThread(LinkHost &owner, int port, QString device)
    : m_owner(owner), m_context(owner.LinkContext()), m_hostId(owner.LinkHostId()), m_workerId(nextWorkerId++), m_portNumber(port),
      m_device(std::move(device)), m_downloadOnConnect(owner.DownloadOnFirstConnect()), m_statusText(QStringLiteral("Not Connected")),
      m_bootloader(*this, *this, ProcessFlashImage())
{
    start();
}

TCOMThread::~TCOMThread()
{
    requestInterruption();
    // The thread may be waiting for a hand-over (a status refresh, a message box): keep serving
    // the UI event queue until it has left its loop and closed the port.
    while (!wait(QDeadlineTimer(DestroyPollMs)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TCOMThread::run()
{
    while (!isInterruptionRequested()) {
        {
            std::unique_lock<std::mutex> pass(m_lock);
            m_pass = &pass;
            Step();
            m_pass = nullptr;
        }
        msleep(LinkTime::PassSleepMs);
        if (TicksSince(m_lastStatusRefresh) > LinkTime::StatusRefreshMs) {
            SyncStatus();
            m_lastStatusRefresh = TickCount();
        }
    }
    ClosePort();
}

void TCOMThread::Step()
{
    switch (m_state) {
    case LinkState::Start: ResetLink(); break;
    case LinkState::Stopped: break;
    case LinkState::WaitingForLink: StepWaitingForLink(); break;
    case LinkState::BootHook: StepBootHook(); break;
    case LinkState::BootIdentify: StepBootIdentify(); break;
    case LinkState::FirmwareInstall: StepFirmwareInstall(); break;
    case LinkState::Connected: StepConnected(); break;
    case LinkState::SendingImage: StepSendingImage(); break;
    case LinkState::ReceivingImage: StepReceivingImage(); break;
    case LinkState::RestartPending: StepRestartPending(); break;
    default: break;
    }
}

bool TCOMThread::SetRequest(uint8_t code, uint8_t value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_state != LinkState::Connected) return false;
    m_requestByte = code;
    m_requestValue = value;
    return true;
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
    QMetaObject::invokeMethod(
        m_context.data(),
        [this, &call] {
            m_handOverRunning = true;
            call();
            m_handOverRunning = false;
        },
        Qt::BlockingQueuedConnection);
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
    status.rxLamp = TicksSince(m_lastReceive) < LinkTime::LampRecentMs;
    status.txLamp = TicksSince(m_lastSend) < LinkTime::LampRecentMs;
    RunOnUi([this, &status] { m_owner.SyncStatus(status); });
}

void TCOMThread::ShowError()
{
    const QString text = m_messageBoxText;
    RunOnUi([this, &text] { m_owner.ShowError(text); });
}

void TCOMThread::ShowInfo()
{
    const QString text = m_messageBoxText;
    RunOnUi([this, &text] { m_owner.ShowInfo(text); });
}

void TCOMThread::SetStatus(const QString &text, uint32_t colour)
{
    m_statusText = text;
    m_statusColour = colour;
}

void TCOMThread::PostMessage(int code, int value) { PostLinkMessage(m_hostId, m_workerId, code, value); }

uint32_t TCOMThread::SinceLinkTimer() const { return TicksSince(m_linkTimer); }

void TCOMThread::ResetLinkTimer() { m_linkTimer = TickCount(); }
