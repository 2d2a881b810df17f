// The Quarn 2 page's edit rules that go beyond a control's own range: boxes that only switch on,
// controls the trigger box enables, options that exclude each other, a button mode's label and
// remote pair, a joystick's layout. Attached to the catalogue's fields by their bytes.
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/joysticktables.h"
#include "core/catalog/quarn_cartridge_uses.h"
#include "core/catalog/quarn_rules.h"

namespace Catalogue {

namespace {
using namespace Off::Quarn;

bool Trigger(const CalImageBytes &image) { return image[ModeButtonsAreTrigger] != 0; }
constexpr int NoAlwaysLiveItem = 255;

// A button's mode, set as the page sets it: on a button joystick the mode list chooses it, and a
// mode of the list brings its label; a stick layout's option lists and safety boxes (and a code no
// mode list has) set the mode alone and keep the label. Either way the remote pair follows.
void ButtonModeRule(FieldDef &def, int button)
{
    def.edit.stores = [](const CalImageBytes &, int b) { return !Joy::ButtonFunctionText(b).isEmpty(); };
    def.edit.after = [button](CalImageBytes &image, const CalImageBytes &) {
        const int code = image[size_t(Joy::Buttons[button].modeByte)];
        const int item = ModeCodeToIndex(code);
        const bool modeList = Joy::IsButtonPage(Joy::JoystickItemOfType(image[Off::JoystickType]));
        if (modeList && item >= 0 && item < Joy::ModeItems().size() && ModeIndexToCode(item) == code)
            QuarnRules::ChooseButtonMode(image, button, code);
        else QuarnRules::SetButtonOption(image, Joy::Buttons[button].modeByte, code);
    };
}

// A button's remote pair: within the ranges of its mode, or 255 for a mode without them.
void RemoteRules(FieldDef &first, FieldDef &target, int modeByte)
{
    using QuarnRules::NotRemote;
    first.edit.stores = [modeByte](const CalImageBytes &image, int b) {
        const QuarnRules::RemoteRule *rule = QuarnRules::RemoteRuleOf(image[size_t(modeByte)]);
        return rule ? b >= rule->firstMin && b <= rule->firstMax : b == NotRemote;
    };
    target.edit.stores = [modeByte](const CalImageBytes &image, int b) {
        const QuarnRules::RemoteRule *rule = QuarnRules::RemoteRuleOf(image[size_t(modeByte)]);
        return rule ? b >= rule->targetMin && b <= rule->targetMax : b == NotRemote;
    };
}

// The joystick list, or a layout of the two- or three-stick page (chosen on that page once the
// joystick list has brought it up).
void JoystickTypeRule(FieldDef &def)
{
    def.edit.stores = [](const CalImageBytes &, int b) { return Joy::JoystickItemOfType(b) >= 0; };
    def.edit.after = [](CalImageBytes &image, const CalImageBytes &before) {
        const int type = image[Off::JoystickType];
        const int previous = Joy::JoystickItemOfType(before[Off::JoystickType]);
        const int page = Joy::JoystickItemOfType(type);
        if (page < 0) return;
        if (page != previous) QuarnRules::ChooseJoystick(image, previous < 0 ? Joy::FourButtonPage : previous, page);
        for (int i = 0; i < int(std::size(Joy::TwoStickLayouts)); ++i)
            if (Joy::TwoStickLayouts[i].type == type) QuarnRules::ChooseTwoStickLayout(image, i);
        for (int i = 0; i < int(std::size(Joy::ThreeStickLayouts)); ++i)
            if (Joy::ThreeStickLayouts[i].type == type) QuarnRules::ChooseThreeStickLayout(image, i);
    };
}
}  // namespace

void SetQuarnEditRules(FieldDefs &defs)
{
    // "Enable Stayhand" can be ticked but not unticked (it is then greyed): on is 0.
    FieldDef &stayhand = *FieldAt(defs, StickSafetyDisabled);
    stayhand.edit.stores = [](const CalImageBytes &, int b) { return b == 0; };
    stayhand.edit.kept = InRange({0, 1});

    FieldDef &trigger = *FieldAt(defs, ModeButtonsAreTrigger);
    trigger.edit.stores = InRange({0, 1});
    trigger.edit.after = [](CalImageBytes &image, const CalImageBytes &) {
        QuarnRules::SetModeButtonsAreTrigger(image, Trigger(image));
    };
    FieldDef &multi = *FieldAt(defs, MultiMode);
    multi.edit.stores = InRange({0, 1});
    EnabledWhen(&multi, Trigger);
    // The always-live list also takes typed text that names no item, stored as 255.
    FieldDef &alwaysLive = *FieldAt(defs, AlwaysLiveMode);
    alwaysLive.edit.stores = [items = int(Joy::AlwaysLiveItems().size())](const CalImageBytes &, int b) {
        return b < items || b == NoAlwaysLiveItem;
    };
    EnabledWhen(&alwaysLive, Trigger);

    for (int offset : {HoistLimitNC, HoistLimitNO})
        FieldAt(defs, offset)->edit.after = [offset](CalImageBytes &image, const CalImageBytes &) {
            QuarnRules::SetHoistLimit(image, offset, image[size_t(offset)] == 1);
        };
    for (int use = 0; use < QuarnCartridgeUses::UseCount; ++use) {
        const int offset = QuarnCartridgeUses::Uses[use].offset;
        FieldAt(defs, offset)->edit.after = [use, offset](CalImageBytes &image, const CalImageBytes &) {
            QuarnRules::SetCartridgeUse(image, use, image[size_t(offset)] == 1);
        };
    }
    FieldAt(defs, Float1ForceBlock)->edit.after = [](CalImageBytes &image, const CalImageBytes &) {
        QuarnRules::SetForceBlock(image, image[Float1ForceBlock] == 1);
    };
    // Float one stays double acting while it is a force float block.
    FieldAt(defs, Float1DoubleActing)->edit.stores = [](const CalImageBytes &image, int b) {
        return b == 1 || (b == 0 && image[Float1ForceBlock] != 1);
    };

    JoystickTypeRule(*FieldAt(defs, Off::JoystickType));
    for (int button = 0; button < Joy::ButtonCount; ++button) {
        const Joy::ButtonInfo &info = Joy::Buttons[button];
        ButtonModeRule(*FieldAt(defs, info.modeByte), button);
        if (info.remote >= 0)
            RemoteRules(*FieldAt(defs, Off::RemotePairs[info.remote][0]), *FieldAt(defs, Off::RemotePairs[info.remote][1]),
                        info.modeByte);
    }
}

}  // namespace Catalogue
