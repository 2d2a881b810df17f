// identify: the controller on the port, as it announces itself.
#include "core/catalog/catalogue.h"
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/commands.h"

#include <QJsonDocument>
#include <QJsonObject>

int RunIdentify(Cli &cli)
{
    PortChoice port;
    if (!ChoosePort(cli, &port)) return Exit::Usage;
    CliLink link(cli, port);
    // Announcing is not hearing: the controller must answer the tool before it counts as there.
    if (!link.Connect() || !link.Probe()) return cli.Fail(link.FailureStatus(), port.label, link.FailureText());
    return PrintIdentity(cli, link, port);
}

int PrintIdentity(Cli &cli, const CliLink &link, const PortChoice &port)
{
    const QString letter = QString(QChar(link.ProductLetter()));
    uint8_t product = 0;
    Catalogue::ProductFromLetter(letter, &product);
    const QString name = Catalogue::ProductName(product);
    if (cli.Options().json) {
        const QJsonObject object{{QStringLiteral("port"), port.label},
                                 {QStringLiteral("product"), letter},
                                 {QStringLiteral("name"), name},
                                 {QStringLiteral("banner"), link.Banner()}};
        cli.Out(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed());
    } else {
        cli.Out(QStringLiteral("product: ") + letter + QStringLiteral(" (") + name + QLatin1Char(')'));
        cli.Out(QStringLiteral("banner: ") + link.Banner());
    }
    return Exit::Ok;
}
