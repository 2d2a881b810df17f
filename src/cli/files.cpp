#include "cli/files.h"

#include "cli/standardoutput.h"

#include "core/usablefile.h"
#include "core/wholefile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace CliFiles {

bool ReadRegular(const QString &fileName, QByteArray *contents, QString *error)
{
    QFile file(fileName);
    switch (OpenRegularFileForReading(file)) {
    case RegularOpen::Opened: break;
    case RegularOpen::NotRegular: *error = QStringLiteral("not a regular file"); return false;
    // In the system's words: where the opening went through the toolkit (Windows) it holds them,
    // otherwise the system's error number does.
    case RegularOpen::Failed: *error = file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(errno); return false;
    }
    *contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool IsStandardOutput(const QString &fileName) { return fileName == QLatin1String("-"); }

QString Named(const QString &fileName) { return IsStandardOutput(fileName) ? QStringLiteral("standard output") : fileName; }

bool WriteAtomically(const QString &fileName, const QByteArray &contents, QString *error)
{
    // Standard output's failures are told once, as the command ends.
    if (IsStandardOutput(fileName)) {
        StandardOutput::Write(contents);
        return true;
    }
    *error = WriteWholeFile(fileName, contents);
    return error->isEmpty();
}

bool Writable(const QString &fileName, QString *error)
{
    if (IsStandardOutput(fileName)) return true;
    if (*error = WholeFileRefusal(fileName); !error->isEmpty()) return false;
    QSaveFile file(fileName);
    const bool ok = file.open(QIODevice::WriteOnly);
    if (!ok) *error = SaveFileOpenFailure(file);
    file.cancelWriting();
    return ok;
}

}  // namespace CliFiles
