#include "cli/recipe.h"

namespace {

// What stands between a name and its value in a show line, and between the two values of a diff
// line.
const QString NameEnd = QStringLiteral(": ");
const QString Arrow = QStringLiteral(" -> ");

// Where the name of a line ends at the earliest: at its first ": ", or at a colon that ends the
// line (an editor that strips trailing blanks leaves "NAME:" for an empty value, a blank label);
// -1 for neither.
qsizetype FirstNameEnd(const QString &line)
{
    const qsizetype at = line.indexOf(NameEnd);
    return at >= 0 ? at : line.endsWith(QLatin1Char(':')) ? line.size() - 1 : -1;
}

}  // namespace

bool ReadRecipe(const QByteArray &text, QList<RecipeLine> *lines, int *badLine, QString *reason)
{
    const QList<QByteArray> rows = text.split('\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QString line = QString::fromUtf8(rows[i]);
        // A recipe kept on Windows ends its lines in CR LF.
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString bare = line.trimmed();
        if (bare.isEmpty() || bare.startsWith(QLatin1Char('#'))) continue;
        *badLine = int(i + 1);
        if (const qsizetype nameEnd = FirstNameEnd(line); nameEnd < 0 || line.left(nameEnd).trimmed().isEmpty()) {
            *reason = QStringLiteral("not a setting (NAME: VALUE, or NAME: A -> B)");
            return false;
        }
        // Two arrows could split a diff line either way: refused rather than guessed.
        if (const qsizetype arrow = line.indexOf(Arrow); arrow >= 0 && line.indexOf(Arrow, arrow + 1) >= 0) {
            *reason = QStringLiteral("more than one ' -> ': which value is meant cannot be told");
            return false;
        }
        lines->append({line, int(i + 1)});
    }
    return true;
}

Catalogue::Setting SettingOfLine(const QString &line, uint8_t product)
{
    Catalogue::Setting setting;
    if (!Catalogue::SplitSettingLine(line, product, &setting)) {
        const qsizetype nameEnd = FirstNameEnd(line);
        setting = {line.left(nameEnd), line.mid(nameEnd + NameEnd.size())};
    }
    if (const qsizetype arrow = setting.value.indexOf(Arrow); arrow >= 0) setting.value = setting.value.mid(arrow + Arrow.size());
    return setting;
}

bool SettingFromWord(const QString &word, Catalogue::Setting *setting)
{
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    if (equals <= 0 || word.left(equals).trimmed().isEmpty()) return false;
    *setting = {word.left(equals), word.mid(equals + 1)};
    return true;
}
