#include "core/catalog/recipe.h"

#include "core/catalog/catalogue.h"
#include "core/catalog/quotedtext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace Catalogue {

namespace {

// What stands between a name and its value in a show line.
const QString NameEnd = QStringLiteral(": ");

// The first and last lines show writes around a recipe.
const QString HeaderStart = QStringLiteral("# QuarnTrim recipe for the ");
const QString EndLine = QStringLiteral("# end of recipe");
const QString VersionBefore = QStringLiteral(", quarntrim-cli ");

// "# QuarnTrim recipe for the Quarn 2 (j), quarntrim-cli 1.4.0": the letter in brackets.
std::optional<QString> HeaderLetter(const QString &line)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*%1.*\((\w)\)(%2.*)?\s*$)").arg(QRegularExpression::escape(HeaderStart), QRegularExpression::escape(VersionBefore)));
    const QRegularExpressionMatch match = form.match(line);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

bool IsEndLine(const QString &line) { return line.trimmed().compare(EndLine, Qt::CaseInsensitive) == 0; }

// Where the name of a line ends at the earliest: at its first ": ", or at a colon that ends the
// line (an editor that strips trailing blanks leaves "NAME:" for an empty value); -1 for neither.
qsizetype FirstNameEnd(const QString &line)
{
    const qsizetype at = line.indexOf(NameEnd);
    return at >= 0 ? at : line.endsWith(QLatin1Char(':')) ? line.size() - 1 : -1;
}

bool Fault(RecipeFault *fault, int line, const QString &reason)
{
    *fault = {line, reason};
    return false;
}

const QString NotASetting = QStringLiteral("not a setting (NAME: VALUE, or NAME: A -> B)");

// `show --json`: each field set to its bytes.
bool ReadJsonRecipe(const QByteArray &text, Recipe *recipe, RecipeFault *fault)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (document.isNull()) return Fault(fault, 0, QStringLiteral("not show's JSON: %1").arg(error.errorString()));
    const QJsonObject object = document.object();
    if (!object.value(QStringLiteral("fields")).isArray()) return Fault(fault, 0, QStringLiteral("not show's JSON: no \"fields\""));
    const QString letter = object.value(QStringLiteral("product")).toString();
    if (!letter.isEmpty() && !ProductFromLetter(letter, &recipe->product))
        return Fault(fault, 0, QStringLiteral("a recipe for a controller this tool does not know, '%1'").arg(letter));
    const QJsonArray fields = object.value(QStringLiteral("fields")).toArray();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const int number = int(i + 1);
        const QJsonObject field = fields[i].toObject();
        const QString name = field.value(QStringLiteral("name")).toString();
        const QJsonArray raw = field.value(QStringLiteral("raw")).toArray();
        QStringList bytes;
        bool whole = !raw.isEmpty();
        for (const QJsonValue &byte : raw) {
            const double b = byte.toDouble(-1);
            whole = whole && byte.isDouble() && b >= 0 && b <= 255 && b == std::floor(b);
            bytes << QString::number(int(whole ? b : 0));
        }
        if (name.trimmed().isEmpty() || !whole)
            return Fault(fault, number, QStringLiteral("field %1 has no name or no bytes 0..255").arg(number));
        recipe->lines.append({name + NameEnd + QStringLiteral("bytes:") + bytes.join(QLatin1Char(' ')), number});
    }
    return true;
}

}  // namespace

bool ReadRecipe(const QByteArray &text, Recipe *recipe, RecipeFault *fault)
{
    *recipe = {};
    if (text.trimmed().startsWith('{')) return ReadJsonRecipe(text, recipe, fault);
    const QList<QByteArray> rows = text.split('\n');
    bool headed = false, ended = false, first = true;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int number = int(i + 1);
        QString line = QString::fromUtf8(rows[i]);
        // A recipe kept on Windows ends its lines in CR LF.
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString bare = line.trimmed();
        if (bare.isEmpty()) continue;
        if (first) {
            first = false;
            if (const std::optional<QString> letter = HeaderLetter(line)) {
                if (!ProductFromLetter(*letter, &recipe->product))
                    return Fault(fault, number, QStringLiteral("a recipe for a controller this tool does not know, '%1'").arg(*letter));
                headed = true;
                continue;
            }
        }
        if (IsEndLine(line)) {
            ended = true;
            continue;
        }
        if (bare.startsWith(QLatin1Char('#'))) continue;
        if (ended) return Fault(fault, number, QStringLiteral("a setting after the line '%1'").arg(EndLine));
        if (const qsizetype nameEnd = FirstNameEnd(line); nameEnd < 0 || line.left(nameEnd).trimmed().isEmpty())
            return Fault(fault, number, NotASetting);
        // Two arrows could split a diff line either way: refused rather than guessed.
        if (ArrowsOutsideQuotes(line).size() > 1)
            return Fault(fault, number, QStringLiteral("more than one ' -> ': which value is meant cannot be told"));
        recipe->lines.append({line, number});
    }
    if (headed && !ended) return Fault(fault, 0, QStringLiteral("cut short: the line '%1' is missing").arg(EndLine));
    return true;
}

namespace {
// Of a diff line's value, the value it became (none for a show line). An unquoted empty value has
// lost its blank to the trimming ("-> PLOW", "PLOW ->"); a quoted one keeps its quotes.
std::optional<QString> NewValue(const QString &value)
{
    const QString arrow = DiffArrow.trimmed();
    if (const QList<qsizetype> arrows = ArrowsOutsideQuotes(value); !arrows.isEmpty())
        return value.mid(arrows.last() + DiffArrow.size()).trimmed();
    if (value == arrow || value.endsWith(QLatin1Char(' ') + arrow)) return QString();
    if (value.startsWith(arrow + QLatin1Char(' '))) return value.mid(arrow.size()).trimmed();
    return std::nullopt;
}
}  // namespace

Setting SettingOfLine(const QString &line, uint8_t product)
{
    Setting setting;
    if (!SplitSettingLine(line, product, &setting)) {
        const qsizetype nameEnd = FirstNameEnd(line);
        setting = {line.left(nameEnd), line.mid(nameEnd + NameEnd.size()).trimmed()};
    }
    if (const std::optional<QString> value = NewValue(setting.value)) setting = {setting.name, *value, true};
    return setting;
}

bool SettingFromWord(const QString &word, Setting *setting)
{
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    if (equals <= 0 || word.left(equals).trimmed().isEmpty()) return false;
    *setting = {word.left(equals), word.mid(equals + 1)};
    return true;
}

QStringList RecipeLines(const CalImageBytes &image, uint8_t product, const QString &version)
{
    QString header = HeaderStart + ProductName(product) + QStringLiteral(" (%1)").arg(ProductLetter(product));
    if (!version.isEmpty()) header += VersionBefore + version;
    return QStringList{header} + ShowLines(Describe(image, product)) + QStringList{EndLine};
}

}  // namespace Catalogue
