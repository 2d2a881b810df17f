#pragma once
// The joystick settings of the Quarn 2 image as data: joystick types and their layouts, the
// buttons and their bytes, the function codes and the items of the lists that offer them. The
// window's joystick tabs name and place their controls over these tables on their own side.
#include "core/image_layout.h"

#include <QStringList>

namespace Joy {

// Button function codes the joystick tabs name.
namespace Code {
constexpr int Inactive = 0;
constexpr int Hoist = 1;
constexpr int Plow = 2;
constexpr int Wing = 3;
constexpr int Blade = 4;
constexpr int Safety = 5;
constexpr int PrimaryButtonSecondary = 6;
constexpr int HoistLimitOverride = 7;
constexpr int Custom = 8;
constexpr int RemoteButton = 9;
constexpr int SlaveHydraulics = 10;
constexpr int TogglePrimarySecondary = 11;
constexpr int PassButton = 12;
constexpr int Blade2 = 13;
constexpr int PanicButton = 14;
}  // namespace Code

// Joystick type codes (byte 33).
namespace Type {
constexpr int FourButton = 1;
constexpr int SixButton = 2;
constexpr int EightButton = 3;
constexpr int SlaveMode = 19;
constexpr int TwoStickPlowHoist = 21;
constexpr int TwoStickPlowHoistWingBlade = 22;
constexpr int TwoStickPlowHook = 25;
constexpr int ThreeStickPlow = 23;
constexpr int ThreeStickWing = 24;
constexpr int ThreeStickCustom = 26;
constexpr int Ostrel = 27;
constexpr int FourStick = 28;
constexpr int ThreeStickGroups = 29;
constexpr int FourStickGroups = 30;
}  // namespace Type

// The drop-down lists of the joystick tabs show twelve lines when open; a label edit takes at most
// eight characters.
constexpr int ListRows = 12;
constexpr int LabelEditLength = 8;

// JoystickCombo items and JoystickNotebook pages share one index.
enum JoystickPage { FourButtonPage, SixButtonPage, EightButtonPage, TwoStickPage, ThreeStickPage, SlaveModePage,
                    OstrelPage, FourStickPage, M3G2Page, M4G2Page, JoystickPageCount };
struct JoystickPageInfo {
    const char *item;  // JoystickCombo item
    int type;          // byte 33 the item stores
};
extern const JoystickPageInfo JoystickPages[JoystickPageCount];
// The JoystickCombo item of a joystick type, -1 for a type the list does not have.
int JoystickItemOfType(int type);
// Button joysticks and slave mode: the pages whose buttons carry modes and labels.
bool IsButtonPage(int page);

// The buttons, in the order of the custom groups' table.
enum Button { NoButton, Red, Green, Blue, Yellow, Orange, Purple, ButtonCount };
struct ButtonInfo {
    const char *name;           // prefix of the control names ("Red" -> RedButtonCustom, RedTargetIDSpin)
    int modeByte;
    int resetMode;              // the mode a change of joystick layout puts back
    int labelField;
    int axes;                   // X; Y and Z follow
    int remote;                 // index of the remote pair, -1 for none
    unsigned customColour;      // font colour of its custom group (0xRRGGBB)
    unsigned remoteColour;      // font colour of its remote group (0xRRGGBB)
    const char *customCaption;  // custom group caption on the button joysticks
    const char *remoteCaption;  // remote group caption
};
extern const ButtonInfo Buttons[ButtonCount];
inline constexpr unsigned NotApplicable = 0x808080;  // grey

// The items of a button's mode list.
QStringList ModeItems();

// What a button function code does, in the words of the lists that offer it ("Hoist", "Safety",
// "Primary / Button Secondary"); empty for a code no list has.
QString ButtonFunctionText(int code);

// The labels the joystick pages show as text: on the button joysticks every button's label and
// the always-live function's; whatever the joystick type, the four sticks' labels.
inline constexpr int ButtonPageLabels[] = {Off::Quarn::NoButtonLabel, Off::Quarn::RedLabel,    Off::Quarn::GreenLabel,
                                           Off::Quarn::BlueLabel,     Off::Quarn::YellowLabel, Off::Quarn::OrangeLabel,
                                           Off::Quarn::PurpleLabel,   Off::Quarn::AlwaysLiveLabel};
inline constexpr int StickLabels[] = {Off::Quarn::RedLabel, Off::Quarn::GreenLabel, Off::Quarn::BlueLabel,
                                      Off::Quarn::YellowLabel};
// The label a chosen mode gives its button (before centring).
QString DefaultLabel(int code);
// A label as stored: upper case, blanks added alternately at the end and the start up to eight
// characters (at most eight are kept).
QString CentredLabel(const QString &text);
// A label's bytes as its edit stores them: the centred label, then a NUL.
QByteArray StoredLabel(const QString &text);

// The words of a stick option's code ("None", "Safety", "Pass Button"), empty for a code that is
// no stick option.
QString StickOptionText(int code);

// The four-stick layout's option bytes, one per stick: each is safety or nothing.
inline constexpr int FourStickOptionBytes[] = {Off::RedMode, Off::GreenMode, Off::BlueMode, Off::YellowMode};

// The functions a stick-function list offers (its byte holds the item's index).
QStringList StickFunctionItems();

// The three layouts of the two-stick page (TwoStickComboBox items) and their button options.
struct TwoStickLayout {
    const char *item;
    int type;
    int redMode;
    int greenMode;
};
extern const TwoStickLayout TwoStickLayouts[3];
// The three layouts of the three-stick page (triomodes items).
struct ThreeStickLayout {
    const char *item;
    int type;
};
extern const ThreeStickLayout ThreeStickLayouts[3];

// Custom axis items (0 "Inactive" .. 10) and the always-live items.
QStringList AxisItems();
QStringList AlwaysLiveItems();
QStringList RemoteModeItems();

}  // namespace Joy
