#include "ui/dialogs/joydialogs.h"

#include "core/files/dialogfilter.h"
#include "core/files/joyfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace {
QString AskJoyFile(QWidget *parent, QFileDialog::AcceptMode mode)
{
    const QString folder = QCoreApplication::applicationDirPath();
    QFileDialog dialog(parent, QString(), folder);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog1")
                                                         : QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilters(DialogNameFilters(JoyFileFilter));
    dialog.selectFile(QDir(folder).filePath(JoyFilePattern));
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}
}  // namespace

QString AskJoyFileToOpen(QWidget *parent) { return AskJoyFile(parent, QFileDialog::AcceptOpen); }

QString AskJoyFileToSave(QWidget *parent) { return AskJoyFile(parent, QFileDialog::AcceptSave); }
