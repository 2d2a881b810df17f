// The firmware upgrade's calls from the bootloader states: chip identification, the run the front
// end chooses (program a file, back the old firmware up first, or only read it), and the
// programming itself. The run belongs to the worker's Bootloader; the worker is its host, so what
// it shows goes through the worker's status fields and hand-overs like everything else the link
// reports.
#include "link/comthread.h"

#include "core/usablefile.h"
#include "link/bootloader/bootprotocol.h"
#include "core/hex/hexwriter.h"

namespace {
const char *const NoFirmwareFile = "Error installing firmware";
const char *const SavingFirmware = "Saving current firmware...";
const char *const FlashErased = "The flash is erased: there is no firmware to keep";
const char *const Interrupted = "interrupted";
}  // namespace

void TCOMThread::IdentifyDevice(const QByteArray &line) { m_bootloader.IdentifyDevice(line); }

void TCOMThread::RunFirmwareJob()
{
    // From here until LeaveBootloader the controller waits in its bootloader for the tool.
    m_inBootloader = true;
    FirmwareJob job;
    RunOnUi([this, &job] { job = m_owner.ChooseFirmwareJob(); });
    m_firmwareFileName = job.fileName;
    m_verifyOnlyRun = job.verifyOnly;
    FirmwareOutcome failure = FirmwareOutcome::ReadFailed;
    uint32_t oldFirmwareEnd = 0;
    if (job.readOnly) {
        if (!BackUpFirmware(&failure, &oldFirmwareEnd)) return EndFirmwareRun(failure);
        return EndFirmwareRun(oldFirmwareEnd > 0 ? FirmwareOutcome::FlashRead : FirmwareOutcome::FlashErased);
    }
    if (job.verifyOnly) return VerifyFirmware();
    if (m_firmwareFileName.isEmpty() || !UsableFile(m_firmwareFileName)) {
        SetStatus(QString::fromLatin1(NoFirmwareFile), LinkColor::Red);
        m_state = LinkState::Connected;
        return EndFirmwareRun(FirmwareOutcome::NoFile);
    }
    // The file is read and checked first; the old firmware is kept before the first erase.
    if (!m_bootloader.LoadFirmware(m_firmwareFileName)) return EndFirmwareRun(FirmwareOutcome::FileRefused);
    if (job.backupFirst) {
        if (!BackUpFirmware(&failure, &oldFirmwareEnd)) return EndFirmwareRun(failure);
        // Whatever the old firmware used above the new file's end is programmed erased.
        m_bootloader.EraseOldFirmwareBelow(oldFirmwareEnd);
    }
    // A failed programming run has put its failure in the status line and the link in state 6.
    if (!m_bootloader.ProgramLoaded()) return EndFirmwareRun(FirmwareOutcome::ProgramFailed);
    if (m_bootloader.LastRunReadBackFailed()) return EndFirmwareRun(FirmwareOutcome::ReadBackFailed);
    EndFirmwareRun(m_bootloader.LastRunVerified() ? FirmwareOutcome::Verified : FirmwareOutcome::Mismatch);
}

void TCOMThread::VerifyFirmware()
{
    // Nothing is programmed; the shared verification reads back with the bootloader's retry rules.
    if (!UsableFile(m_firmwareFileName)) {
        SetStatus(QString::fromLatin1(NoFirmwareFile), LinkColor::Red);
        m_state = LinkState::Connected;
        return EndFirmwareRun(FirmwareOutcome::NoFile);
    }
    if (!m_bootloader.LoadFirmware(m_firmwareFileName)) return EndFirmwareRun(FirmwareOutcome::FileRefused);
    const bool matches = m_bootloader.VerifyLoaded();
    EndFirmwareRun(matches                                  ? FirmwareOutcome::Verified
                   : m_bootloader.LastRunReadBackFailed() ? FirmwareOutcome::ReadBackFailed
                                                            : FirmwareOutcome::Mismatch);
}

bool TCOMThread::BackUpFirmware(FirmwareOutcome *failure, uint32_t *firmwareEnd)
{
    SetStatus(QString::fromLatin1(SavingFirmware), LinkColor::Green);
    m_progress = 0;
    SyncStatus();
    QByteArray flash;
    if (!m_bootloader.ReadFlash(m_bootloader.Chip().flashLimit, &flash)) {
        *failure = FirmwareOutcome::ReadFailed;
        return false;
    }
    *firmwareEnd = uint32_t(HexWriter::KeptBytes(flash, m_bootloader.Chip().pageSize));
    // An erased flash holds nothing to keep: a file of it would hold no data to program back.
    if (*firmwareEnd == 0) {
        SetStatus(QString::fromLatin1(FlashErased), LinkColor::Green);
        RunOnUi([this] { m_owner.NoFirmwareToKeep(); });
        return true;
    }
    const QByteArray hex = HexWriter::FlashToHex(flash, m_bootloader.Chip().pageSize);
    bool kept = false;
    QString error;
    RunOnUi([this, &hex, &kept, &error] { kept = m_owner.KeepFirmwareBackup(hex, &error); });
    if (kept) return true;
    SetStatus(error, LinkColor::Red);
    m_state = LinkState::Connected;
    *failure = FirmwareOutcome::BackupNotKept;
    return false;
}

void TCOMThread::StartApplication()
{
    m_applicationStartPending = true;
    WriteByte(Wire::Restart);
    ResetLinkTimer();
    m_state = LinkState::WaitingForLink;
}

