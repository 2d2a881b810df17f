#include "catalog/dorsell_rules.h"

#include "catalog/dorsellitems.h"

namespace DorsellRules {

void SetOptionWithSub(CalImageBytes &image, int option, int sub, bool on)
{
    image[size_t(option)] = on ? 1 : 0;
    if (!on) image[size_t(sub)] = 0;
}

void SetCartPortUse(CalImageBytes &image, int use, int other, bool on)
{
    image[size_t(use)] = on ? 1 : 0;
    if (on) image[size_t(other)] = 0;
}

bool OffersSafetyTrigger(int setting, int joystick)
{
    if (setting == GroupsOf2Setting) return false;  // the boxes are hidden then
    for (const SafetyTriggers &entry : DorsellSafetyTriggers)
        if (entry.setting == setting) return entry.joystick[joystick];
    return true;
}

}  // namespace DorsellRules
