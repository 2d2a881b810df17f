// The firmware run: chip identification, the run the front end chooses (program a file, back the
// old firmware up first, only read it, or only compare it), the programming itself, and leaving
// the bootloader afterwards.
#include "link/firmwarerun.h"

#include "core/hex/flashimage.h"
#include "core/hex/hexwriter.h"
#include "core/usablefile.h"
#include "link/bootloader/bootprotocol.h"
#include "link/comthread.h"

namespace {
const char *const NoFirmwareFile = "Error installing firmware";
const char *const SavingFirmware = "Saving current firmware...";
const char *const FlashErased = "The flash is erased: there is no firmware to keep";
const char *const Interrupted = "interrupted";
}  // namespace

FirmwareRun::FirmwareRun(TCOMThread &link) : m_link(link), m_bootloader(link, *this, ProcessFlashImage()) {}

void FirmwareRun::Run()
{
    // From here until LeaveBootloader the controller waits in its bootloader for the tool.
    m_inBootloader = true;
    FirmwareJob job;
    m_link.RunOnUi([this, &job] { job = m_link.m_owner.ChooseFirmwareJob(); });
    m_fileName = job.fileName;
    m_verifyOnly = job.verifyOnly;
    FirmwareOutcome failure = FirmwareOutcome::ReadFailed;
    uint32_t oldFirmwareEnd = 0;
    if (job.readOnly) {
        if (!BackUp(&failure, &oldFirmwareEnd)) return End(failure);
        return End(oldFirmwareEnd > 0 ? FirmwareOutcome::FlashRead : FirmwareOutcome::FlashErased);
    }
    if (job.verifyOnly) return Verify();
    if (m_fileName.isEmpty() || !UsableFile(m_fileName)) return NoUsableFile();
    // The file is read and checked first; the old firmware is kept before the first erase.
    if (!m_bootloader.LoadFirmware(m_fileName)) return End(FirmwareOutcome::FileRefused);
    if (job.backupFirst) {
        if (!BackUp(&failure, &oldFirmwareEnd)) return End(failure);
        // Whatever the old firmware used above the new file's end is programmed erased.
        m_bootloader.EraseOldFirmwareBelow(oldFirmwareEnd);
    }
    // A failed programming run has put its failure in the status line and the link back in its
    // connected state.
    if (!m_bootloader.ProgramLoaded()) return End(FirmwareOutcome::ProgramFailed);
    if (m_bootloader.LastRunReadBackFailed()) return End(FirmwareOutcome::ReadBackFailed);
    End(m_bootloader.LastRunVerified() ? FirmwareOutcome::Verified : FirmwareOutcome::Mismatch);
}

void FirmwareRun::NoUsableFile()
{
    m_link.SetStatus(QString::fromLatin1(NoFirmwareFile), LinkColor::Red);
    m_link.m_state = LinkState::Connected;
    End(FirmwareOutcome::NoFile);
}

void FirmwareRun::Verify()
{
    // Nothing is programmed; the shared verification reads back with the bootloader's retry rules.
    if (!UsableFile(m_fileName)) return NoUsableFile();
    if (!m_bootloader.LoadFirmware(m_fileName)) return End(FirmwareOutcome::FileRefused);
    const bool matches = m_bootloader.VerifyLoaded();
    End(matches                                  ? FirmwareOutcome::Verified
        : m_bootloader.LastRunReadBackFailed() ? FirmwareOutcome::ReadBackFailed
                                                 : FirmwareOutcome::Mismatch);
}

bool FirmwareRun::BackUp(FirmwareOutcome *failure, uint32_t *firmwareEnd)
{
    m_link.SetStatus(QString::fromLatin1(SavingFirmware), LinkColor::Green);
    m_link.m_progress = 0;
    m_link.SyncStatus();
    QByteArray flash;
    if (!m_bootloader.ReadFlash(m_bootloader.Chip().flashLimit, &flash)) {
        *failure = FirmwareOutcome::ReadFailed;
        return false;
    }
    *firmwareEnd = uint32_t(HexWriter::KeptBytes(flash, m_bootloader.Chip().pageSize));
    // An erased flash holds nothing to keep: a file of it would hold no data to program back.
    if (*firmwareEnd == 0) {
        m_link.SetStatus(QString::fromLatin1(FlashErased), LinkColor::Green);
        m_link.RunOnUi([this] { m_link.m_owner.NoFirmwareToKeep(); });
        return true;
    }
    const QByteArray hex = HexWriter::FlashToHex(flash, m_bootloader.Chip().pageSize);
    bool kept = false;
    QString error;
    m_link.RunOnUi([this, &hex, &kept, &error] { kept = m_link.m_owner.KeepFirmwareBackup(hex, &error); });
    if (kept) return true;
    m_link.SetStatus(error, LinkColor::Red);
    m_link.m_state = LinkState::Connected;
    *failure = FirmwareOutcome::BackupNotKept;
    return false;
}

