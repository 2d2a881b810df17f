#include "cli/clilink.h"

#include "cli/clihistory.h"

#include "cli/cli.h"
#include "cli/files.h"
#include "cli/interrupt.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "core/variants.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <algorithm>

namespace {
// How often a wait looks at the worker's state: short against a byte's 10 ms pass.
constexpr int PollMs = 2;

QString Seconds(int ms) { return QString::number(ms / 1000.0, 'g', 4) + QStringLiteral(" s"); }
}  // namespace

CliLink::CliLink(Cli &cli, PortChoice port) : m_cli(cli), m_port(std::move(port))
{
    QCoreApplication::instance()->installEventFilter(this);
    CliInterrupt::Catch();
}

CliLink::~CliLink()
{
    // The worker's destructor serves its pending hand-overs until its thread has ended, and lets
    // a controller it holds in its bootloader start its application.
    m_worker.reset();
    // The bytes it posted last are logged before this host stops listening.
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), LinkMessageEvent::EventType());
    m_cli.EndProgress();
    CliInterrupt::Release();
}

uint8_t CliLink::State() const { return m_worker ? m_worker->LockedState() : LinkState::Start; }

bool CliLink::Failed(int status, const QString &text)
{
    // A wait ended by Ctrl+C or SIGTERM says so, whatever else it saw.
    const int signal = CliInterrupt::Caught();
    m_failureStatus = signal ? CliInterrupt::ExitStatus(signal) : status;
    m_failureText = signal ? QStringLiteral("interrupted") : text;
    return false;
}

