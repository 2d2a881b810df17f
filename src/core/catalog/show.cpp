// The dispatcher of the show rules: the blank controller first, then the family's page.
#include "core/catalog/show.h"

#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"

namespace Catalogue {

namespace {
using FamilyRules = void (*)(CalImageBytes &, uint8_t);

FamilyRules RulesOf(uint8_t product)
{
    switch (product) {
    case Product::Quarn: return ShowQuarnRules;
    case Product::Dorsell:
    case Product::Ostrel: return ShowDorsellRules;
    case Product::Brennic: return ShowBrennicRules;
    case Product::CsCan: return ShowCsCanRules;
    default: return nullptr;  // the Vintle and the blank page show no controls
    }
}

CalImageBytes Normalised(const CalImageBytes &kept, uint8_t product)
{
    CalImageBytes image = kept;
    if (product == Product::None) return image;
    // A controller whose configuration memory is erased shows as the default image on every page.
    if (image[Off::JoystickType] == Off::ErasedJoystickType) SetImageDefaultBytes(image.data());
    if (const FamilyRules rules = RulesOf(product)) rules(image, product);
    return image;
}
}  // namespace

Shown ShowFor(const CalImageBytes &kept, uint8_t product)
{
    Shown shown{Normalised(kept, product), {}};
    if (shown.image != kept)
        for (const FieldDifference &diff : Differences(kept, shown.image, product)) shown.adjusted << diff.name;
    return shown;
}

void CarryEdit(CalImageBytes &kept, const CalImageBytes &before, const CalImageBytes &after, uint8_t product)
{
    for (int i = 0; i < CalImageSize; ++i)
        if (before[size_t(i)] != after[size_t(i)]) kept[size_t(i)] = after[size_t(i)];
    // Showing reads each byte through the others; a byte that would show otherwise than the edit
    // left it is kept as shown. Each pass fixes at least one byte, so this ends.
    for (int pass = 0; pass < CalImageSize; ++pass) {
        const CalImageBytes again = Normalised(kept, product);
        if (again == after) return;
        for (int i = 0; i < CalImageSize; ++i)
            if (again[size_t(i)] != after[size_t(i)]) kept[size_t(i)] = after[size_t(i)];
    }
}

}  // namespace Catalogue
