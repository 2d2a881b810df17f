// verify: the controller's flash read back through its bootloader and compared with a HEX file,
// with the comparison `flash` makes after programming; nothing is programmed.
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/hexcheck.h"

int RunVerify(Cli &cli)
{
    const QString hexFile = cli.Options().arguments.first();
    if (const int status = CheckFirmwareFile(cli, hexFile); status != Exit::Ok) return status;
    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    CliLink link(cli, port);
    FirmwareJob job{hexFile};
    job.verifyOnly = true;
    FirmwareOutcome outcome{};
    if (!link.RunFirmware(job, QString(), &outcome)) return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    // The run's status text names the first differing address or the block that could not be read.
    switch (outcome) {
    case FirmwareOutcome::Verified:
        if (!cli.Options().quiet) cli.Out(QStringLiteral("the flash matches ") + hexFile);
        return Exit::Ok;
    case FirmwareOutcome::Mismatch:
        return cli.Fail(Exit::Difference, port.label, link.FailureText() + QStringLiteral(" (") + hexFile + QLatin1Char(')'));
    case FirmwareOutcome::NoFile:
    case FirmwareOutcome::FileRefused: return cli.Fail(Exit::File, hexFile, link.FailureText());
    default: return cli.Fail(Exit::Link, port.label, link.FailureText());
    }
}
