#include "core/catalog/dorsell_rules.h"

#include "core/image_layout.h"
#include "core/catalog/dorsellitems.h"
#include "core/catalog/trimpair.h"

namespace D = Off::Dorsell;

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

void SetAllTrims(CalImageBytes &image, uint8_t globalMin, uint8_t globalMax, bool husco)
{
    image[D::HoistUpMin] = husco ? HuscoHoistMin : globalMin;
    image[D::HoistUpMax] = husco ? HuscoHoistMax : globalMax;
    image[D::HoistDownMin] = husco ? HuscoHoistMin : globalMin;
    image[D::HoistDownMax] = husco ? HuscoHoistMax : globalMax;
    for (int min = D::HoistLeftMin; min < D::PlowRightMax; min += 2) {
        image[size_t(min)] = globalMin;
        image[size_t(min + 1)] = globalMax;
    }
}

bool OffersSafetyTrigger(int setting, int joystick)
{
    if (setting == GroupsOf2Setting) return false;  // the boxes are hidden then
    for (const SafetyTriggers &entry : DorsellSafetyTriggers)
        if (entry.setting == setting) return entry.joystick[joystick];
    return true;
}

}  // namespace DorsellRules
