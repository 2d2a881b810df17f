// send: a *.joy file to the controller, then the image read back and compared byte for byte; set
// and apply send a changed image to the controller the same way.
#include "cli/cli.h"
#include "cli/clihistory.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/files.h"

namespace {

// "byte 12" or "bytes 12, 40 and 3 more": where the read-back differs.
QString Differences(const CalImageBytes &a, const CalImageBytes &b)
{
    constexpr int Named = 8;
    QStringList offsets;
    int count = 0;
    for (int i = 0; i < CalImageSize; ++i)
        if (a[i] != b[i] && ++count <= Named) offsets << QString::number(i);
    QString text = (count == 1 ? QStringLiteral("byte ") : QStringLiteral("bytes ")) + offsets.join(QStringLiteral(", "));
    if (count > Named) text += QStringLiteral(" and %1 more").arg(count - Named);
    return text;
}

}  // namespace

int RunSend(Cli &cli)
{
    const QString fileName = cli.Options().arguments.first();
    QByteArray contents;
    QString error;
    if (!CliFiles::ReadRegular(fileName, &contents, &error)) return cli.Fail(Exit::File, fileName, error);
    // A script must not send a padded or cut image: exactly the image's bytes, or nothing.
    if (contents.size() != CalImageSize)
        return cli.Fail(Exit::File, fileName,
                        QStringLiteral("%1 bytes; a calibration image is exactly %2").arg(contents.size()).arg(CalImageSize));
    CalImageBytes image{};
    std::copy(contents.begin(), contents.end(), image.begin());

    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    CliLink link(cli, port);
    if (!link.Connect()) return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    return SendAndReadBack(cli, link, image, fileName);
}

int SendAndReadBack(Cli &cli, CliLink &link, const CalImageBytes &image, const QString &sent)
{
    const QString &port = link.Port().label;
    CalImageBytes readBack{};
    if (!link.Upload(image)) return cli.Fail(link.FailureStatus(), port, link.FailureText());
    KeepInHistory(link, HistoryKind::Upload, image);
    if (!link.Download(&readBack)) return cli.Fail(link.FailureStatus(), port, link.FailureText());
    KeepInHistory(link, HistoryKind::Download, readBack);
    if (readBack != image)
        return cli.Fail(Exit::Difference, port, QStringLiteral("the image read back differs from %1 at %2").arg(sent, Differences(image, readBack)));
    return Exit::Ok;
}
