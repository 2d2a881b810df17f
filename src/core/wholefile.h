#pragma once
// Files written whole or not at all. The bytes go to a temporary file beside the target that
// replaces it only once every byte has been handed to the system (written, then flushed, then
// committed, each step checked). A write that fails at any point (a full disk, a quota, an I/O
// error) removes the temporary file, leaves the target as it was and says why. Only a regular
// file, or no file yet, is replaced: a pipe, device or socket of that name is refused before
// anything is opened, so it is neither waited on nor swapped for a plain file.
#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;
class QSaveFile;

// The reason a name cannot take a whole file without opening it: "" when it can be tried.
QString WholeFileRefusal(const QString &fileName);

// Why `file` could not be opened, in the system's words: for a file that exists and cannot be
// replaced, the system's answer to opening it for writing ("Permission denied", "Access is
// denied.") rather than a sentence that names the file again.
QString SaveFileOpenFailure(const QSaveFile &file);

// Writes `contents` as the whole file `fileName`; "" when it was written, else the reason
// (without the file name).
QString WriteWholeFile(const QString &fileName, const QByteArray &contents);

// The same for contents produced by `fill` into the open temporary file; `fill` returns "" when
// it wrote everything, else its reason.
QString WriteWholeFile(const QString &fileName, const std::function<QString(QIODevice &)> &fill);
