// The Dorsell/Ostrel page's fields. The Ostrel 2 shows fewer of them: its page hides the right
// wing trims, the safety triggers, the hoist limit, cartridge and V-plow options and the groups of
// 2. Trim groups are named by the captions the page gives them for a joystick setting outside its
// lists, so that a name does not change with the setting.
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/variants.h"
#include "core/catalog/dorsell_rules.h"
#include "core/catalog/dorsellitems.h"
#include "core/catalog/dorselltrimgroups.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/pagetexts.h"

#include <algorithm>
#include <iterator>

namespace Catalogue {

namespace {
namespace D = Off::Dorsell;

constexpr int SettingOutsideTheLists = 255;

bool IsSafetyTrigger(const DorsellOption &option)
{
    return std::find(std::begin(DorsellRules::SafetyTriggerBytes), std::end(DorsellRules::SafetyTriggerBytes), option.offset) !=
           std::end(DorsellRules::SafetyTriggerBytes);
}
}  // namespace

FieldDefs DorsellFields(uint8_t product)
{
    const bool ostrel = ShowsOstrelSubset(product);
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
