#include "core/files/ioerror.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#endif

QString IoErrorText(const IoError &error)
{
    switch (error.fault) {
    case IoFault::None: return {};
    case IoFault::NotFound: return QStringLiteral("File not found");
    case IoFault::AccessDenied: return QStringLiteral("File access denied");
    case IoFault::DiskFull: return QStringLiteral("Disk full");
    case IoFault::EndOfFile: return QStringLiteral("Read beyond end of file");
    case IoFault::NotRegular: return QStringLiteral("Not a regular file (a pipe, device or socket): not opened");
    case IoFault::Other: break;
    }
    return QStringLiteral("I/O error %1").arg(error.osError);
}

IoError IoErrorFromOs(int osError)
{
#ifdef Q_OS_WIN
    switch (osError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return {IoFault::NotFound, osError};
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return {IoFault::AccessDenied, osError};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {IoFault::DiskFull, osError};
    default: break;
    }
#else
    switch (osError) {
    case ENOENT: return {IoFault::NotFound, osError};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return {IoFault::AccessDenied, osError};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return {IoFault::DiskFull, osError};
    default: break;
    }
#endif
    return {IoFault::Other, osError};
}

int LastOsError()
{
#ifdef Q_OS_WIN
    return static_cast<int>(GetLastError());
#else
    return errno;
#endif
}

void ClearOsError()
{
#ifdef Q_OS_WIN
    SetLastError(0);
#else
    errno = 0;
#endif
}
