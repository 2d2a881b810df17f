#pragma once
// Files as the command line reads and writes them: only regular files are read (a FIFO or a
// device named like a file would block or lie about its size), and every output is written
// whole or not at all.
#include <QByteArray>
#include <QString>

namespace CliFiles {

// The whole contents of a regular file; false with `error` set otherwise.
bool ReadRegular(const QString &fileName, QByteArray *contents, QString *error);

// Writes `contents` through a temporary file that replaces `fileName` only once complete.
bool WriteAtomically(const QString &fileName, const QByteArray &contents, QString *error);

// True when `fileName` could be written (its folder exists and takes a new file); nothing is left.
bool Writable(const QString &fileName, QString *error);

}  // namespace CliFiles
