// show and diff: an image's named fields, or only those that differ between two images.
#include "core/catalog/catalogue.h"
#include "core/catalog/recipe.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/imagesource.h"

int RunShow(Cli &cli)
{
    ImageSources sources(cli);
    NamedImage named;
    int status = Exit::Ok;
    if (!sources.Load(cli.Options().arguments.first(), false, &named, &status)) return status;
    if (cli.Options().json) {
        cli.Out(QString::fromUtf8(Catalogue::ShowJson(Catalogue::Describe(named.image, named.product), named.product)).trimmed());
        return Exit::Ok;
    }
    for (const QString &line : Catalogue::RecipeLines(named.image, named.product, QStringLiteral(QUARN_VERSION))) cli.Out(line);
    return Exit::Ok;
}

int RunDiff(Cli &cli)
{
    ImageSources sources(cli);
    NamedImage a, b;
    int status = Exit::Ok;
    if (!sources.Load(cli.Options().arguments[0], true, &a, &status) || !sources.Load(cli.Options().arguments[1], true, &b, &status))
        return status;
    // Both are read with one layout: the controller's own if it is one of them, then a file's.
    const NamedImage &layout = a.fromController ? a : b.fromController ? b : a.fromFile ? a : b;
    const uint8_t product = layout.product;
    const QList<Catalogue::FieldDifference> diffs = Catalogue::Differences(a.image, b.image, product);
    if (cli.Options().json)
        cli.Out(QString::fromUtf8(Catalogue::DiffJson(diffs, product)).trimmed());
    else
        for (const QString &line : Catalogue::DiffLines(diffs)) cli.Out(line);
    return diffs.isEmpty() ? Exit::Ok : Exit::Difference;
}
