#include "cli/hexcheck.h"

#include "cli/cli.h"
#include "cli/files.h"
#include "core/hex/flashimage.h"

int CheckFirmwareFile(Cli &cli, const QString &hexFile)
{
    QByteArray contents;
    QString error;
    if (!CliFiles::ReadRegular(hexFile, &contents, &error)) return cli.Fail(Exit::File, hexFile, error);
    FlashImage check;
    if (!check.LoadHexText(contents, FlashImage::kSize, &error)) return cli.Fail(Exit::File, hexFile, error);
    if (!check.HasData()) return cli.Fail(Exit::File, hexFile, QStringLiteral("Firmware file holds no data"));
    return Exit::Ok;
}
