#include "core/startfolder.h"

#include "core/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString StartFolder(const char *kind)
{
    const QString last = OpenSettings(QString::fromLatin1(SettingsSection))->value(QString::fromLatin1(kind)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void RememberFolder(const char *kind, const QString &chosenFile)
{
    if (chosenFile.isEmpty()) return;
    OpenSettings(QString::fromLatin1(SettingsSection))
        ->setValue(QString::fromLatin1(kind), QFileInfo(chosenFile).absolutePath());
}
