// flash and read-flash: firmware runs in the controller's bootloader, driven by the link worker
// exactly as the window's upgrade.
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/files.h"
#include "cli/hexcheck.h"

namespace {

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
        if (!cli.Options().quiet) cli.Out(QStringLiteral("flash read into ") + outFile);
        return Exit::Ok;
    case FirmwareOutcome::Mismatch: return cli.Fail(Exit::Difference, port, QStringLiteral("the flash read back differs from ") + hexFile);
    case FirmwareOutcome::NoFile:
    case FirmwareOutcome::FileRefused: return cli.Fail(Exit::File, hexFile, text);
    case FirmwareOutcome::BackupNotKept: return cli.Fail(Exit::File, outFile, text + QStringLiteral("; nothing was programmed"));
    case FirmwareOutcome::ReadFailed:
        return cli.Fail(Exit::Link, port, hexFile.isEmpty() ? text : text + QStringLiteral("; nothing was programmed"));
    case FirmwareOutcome::ProgramFailed: return cli.Fail(Exit::Link, port, text);
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
    if (!backup.isEmpty() && !CliFiles::Writable(backup, &error)) return cli.Fail(Exit::File, backup, error);

    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    CliLink link(cli, port);
    FirmwareOutcome outcome{};
    if (!link.RunFirmware({hexFile, !backup.isEmpty(), false}, backup, &outcome))
        return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    return Report(cli, link, outcome, hexFile, backup);
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
