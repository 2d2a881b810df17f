#pragma once
// Showing an image on a product's page: the image as that page shows it, with every normalisation
// the page's controls make (a bar clamps its value, an option off clears its sub-option, a blank
// controller reads as the default image), in one pass and without any widget. The window shows
// the image it keeps through these rules; the image it keeps never changes by being shown.
#include "core/calimage.h"

#include <QStringList>

#include <cstdint>

namespace Catalogue {

// The image as the product's page shows it, and the names of the fields whose bytes that changed
// (for the log line).
struct Shown {
    CalImageBytes image{};
    QStringList adjusted;
};
Shown ShowFor(const CalImageBytes &kept, uint8_t product);

// The bytes an edit of the shown image (`before` -> `after`) carries into the kept image: the
// bytes the edit changed and, where the edit makes another shown byte depend on the kept one (an
// option ticked again shows the sub-option the kept image holds), that byte as shown, so that
// showing the kept image again gives `after`.
void CarryEdit(CalImageBytes &kept, const CalImageBytes &before, const CalImageBytes &after, uint8_t product);

// Each family's rules, in its own file (*_show.cpp): they normalise `image` in place as the
// family's page does when it shows it. The Dorsell/Ostrel rules take the product, the others are
// given it for uniformity.
void ShowQuarnRules(CalImageBytes &image, uint8_t product);
void ShowDorsellRules(CalImageBytes &image, uint8_t product);
void ShowBrennicRules(CalImageBytes &image, uint8_t product);
void ShowCsCanRules(CalImageBytes &image, uint8_t product);

}  // namespace Catalogue
