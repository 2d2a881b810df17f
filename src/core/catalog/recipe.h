#pragma once
// Settings written as text: a recipe, as `show` prints it and `apply` reads it, and the NAME=VALUE
// words of `set`. A recipe holds the lines `show` prints ("NAME: VALUE") or `diff` prints ("NAME:
// A -> B", which asks for B); a line whose first non-blank character is '#' is a comment, and
// blank lines are skipped. `show` adds a first comment line naming the controller the recipe is for
// and a last one marking its end, so that a recipe for another controller, or one cut short, is
// told; a recipe without them (written by hand, or diff's lines) is read as it is. The JSON
// document `show --json` prints is a recipe too, read by each field's bytes. What a value means is
// the catalogue's edit rules' to say.
#include "core/catalog/edits.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Catalogue {

// One setting line of a recipe, with its number (from 1; for a JSON recipe, the field's).
struct RecipeLine {
    QString text;
    int number = 0;
};

struct Recipe {
    QList<RecipeLine> lines;
    uint8_t product = 0;  // the controller it says it is for (Product::None: it does not say)
};

// Why a recipe's text cannot be read: the line (0: the recipe as a whole) and what is wrong.
struct RecipeFault {
    int line = 0;
    QString reason;
};

// The setting lines of a recipe's text, in order; false on the first fault.
bool ReadRecipe(const QByteArray &text, Recipe *recipe, RecipeFault *fault);

// The setting of a recipe line, for an image of `product`: split as the catalogue splits show's
// lines (a name may itself hold a colon), else at the first ": " (a name the product does not
// have, which the edit rules then refuse in their words); of a diff line, the value it became.
Setting SettingOfLine(const QString &line, uint8_t product);

// A `set` word "NAME=VALUE": split at the first '='; false when there is none or no name.
bool SettingFromWord(const QString &word, Setting *setting);

// The recipe of an image, as `show` prints it: the first line naming the controller (and, when
// given, the tool's version), every field's line, the end line. Without a version the text depends
// on the image and the product only, as a unit's settings are kept.
QStringList RecipeLines(const CalImageBytes &image, uint8_t product, const QString &version = {});

}  // namespace Catalogue
