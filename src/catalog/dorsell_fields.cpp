// The Dorsell/Ostrel page's fields. The Ostrel 2 shows fewer of them: its page hides the right
// wing trims, the safety triggers, the hoist limit, cartridge and V-plow options and the groups of
// 2. Trim groups are named by the captions the page gives them for a joystick setting outside its
// lists, so that a name does not change with the setting.
#include "app/conversions.h"
#include "app/image_layout.h"
#include "catalog/dorsell_rules.h"
#include "catalog/dorsellitems.h"
#include "catalog/dorselltrimgroups.h"
#include "catalog/fielddefs.h"
#include "catalog/frequencybar.h"
#include "catalog/pagetexts.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace Catalogue {

namespace {
namespace D = Off::Dorsell;

constexpr int SettingOutsideTheLists = 255;


constexpr int SafetyTriggerBytes[] = {D::Joy1Safety, D::Joy2Safety, D::Joy3Safety};

bool IsSafetyTrigger(const DorsellOption &option)
{
    return std::find(std::begin(SafetyTriggerBytes), std::end(SafetyTriggerBytes), option.offset) != std::end(SafetyTriggerBytes);
}

FieldDef *FieldAt(FieldDefs &defs, int offset)
{
    for (FieldDef &def : defs)
        if (def.offsets.first() == offset) return &def;
    return nullptr;
}

// A box or list the page greys unless `enabled` holds: it stores nothing then, and keeps what it shows.
void EnabledWhen(FieldDef *def, std::function<bool(const CalImageBytes &)> enabled)
{
    if (!def) return;  // a box the Ostrel 2 page hides
    const auto values = def->edit.stores;
    def->edit.kept = values;
    def->edit.stores = [values, enabled](const CalImageBytes &image, int b) { return enabled(image) && values(image, b); };
}

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
    for (const auto &[use, other] : {std::pair{D::CartridgeValve, D::HoistDownDumpValve}, std::pair{D::HoistDownDumpValve, D::CartridgeValve}})
        if (FieldDef *def = FieldAt(defs, use))
            def->edit.after = [use, other](CalImageBytes &image, const CalImageBytes &) {
                DorsellRules::SetCartPortUse(image, use, other, image[size_t(use)] == 1);
            };
    for (int joystick = 0; joystick < int(std::size(SafetyTriggerBytes)); ++joystick)
        EnabledWhen(FieldAt(defs, SafetyTriggerBytes[joystick]), [joystick](const CalImageBytes &image) {
            return DorsellRules::OffersSafetyTrigger(image[D::JoystickSetting], joystick);
        });
    for (const DorsellCombo &combo : DorsellGroupCombos)
        EnabledWhen(FieldAt(defs, combo.offset), [](const CalImageBytes &image) { return image[D::JoystickSetting] == GroupsOf2Setting; });
}
}  // namespace

FieldDefs DorsellFields(uint8_t product)
{
    const bool ostrel = product == Product::Ostrel;
    FieldDefs defs;
    defs << FrequencyField(Caption(DorsellCaptions::Frequency), CurveBBar());

    const char *const *captions = DorsellGroupCaptions(product, SettingOutsideTheLists);
    for (int i = 0; i < DorsellTrimGroupCount; ++i) {
        const DorsellTrimGroup &group = DorsellTrimGroups[i];
        if (ostrel && !group.onOstrel) continue;
        defs << TrimField(Caption(captions[i]) + QStringLiteral(" Min"), group.minOffset, ControlRange::TrimBarBytes,
                          group.maxOffset, false);
        defs << TrimField(Caption(captions[i]) + QStringLiteral(" Max"), group.maxOffset, ControlRange::TrimBarBytes,
                          group.minOffset, true);
    }

    defs << ListField(Caption(DorsellCaptions::JoystickSetting), D::JoystickSetting,
                      ostrel ? OstrelJoystickSettings() : DorsellJoystickSettings());
    for (const DorsellOption &option : DorsellOptions) {
        if (ostrel && !option.onOstrel) continue;
        const QString prefix = IsSafetyTrigger(option) ? Caption(DorsellCaptions::SafetyTriggers) + QStringLiteral(": ")
                                                       : QString();
        defs << FlagField(prefix + Caption(option.caption), option.offset);
    }
    for (const DorsellCombo &combo : DorsellModeCombos) {
        FieldDef mode = ByteField(Caption(combo.caption) + QStringLiteral(" Mode"), combo.offset,
                                  [](uint8_t b) { return ListItemText(DorsellButtonModes(), ModeCodeToIndex(b)); });
        // The list stores the function code of the item chosen.
        mode.edit.stores = [](const CalImageBytes &, int b) {
            const int item = ModeCodeToIndex(b);
            return item >= 0 && item < DorsellButtonModes().size() && ModeIndexToCode(item) == b;
        };
        defs << mode;
    }
    if (!ostrel)
        for (const DorsellCombo &combo : DorsellGroupCombos)
            defs << ListField(Caption(combo.caption), combo.offset, DorsellOutputGroups());
    SetDorsellEditRules(defs);
    defs << NumberField(Caption(DorsellCaptions::StickSafety), D::StickSafetySensitivity, ControlRange::DorsellStickSafety);
    defs << NumberField(Caption(DorsellCaptions::FloatDelay), D::FloatDelay, ControlRange::FloatDelay);
    return defs;
}

}  // namespace Catalogue
