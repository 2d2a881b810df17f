#pragma once
// One field set to one value in the page's words: which bytes that stores, or why the page could
// not take it. The settings engine (edits.cpp) and the recipe form of `show` both ask here.
#include "core/catalog/fielddefs.h"

#include <QByteArray>
#include <QString>

namespace Catalogue {

struct Resolved {
    bool ok = false;
    bool kept = false;  // the field's bytes are already what the value stores
    QByteArray raw;     // the field's bytes to store (its offsets' order)
    QString why;        // when refused: what the field can take, after "NAME: "
    bool byControl = true;  // a value the control stores, which brings the control's dependents
    bool inBytes = false;   // the value was given as its bytes ("byte:N", "VALUE (byte N)")
};

// What setting `def` to `wanted` stores on `image`.
Resolved ResolveValue(const FieldDef &def, const CalImageBytes &image, const QString &wanted);

// True when setting the field's text, as it reads on `image`, stores exactly its bytes on any
// image; false where the image holds another byte than the page's own for that text (two bytes
// read the same, or the page cannot set what the image holds), and a recipe must carry the bytes.
bool TextFixesBytes(const FieldDef &def, const CalImageBytes &image);

// The values the field takes on `image`, in one line for help: a list's items, a number's range, a
// text's width.
QString ValuesTaken(const FieldDef &def, const CalImageBytes &image);

// The field's bytes on `image`, and its text with `raw` in their place.
QByteArray FieldBytes(const FieldDef &def, const CalImageBytes &image);
QString TextWith(const FieldDef &def, CalImageBytes image, const QByteArray &raw);

}  // namespace Catalogue
