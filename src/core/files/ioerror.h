#pragma once
// File errors as the technician sees them: the cause of a failed open, read, create, write or
// close, turned into the short texts of the application's error box.
#include <QString>

enum class IoFault {
    None,
    NotFound,      // "File not found"
    AccessDenied,  // "File access denied"
    DiskFull,      // "Disk full"
    EndOfFile,     // "Read beyond end of file"
    NotRegular,    // a pipe, device or socket: never opened
    Other,         // "I/O error <n>" with the operating system's error number
};

struct IoError {
    IoFault fault = IoFault::None;
    int osError = 0;  // the operating system's error number (Other only)

    bool failed() const { return fault != IoFault::None; }
};

// The error box text of a fault ("" for None).
QString IoErrorText(const IoError &error);

// Classifies an operating system error number (errno, or the Windows system error code on
// Windows) into a fault.
IoError IoErrorFromOs(int osError);

// The operating system's error number of the call that just failed, and a way to clear it before
// the call so that a failure the system did not explain can be told apart (0).
int LastOsError();
void ClearOsError();
