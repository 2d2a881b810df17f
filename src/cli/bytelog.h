#pragma once
// --log: every byte that crosses the line during a command, with the time the command line took
// it from the link worker, one per line as the window's log shows it ("> n" sent, "< n" received):
//     2026-12-09T06:31:26.123Z COM7 > 255
// The lines are kept in memory and the file is written whole once the command has ended, whether
// it succeeded or failed.
#include <QByteArray>
#include <QString>

class Cli;
struct Command;

class ByteLog {
public:
    // A log that is not `recording` keeps nothing (no --log given).
    explicit ByteLog(bool recording = false) : m_recording(recording) {}

    // A byte sent to (`sent`) or received from the controller on `port` ("COM7" or a device path).
    void Record(const QString &port, bool sent, int value);
    const QByteArray &Text() const { return m_text; }

private:
    bool m_recording;
    QByteArray m_text;
};

// Runs `command`; with --log, refuses at once a log file that cannot be written (exit 4, nothing
// sent), and afterwards writes the log whole. A log that cannot be written fails a command that
// had succeeded (exit 4) and leaves another failure's status as it was.
int RunWithByteLog(Cli &cli, const Command &command);
