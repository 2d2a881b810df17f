#pragma once
// What set and apply share: the target's image changed by the catalogue's edit rules, all of the
// settings or none, then written back as a whole: a *.joy file rewritten through a temporary
// file, or the controller's image uploaded and read back as send does. When every value already
// holds, nothing is written and nothing is sent; with --dry-run nothing is written or sent either.
#include "core/catalog/edits.h"

#include <QString>

#include <functional>

class Cli;

// The settings, made once the product the target's image is read as is known.
using SettingsFor = std::function<QList<Catalogue::Setting>(uint8_t product)>;
// Where setting i came from, for the line that refuses it ("recipe.txt:12"); null: the target.
using SettingPlace = std::function<QString(qsizetype)>;

struct SettingsRequest {
    SettingsFor settingsFor;
    SettingPlace place;
    uint8_t recipeProduct = 0;  // the controller a recipe says it is for (Product::None: any)
    QString recipeName;         // the recipe, as its faults name it
};

// Changes `target` (a *.joy file or "controller"); returns the exit status. The fields that
// changed (or, with --dry-run, would change) are printed as diff prints them, or "nothing to
// change", unless --quiet.
int ChangeSettings(Cli &cli, const QString &target, const SettingsRequest &request);
