#include "cli/changesettings.h"

#include "core/wholefile.h"
#include "core/catalog/catalogue.h"
#include "cli/cli.h"
#include "cli/clihistory.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/imagesource.h"

namespace {

// "RECIPE:3" for the setting refused, "RECIPE:3 and RECIPE:7" with a second one it clashes with;
// the target when the settings have no places of their own.
QString RefusalPlace(const SettingsRequest &request, const Catalogue::SettingsRefusal &refusal, const QString &targetName)
{
    if (!request.place || refusal.setting < 0) return targetName;
    if (refusal.other < 0) return request.place(refusal.setting);
    const qsizetype first = std::min(refusal.setting, refusal.other), second = std::max(refusal.setting, refusal.other);
    return request.place(first) + QStringLiteral(" and ") + request.place(second);
}

QString ProductNamed(uint8_t product)
{
    return QStringLiteral("the %1 (%2)").arg(Catalogue::ProductName(product), Catalogue::ProductLetter(product));
}

}  // namespace

int ChangeSettings(Cli &cli, const QString &target, const SettingsRequest &request)
{
    ImageSources sources(cli);
    NamedImage named;
    int status = Exit::Ok;
    if (!sources.Load(target, false, &named, &status)) return status;
    CliLink *link = sources.Link();
    // The image as it was before the change is kept, as every image a command downloads.
    if (named.fromController) KeepInHistory(*link, HistoryKind::Download, named.image);
    const QString targetName = named.fromController ? link->Port().label : target;
    if (request.recipeProduct != Product::None && request.recipeProduct != named.product)
        return cli.Fail(Exit::Usage, request.recipeName,
                        QStringLiteral("a recipe for %1; %2 is read as %3").arg(ProductNamed(request.recipeProduct), targetName, ProductNamed(named.product)));

    const QList<Catalogue::Setting> settings = request.settingsFor(named.product);
    CalImageBytes changed = named.image;
    Catalogue::SettingsRefusal refusal;
    if (!Catalogue::ApplySettings(changed, named.product, settings, &refusal))
        return cli.Fail(Exit::Usage, RefusalPlace(request, refusal, targetName), refusal.text);
    const bool quiet = cli.Options().quiet;
    if (changed == named.image) {
        if (!quiet) cli.Out(QStringLiteral("nothing to change"));
        return Exit::Ok;
    }
    // A dry run only tells what would change.
    if (!cli.Options().dryRun) {
        if (named.fromController) {
            if (status = SendAndReadBack(cli, *link, changed, QStringLiteral("the image sent")); status != Exit::Ok) return status;
        } else if (const QString error = WriteWholeFile(target, QByteArray(reinterpret_cast<const char *>(changed.data()), CalImageSize));
                   !error.isEmpty()) {
            return cli.Fail(Exit::File, target, error);
        }
    }
    if (!quiet)
        for (const QString &line : Catalogue::DiffLines(Catalogue::Differences(named.image, changed, named.product))) cli.Out(line);
    return Exit::Ok;
}
