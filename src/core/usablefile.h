#pragma once
#include <QString>

class QFile;

// True when the file exists and its name has no wildcard ("*" or "?").
bool UsableFile(const QString &fileName);

// True when the name leads (through any links) to something other than a regular file or a
// folder: a pipe, a device or a socket, which a file command must never open.
bool IsSpecialFile(const QString &fileName);

// Opens `file` (its name already set) for reading, but only a regular file. A pipe, device or
// socket is refused before it is opened, so the window never waits in open() for a writer and a
// device never sees its line raised; the opened handle is checked once more, so nothing swapped
// in between is read either. On Failed the system's error number is left for the caller.
enum class RegularOpen { Opened, NotRegular, Failed };
RegularOpen OpenRegularFileForReading(QFile &file);
