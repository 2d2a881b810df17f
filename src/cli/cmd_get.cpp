// get: the controller's image into a *.joy file, written only once the whole image has arrived,
// or onto standard output for "-".
#include "cli/cli.h"
#include "cli/clihistory.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/files.h"

int RunGet(Cli &cli)
{
    const QString fileName = cli.Options().arguments.first();
    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    QString error;
    // A file that cannot be written is found before the controller is bothered.
    if (!CliFiles::Writable(fileName, &error)) return cli.Fail(Exit::File, CliFiles::Named(fileName), error);
    CliLink link(cli, port);
    CalImageBytes image{};
    if (!link.Connect() || !link.Download(&image)) return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    KeepInHistory(link, HistoryKind::Download, image);
    const QByteArray bytes(reinterpret_cast<const char *>(image.data()), CalImageSize);
    if (!CliFiles::WriteAtomically(fileName, bytes, &error)) return cli.Fail(Exit::File, CliFiles::Named(fileName), error);
    return Exit::Ok;
}
