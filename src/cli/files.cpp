#include "cli/files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace CliFiles {

bool ReadRegular(const QString &fileName, QByteArray *contents, QString *error)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        *error = QStringLiteral("no such file");
        return false;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("not a regular file");
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool WriteAtomically(const QString &fileName, const QByteArray &contents, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool Writable(const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    const bool ok = file.open(QIODevice::WriteOnly);
    if (!ok) *error = file.errorString();
    file.cancelWriting();
    return ok;
}

}  // namespace CliFiles
