#pragma once
// Files as the command line reads and writes them: only regular files are read or replaced (a
// FIFO or a device named like a file would block, lie about its size or be swapped for a plain
// file), every output is written whole or not at all, and "-" names standard output.
#include <QByteArray>
#include <QString>

namespace CliFiles {

// The whole contents of a regular file; false with `error` set otherwise.
bool ReadRegular(const QString &fileName, QByteArray *contents, QString *error);

// True when `fileName` is "-": the output goes to standard output.
bool IsStandardOutput(const QString &fileName);
// How a failure line names the output: the file name, or "standard output" for "-".
QString Named(const QString &fileName);

// Writes `contents` through a temporary file that replaces `fileName` only once complete, or to
// standard output for "-"; false with the reason in `error` when any part of it failed.
bool WriteAtomically(const QString &fileName, const QByteArray &contents, QString *error);

// True when `fileName` could be written (standard output, or a name in a folder that takes a
// new file and no pipe, device or socket); nothing is left.
bool Writable(const QString &fileName, QString *error);

}  // namespace CliFiles
