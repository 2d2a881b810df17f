// The main window's side of the firmware upgrade: the choice of the firmware file, asked for by
// the link worker once the bootloader has named its chip, and the end of a run that failed.
#include "ui/quarnform.h"

#include "core/startfolder.h"
#include "core/usablefile.h"
#include "ui/errorbox.h"
#include "core/files/ioerror.h"
#include "link/bootloader/firmwarefile.h"

#include <QFileDialog>

QString TQuarnForm::SelectFirmwareFile()
{
    if (m_endingForSystem) return {};
    const QString folder = StartFolder(FolderKind::Firmware);
    QFileDialog dialog(this, QString::fromLatin1(FirmwareFile::kDialogTitle), folder);
    dialog.setObjectName(QStringLiteral("FirmwareDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromLatin1(FirmwareFile::kDialogFilter));
    dialog.selectFile(FirmwareFile::PresetName(folder));
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    const QStringList chosen = dialog.selectedFiles();
    const QString fileName = FirmwareFile::Accept(confirmed, chosen.value(0));
    RememberFolder(FolderKind::Firmware, fileName);
    // A pipe, device or socket would hold the reader or feed it endless bytes: refused here, the
    // upgrade then stops before anything is erased.
    if (!fileName.isEmpty() && IsSpecialFile(fileName)) {
        ShowErrorBox(this, IoErrorText({IoFault::NotRegular, 0}));
        return {};
    }
    return fileName;
}

void TQuarnForm::FirmwareRunEnded(FirmwareOutcome outcome, const QString &text)
{
    // The controller is told to start its application as soon as this returns, and its banner then
    // takes the status line: a reason shown only there would be gone in a moment. A run that
    // ended with a box of its own (verified, different, unreadable) or by the user's choice says
    // nothing more. A program left incomplete is not started: the box says it must be flashed again.
    switch (outcome) {
    case FirmwareOutcome::FileRefused:
    case FirmwareOutcome::ReadFailed:
    case FirmwareOutcome::BackupNotKept:
    case FirmwareOutcome::ProgramFailed:
    case FirmwareOutcome::Incomplete: ShowError(text); break;
    default: break;
    }
}
