// The Dorsell/Ostrel page's edit rules that go beyond a control's own range: options with their
// sub-options, the CART port's two uses, the safety triggers and output groups the joystick setting
// offers. Attached to the catalogue's fields by their bytes.
#include "core/image_layout.h"
#include "core/catalog/dorsell_rules.h"
#include "core/catalog/dorsellitems.h"
#include "core/catalog/fielddefs.h"

#include <iterator>
#include <utility>

namespace Catalogue {

namespace {
namespace D = Off::Dorsell;
}  // namespace

// The options with their sub-options, the CART port's two uses, the safety triggers the joystick
// setting offers and the output groups of the groups-of-2 setting.
void SetDorsellEditRules(FieldDefs &defs)
{
    const struct {
        int option, sub;
    } pairs[] = {{D::PlowFloat, D::DoubleActingFloat}, {D::HoistLimit, D::HoistLimitOverride}};
    for (const auto &pair : pairs) {
        if (FieldDef *option = FieldAt(defs, pair.option))
            option->edit.after = [pair](CalImageBytes &image, const CalImageBytes &) {
                DorsellRules::SetOptionWithSub(image, pair.option, pair.sub, image[size_t(pair.option)] == 1);
            };
        EnabledWhen(FieldAt(defs, pair.sub), [pair](const CalImageBytes &image) { return image[size_t(pair.option)] == 1; });
    }
    for (const auto &uses : {std::pair{D::CartridgeValve, D::HoistDownDumpValve}, std::pair{D::HoistDownDumpValve, D::CartridgeValve}})
        if (FieldDef *def = FieldAt(defs, uses.first))
            def->edit.after = [use = uses.first, other = uses.second](CalImageBytes &image, const CalImageBytes &) {
                DorsellRules::SetCartPortUse(image, use, other, image[size_t(use)] == 1);
            };
    for (int joystick = 0; joystick < int(std::size(DorsellRules::SafetyTriggerBytes)); ++joystick)
        EnabledWhen(FieldAt(defs, DorsellRules::SafetyTriggerBytes[joystick]), [joystick](const CalImageBytes &image) {
            return DorsellRules::OffersSafetyTrigger(image[D::JoystickSetting], joystick);
        });
    for (const DorsellCombo &combo : DorsellGroupCombos)
        EnabledWhen(FieldAt(defs, combo.offset), [](const CalImageBytes &image) { return image[D::JoystickSetting] == GroupsOf2Setting; });
}

}  // namespace Catalogue
