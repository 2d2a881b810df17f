#pragma once
// The joystick, custom and remote/slave tabs' look-alike controls: each control's object name with
// the setting it shows (a button, an image byte, a label field). The builders create the controls
// by these names, the loader and the handlers walk the tables by index.
#include "core/catalog/joysticktables.h"
#include "core/image_layout.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

namespace Joy {

// JoystickNotebook's pages, by JoystickPage: object name and grip picture under :/assets/ (nullptr
// for none).
struct JoystickPageControls {
    const char *name;
    const char *picture;
};
inline constexpr JoystickPageControls JoystickPageControl[JoystickPageCount] = {
    {"FourButton", "grip_4button.jpg"}, {"SixButton", "grip_6button.jpg"}, {"EightButton", "grip_8button.jpg"},
    {"TwoStick", "grip_2stick.jpg"},    {"ThreeStick", "grip_3stick.jpg"}, {"SlaveMode", "grip_slave.jpg"},
    {"Ostrel", nullptr},                {"4 Sarix", "grip_4stick.jpg"},   {"M3G2", "grip_3stick.jpg"},
    {"M4G2", "grip_4stick.jpg"},
};

// Button-mode drop-downs, all sharing FourButton1DropDownChange.
struct ModeDropDown {
    const char *name;
    Button button;
};
inline constexpr auto ModeDropDowns = std::to_array<ModeDropDown>({
    {"FourButton0DropDown", NoButton},  {"FourButton1DropDown", Red},    {"FourButton2DropDown", Green},
    {"SixButton0DropDown", NoButton},   {"SixButton1DropDown", Red},     {"SixButton2DropDown", Green},
    {"SixButton3DropDown", Blue},       {"SixButton4DropDown", Yellow},  {"EightButton0DropDown", NoButton},
    {"EightButton1DropDown", Red},      {"EightButton2DropDown", Green}, {"EightButton3DropDown", Blue},
    {"EightButton4DropDown", Yellow},   {"EightButton5DropDown", Orange}, {"EightButton6DropDown", Purple},
    {"SlaveButton1DropDown", Red},      {"SlaveButton2DropDown", Green}, {"SlaveButton3DropDown", Blue},
    {"SlaveButton4DropDown", Yellow},
});

// Label edits, all sharing SixButtonLabelEditChange.
struct LabelEdit {
    const char *name;
    int offset;       // the label field it shows
    bool stickLabel;  // loaded whatever the joystick type (else with the button pages only)
};
inline constexpr auto LabelEdits = std::to_array<LabelEdit>({
    {"SixButton0LabelEdit", Off::Quarn::NoButtonLabel, false},
    {"EightButton0LabelEdit", Off::Quarn::NoButtonLabel, false},
    {"Edit10", Off::Quarn::NoButtonLabel, false},
    {"SixButton1LabelEdit", Off::Quarn::RedLabel, false},
    {"EightButton1LabelEdit", Off::Quarn::RedLabel, false},
    {"Edit8", Off::Quarn::RedLabel, false},
    {"Edit1", Off::Quarn::RedLabel, true},
    {"Edit4", Off::Quarn::RedLabel, true},
    {"SixButton2LabelEdit", Off::Quarn::GreenLabel, false},
    {"EightButton2LabelEdit", Off::Quarn::GreenLabel, false},
    {"Edit9", Off::Quarn::GreenLabel, false},
    {"Edit2", Off::Quarn::GreenLabel, true},
    {"Edit5", Off::Quarn::GreenLabel, true},
    {"SixButton3LabelEdit", Off::Quarn::BlueLabel, false},
    {"EightButton3LabelEdit", Off::Quarn::BlueLabel, false},
    {"Edit3", Off::Quarn::BlueLabel, true},
    {"Edit6", Off::Quarn::BlueLabel, true},
    {"SixButton4LabelEdit", Off::Quarn::YellowLabel, false},
    {"EightButton4LabelEdit", Off::Quarn::YellowLabel, false},
    {"Edit7", Off::Quarn::YellowLabel, true},
    {"EightButton5LabelEdit", Off::Quarn::OrangeLabel, false},
    {"EightButton6LabelEdit", Off::Quarn::PurpleLabel, false},
    {"alwayslivetext", Off::Quarn::AlwaysLiveLabel, false},
    {"alwayslivetext2", Off::Quarn::AlwaysLiveLabel, false},
});

// Whether the label edits of one kind show exactly the labels the core shows as text for it.
template <size_t N>
constexpr bool EditsShow(const int (&labels)[N], bool stickLabel)
{
    for (const LabelEdit &edit : LabelEdits) {
        if (edit.stickLabel != stickLabel) continue;
        if (std::find(std::begin(labels), std::end(labels), edit.offset) == std::end(labels)) return false;
    }
    for (int label : labels)
        if (std::none_of(LabelEdits.begin(), LabelEdits.end(),
                         [&](const LabelEdit &e) { return e.stickLabel == stickLabel && e.offset == label; }))
            return false;
    return true;
}

// Stick-option drop-downs: item index -> button function code in one byte.
enum OptionList { TwoHoistButtonDropDown, ThreeHoistButtonDropDown, ThreeWingButtonDropDown, plowoptions,
                  ComboBox1, ComboBox3, ComboBox2, ComboBox12, ComboBox13, ComboBox14, ComboBox15, OptionListCount };
struct OptionListInfo {
    const char *name;
    int byte;
    std::vector<int> codes;  // per item; a code of -1 is a blank item that stands for 0
    QStringList texts;       // empty: the usual text of each code
    bool refresh;            // the handler reloads the page
};
extern const OptionListInfo OptionLists[OptionListCount];
QStringList OptionItems(const OptionListInfo &list);
int OptionCode(const OptionListInfo &list, int item);
// The item standing for `code`, item 0 when the list has none.
int OptionItemOfCode(const OptionListInfo &list, int code);

// Stick-function drop-downs of the three-stick custom and four-stick layouts.
struct StickFunctionList {
    const char *name;
    int byte;
    bool refresh;
};
inline constexpr auto StickFunctionLists = std::to_array<StickFunctionList>({
    {"joystick1", Off::Quarn::StickFunction1, false},  {"joystick2a", Off::Quarn::StickFunction2, false},
    {"joystick2b", Off::Quarn::StickFunction3, false}, {"joystick3", Off::Quarn::StickFunction4, false},
    {"js1setting", Off::Quarn::StickFunction1, true},  {"js2setting", Off::Quarn::StickFunction4, true},
    {"js3setting", Off::Quarn::StickFunction2, true},  {"js4setting", Off::Quarn::StickFunction3, true},
    {"js5setting", Off::Quarn::StickFunctionSecondary, true},
});

// Option check boxes of the stick layouts.
struct FlagBox {
    const char *name;
    int byte;
    int onValue;  // stored when ticked; 0 when not
    bool refresh;
};
inline constexpr auto FlagBoxes = std::to_array<FlagBox>({
    {"TwoButton1Checkbox", Off::GreenMode, Code::Safety, true},
    {"TwoButton2Checkbox", Off::BlueMode, Code::Safety, true},
    {"js1checkbox", Off::RedMode, Code::Safety, true},
    {"js2checkbox", Off::GreenMode, Code::Safety, true},
    {"js3checkbox", Off::BlueMode, Code::Safety, true},
    {"js4checkbox", Off::YellowMode, Code::Safety, true},
    {"CheckBox8", Off::Quarn::SafetyLatch, 1, false},
    {"CheckBox10", Off::Quarn::SafetyLatch, 1, false},
});
// The four-stick page's safety boxes, one per stick, stand in FlagBoxes from this entry on.
constexpr size_t FirstStickSafetyBox = 2;
constexpr size_t StickSafetyBoxCount = std::size(FourStickOptionBytes);
// The safety latch's box on the three- and four-stick groups-of-two pages.
constexpr size_t ThreeStickLatchBox = 6;
constexpr size_t FourStickLatchBox = 7;

constexpr bool StickSafetyBoxesShowTheOptionBytes()
{
    for (size_t i = 0; i < StickSafetyBoxCount; ++i)
        if (FlagBoxes[FirstStickSafetyBox + i].byte != FourStickOptionBytes[i]) return false;
    return true;
}

static_assert(EditsShow(ButtonPageLabels, false) && EditsShow(StickLabels, true));
static_assert(StickSafetyBoxesShowTheOptionBytes());

}  // namespace Joy
