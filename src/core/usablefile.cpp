#include "core/usablefile.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool UsableFile(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('*')) || fileName.contains(QLatin1Char('?'))) return false;
    return QFileInfo::exists(fileName);
}

bool IsSpecialFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !info.isFile() && !info.isDir();
}

RegularOpen OpenRegularFileForReading(QFile &file)
{
    if (IsSpecialFile(file.fileName())) return RegularOpen::NotRegular;
#ifdef Q_OS_WIN
    return file.open(QIODevice::ReadOnly) ? RegularOpen::Opened : RegularOpen::Failed;
#else
    // Non-blocking, so a pipe swapped in after the check cannot hold the open either.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return RegularOpen::Failed;
    struct stat status {};
    RegularOpen result = RegularOpen::Opened;
    int error = 0;
    if (::fstat(fd, &status) != 0) {
        error = errno;
        result = RegularOpen::Failed;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;  // a folder is refused as the system refuses to read one
        result = RegularOpen::Failed;
    } else if (!S_ISREG(status.st_mode)) {
        result = RegularOpen::NotRegular;
    } else if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        error = errno;
        result = RegularOpen::Failed;
    }
    if (result != RegularOpen::Opened) {
        ::close(fd);
        errno = error;
    }
    return result;
#endif
}