void TCOMThread::EndFirmwareRun(FirmwareOutcome outcome)
{
    // A device that went away ends the run with the window's words for it; nothing can reach the
    // controller any more.
    if (m_deviceGone) LosePort();
    // Only a verified programming run makes the flash whole; one that erased or wrote something
    // and stopped (a refused packet, a signal, a power cycle) or was not verified leaves a
    // program that must not run, whatever a later run of this worker that programs nothing does.
    if (!m_verifyOnlyRun && ProgrammedSomething(outcome) && m_bootloader.FlashTouched())
        m_firmwareIncomplete = outcome != FirmwareOutcome::Verified;
    if (m_firmwareIncomplete) {
        const QString reason = Stopping() ? QString::fromLatin1(Interrupted) : m_statusText;
        SetStatus(QString::fromLatin1(FirmwareIncompleteText) + QStringLiteral(" (") + reason + QLatin1Char(')'), LinkColor::Red);
        outcome = FirmwareOutcome::Incomplete;
    }
    const QString text = m_statusText;
    RunOnUi([this, outcome, &text] {
        if (outcome == FirmwareOutcome::Incomplete) m_owner.NoteIncompleteFirmware();
        m_owner.FirmwareRunEnded(outcome, text);
    });
    if (m_state == LinkState::PortLost) return;
    // A verification ends Verified or Mismatch as a programming run does, but wrote nothing.
    LeaveBootloader(!m_verifyOnlyRun && ProgrammedSomething(outcome));
}

bool TCOMThread::ProgrammedSomething(FirmwareOutcome outcome)
{
    switch (outcome) {
    case FirmwareOutcome::Verified:
    case FirmwareOutcome::Mismatch:
    case FirmwareOutcome::ReadBackFailed:
    case FirmwareOutcome::ProgramFailed:
    case FirmwareOutcome::Incomplete: return true;
    default: return false;
    }
}

void TCOMThread::LeaveBootloader(bool programmed)
{
    // The controller is told to start its application, so that the next connection finds it as
    // after a power-up. One without an application comes back announcing its bootloader: after a
    // run that programmed nothing it is left announcing (a new link, or Reset, hooks it again)
    // instead of asking for the same run over and over.
    m_bootloaderDeclined = !programmed;
    m_inBootloader = false;
    if (m_firmwareIncomplete) {
        // Never a half-written program: the bootloader keeps waiting for an order, the status line
        // keeps the reason, and the next link (or flash) finds it there and programs it.
        m_bootloaderDeclined = true;
        m_state = LinkState::Connected;
        return;
    }
    // A run cut short by a stop may have left a packet half-sent.
    if (Stopping()) SendFiller();
    StartApplication();
}

bool TCOMThread::LeftAnnouncing()
{
    if (!m_bootloaderDeclined) return false;
    m_applicationStartPending = false;
    return true;
}

void TCOMThread::LeaveBootloaderOnExit()
{
    // From the hook on the controller waits in its bootloader for the tool: at the hook, while it
    // names its chip, once it has, and through a run. A program left incomplete is never started.
    const uint8_t state = m_state;
    const bool held = m_inBootloader || state == LinkState::BootHook || state == LinkState::BootIdentify ||
                      state == LinkState::FirmwareInstall;
    if (!held || m_firmwareIncomplete) return;
    if (state == LinkState::BootHook) {
        // A hook just sent is answered with '?' first; the order to start can only follow it.
        uint8_t byte = 0;
        const uint32_t start = Now();
        while (!(ReadByte(byte) && byte == Wire::BootReady) && Now() - start < Answer(LinkTime::BootReadyMs)) Pause(1);
    } else if (state == LinkState::BootIdentify) {
        // Its identification line is let finish first.
        DiscardUntilQuiet(Boot::kLineQuietMs, Answer(LinkTime::ReadLineSilenceMs));
    }
    if (m_inBootloader) SendFiller();
    WriteByte(Wire::Restart);
    m_inBootloader = false;
}

void TCOMThread::StartApplicationFirst()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_state != LinkState::WaitingForLink) return;
    // A bootloader hooked earlier and left waiting says nothing, and may hold half a packet: the
    // filler completes it as one it refuses, so the order after it is read as one. A running
    // application answers the filler with its product code: those answers are let land and
    // dropped, and the order then restarts it through its bootloader as after a power-up.
    SendFiller();
    DiscardUntilQuiet(Answer(LinkTime::SettleMs), Answer(Boot::kFillerLineMs + Boot::kProbeAnswerMs));
    WriteByte(Wire::Restart);
    ResetLinkTimer();
}

void TCOMThread::SendFiller()
{
    for (int i = 0; i < Boot::kFillerBytes; ++i)
        if (!WriteByte(Boot::kFiller)) return;
}

void TCOMThread::DiscardUntilQuiet(uint32_t quietMs, uint32_t limitMs)
{
    const uint32_t start = Now();
    uint32_t lastByte = start;
    uint8_t byte = 0;
    while (Now() - start < limitMs) {
        if (ReadByte(byte)) lastByte = Now();
        else if (Now() - lastByte >= quietMs) return;
        else Pause(Boot::kPollIntervalMs);
    }
}

void TCOMThread::SetStatusColour(Colour colour)
{
    switch (colour) {
    case Colour::Red: m_statusColour = LinkColor::Red; break;
    case Colour::Green: m_statusColour = LinkColor::Green; break;
    case Colour::Blue: m_statusColour = LinkColor::Blue; break;
    }
}

void TCOMThread::SetProgress(int percent) { m_progress = percent; }

void TCOMThread::ShowInfo(const QString &text)
{
    m_messageBoxText = text;
    ShowInfo();
}

void TCOMThread::ShowError(const QString &text)
{
    m_messageBoxText = text;
    ShowError();
}

void TCOMThread::ReturnToConnected() { m_state = LinkState::Connected; }