void FirmwareRun::End(FirmwareOutcome outcome)
{
    // A device that went away ends the run with the window's words for it; nothing can reach the
    // controller any more.
    if (m_link.m_deviceGone) m_link.LosePort();
    // Only a verified programming run makes the flash whole; one that erased or wrote something
    // and stopped (a refused packet, a signal, a power cycle) or was not verified leaves a
    // program that must not run, whatever a later run of this worker that programs nothing does.
    if (!m_verifyOnly && ProgrammedSomething(outcome) && m_bootloader.FlashTouched())
        m_flash = outcome == FirmwareOutcome::Verified ? Flash::Untouched : Flash::Incomplete;
    if (Incomplete()) {
        const QString reason = m_link.Stopping() ? QString::fromLatin1(Interrupted) : m_link.m_statusText;
        m_link.SetStatus(QString::fromLatin1(FirmwareIncompleteText) + QStringLiteral(" (") + reason + QLatin1Char(')'), LinkColor::Red);
        outcome = FirmwareOutcome::Incomplete;
    }
    const QString text = m_link.m_statusText;
    m_link.RunOnUi([this, outcome, &text] {
        if (outcome == FirmwareOutcome::Incomplete) m_link.m_owner.NoteIncompleteFirmware();
        m_link.m_owner.FirmwareRunEnded(outcome, text);
    });
    if (m_link.m_state == LinkState::PortLost) return;
    // A verification ends Verified or Mismatch as a programming run does, but wrote nothing.
    LeaveBootloader(!m_verifyOnly && ProgrammedSomething(outcome));
}

bool FirmwareRun::ProgrammedSomething(FirmwareOutcome outcome)
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

void FirmwareRun::LeaveBootloader(bool programmed)
{
    // The controller is told to start its application, so that the next connection finds it as
    // after a power-up. One without an application comes back announcing its bootloader: after a
    // run that programmed nothing it is left announcing (a new link, or Reset, hooks it again)
    // instead of asking for the same run over and over.
    m_link.m_bootloaderDeclined = !programmed;
    m_inBootloader = false;
    if (Incomplete()) {
        // Never a half-written program: the bootloader keeps waiting for an order, the status line
        // keeps the reason, and the next link (or flash) finds it there and programs it.
        m_link.m_bootloaderDeclined = true;
        m_link.m_state = LinkState::Connected;
        return;
    }
    // A run cut short by a stop may have left a packet half-sent.
    if (m_link.Stopping()) m_link.SendFiller();
    m_link.StartApplication();
}

void FirmwareRun::LeaveOnExit(uint8_t linkState)
{
    // From the hook on the controller waits in its bootloader for the tool: at the hook, while it
    // names its chip, once it has, and through a run. A program left incomplete is never started.
    const bool held = m_inBootloader || linkState == LinkState::BootHook || linkState == LinkState::BootIdentify ||
                      linkState == LinkState::FirmwareInstall;
    if (!held || Incomplete()) return;
    if (linkState == LinkState::BootHook) {
        // A hook just sent is answered with '?' first; the order to start can only follow it.
        uint8_t byte = 0;
        const uint32_t start = m_link.Now();
        while (!(m_link.ReadByte(byte) && byte == Wire::BootReady) && m_link.Now() - start < m_link.Answer(LinkTime::BootReadyMs))
            m_link.Pause(1);
    } else if (linkState == LinkState::BootIdentify) {
        // Its identification line is let finish first.
        m_link.DiscardUntilQuiet(Boot::kLineQuietMs, m_link.Answer(LinkTime::ReadLineSilenceMs));
    }
    if (m_inBootloader) m_link.SendFiller();
    m_link.WriteByte(Wire::Restart);
    m_inBootloader = false;
}

void FirmwareRun::SetStatusText(const QString &text) { m_link.SetStatusText(text); }

void FirmwareRun::SetStatusColour(Colour colour)
{
    switch (colour) {
    case Colour::Red: m_link.m_statusColour = LinkColor::Red; break;
    case Colour::Green: m_link.m_statusColour = LinkColor::Green; break;
    case Colour::Blue: m_link.m_statusColour = LinkColor::Blue; break;
    }
}

void FirmwareRun::SetProgress(int percent) { m_link.m_progress = percent; }

void FirmwareRun::SyncStatus() { m_link.SyncStatus(); }

void FirmwareRun::ShowInfo(const QString &text) { m_link.ShowInfo(text); }

void FirmwareRun::ShowError(const QString &text) { m_link.ShowError(text); }

void FirmwareRun::ReturnToConnected() { m_link.m_state = LinkState::Connected; }
