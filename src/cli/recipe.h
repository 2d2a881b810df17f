#pragma once
// Settings written as text: the NAME=VALUE words of `set`, and a recipe for `apply`. A recipe
// holds the lines `show` prints ("NAME: VALUE") or `diff` prints ("NAME: A -> B", which asks for
// B); a line whose first non-blank character is '#' is a comment, and blank lines are skipped.
// The values are handed to the catalogue's edit rules as written: what a value means is theirs.
#include "catalog/edits.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// One setting line of a recipe, with its number (from 1).
struct RecipeLine {
    QString text;
    int number = 0;
};

// The setting lines of a recipe's text, in order. False on the first line that is neither a
// setting nor a comment nor blank, with its number in `*badLine` and what is wrong in `*reason`.
bool ReadRecipe(const QByteArray &text, QList<RecipeLine> *lines, int *badLine, QString *reason);

// The setting of a recipe line, for an image of `product`: split as the catalogue splits show's
// lines (a name may itself hold a colon), else at the first ": " (a name the product does not
// have, which the edit rules then refuse in their words); of a diff line, the value it became.
Catalogue::Setting SettingOfLine(const QString &line, uint8_t product);

// A `set` word "NAME=VALUE": split at the first '='; false when there is none or no name.
bool SettingFromWord(const QString &word, Catalogue::Setting *setting);
