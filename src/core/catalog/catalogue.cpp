#include "core/catalog/catalogue.h"

#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/variants.h"
#include "core/catalog/editvalue.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/joysticktables.h"
#include "core/catalog/quotedtext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

namespace Catalogue {

namespace {
QByteArray RawBytes(const CalImageBytes &image, const QList<int> &offsets)
{
    QByteArray raw;
    for (int offset : offsets) raw.append(static_cast<char>(image[size_t(offset)]));
    return raw;
}

QJsonArray OffsetsJson(const QList<int> &offsets)
{
    QJsonArray array;
    for (int offset : offsets) array.append(offset);
    return array;
}

QJsonArray RawJson(const QByteArray &raw)
{
    QJsonArray array;
    for (char byte : raw) array.append(static_cast<uint8_t>(byte));
    return array;
}

QJsonObject ProductJson(uint8_t product)
{
    return {{QStringLiteral("product"), ProductLetter(product)}, {QStringLiteral("productName"), ProductName(product)}};
}
}  // namespace

const FieldDefs &FieldsOf(uint8_t product)
{
    // Built once, in the order of the variant table.
    static const QList<FieldDefs> lists = [] {
        QList<FieldDefs> built;
        for (const Variant &variant : Variants()) built.append(variant.fields ? variant.fields() : FieldDefs());
        return built;
    }();
    static const FieldDefs none;
    const Variant *variant = VariantOfCode(product);
    return variant ? lists.at(qsizetype(VariantIndex(*variant))) : none;
}

uint8_t ProductOfFile(const CalImageBytes &image)
{
    return image[Off::JoystickType] == Off::Dorsell::JoystickTypeMark ? Product::Dorsell : Product::Quarn;
}

bool ProductFromLetter(const QString &letter, uint8_t *product)
{
    if (letter.size() != 1 || letter.at(0).unicode() > 0x7f) return false;
    const Variant *variant = VariantOfLetter(uint8_t(letter.at(0).unicode()));
    if (!variant) return false;
    *product = variant->code;
    return true;
}

QString ProductLetter(uint8_t product)
{
    const Variant *variant = VariantOfCode(product);
    return variant ? QString(QLatin1Char(variant->letter)) : QString();
}

QString ProductName(uint8_t product)
{
    const Variant *variant = VariantOfCode(product);
    return variant ? QString::fromLatin1(variant->name) : QString();
}

int FrequencyBarPosition(const CalImageBytes &image, uint8_t product)
{
    return FrequencyPosition(FrequencyBarOf(product), image[Off::Frequency]);
}

QString ButtonModeListText(uint8_t code)
{
    const QStringList items = Joy::ModeItems();
    const int index = ModeCodeToIndex(code);
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

QList<FieldValue> Describe(const CalImageBytes &image, uint8_t product)
{
    QList<FieldValue> fields;
    std::array<bool, CalImageSize> covered{};
    for (const FieldDef &def : FieldsOf(product)) {
        fields.append({def.name, def.offsets, RawBytes(image, def.offsets), def.value(image), TextFixesBytes(def, image),
                       def.edit.textWidth > 0});
        for (int offset : def.offsets) covered[size_t(offset)] = true;
    }
    for (int offset = 0; offset < CalImageSize; ++offset)
        if (!covered[size_t(offset)])
            fields.append({QStringLiteral("byte %1").arg(offset), {offset}, RawBytes(image, {offset}),
                           QString::number(image[size_t(offset)])});
    std::stable_sort(fields.begin(), fields.end(),
                     [](const FieldValue &x, const FieldValue &y) { return x.offsets.first() < y.offsets.first(); });
    return fields;
}

uint8_t ProductReading(uint8_t current, const CalImageBytes &image)
{
    return current != Product::None ? current : ProductOfFile(image);
}

QList<FieldDifference> Differences(const CalImageBytes &a, const CalImageBytes &b, uint8_t product)
{
    // Both descriptions hold the same fields in the same order: the names of a product are fixed.
    const QList<FieldValue> fieldsA = Describe(a, product);
    const QList<FieldValue> fieldsB = Describe(b, product);
    QList<FieldDifference> diffs;
    for (qsizetype i = 0; i < fieldsA.size(); ++i) {
        const FieldValue &x = fieldsA[i];
        const FieldValue &y = fieldsB[i];
        if (x.raw != y.raw)
            diffs.append({x.name, x.offsets, x.raw, y.raw, x.value, y.value, x.textFixesBytes, y.textFixesBytes, x.quoted});
    }
    return diffs;
}

namespace {
// "0.1v (byte 3)", "ON (bytes 1 0)".
QString WithBytes(const QString &value, const QByteArray &raw)
{
    QStringList bytes;
    for (char b : raw) bytes << QString::number(uint8_t(b));
    return QStringLiteral("%1 (%2 %3)").arg(value, raw.size() == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"),
                                            bytes.join(QLatin1Char(' ')));
}


// A value as a recipe line writes it.
QString RecipeValue(const QString &value, const QByteArray &raw, bool fixesBytes, bool quoted)
{
    const QString text = quoted ? QuotedText(value) : value;
    return fixesBytes ? text : WithBytes(text, raw);
}
}  // namespace

QStringList ShowLines(const QList<FieldValue> &fields)
{
    QStringList lines;
    for (const FieldValue &field : fields)
        lines << field.name + QStringLiteral(": ") + RecipeValue(field.value, field.raw, field.textFixesBytes, field.quoted);
    return lines;
}

QString ShownAdjustmentsLine(const CalImageBytes &before, const CalImageBytes &after, uint8_t product)
{
    const qsizetype count = Differences(before, after, product).size();
    if (count == 0) return QString();
    return QStringLiteral("Shown as the page allows: %1 %2 adjusted; File > Compare lists them")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("setting") : QStringLiteral("settings"));
}

std::pair<QString, QString> DistinctValues(const FieldDifference &diff)
{
    if (diff.valueA != diff.valueB) return {diff.valueA, diff.valueB};
    return {WithBytes(diff.valueA, diff.rawA), WithBytes(diff.valueB, diff.rawB)};
}

QStringList DiffLines(const QList<FieldDifference> &diffs)
{
    QStringList lines;
    for (const FieldDifference &diff : diffs) {
        const bool same = diff.valueA == diff.valueB;
        lines << diff.name + QStringLiteral(": ") + RecipeValue(diff.valueA, diff.rawA, diff.fixesA && !same, diff.quoted) +
                     DiffArrow + RecipeValue(diff.valueB, diff.rawB, diff.fixesB && !same, diff.quoted);
    }
    return lines;
}

QByteArray ShowJson(const QList<FieldValue> &fields, uint8_t product)
{
    QJsonArray array;
    for (const FieldValue &field : fields)
        array.append(QJsonObject{{QStringLiteral("name"), field.name},
                                 {QStringLiteral("offsets"), OffsetsJson(field.offsets)},
                                 {QStringLiteral("raw"), RawJson(field.raw)},
                                 {QStringLiteral("value"), field.value}});
    QJsonObject document = ProductJson(product);
    document.insert(QStringLiteral("fields"), array);
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QByteArray DiffJson(const QList<FieldDifference> &diffs, uint8_t product)
{
    QJsonArray array;
    for (const FieldDifference &diff : diffs)
        array.append(QJsonObject{{QStringLiteral("name"), diff.name},
                                 {QStringLiteral("offsets"), OffsetsJson(diff.offsets)},
                                 {QStringLiteral("rawA"), RawJson(diff.rawA)},
                                 {QStringLiteral("rawB"), RawJson(diff.rawB)},
                                 {QStringLiteral("valueA"), diff.valueA},
                                 {QStringLiteral("valueB"), diff.valueB}});
    QJsonObject document = ProductJson(product);
    document.insert(QStringLiteral("differences"), array);
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

}  // namespace Catalogue
