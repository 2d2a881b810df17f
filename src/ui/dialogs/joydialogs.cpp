#include "ui/dialogs/joydialogs.h"

#include "core/files/dialogfilter.h"
#include "core/files/joyfile.h"
#include "core/startfolder.h"

#include <QDir>
#include <QFileDialog>

namespace {
QString AskJoyFile(QWidget *parent, QFileDialog::AcceptMode mode)
{
    const QString folder = StartFolder(FolderKind::JoyFiles);
    QFileDialog dialog(parent, QString(), folder);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog1")
                                                         : QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilters(DialogNameFilters(JoyFileFilter));
    dialog.selectFile(QDir(folder).filePath(JoyFilePattern));
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString chosen = dialog.selectedFiles().value(0);
    RememberFolder(FolderKind::JoyFiles, chosen);
    return chosen;
}
}  // namespace

QString AskJoyFileToOpen(QWidget *parent) { return AskJoyFile(parent, QFileDialog::AcceptOpen); }

QString AskJoyFileToSave(QWidget *parent) { return AskJoyFile(parent, QFileDialog::AcceptSave); }
