// The field kinds the families share: flags, list items, trims, numbers and text fields.
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/pagetexts.h"
#include "core/catalog/trimpair.h"

namespace Catalogue {

QString Caption(const char *caption)
{
    QString text = QString::fromLatin1(caption).simplified();
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    return text;
}

QString OnOffText(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

QString ListItemText(const QStringList &items, int index)
{
    if (index < 0 || index >= items.size()) return QStringLiteral("no selection (%1)").arg(index);
    return TrimText(items.at(index));
}

int SliderPosition(int value, int min, int max) { return IntMin(max, IntMax(min, value)); }

int CurveAPosition(uint8_t b) { return FrequencyPosition(CurveABar(), b); }

int CurveBPosition(uint8_t b) { return FrequencyPosition(CurveBBar(), b); }

QString CurveAText(uint8_t b) { return HertzText(CurveAPosition(b)); }

FieldDef ByteField(const QString &name, int offset, std::function<QString(uint8_t)> text)
{
    FieldDef def{name.simplified(), {offset}, [offset, text](const CalImageBytes &image) { return text(image[size_t(offset)]); }};
    def.edit.cache = NewByteTextCache();
    return def;
}

std::function<bool(const CalImageBytes &, int)> InRange(const ByteRange &bytes)
{
    return [bytes](const CalImageBytes &, int b) { return b >= bytes.lowest && b <= bytes.highest; };
}

FieldDef *FieldAt(FieldDefs &defs, int offset)
{
    for (FieldDef &def : defs)
        if (def.offsets.first() == offset) return &def;
    return nullptr;
}

void EnabledWhen(FieldDef *def, std::function<bool(const CalImageBytes &)> enabled)
{
    if (!def) return;
    const auto values = def->edit.stores;
    def->edit.kept = values;
    def->edit.stores = [values, enabled](const CalImageBytes &image, int b) { return enabled(image) && values(image, b); };
}

FieldDef FlagField(const QString &name, int offset)
{
    FieldDef def = ByteField(name, offset, [](uint8_t b) { return OnOffText(b == 1); });
    def.edit.stores = InRange({0, 1});
    return def;
}

FieldDef ListField(const QString &name, int offset, const QStringList &items)
{
    FieldDef def = ByteField(name, offset, [items](uint8_t b) { return ListItemText(items, b); });
    def.edit.stores = InRange({0, int(items.size()) - 1});
    return def;
}

FieldDef TrimField(const QString &name, int offset, const ByteRange &bytes, int partner, bool isMax)
{
    FieldDef def = ByteField(name, offset, TrimVoltsText);
    def.edit.stores = InRange(bytes);
    def.edit.amount = [](int b) { return TrimVolts(uint8_t(b)); };
    def.edit.after = [offset, partner, isMax](CalImageBytes &image, const CalImageBytes &) {
        if (isMax) PairTrimMax(image[size_t(partner)], image[size_t(offset)]);
        else PairTrimMin(image[size_t(offset)], image[size_t(partner)]);
    };
    def.edit.partner = partner;
    def.edit.pairHolds = [offset, partner, isMax](const CalImageBytes &image) {
        return isMax ? image[size_t(partner)] <= image[size_t(offset)] : image[size_t(offset)] <= image[size_t(partner)];
    };
    return def;
}

FieldDef FrequencyField(const QString &name, const FrequencyBar &bar)
{
    const FrequencyBar *curve = &bar;  // the curves live as long as the program
    FieldDef def = ByteField(name, Off::Frequency, [curve](uint8_t b) { return HertzText(FrequencyPosition(*curve, b)); });
    // The bar shows any byte reading within its range as it is; for a reading it stores its
    // position's byte.
    def.edit.stores = [curve](const CalImageBytes &, int b) { return ShownFrequencyByte(*curve, uint8_t(b)) == b; };
    def.edit.pageByte = [curve](int b) { return int(FrequencyByteForPosition(*curve, FrequencyReading(*curve, uint8_t(b)))); };
    return def;
}

FieldDef NumberField(const QString &name, int offset, const ByteRange &bytes)
{
    FieldDef def = ByteField(name, offset, [](uint8_t b) { return QString::number(b); });
    def.edit.stores = InRange(bytes);
    def.edit.amount = [](int b) { return double(b); };
    return def;
}

FieldDef TextField(const QString &name, int offset, int width)
{
    QList<int> offsets;
    for (int i = 0; i < width; ++i) offsets << offset + i;
    FieldDef def{name.simplified(), offsets,
                 [offset, width](const CalImageBytes &image) { return ReadTextField(image.data(), offset, width); }};
    def.edit.textWidth = width;
    return def;
}

}  // namespace Catalogue
