// The Dorsell/Ostrel page's show rules, in the order the page sets its controls: the Ostrel 2's
// missing options off, the options with their sub-options, the CART port's one use, the flags,
// the stick safety and float delay, the frequency bar and the trim pairs.
#include "core/image_layout.h"
#include "core/catalog/dorsell_rules.h"
#include "core/catalog/dorselltrimgroups.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/show.h"
#include "core/catalog/showncontrol.h"

namespace Catalogue {

namespace {
namespace D = Off::Dorsell;

bool IsOn(const CalImageBytes &image, int offset) { return image[size_t(offset)] == 1; }

// A tick box reads "on" only for 1; whatever else the byte holds shows as off and is stored so.
void ShowFlag(CalImageBytes &image, int offset) { image[size_t(offset)] = IsOn(image, offset) ? 1 : 0; }

// An option and the sub-option that applies only while it is on. With the option on, the
// sub-option's box shows ticked for 1 and is left as it is otherwise (an unticked box that does
// not move stores nothing).
void ShowOptionPair(CalImageBytes &image, int option, int sub)
{
    if (!IsOn(image, option)) DorsellRules::SetOptionWithSub(image, option, sub, false);
}

// The CART port's two uses exclude each other; the cartridge valve is looked at first.
void ShowCartPort(CalImageBytes &image)
{
    if (IsOn(image, D::CartridgeValve)) DorsellRules::SetCartPortUse(image, D::CartridgeValve, D::HoistDownDumpValve, true);
    else {
        image[D::CartridgeValve] = 0;
        ShowFlag(image, D::HoistDownDumpValve);
    }
}

}  // namespace

void ShowDorsellRules(CalImageBytes &image, uint8_t product)
{
    // The page marks the image as a Dorsell/Ostrel one: the report and a file's reader tell the
    // family by this byte.
    image[Off::JoystickType] = D::JoystickTypeMark;
    // The Ostrel 2 has no joystick 1 safety trigger, hoist limit nor attitude control.
    if (product == Product::Ostrel)
        for (int offset : {D::Joy1Safety, D::HoistLimit, D::AttitudeControl}) image[size_t(offset)] = 0;
    ShowOptionPair(image, D::PlowFloat, D::DoubleActingFloat);
    ShowOptionPair(image, D::HoistLimit, D::HoistLimitOverride);
    ShowCartPort(image);
    for (int offset : {D::AttitudeControl, D::ToggleVPlow, D::Joy1Safety, D::Joy2Safety, D::Joy3Safety}) ShowFlag(image, offset);
    ShownControl(ControlRange::DorsellStickSafety).Show(image[D::StickSafetySensitivity]);
    ShownControl(ControlRange::FloatDelay).Show(image[D::FloatDelay]);
    image[Off::Frequency] = ShownFrequencyByte(CurveBBar(), image[Off::Frequency]);
    for (const DorsellTrimGroup &group : DorsellTrimGroups) ShowTrimPair(image, group.minOffset, group.maxOffset);
}

}  // namespace Catalogue
