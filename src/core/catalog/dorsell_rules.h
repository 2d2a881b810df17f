#pragma once
// What setting a control of the Dorsell/Ostrel page brings with it, in the image: the page's
// handlers and the settings by name both go through these.
#include "core/calimage.h"
#include "core/image_layout.h"

namespace DorsellRules {

// The safety trigger bytes of joysticks 1, 2 and 3.
inline constexpr int SafetyTriggerBytes[] = {Off::Dorsell::Joy1Safety, Off::Dorsell::Joy2Safety, Off::Dorsell::Joy3Safety};

// An option with a sub-option it enables (plow float: double acting; hoist limit: override):
// unticking the option unticks the sub-option.
void SetOptionWithSub(CalImageBytes &image, int option, int sub, bool on);
// The cartridge valve and the hoist dump valve share the CART port: ticking one unticks the other.
void SetCartPortUse(CalImageBytes &image, int use, int other, bool on);
// "Set All Trims": the trim groups to the global trims (the right wing pairs keep theirs); with a
// Husco valve the hoist pair to the Husco levels.
void SetAllTrims(CalImageBytes &image, uint8_t globalMin, uint8_t globalMax, bool husco);
// Whether the joystick setting offers joystick `joystick`'s (0..2) safety trigger.
bool OffersSafetyTrigger(int setting, int joystick);

}  // namespace DorsellRules
