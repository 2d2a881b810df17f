#pragma once
// How the catalogue is built: one definition per named field of a product family, with the
// offsets it occupies and how its value reads as text. The family files build these lists from the
// layout headers and the page tables; catalogue.cpp turns them into descriptions.
#include "core/calimage.h"
#include "core/catalog/controlranges.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

struct FrequencyBar;

namespace Catalogue {

using ValueText = std::function<QString(const CalImageBytes &)>;

struct ByteTextCache;  // editvalue.cpp
std::shared_ptr<ByteTextCache> NewByteTextCache();

// What the page's control does when the technician sets the field (see edits.h). The field's text
// says what a value means; the rule says which of the values reading so the control stores and
// what the change brings with it.
struct EditRule {
    // The bytes the control can store in a one-byte field, as the image stands (null: any byte).
    std::function<bool(const CalImageBytes &, int)> stores;
    // The bytes showing leaves as they are: a value the field already reads as, in one of these,
    // is not rewritten (null: the bytes it stores).
    std::function<bool(const CalImageBytes &, int)> kept;
    // Where several stored bytes read as the wanted value, the one the page stores: nearest to the
    // value's exact amount (a trim's volts) or, without one, the lowest; the frequency bar maps the
    // byte to its position's byte.
    std::function<double(int)> amount;
    std::function<int(int)> pageByte;
    // A field of several bytes with fixed choices (the CsCAN bit rate), or a text field of this width.
    QList<QByteArray> choices;
    int textWidth = 0;
    std::function<QByteArray(const QString &)> encodeText;
    // A pair the page always keeps (a trim's minimum not above its maximum): the other field's
    // first offset, and whether the pair holds on an image.
    int partner = -1;
    std::function<bool(const CalImageBytes &)> pairHolds;
    // What the change brings with it, once the field's own bytes are stored in `image` (`before`:
    // the image as it stood).
    std::function<void(CalImageBytes &image, const CalImageBytes &before)> after;
    // A field that reads its own byte only keeps what its bytes read as, made once.
    std::shared_ptr<ByteTextCache> cache;
};

struct FieldDef {
    QString name;
    QList<int> offsets;
    ValueText value;
    EditRule edit{};
    // Once listed only by number: a recipe's "byte N: value" still sets each of its bytes.
    bool byNumberToo = false;
};
using FieldDefs = QList<FieldDef>;

// The named fields of a product, built once and read from any thread (empty for none).
const FieldDefs &FieldsOf(uint8_t product);

// The field lists of the families (empty for the Vintle and for no product).
FieldDefs QuarnFields();
// The Quarn 2 and Dorsell/Ostrel pages' rules beyond their controls' ranges (*_field_rules.cpp).
void SetQuarnEditRules(FieldDefs &defs);
// The Quarn 2's season output sets, as its other options dialog captions them.
void AddQuarnSeasonFields(FieldDefs &defs);
void SetDorsellEditRules(FieldDefs &defs);
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
// A flag byte: "on" exactly when it is 1, as the loaders read almost every flag; its box stores 1 or 0.
FieldDef FlagField(const QString &name, int offset);
// A byte holding the item index of a list; the list stores its items' indexes.
FieldDef ListField(const QString &name, int offset, const QStringList &items);
// A trim byte, as its value label prints it ("12.7v"); its bar stores `bytes` and keeps the pair
// min <= max by dragging `partner` along.
FieldDef TrimField(const QString &name, int offset, const ByteRange &bytes, int partner, bool isMax);
// The PWM frequency bar's byte, as its label prints the position the bar takes ("115 Hertz").
FieldDef FrequencyField(const QString &name, const FrequencyBar &bar);
// A byte shown as its plain number; its spin box or bar stores `bytes`.
FieldDef NumberField(const QString &name, int offset, const ByteRange &bytes = {0, 255});

// Edit rules the families share.
std::function<bool(const CalImageBytes &, int)> InRange(const ByteRange &bytes);
// The field whose first byte is `offset`, null for none (a box the Ostrel 2 page hides).
FieldDef *FieldAt(FieldDefs &defs, int offset);
// A control the page greys unless `enabled` holds: it stores nothing then, and keeps what it shows.
void EnabledWhen(FieldDef *def, std::function<bool(const CalImageBytes &)> enabled);
// The position of the PWM frequency bar for a frequency byte: curve A (Quarn, Brennic and CsCAN
// pages) and curve B (Dorsell/Ostrel page); and the bar's label for curve A ("115 Hertz").
int CurveAPosition(uint8_t b);
int CurveBPosition(uint8_t b);
QString CurveAText(uint8_t b);

// A fixed-width text field (label or name field).
FieldDef TextField(const QString &name, int offset, int width);

}  // namespace Catalogue