bool CliLink::WaitFor(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QTimer tick;  // wakes the wait up to look at the worker's state
    tick.start(PollMs);
    for (;;) {
        if (done()) return true;
        if (!m_stoppedText.isEmpty() || m_replaceAsked || deadline.hasExpired() || CliInterrupt::Caught()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

bool CliLink::Connect()
{
    Start();
    return WaitConnected(m_cli.Options().waitMs);
}

void CliLink::Start()
{
    // A port named by its device is named so in the worker's messages too, whatever COM number
    // the system gives that device.
    const bool byDevice = m_port.named == m_port.device;
    m_worker = std::make_unique<TCOMThread>(*this, byDevice ? 0 : m_port.com, m_port.device);
}

bool CliLink::WaitConnected(int timeoutMs)
{
    // Connected with a product letter: an application announced itself. A controller without one
    // comes up in its bootloader and asks for firmware; no run is asked for here, and once the one
    // it asked for has ended it is left announcing its bootloader.
    if (!WaitFor([this] { return m_runEnded || (State() == LinkState::Connected && m_worker->AnnouncedLetter() != 0); }, timeoutMs) ||
        m_runEnded) {
        if (!m_stoppedText.isEmpty()) return Failed(Exit::Link, m_stoppedText);
        if (!m_lastBox.isEmpty()) return Failed(Exit::Link, m_lastBox.simplified());
        if (const uint8_t letter = m_worker->UnknownLetter())
            return Failed(Exit::Link, QStringLiteral("controller on %1 announced '%2', which this tool does not know")
                                          .arg(m_port.named, QString(QChar(letter))));
        return Failed(Exit::Link, QStringLiteral("no controller announced itself within ") + Seconds(m_cli.Options().waitMs));
    }
    m_productLetter = m_worker->AnnouncedLetter();
    if (const Variant *entry = VariantOfLetter(m_productLetter)) m_banner = QString::fromLatin1(entry->banner);
    return true;
}

bool CliLink::Request(uint8_t request, const QString &what)
{
    // The request is stored only while the link is connected; the worker then takes it at its
    // next pass. A controller left announcing after an earlier job is acknowledged again for it.
    m_workLeft = true;
    const bool stored = WaitFor([this, request] { return State() == LinkState::Connected && m_worker->SetRequest(request, 0); },
                                m_cli.Options().waitMs);
    m_workLeft = false;
    if (stored) return true;
    if (!m_stoppedText.isEmpty()) return Failed(Exit::Link, m_stoppedText);
    return Failed(Exit::Link, QStringLiteral("the controller did not come back for %1 within %2").arg(what, Seconds(m_cli.Options().waitMs)));
}

bool CliLink::Transfer(uint8_t request, const int &finished, const QString &what)
{
    const int before = finished;
    if (!Request(request, what)) return false;
    m_showProgress = true;
    // No limit of its own: the worker's limits between two bytes bound every transfer, and a
    // limit that is hit stops the worker with a text that names it.
    const bool done = WaitFor([&finished, before] { return finished > before; }, -1);
    m_showProgress = false;
    m_cli.EndProgress();
    if (done) return true;
    return Failed(Exit::Link, m_stoppedText.isEmpty() ? what + QStringLiteral(" did not finish") : m_stoppedText);
}

bool CliLink::Download(CalImageBytes *image)
{
    if (!Transfer(Request::GetCalibration, m_downloads, QStringLiteral("the download"))) return false;
    *image = m_incoming;
    return true;
}

bool CliLink::Upload(const CalImageBytes &image)
{
    m_outgoing = image;
    return Transfer(Request::SendCalibration, m_uploads, QStringLiteral("the upload"));
}

bool CliLink::Probe()
{
    m_workLeft = false;
    if (!WaitFor([this] { return State() == LinkState::Connected && m_worker->RequestProbe(); }, m_cli.Options().waitMs)) {
        if (!m_stoppedText.isEmpty()) return Failed(Exit::Link, m_stoppedText);
        return Failed(Exit::Link, QStringLiteral("the controller did not stay connected for the probe"));
    }
    // Bounded by the probe's own limits.
    if (WaitFor([this] { return m_worker->ProbeAnswered(); }, -1)) return true;
    return Failed(Exit::Link, m_stoppedText.isEmpty() ? m_worker->NotHearingText() : m_stoppedText);
}

bool CliLink::RunFirmware(const FirmwareJob &job, const QString &backupFile, FirmwareOutcome *outcome)
{
    m_job = job;
    m_backupFile = backupFile;
    m_jobChosen = false;
    m_runEnded = false;
    if (!m_worker) Start();
    m_showProgress = true;
    // A controller with an application is asked to restart into its bootloader; one without
    // comes up in its bootloader, and the worker hooks it and asks for the run by itself. Back in
    // the connected state after the request, before the run was chosen, the hook failed.
    bool requested = false;
    bool left = false;
    bool hookFailed = false;
    const bool chosen = WaitFor(
        [&] {
            if (m_jobChosen) return true;
            const uint8_t state = State();
            if (!requested) {
                requested = state == LinkState::Connected && m_worker->AnnouncedLetter() != 0 &&
                            m_worker->SetRequest(Request::Upgrade, 0);
                if (requested) m_workLeft = false;
                return false;
            }
            if (state != LinkState::Connected) left = true;
            hookFailed = left && state == LinkState::Connected;
            return hookFailed;
        },
        m_cli.Options().waitMs);
    if (!chosen || hookFailed) {
        m_showProgress = false;
        if (!m_stoppedText.isEmpty()) return Failed(Exit::Link, m_stoppedText);
        if (m_replaceAsked) return Failed(Exit::Link, QStringLiteral("the controller did not answer the request to restart into its bootloader"));
        if (hookFailed) return Failed(Exit::Link, QStringLiteral("the bootloader did not answer its hook"));
        if (!requested) return Failed(Exit::Link, QStringLiteral("no controller announced itself within ") + Seconds(m_cli.Options().waitMs));
        return Failed(Exit::Link, QStringLiteral("the bootloader did not announce itself within ") + Seconds(m_cli.Options().waitMs));
    }
    // The run itself is bounded by the bootloader's own time limits; a device that goes away or
    // a signal ends it sooner.
    const bool ended = WaitFor([this] { return m_runEnded; }, -1);
    m_showProgress = false;
    if (!ended && !m_runEnded) {
        m_cli.EndProgress();
        return Failed(Exit::Link, m_stoppedText.isEmpty() ? QStringLiteral("the firmware run did not end") : m_stoppedText);
    }
    m_cli.EndProgress();
    *outcome = m_outcome;
    return true;
}

void CliLink::SyncStatus(const LinkStatus &status)
{
    // A port that failed to open, or whose device went away, ends every wait with the window's words.
    if (m_worker && m_stoppedText.isEmpty()) {
        const uint8_t state = m_worker->LockedState();
        if (state == LinkState::Stopped || state == LinkState::PortLost) m_stoppedText = status.text;
    }
    if (m_showProgress) m_cli.Progress(status.text, status.progress);
}

// Boxes are the window's way to tell a person; the command line reports the outcome instead.
void CliLink::ShowError(const QString &text) { m_lastBox = text; }
void CliLink::ShowInfo(const QString &) {}

void CliLink::ImageToBuffer(uint8_t *buffer) { std::copy(m_outgoing.begin(), m_outgoing.end(), buffer); }

void CliLink::BufferToImage(const uint8_t *buffer) { std::copy(buffer, buffer + CalImageSize, m_incoming.begin()); }

FirmwareJob CliLink::ChooseFirmwareJob()
{
    m_jobChosen = true;
    return m_job;
}

QString CliLink::Unit() const { return m_cli.Options().unit; }

bool CliLink::KeepFirmwareBackup(const QByteArray &hex, QString *error)
{
    // The command has already reported itself interrupted: no file appears after that.
    if (CliInterrupt::Caught()) {
        *error = QStringLiteral("interrupted");
        return false;
    }
    QString why;
    if (CliFiles::WriteAtomically(m_backupFile, hex, &why)) {
        KeepFirmwareInHistory(*this, hex);
        return true;
    }
    m_backupError = why;
    *error = m_backupFile + QStringLiteral(": ") + why;
    return false;
}

void CliLink::FirmwareRunEnded(FirmwareOutcome outcome, const QString &text)
{
    m_outcome = outcome;
    m_runEnded = true;
    m_failureText = outcome == FirmwareOutcome::BackupNotKept ? m_backupError : text;
}

bool CliLink::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == LinkMessageEvent::EventType()) {
        const auto *message = static_cast<const LinkMessageEvent *>(event);
        if (message->hostId() != LinkHostId()) return false;
        switch (message->code()) {
        case LinkCode::UploadFinished: ++m_uploads; break;
        case LinkCode::DownloadFinished: ++m_downloads; break;
        case LinkCode::ReplaceWorker: m_replaceAsked = true; break;
        case LinkCode::ByteSent:
        case LinkCode::ByteReceived:
            m_cli.Log().Record(m_port.named,
                               message->code() == LinkCode::ByteSent, message->value());
            break;
        default: break;
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
