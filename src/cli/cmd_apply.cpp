// apply: the settings of a recipe (the lines show or diff prints) set on a *.joy file or on the
// controller, all of them or none.
#include "cli/changesettings.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/files.h"
#include "cli/recipe.h"

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
    QList<RecipeLine> recipe;
    int badLine = 0;
    if (!ReadRecipe(text, &recipe, &badLine, &error)) return cli.Fail(Exit::File, QStringLiteral("%1:%2").arg(named).arg(badLine), error);
    const auto settingsFor = [&](uint8_t product) {
        QList<Catalogue::Setting> settings;
        for (const RecipeLine &line : recipe) settings << SettingOfLine(line.text, product);
        return settings;
    };
    return ChangeSettings(cli, target, settingsFor, [&](qsizetype i) { return QStringLiteral("%1:%2").arg(named).arg(recipe[i].number); });
}
