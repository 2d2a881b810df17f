#pragma once
// The command line's frame: its options, its exit statuses, and the three ways it speaks (results
// on standard output; one line per failure and, on a terminal, a progress line on standard error).
#include "cli/bytelog.h"

#include <QChar>
#include <QString>
#include <QStringList>

// Exit statuses, as scripts rely on them.
namespace Exit {
constexpr int Ok = 0;
constexpr int Difference = 1;  // diff found one, send read back something else, verification failed
constexpr int Usage = 2;
constexpr int Link = 3;        // no controller, the port, a transfer or the bootloader
constexpr int File = 4;        // unreadable, wrong size, a HEX record error, cannot write
constexpr int Incomplete = 5;  // programming stopped part-way (a signal included) or was not verified:
                               // the controller waits in its bootloader to be flashed again
}  // namespace Exit

struct CliOptions {
    QString port;          // --port as given; empty: the window's stored COM port
    int waitMs = 10000;    // --wait: how long a controller may take to announce itself
    bool json = false;
    bool quiet = false;
    QChar product;         // --product: the layout a *.joy file is read with (null: chosen by the file)
    QString output;        // -o
    QString backup;        // --backup
    bool probe = false;    // --probe
    bool dryRun = false;   // --dry-run: set and apply tell what would change, writing and sending nothing
    QString log;           // --log: every byte on the line, with its time, into this file
    QString unit;          // --unit: the truck or machine the controller is fitted to, for the history
    QStringList arguments; // the command's own arguments
};

class Cli {
public:
    explicit Cli(CliOptions options);

    const CliOptions &Options() const { return m_options; }
    // "quarntrim-cli: SUBJECT: TEXT" on standard error; returns `status`.
    int Fail(int status, const QString &subject, const QString &text);
    // A line on standard output, through the checked path every command's results take.
    void Out(const QString &line);
    // A progress line on standard error, rewritten in place; only on a terminal and without --quiet.
    void Progress(const QString &text, int percent);
    // Ends the progress line (before a result or failure is printed).
    void EndProgress();
    // The bytes on the line, for --log.
    ByteLog &Log() { return m_log; }

private:
    CliOptions m_options;
    bool m_progressShown = false;
    bool m_terminal;
    ByteLog m_log{!m_options.log.isEmpty()};
};
