// A value in the page's words turned into the bytes the page's control stores for it. A value is
// matched against the texts the field reads as, with case and blanks not mattering, and a number may
// leave out its unit ("9.5" for "9.5v", "115" or "115 Hz" for "115 Hertz"). A raw byte is given as
// "byte:N", or as a value followed by the bytes it stands for, the form `diff` prints
// ("12.0v (byte 239)").
#include "core/catalog/editvalue.h"

#include "core/catalog/quotedtext.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>

namespace Catalogue {

namespace {

QString Folded(const QString &text) { return text.simplified().toCaseFolded(); }

// The units numbers are written with, folded.
namespace Unit {
const QString Seconds = QStringLiteral("s");
const QString Milliseconds = QStringLiteral("ms");
constexpr double MillisecondsPerSecond = 1000;
}  // namespace Unit

// A value text around its one number, as the pages print numbers: "9.5v", "115 Hertz", "0.8 s",
// "100 %", "ID 12", "Time Between Increases 20 ms" or a bare number.
struct NumberText {
    double number = 0;
    QString before, after;
};

std::optional<NumberText> SplitNumber(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(R"(^\s*([a-z ]*?)\s*(\d+(?:\.\d+)?)\s*(v|hertz|hz|ms|s|%)?\s*$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) return std::nullopt;
    QString after = match.captured(3).toCaseFolded();
    if (after == QStringLiteral("hz")) after = QStringLiteral("hertz");
    return NumberText{match.captured(2).toDouble(), Folded(match.captured(1)), after};
}

bool Stores(const FieldDef &def, const CalImageBytes &image, int b)
{
    return !def.edit.stores || def.edit.stores(image, b);
}

bool Keeps(const FieldDef &def, const CalImageBytes &image, int b)
{
    return def.edit.kept ? def.edit.kept(image, b) : Stores(def, image, b);
}

// What each byte of a one-byte field reads as: the text, folded, and its number.
struct TextTable {
    QStringList texts, folded;
    QList<std::optional<NumberText>> split;
};

TextTable MakeTable(const FieldDef &def, CalImageBytes image)
{
    TextTable table;
    const size_t offset = size_t(def.offsets.first());
    for (int b = 0; b < 256; ++b) {
        image[offset] = uint8_t(b);
        table.texts << def.value(image);
        table.folded << Folded(table.texts.last());
        table.split << SplitNumber(table.texts.last());
    }
    return table;
}

}  // namespace

struct ByteTextCache {
    std::once_flag once;
    TextTable table;
};

std::shared_ptr<ByteTextCache> NewByteTextCache() { return std::make_shared<ByteTextCache>(); }

namespace {

// The texts of the bytes on the image, and whether the field is one of numbers (the same words
// and unit around every stored value).
struct ByteTexts {
    TextTable table;
    bool numbers = false;
    QString unit;  // of a field of numbers, folded ("v", "hertz", "s", "%", or none)
    const QString &text(int b) const { return table.texts[b]; }
};

ByteTexts TextsOf(const FieldDef &def, const CalImageBytes &image)
{
    ByteTexts all;
    if (def.edit.cache) {
        // A field reading its own byte only: its texts are made once.
        std::call_once(def.edit.cache->once, [&] { def.edit.cache->table = MakeTable(def, image); });
        all.table = def.edit.cache->table;
    } else {
        all.table = MakeTable(def, image);
    }
    const std::optional<NumberText> *first = nullptr;
    all.numbers = true;
    for (int b = 0; b < 256 && all.numbers; ++b) {
        if (!Stores(def, image, b)) continue;
        const std::optional<NumberText> &split = all.table.split[b];
        if (!first) first = &split;
        all.numbers = split && (*first)->before == split->before && (*first)->after == split->after;
    }
    all.numbers = all.numbers && first;
    if (all.numbers) all.unit = (*first)->after;
    return all;
}

// A wanted value, folded and split once for the comparisons with every byte's text.
struct Wanted {
    explicit Wanted(const QString &text) : folded(Folded(text)), split(SplitNumber(text)) {}
    QString folded;
    std::optional<NumberText> split;
};

// Whether byte b reads as the value.
bool Reads(const ByteTexts &all, int b, const Wanted &wanted)
{
    if (all.table.folded[b] == wanted.folded) return true;
    const std::optional<NumberText> &have = all.table.split[b];
    const std::optional<NumberText> &want = wanted.split;
    if (!all.numbers || !have || !want || have->number != want->number) return false;
    return (want->before.isEmpty() || want->before == have->before) && (want->after.isEmpty() || want->after == have->after);
}

Resolved Refused(const QString &why) { return {false, false, {}, why}; }

// A refusal stays one short line: a short list is named whole, a long one by its size.
constexpr qsizetype LongestListNamed = 8;

QString NotOneOf(const QStringList &texts, const QString &name)
{
    if (texts.size() <= LongestListNamed) return QStringLiteral("is not one of: %1").arg(texts.join(QStringLiteral(", ")));
    return QStringLiteral("is not one of its %1 values: see quarntrim-cli set --help '%2'").arg(texts.size()).arg(name);
}

Resolved Storing(const QByteArray &raw) { return {true, false, raw, {}}; }

// "byte:N" (or "bytes:N N ..." for a field of several bytes): exactly those bytes.
std::optional<Resolved> RawForm(const FieldDef &def, const QString &wanted)
{
    static const QRegularExpression form(QStringLiteral(R"(^bytes?\s*:\s*(\d+(?:\s+\d+)*)$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(wanted);
    if (!match.hasMatch()) return std::nullopt;
    const QStringList numbers = match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString expected = def.offsets.size() == 1
                                 ? QStringLiteral("is not a byte: byte:N takes N from 0 to 255")
                                 : QStringLiteral("is not the field's bytes: bytes: takes %1 numbers from 0 to 255").arg(def.offsets.size());
    if (numbers.size() != def.offsets.size()) return Refused(expected);
    QByteArray raw;
    for (const QString &number : numbers) {
        const int b = number.toInt();
        if (number.size() > 3 || b > 255) return Refused(expected);
        raw.append(char(b));
    }
    return Storing(raw);
}

// "TEXT (byte N)" as `diff` and `show` print a value whose text does not fix its byte.
std::optional<Resolved> TextWithBytes(const FieldDef &def, const CalImageBytes &image, const QString &wanted)
{
    static const QRegularExpression form(QStringLiteral(R"(^(.*?)\s*\(bytes?\s+(\d+(?:\s+\d+)*)\)$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(wanted);
    if (!match.hasMatch()) return std::nullopt;
    std::optional<Resolved> raw = RawForm(def, QStringLiteral("bytes:") + match.captured(2));
    if (!raw->ok) return raw;
    const QString text = TextWith(def, image, raw->raw);
    QString written = match.captured(1);
    qsizetype end = 0;
    if (QString quoted; ReadQuotedText(written, 0, &quoted, &end) && end == written.size()) written = quoted;
    if (Folded(text) != Folded(written))
        return Refused(QStringLiteral("does not match: those bytes read as %1").arg(text));
    return raw;
}

// What a value for a text field types: a quoted text's content exactly, else the value without the
// blanks at its ends (as today's unquoted labels are read). None for a quote left open.
std::optional<QString> TypedText(const FieldDef &def, const QString &wanted)
{
    const QString typed = wanted.trimmed();
    if (def.edit.textWidth == 0 || !typed.startsWith(QLatin1Char('"'))) return typed;
    QString text;
    qsizetype end = 0;
    if (ReadQuotedText(typed, 0, &text, &end) && end == typed.size()) return text;
    return std::nullopt;
}

// A text field: what its edit box stores for the text typed; a field of fixed choices: the choice
// reading as the value.
Resolved TextValue(const FieldDef &def, const CalImageBytes &image, const QString &typed)
{
    if (!def.edit.choices.isEmpty()) {
        QStringList texts;
        for (const QByteArray &raw : def.edit.choices) {
            texts << TextWith(def, image, raw);
            if (Folded(texts.last()) == Folded(typed)) return Storing(raw);
        }
        return Refused(NotOneOf(texts, def.name));
    }
    const QByteArray latin = typed.toLatin1();
    if (QString::fromLatin1(latin) != typed) return Refused(QStringLiteral("holds only Latin-1 characters"));
    if (latin.size() > def.edit.textWidth)
        return Refused(QStringLiteral("is longer than the %1 characters the field holds").arg(def.edit.textWidth));
    const int width = int(def.offsets.size());
    return Storing(def.edit.encodeText ? def.edit.encodeText(typed) : latin.leftJustified(width, '\0', true));
}

// Why a value no stored byte reads as is refused: the range of a number, else the values there are.
QString RefusalOf(const FieldDef &def, const CalImageBytes &image, const ByteTexts &all, const QString &wanted)
{
    QStringList texts;
    for (int b = 0; b < 256; ++b)
        if (Stores(def, image, b) && !texts.contains(all.text(b))) texts << all.text(b);
    if (texts.isEmpty()) return QStringLiteral("cannot be set: the page greys it as the image stands");
    const std::optional<NumberText> want = SplitNumber(wanted);
    if (!all.numbers || !want) return NotOneOf(texts, def.name);
    auto number = [](const QString &text) { return SplitNumber(text)->number; };
    QString lowest = texts.first(), highest = texts.first(), below, above;
    for (const QString &text : texts) {
        if (number(text) < number(lowest)) lowest = text;
        if (number(text) > number(highest)) highest = text;
        if (number(text) < want->number && (below.isEmpty() || number(text) > number(below))) below = text;
        if (number(text) > want->number && (above.isEmpty() || number(text) < number(above))) above = text;
    }
    if (above.isEmpty()) return QStringLiteral("is above the highest, %1").arg(highest);
    if (below.isEmpty()) return QStringLiteral("is below the lowest, %1").arg(lowest);
    return QStringLiteral("is not a value the page can set; the nearest are %1 and %2").arg(below, above);
}

// The page's byte among the stored bytes reading as the value: nearest its exact amount, else the
// lowest; then the control's own byte for it.
int PageByte(const FieldDef &def, const QList<int> &candidates, const QString &wanted)
{
    int chosen = candidates.first();
    const std::optional<NumberText> want = SplitNumber(wanted);
    if (def.edit.amount && want)
        for (int b : candidates)
            if (std::abs(def.edit.amount(b) - want->number) < std::abs(def.edit.amount(chosen) - want->number)) chosen = b;
    return def.edit.pageByte ? def.edit.pageByte(chosen) : chosen;
}

bool IsText(const FieldDef &def) { return def.edit.textWidth > 0 || !def.edit.choices.isEmpty(); }

// A number in another unit than the field's: milliseconds where the field takes seconds are
// turned into seconds; any other unit is refused naming the field's own.
std::optional<Resolved> InFieldUnit(const ByteTexts &all, QString *wanted)
{
    const std::optional<NumberText> want = SplitNumber(*wanted);
    if (!all.numbers || !want || want->after.isEmpty() || want->after == all.unit) return std::nullopt;
    if (want->after == Unit::Milliseconds && all.unit == Unit::Seconds) {
        *wanted = QString::number(want->number / Unit::MillisecondsPerSecond, 'g', 15) + QLatin1Char(' ') + Unit::Seconds;
        return std::nullopt;
    }
    return Refused(QStringLiteral("is in %1; the field takes %2").arg(want->after, all.unit.isEmpty() ? QStringLiteral("a plain number") : all.unit));
}

// The bytes the page stores for the value where the field does not read as it yet.
Resolved PageBytesFor(const FieldDef &def, const CalImageBytes &image, const ByteTexts &all, QString wanted)
{
    if (IsText(def)) return TextValue(def, image, wanted.trimmed());
    if (std::optional<Resolved> refused = InFieldUnit(all, &wanted)) return *refused;
    QList<int> candidates;
    const Wanted want(wanted);
    for (int b = 0; b < 256; ++b)
        if (Stores(def, image, b) && Reads(all, b, want)) candidates << b;
    if (candidates.isEmpty()) return Refused(RefusalOf(def, image, all, wanted));
    return Storing(QByteArray(1, char(PageByte(def, candidates, wanted))));
}

}  // namespace

QByteArray FieldBytes(const FieldDef &def, const CalImageBytes &image)
{
    QByteArray raw;
    for (int offset : def.offsets) raw.append(char(image[size_t(offset)]));
    return raw;
}

QString TextWith(const FieldDef &def, CalImageBytes image, const QByteArray &raw)
{
    for (qsizetype i = 0; i < def.offsets.size(); ++i) image[size_t(def.offsets[i])] = uint8_t(raw.at(i));
    return def.value(image);
}

Resolved ResolveValue(const FieldDef &def, const CalImageBytes &image, const QString &wanted)
{
    const QByteArray current = FieldBytes(def, image);
    std::optional<Resolved> given = RawForm(def, wanted.simplified());
    if (!given) given = TextWithBytes(def, image, wanted.simplified());
    const bool inBytes = given.has_value();
    if (!given && IsText(def)) {
        const std::optional<QString> typed = TypedText(def, wanted);
        given = typed ? TextValue(def, image, *typed)
                      : Refused(QStringLiteral("is no quoted text: \"...\" with \\\", \\\\ and \\xHH inside"));
    }
    Resolved resolved;
    if (given) {
        // Raw bytes the control could not store are set as they are, without its dependents.
        resolved = *given;
        resolved.inBytes = inBytes;
        if (def.offsets.size() == 1) resolved.byControl = resolved.ok && Stores(def, image, uint8_t(resolved.raw.at(0)));
        else resolved.byControl = def.edit.textWidth > 0 || def.edit.choices.contains(resolved.raw);
    } else {
        // A value in words means the page's own byte for it, whatever the field held before: the
        // same text gives the same image on every truck. Where two bytes read the same, a recipe
        // that must keep the other one carries it (" (byte N)").
        const ByteTexts all = TextsOf(def, image);
        resolved = PageBytesFor(def, image, all, wanted);
        // A control that cannot store the value (greyed, or one-way like Enable Stayhand) still
        // leaves a field that already reads as it, in a byte the page shows as it is.
        const int now = uint8_t(current.at(0));
        if (!resolved.ok && Keeps(def, image, now) &&
            (Folded(def.value(image)) == Folded(wanted) || Reads(all, now, Wanted(wanted))))
            return {true, true, current, {}};
    }
    resolved.kept = resolved.ok && resolved.raw == current;
    return resolved;
}

QString ValuesTaken(const FieldDef &def, const CalImageBytes &image)
{
    if (def.edit.textWidth > 0)
        return QStringLiteral("a text of up to %1 characters, best quoted (\"...\")").arg(def.edit.textWidth);
    QStringList texts;
    if (!def.edit.choices.isEmpty()) {
        for (const QByteArray &raw : def.edit.choices) texts << TextWith(def, image, raw);
        return QStringLiteral("one of: %1").arg(texts.join(QStringLiteral(", ")));
    }
    const ByteTexts all = TextsOf(def, image);
    for (int b = 0; b < 256; ++b)
        if (Stores(def, image, b) && !texts.contains(all.text(b))) texts << all.text(b);
    if (texts.isEmpty()) return QStringLiteral("none as the image stands: the page greys it");
    if (!all.numbers) return QStringLiteral("one of: %1").arg(texts.join(QStringLiteral(", ")));
    auto number = [](const QString &text) { return SplitNumber(text)->number; };
    const auto [lowest, highest] = std::minmax_element(texts.begin(), texts.end(),
                                                       [&](const QString &x, const QString &y) { return number(x) < number(y); });
    return QStringLiteral("%1 values from %2 to %3").arg(texts.size()).arg(*lowest, *highest);
}

bool TextFixesBytes(const FieldDef &def, const CalImageBytes &image)
{
    const QByteArray current = FieldBytes(def, image);
    const QString text = def.value(image);
    if (def.edit.pairHolds && !def.edit.pairHolds(image)) return false;
    if (IsText(def)) {
        const Resolved set = TextValue(def, image, text);
        return set.ok && set.raw == current;
    }
    const Resolved set = PageBytesFor(def, image, TextsOf(def, image), text);
    return set.ok && set.raw == current;
}

}  // namespace Catalogue
