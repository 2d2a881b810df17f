#pragma once
// The edit rules of the pages, kept beside the named-field catalogue: what setting one named field
// to a value in the page's words does to an image. The window's page handlers and the command
// line's `set` and `apply` both go through these, so setting a field by name gives exactly the
// image the window gives when the technician sets that control to that value.
#include "core/calimage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Catalogue {

// One wanted value: a field named as Describe names it (case and blanks do not matter)
// and its value in the page's words and units, as Describe prints it.
struct Setting {
    QString name;
    QString value;
    // A diff line's value: the field alone changes, without what its control brings along (the
    // diff names every field that changed with it).
    bool alone = false;
};

// Why settings were refused: one line, and the setting it is about (and a second one it clashes
// with), as indexes into the settings given.
struct SettingsRefusal {
    QString text;
    qsizetype setting = -1;
    qsizetype other = -1;
};

// Sets each field of `image`, read as `product`, to its value, applying the rule the page's control
// applies when the technician sets it (range and step, the pairing of min and max, the dependents
// the change brings). The result does not depend on the order of the settings: a field named in
// `settings` ends at its own value whatever another setting's dependents do to it, and a value the
// page cannot take as the image stands (a control greyed until another setting is made) is tried
// again once the others stand. A value in words stores the page's own byte for it (the exact volts
// of a trim, the bar position's byte of a frequency), so a line gives the same bytes on every
// image; " (byte N)" after it keeps another byte reading the same. A control that cannot store a
// value (greyed) leaves a field already reading as it.
// All or nothing: returns false and leaves `image` as it was when a name is unknown (the nearest
// names are suggested), a field is named twice with different values, two named values break a
// pair the page keeps (a minimum above its maximum), or a value cannot be taken; `*refusal` then
// says it in one line, e.g. "Plow Up (Hyd A2) Max: 14.2v is above the highest, 12.0v".
bool ApplySettings(CalImageBytes &image, uint8_t product, const QList<Setting> &settings, SettingsRefusal *refusal);
bool ApplySettings(CalImageBytes &image, uint8_t product, const QList<Setting> &settings, QString *refusal);

// One edit by field, as the page's control makes it: the field whose first offset is `offset` set
// to the byte(s) the control stores, with the field's rule (the pairing of min and max, the
// dependents the change brings). False, and `shown` unchanged with `*why` saying it, when the
// control could not store them (a byte out of its range, a greyed control, no such field).
bool EditField(CalImageBytes &shown, uint8_t product, int offset, const QByteArray &bytes, QString *why = nullptr);
// Several controls set at once (a button that sets all the trims): each field whose bytes differ
// from `target`, in offset order, edited as its control would. All or nothing.
bool EditFields(CalImageBytes &shown, uint8_t product, const CalImageBytes &target, QString *why = nullptr);

// A line as `show` prints it ("NAME: VALUE") read as a setting of the product's page. Names hold
// colons too ("Safety Triggers: Joystick 1"), so the name is the longest setting name the line
// starts with (case and blanks not mattering) that a colon follows. False when there is none.
bool SplitSettingLine(const QString &line, uint8_t product, Setting *setting);

// "NAME: the values it takes" for the setting of that name on the product's page, as the default
// image stands; for an unknown name, the refusal naming the nearest.
QString ValuesHelp(uint8_t product, const QString &name);

// The value forms a setting takes, one line each, for the command line's help.
QStringList ValueForms();

}  // namespace Catalogue
