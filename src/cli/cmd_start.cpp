// start: a controller left waiting in its bootloader is ordered to start its application.
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/commands.h"

int RunStart(Cli &cli)
{
    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    CliLink link(cli, port);
    link.StartApplicationFirst();
    if (!link.Connect()) return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    return PrintIdentity(cli, link, port);
}
