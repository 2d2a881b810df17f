// flash and read-flash: firmware runs in the controller's bootloader, driven by the link worker
// exactly as the window's upgrade.
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/files.h"
#include "cli/hexcheck.h"

namespace {

const char *const kFlashErased = "the flash is erased: there is no firmware to keep, and no file was written";

// The exit status and line of a run's end; `subject` names the file the outcome concerns.
int Report(Cli &cli, const CliLink &link, FirmwareOutcome outcome, const QString &hexFile, const QString &outFile)
{
    const QString port = link.Port().label;
    const QString text = link.FailureText();
    switch (outcome) {
    case FirmwareOutcome::Verified:
        if (!cli.Options().quiet) cli.Out(QStringLiteral("Upload completed and verified!"));
        return Exit::Ok;
    case FirmwareOutcome::FlashRead:
        if (!cli.Options().quiet && !CliFiles::IsStandardOutput(outFile)) cli.Out(QStringLiteral("flash read into ") + outFile);
        return Exit::Ok;
    case FirmwareOutcome::FlashErased: return cli.Fail(Exit::File, outFile, QString::fromLatin1(kFlashErased));
    case FirmwareOutcome::Mismatch: return cli.Fail(Exit::Difference, port, QStringLiteral("the flash read back differs from ") + hexFile);
    case FirmwareOutcome::NoFile:
    case FirmwareOutcome::FileRefused: return cli.Fail(Exit::File, hexFile, text);
    case FirmwareOutcome::BackupNotKept: return cli.Fail(Exit::File, CliFiles::Named(outFile), text + QStringLiteral("; nothing was programmed"));
    case FirmwareOutcome::ReadFailed:
        return cli.Fail(Exit::Link, port, hexFile.isEmpty() ? text : text + QStringLiteral("; nothing was programmed"));
    // The flash may well be right after a read-back that failed: the line failed, no difference was seen.
    case FirmwareOutcome::ReadBackFailed:
    case FirmwareOutcome::ProgramFailed: return cli.Fail(Exit::Link, port, text);
    case FirmwareOutcome::Incomplete: return cli.Fail(Exit::Incomplete, port, text);
    }
    return Exit::Link;
}

}  // namespace

int RunFlash(Cli &cli)
{
    const QString hexFile = cli.Options().arguments.first();
    const QString backup = cli.Options().backup;
    if (const int status = CheckFirmwareFile(cli, hexFile); status != Exit::Ok) return status;
    QString error;
    // Standard output carries the run's result line: a backup there could not be told from it.
    if (CliFiles::IsStandardOutput(backup)) return cli.Fail(Exit::Usage, QStringLiteral("--backup"), QStringLiteral("needs a file, not standard output"));
    if (!backup.isEmpty() && !CliFiles::Writable(backup, &error)) return cli.Fail(Exit::File, backup, error);

    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    bool incomplete = false;
    int status = Exit::Link;
    QString failure;
    {
        CliLink link(cli, port);
        link.ReportIncompleteFirmwareTo(&incomplete);
        FirmwareOutcome outcome{};
        if (link.RunFirmware({hexFile, !backup.isEmpty(), false}, backup, &outcome)) {
            // Nothing to keep is no reason not to program; the missing file is told all the same.
            if (link.FlashWasErased()) cli.Fail(Exit::Ok, backup, QString::fromLatin1(kFlashErased));
            return Report(cli, link, outcome, hexFile, backup);
        }
        status = link.FailureStatus();
        failure = link.FailureText();
    }
    // The wait ended first (a signal): the run ends as the worker stops, and a programming it cut
    // short must be told as such, whatever ended the wait.
    if (incomplete) return cli.Fail(Exit::Incomplete, port.label, failure + QStringLiteral(": ") + QString::fromLatin1(FirmwareIncompleteText));
    return cli.Fail(status, port.label, failure);
}

int RunReadFlash(Cli &cli)
{
    const QString outFile = cli.Options().arguments.first();
    QString error;
    if (!CliFiles::Writable(outFile, &error)) return cli.Fail(Exit::File, outFile, error);
    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    CliLink link(cli, port);
    FirmwareOutcome outcome{};
    if (!link.RunFirmware({QString(), false, true}, outFile, &outcome))
        return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    return Report(cli, link, outcome, QString(), outFile);
}
