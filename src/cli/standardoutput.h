#pragma once
// Standard output, written through one checked path by every command: a failed or short write (a
// full disk, an I/O error) is told once at the end with the system's reason and ends the command
// with the file status; a reader that closed the pipe (`show | head`) ends the output quietly and
// the command keeps its own status, as other tools end without a word there.
#include <QByteArray>
#include <QString>

namespace StandardOutput {

// Once at start: a closed pipe is then told by the write that meets it rather than by a signal.
void Begin();
// Writes `bytes` whole and flushes them; false once standard output has failed or been closed
// (later writes are dropped).
bool Write(const QByteArray &bytes);
// `line` and a line end.
bool WriteLine(const QString &line);
// Flushes what is left; with a failure, says it on standard error and returns the status the
// command ends with (a failure's status stays, success or a difference becomes the file status).
int Finish(int status);

}  // namespace StandardOutput
