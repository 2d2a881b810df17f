// apply: the settings of a recipe (the lines show or diff prints) set on a *.joy file or on the
// controller, all of them or none.
#include "core/catalog/recipe.h"
#include "cli/changesettings.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/files.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A recipe names each of a few hundred settings once: anything far larger is no recipe, and is
// not read into memory whole.
constexpr qint64 RecipeLimit = 1 << 20;
const QString TooLarge = QStringLiteral("larger than 1 MiB: no recipe");

const QString StandardInput = QStringLiteral("-");

bool ReadStandardInput(QByteArray *text, QString *error)
{
    char buffer[65536];
    while (text->size() <= RecipeLimit) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, stdin);
        text->append(buffer, qsizetype(got));
        if (got < sizeof buffer) break;  // the end of the input, or a failure (told below)
    }
    if (std::ferror(stdin)) *error = QString::fromLocal8Bit(std::strerror(errno));
    else if (text->size() > RecipeLimit) *error = TooLarge;
    return error->isEmpty();
}

bool ReadRecipeText(const QString &name, QByteArray *text, QString *error)
{
    if (name == StandardInput) return ReadStandardInput(text, error);
    if (const QFileInfo info(name); info.isFile() && info.size() > RecipeLimit) {
        *error = TooLarge;
        return false;
    }
    return CliFiles::ReadRegular(name, text, error);
}

}  // namespace

int RunApply(Cli &cli)
{
    const QString target = cli.Options().arguments[0];
    const QString recipeName = cli.Options().arguments[1];
    const QString named = recipeName == StandardInput ? QStringLiteral("standard input") : recipeName;
    QByteArray text;
    QString error;
    if (!ReadRecipeText(recipeName, &text, &error)) return cli.Fail(Exit::File, named, error);
    const auto lineOf = [&](int number) { return QStringLiteral("%1:%2").arg(named).arg(number); };
    Catalogue::Recipe recipe;
    Catalogue::RecipeFault fault;
    if (!Catalogue::ReadRecipe(text, &recipe, &fault)) return cli.Fail(Exit::File, fault.line > 0 ? lineOf(fault.line) : named, fault.reason);
    SettingsRequest request;
    request.settingsFor = [&](uint8_t product) {
        QList<Catalogue::Setting> settings;
        for (const Catalogue::RecipeLine &line : recipe.lines) settings << Catalogue::SettingOfLine(line.text, product);
        return settings;
    };
    request.place = [&](qsizetype i) { return lineOf(recipe.lines[i].number); };
    request.recipeProduct = recipe.product;
    request.recipeName = named;
    return ChangeSettings(cli, target, request);
}
