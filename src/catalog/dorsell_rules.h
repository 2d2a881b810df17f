#pragma once
// What setting a control of the Dorsell/Ostrel page brings with it, in the image: the page's
// handlers and the settings by name both go through these.
#include "app/calimage.h"

namespace DorsellRules {

// An option with a sub-option it enables (plow float: double acting; hoist limit: override):
// unticking the option unticks the sub-option.
void SetOptionWithSub(CalImageBytes &image, int option, int sub, bool on);
// The cartridge valve and the hoist dump valve share the CART port: ticking one unticks the other.
void SetCartPortUse(CalImageBytes &image, int use, int other, bool on);
// Whether the joystick setting offers joystick `joystick`'s (0..2) safety trigger.
bool OffersSafetyTrigger(int setting, int joystick);

}  // namespace DorsellRules
