#pragma once
// How the catalogue is built: one definition per named field of a product family, with the
// offsets it occupies and how its value reads as text. The family files build these lists from the
// layout headers and the page tables; catalogue.cpp turns them into descriptions.
#include "app/calimage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace Catalogue {

using ValueText = std::function<QString(const CalImageBytes &)>;

struct FieldDef {
    QString name;
    QList<int> offsets;
    ValueText value;
};
using FieldDefs = QList<FieldDef>;

// The field lists of the families (empty for the Vintle and for no product).
FieldDefs QuarnFields();
FieldDefs DorsellFields(uint8_t product);  // Dorsell or Ostrel 2: the Ostrel hides some fields
FieldDefs BrennicFields();
FieldDefs CsCanFields();

// A page caption as a field name: blanks folded, a trailing colon dropped ("Float One:" -> "Float One").
QString Caption(const char *caption);

// Value texts the families share.
QString OnOffText(bool on);
// The item of a list, or "no selection (N)" for an index the list does not have.
QString ListItemText(const QStringList &items, int index);
// The position a slider takes for a value: clamped to its range.
int SliderPosition(int value, int min, int max);

// Building blocks: a field of one byte read through `text`.
FieldDef ByteField(const QString &name, int offset, std::function<QString(uint8_t)> text);
// A flag byte: "on" exactly when it is 1, as the loaders read almost every flag.
FieldDef FlagField(const QString &name, int offset);
// A byte holding the item index of a list.
FieldDef ListField(const QString &name, int offset, const QStringList &items);
// A trim byte, as its value label prints it ("12.7v").
FieldDef TrimField(const QString &name, int offset);
// A byte shown as its plain number.
FieldDef NumberField(const QString &name, int offset);
// The position of the PWM frequency bar for a frequency byte: curve A (Quarn, Brennic and CsCAN
// pages) and curve B (Dorsell/Ostrel page); and the bar's label for curve A ("115 Hertz").
int CurveAPosition(uint8_t b);
int CurveBPosition(uint8_t b);
QString CurveAText(uint8_t b);

// A fixed-width text field (label or name field).
FieldDef TextField(const QString &name, int offset, int width);

}  // namespace Catalogue
