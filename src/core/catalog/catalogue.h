#pragma once
// The named-field catalogue: what each byte of a calibration image means for each product family,
// as the product's page shows it to the technician. A field has the name the page gives it, the
// image offsets it occupies and its value in the page's own words and units. Bytes no field covers
// are listed as "byte N", so a description always accounts for all 256 bytes.
#include "core/calimage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>

namespace Catalogue {

struct FieldValue {
    QString name;        // as the page shows it, e.g. "Hoist Up (Hyd A6) Min"
    QList<int> offsets;  // image byte offsets it occupies
    QByteArray raw;      // those bytes
    QString value;       // in the page's words and units
    bool textFixesBytes = true;  // setting `value` on any image stores exactly `raw`
    bool quoted = false;         // a label: its value is written in quotes
};

struct FieldDifference {
    QString name;
    QList<int> offsets;
    QByteArray rawA, rawB;
    QString valueA, valueB;
    bool fixesA = true, fixesB = true;  // as FieldValue::textFixesBytes
    bool quoted = false;
};

// The product a *.joy file is read as, chosen as the printed report chooses its layout: joystick
// type 20 (which Dorsell and Ostrel images always carry) gives Dorsell, anything else Quarn.
uint8_t ProductOfFile(const CalImageBytes &image);
// The product whose page reads the image in the window: the current product, or with none chosen
// yet, the product the image is read as from a file.
uint8_t ProductReading(uint8_t current, const CalImageBytes &image);
// The product code of the letter a controller announces itself with ("j" is the Quarn 2, kept as
// 1; "b", "a", "d", "z", "c"). False for any other text.
bool ProductFromLetter(const QString &letter, uint8_t *product);
// The letter of a product code ("j" for the Quarn 2), empty for none.
QString ProductLetter(uint8_t product);
// "Quarn 2", "Dorsell", "Ostrel 2", "Brennic", "Quarn 2 CsCAN", "Vintle"; empty for none.
QString ProductName(uint8_t product);

// Every named field of the image as that product's page shows it, then "byte N" for each byte no
// field covers; ordered by first offset. The Vintle has no fields: 256 "byte N" entries.
QList<FieldValue> Describe(const CalImageBytes &image, uint8_t product);
// The fields whose bytes differ between `a` and `b`, both read as `product`, in offset order.
QList<FieldDifference> Differences(const CalImageBytes &a, const CalImageBytes &b, uint8_t product);

// What the printed report takes from a page's controls, read from the image instead:
// the position the PWM frequency bar of the product's page takes for the image (curve B on the
// Dorsell/Ostrel page, curve A elsewhere; a multiple of 5 within the bar's range) ...
int FrequencyBarPosition(const CalImageBytes &image, uint8_t product);
// ... and the text a button-mode list shows for a button function code: its item, untrimmed
// ("Hoist "), or "" for a code the list has no item for.
QString ButtonModeListText(uint8_t code);

// The log window's line when showing an image on the product's page rewrote some of its settings
// (`before` as it arrived, `after` as shown); empty when showing changed no byte.
QString ShownAdjustmentsLine(const CalImageBytes &before, const CalImageBytes &after, uint8_t product);

// "NAME: VALUE", one line per field; a value whose text does not fix its bytes (two bytes read the
// same, or the page would not store them) carries them, "VALUE (byte N)", so that the lines set
// back on any image of the product give exactly these bytes. A label's value is quoted.
QStringList ShowLines(const QList<FieldValue> &fields);
// The two values of a difference as they can be told apart: two bytes can read the same once
// rounded to the page's units, and then each value carries its bytes ("115 Hertz (byte 49)").
std::pair<QString, QString> DistinctValues(const FieldDifference &diff);

// "NAME: A -> B", one line per difference, each value written as show writes it (with its bytes
// where show gives them, and where A and B read the same).
QStringList DiffLines(const QList<FieldDifference> &diffs);

// One JSON document for scripts: the product and every field with its name, offsets, raw bytes
// (numbers 0..255) and value text.
QByteArray ShowJson(const QList<FieldValue> &fields, uint8_t product);
QByteArray DiffJson(const QList<FieldDifference> &diffs, uint8_t product);

}  // namespace Catalogue
