// The field kinds the families share: flags, list items, trims, numbers and text fields.
#include "app/conversions.h"
#include "catalog/fielddefs.h"
#include "catalog/frequencybar.h"
#include "catalog/pagetexts.h"

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
    return {name.simplified(), {offset}, [offset, text](const CalImageBytes &image) { return text(image[size_t(offset)]); }};
}

FieldDef FlagField(const QString &name, int offset)
{
    return ByteField(name, offset, [](uint8_t b) { return OnOffText(b == 1); });
}

FieldDef ListField(const QString &name, int offset, const QStringList &items)
{
    return ByteField(name, offset, [items](uint8_t b) { return ListItemText(items, b); });
}

FieldDef TrimField(const QString &name, int offset) { return ByteField(name, offset, TrimVoltsText); }

FieldDef NumberField(const QString &name, int offset)
{
    return ByteField(name, offset, [](uint8_t b) { return QString::number(b); });
}

FieldDef TextField(const QString &name, int offset, int width)
{
    QList<int> offsets;
    for (int i = 0; i < width; ++i) offsets << offset + i;
    return {name.simplified(), offsets,
            [offset, width](const CalImageBytes &image) { return ReadTextField(image.data(), offset, width); }};
}

}  // namespace Catalogue
