// set: settings of a *.joy file or of the controller changed by name, NAME=VALUE each.
#include "core/catalog/recipe.h"
#include "cli/changesettings.h"
#include "cli/cli.h"
#include "cli/commands.h"

int RunSet(Cli &cli)
{
    const QStringList &arguments = cli.Options().arguments;
    QList<Catalogue::Setting> settings;
    for (const QString &word : arguments.mid(1)) {
        Catalogue::Setting setting;
        if (!Catalogue::SettingFromWord(word, &setting))
            return cli.Fail(Exit::Usage, {}, QStringLiteral("'%1' is not NAME=VALUE (quarntrim-cli set --help)").arg(word));
        settings << setting;
    }
    SettingsRequest request;
    request.settingsFor = [&](uint8_t) { return settings; };
    return ChangeSettings(cli, arguments.first(), request);
}
