#pragma once
// The edit rules of the pages, kept beside the named-field catalogue: what setting one named field
// to a value in the page's words does to an image. The window's page handlers and the command
// line's `set` and `apply` both go through these, so setting a field by name gives exactly the
// image the window gives when the technician sets that control to that value.
#include "app/calimage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Catalogue {

// One wanted value: a field named as Describe names it (case and runs of blanks do not matter)
// and its value in the page's words and units, as Describe prints it.
struct Setting {
    QString name;
    QString value;
};

// Sets each field of `image`, read as `product`, to its value, in the order given, applying the
// rule the page's control applies when the technician sets it (range and step, the pairing of min
// and max, the dependents the change brings). A field named in `settings` ends at its own value
// even where a later or earlier setting's dependents would touch it. A value the field already
// reads as leaves its bytes as they are.
// All or nothing: on the first setting the page could not take, returns false, leaves `image` as
// it was and sets `*refusal` to one line saying what the field can take, e.g.
// "Plow Up (Hyd A2) Max: 14.2v is above the highest, 12.0v".
bool ApplySettings(CalImageBytes &image, uint8_t product, const QList<Setting> &settings, QString *refusal);

// A line as `show` prints it ("NAME: VALUE") read as a setting of the product's page. Names hold
// colons too ("Safety Triggers: Joystick 1"), so the name is the longest setting name the line
// starts with (case and blanks not mattering) that a colon follows. False when there is none.
bool SplitSettingLine(const QString &line, uint8_t product, Setting *setting);

// The value forms a setting takes, one line each, for the command line's help.
QStringList ValueForms();

}  // namespace Catalogue
