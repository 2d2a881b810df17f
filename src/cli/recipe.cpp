#include "cli/recipe.h"

#include <QSet>

namespace {

// What stands between a name and its value in a show line, and between the two values of a diff
// line.
const QString NameEnd = QStringLiteral(": ");
const QString Arrow = QStringLiteral(" -> ");

// A name as the edit rules match it: case and runs of blanks do not matter.
QString Comparable(const QString &name) { return name.simplified().toCaseFolded(); }

// Where a name can end in a line: before each ": ", and before a colon that ends the line (an
// editor that strips trailing blanks leaves "NAME:" for an empty value, a blank label).
QList<qsizetype> NameEnds(const QString &line)
{
    QList<qsizetype> ends;
    for (qsizetype at = line.indexOf(NameEnd); at >= 0; at = line.indexOf(NameEnd, at + 1)) ends << at;
    if (line.endsWith(QLatin1Char(':'))) ends << line.size() - 1;
    return ends;
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
        const QList<qsizetype> nameEnds = NameEnds(line);
        if (nameEnds.isEmpty() || line.left(nameEnds.first()).trimmed().isEmpty()) {
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

Catalogue::Setting SettingOfLine(const QString &line, const QStringList &names)
{
    QSet<QString> known;
    for (const QString &name : names) known.insert(Comparable(name));
    const QList<qsizetype> nameEnds = NameEnds(line);
    qsizetype nameEnd = nameEnds.value(0, line.size());
    for (const qsizetype at : nameEnds)
        if (known.contains(Comparable(line.left(at)))) nameEnd = at;
    QString value = line.mid(nameEnd + NameEnd.size());
    // A diff line asks for what the setting became.
    if (const qsizetype arrow = value.indexOf(Arrow); arrow >= 0) value = value.mid(arrow + Arrow.size());
    return {line.left(nameEnd), value};
}

bool SettingFromWord(const QString &word, Catalogue::Setting *setting)
{
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    if (equals <= 0 || word.left(equals).trimmed().isEmpty()) return false;
    *setting = {word.left(equals), word.mid(equals + 1)};
    return true;
}
