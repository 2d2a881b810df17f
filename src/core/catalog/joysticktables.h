#pragma once
// The look-alike controls of the joystick, custom and remote/slave tabs as data: which byte each
// control edits, which items it lists and what code each item stands for. The builders place the
// controls, the loader and the handlers walk these tables.
#include <QStringList>

#include <vector>

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
    const char *item;        // JoystickCombo item
    const char *pageName;    // JoystickNotebook page name
    int type;                // byte 33 the item stores
    const char *picture;     // grip picture under :/assets/, nullptr for none
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

// Button-mode drop-downs, all sharing FourButton1DropDownChange.
struct ModeDropDown {
    const char *name;
    Button button;
};
extern const std::vector<ModeDropDown> ModeDropDowns;
QStringList ModeItems();

// What a button function code does, in the words of the lists that offer it ("Hoist", "Safety",
// "Primary / Button Secondary"); empty for a code no list has.
QString ButtonFunctionText(int code);

// Label edits, all sharing SixButtonLabelEditChange.
struct LabelEdit {
    const char *name;
    int field;
    Button defaultFor;   // the button whose chosen mode sets this edit's text, ButtonCount for none
    bool stickLabel;     // loaded whatever the joystick type (else with the button pages only)
};
extern const std::vector<LabelEdit> LabelEdits;
// The label a chosen mode gives its button (before centring).
QString DefaultLabel(int code);
// A label as stored: upper case, blanks added alternately at the end and the start up to eight
// characters (at most eight are kept).
QString CentredLabel(const QString &text);
// A label's bytes as its edit stores them: the centred label, then a NUL.
QByteArray StoredLabel(const QString &text);

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
extern const std::vector<StickFunctionList> StickFunctionLists;
QStringList StickFunctionItems();

// Option check boxes of the stick layouts.
struct FlagBox {
    const char *name;
    int byte;
    int onValue;  // stored when ticked; 0 when not
    bool refresh;
};
extern const std::vector<FlagBox> FlagBoxes;
// The four-stick page's safety boxes, one per stick, stand in FlagBoxes from this entry on.
constexpr size_t FirstStickSafetyBox = 2;
constexpr size_t StickSafetyBoxCount = 4;

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
