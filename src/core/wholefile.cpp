#include "core/wholefile.h"

#include "core/usablefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {
// Why the call that just failed on `file` failed: the system's words where it gave a reason (Qt
// says "Unknown error" for a failed flush), else Qt's.
QString FailureOf(const QIODevice &file)
{
    return errno != 0 ? qt_error_string(errno) : file.errorString();
}
}  // namespace

QString SaveFileOpenFailure(const QSaveFile &file)
{
    // The save file's own text for a file it may not replace names the file and is not the
    // system's; the system is asked instead, without creating or changing anything.
    if (QFileInfo(file.fileName()).isFile()) {
        QFile existing(file.fileName());
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly)) return existing.errorString();
    }
    return file.errorString();
}

QString WholeFileRefusal(const QString &fileName)
{
    if (IsSpecialFile(fileName)) return QStringLiteral("not a regular file (a pipe, device or socket)");
    return {};
}

QString WriteWholeFile(const QString &fileName, const QByteArray &contents)
{
    return WriteWholeFile(fileName, [&contents](QIODevice &device) {
        return device.write(contents) == contents.size() ? QString() : FailureOf(device);
    });
}

QString WriteWholeFile(const QString &fileName, const std::function<QString(QIODevice &)> &fill)
{
    if (QString refusal = WholeFileRefusal(fileName); !refusal.isEmpty()) return refusal;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return SaveFileOpenFailure(file);
    // A write only fills Qt's buffer: the disk's answer comes with the flush, which commit()
    // would make without reporting its failure. So the flush is made and checked here.
    errno = 0;
    QString reason = fill(file);
    if (reason.isEmpty()) {
        errno = 0;
        if (!file.flush()) reason = FailureOf(file);
    }
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    errno = 0;
    if (!file.commit()) return FailureOf(file);
    return {};
}
