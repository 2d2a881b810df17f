// The firmware upgrade's calls from the bootloader states: chip identification, the run the front
// end chooses (program a file, back the old firmware up first, or only read it), and the
// programming itself. The run belongs to the worker's Bootloader; the worker is its host, so what
// it shows goes through the worker's status fields and hand-overs like everything else the link
// reports.
#include "link/comthread.h"

#include "app/usablefile.h"
#include "link/hex/hexwriter.h"

namespace {
const char *const NoFirmwareFile = "Error installing firmware";
const char *const SavingFirmware = "Saving current firmware...";
}  // namespace

void TCOMThread::IdentifyDevice(const QByteArray &line) { m_bootloader.IdentifyDevice(line); }

void TCOMThread::RunFirmwareJob()
{
    FirmwareJob job;
    RunOnUi([this, &job] { job = m_owner.ChooseFirmwareJob(); });
    m_firmwareFileName = job.fileName;
    FirmwareOutcome failure = FirmwareOutcome::ReadFailed;
    if (job.readOnly) {
        if (!BackUpFirmware(&failure)) return EndFirmwareRun(failure);
        StartApplication();
        return EndFirmwareRun(FirmwareOutcome::FlashRead);
    }
    if (job.verifyOnly) return VerifyFirmware();
    if (m_firmwareFileName.isEmpty() || !UsableFile(m_firmwareFileName)) {
        SetStatus(QString::fromLatin1(NoFirmwareFile), LinkColor::Red);
        m_state = LinkState::Connected;
        return EndFirmwareRun(FirmwareOutcome::NoFile);
    }
    // The file is read and checked first; the old firmware is kept before the first erase.
    if (!m_bootloader.LoadFirmware(m_firmwareFileName)) return EndFirmwareRun(FirmwareOutcome::FileRefused);
    if (job.backupFirst && !BackUpFirmware(&failure)) return EndFirmwareRun(failure);
    // A failed programming run has put its failure in the status line and the link in state 6.
    if (!m_bootloader.ProgramLoaded()) return EndFirmwareRun(FirmwareOutcome::ProgramFailed);
    StartApplication();
    EndFirmwareRun(m_bootloader.LastRunVerified() ? FirmwareOutcome::Verified : FirmwareOutcome::Mismatch);
}

void TCOMThread::VerifyFirmware()
{
    // Nothing is programmed, and the controller leaves its bootloader whatever the comparison found.
    const bool usable = UsableFile(m_firmwareFileName);
    if (!usable) SetStatus(QString::fromLatin1(NoFirmwareFile), LinkColor::Red);
    const bool loaded = usable && m_bootloader.LoadFirmware(m_firmwareFileName);
    const bool matches = loaded && m_bootloader.VerifyLoaded();
    StartApplication();
    EndFirmwareRun(!loaded                          ? FirmwareOutcome::FileRefused
                   : matches                        ? FirmwareOutcome::Verified
                   : m_bootloader.ReadBackFailed() ? FirmwareOutcome::ReadFailed
                                                    : FirmwareOutcome::Mismatch);
}

bool TCOMThread::BackUpFirmware(FirmwareOutcome *failure)
{
    SetStatus(QString::fromLatin1(SavingFirmware), LinkColor::Green);
    m_progress = 0;
    SyncStatus();
    QByteArray flash;
    if (!m_bootloader.ReadFlash(m_bootloader.Chip().flashLimit, &flash)) {
        *failure = FirmwareOutcome::ReadFailed;
        return false;
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
    const QString text = m_statusText;
    RunOnUi([this, outcome, &text] { m_owner.FirmwareRunEnded(outcome, text); });
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
