#pragma once
// The fixed item lists and small tables of the Dorsell page.
#include <QStringList>

// Joystick settings (image byte 19): the Dorsell list and the Ostrel 2 list.
QStringList DorsellJoystickSettings();
QStringList OstrelJoystickSettings();

// Joystick setting of the Dorsell list that assigns the outputs in groups of 2.
constexpr int GroupsOf2Setting = 10;

// Which safety-trigger boxes a joystick setting offers (joystick 1, 2, 3). Settings without an
// entry leave the boxes as they are.
struct SafetyTriggers {
    int setting;
    bool joystick[3];
};
extern const SafetyTriggers DorsellSafetyTriggers[10];

// Four-button joystick modes (button function codes 0..3).
QStringList DorsellButtonModes();
// The output groups of the groups-of-2 setting (0 inactive, 1..5).
QStringList DorsellOutputGroups();

// Valve families of the "Valvetypes" list and what each proposes.
QStringList DorsellValveTypes();
struct ValvePreset {
    int hertz;
    int globalMin;
    int globalMax;
};
// The preset of a list entry; null for "Other" and for no selection.
const ValvePreset *DorsellValvePreset(int entry);
// The family whose hoist trims "Set All Trims" sets to fixed levels instead of the global trims.
constexpr int HuscoEntry = 3;

// The option boxes of the "Global" tab (flag bytes): name, caption, image byte, and whether the
// Ostrel 2 shows the box (its page hides the others).
struct DorsellOption {
    const char *name;
    const char *caption;
    int offset;
    bool onOstrel;
};
extern const DorsellOption DorsellOptions[11];
// The caption of the option box `name` (one of the table's).
const char *DorsellOptionCaption(const char *name);

// Captions of single controls of the page that name an image byte.
namespace DorsellCaptions {
inline constexpr const char *Frequency = "PWM Frequency";
inline constexpr const char *JoystickSetting = "Joystick Setting";
inline constexpr const char *SafetyTriggers = "Enable Saftey Triggers";
inline constexpr const char *FloatDelay = "Plow Float Delay";
inline constexpr const char *StickSafety = "Stayhnd Sensitivity";
inline constexpr const char *ButtonModes = "4-Button Joystick Modes";
}  // namespace DorsellCaptions

// A drop-down of the "Groups of 2 settings" tab: its name, its caption and its image byte.
struct DorsellCombo {
    const char *name;
    const char *caption;
    int offset;
};
// combonomode, comboredmode, combogreenmode.
extern const DorsellCombo DorsellModeCombos[3];
// ComboBox4 .. ComboBox11: joystick 1 primary X, Y, secondary X, Y; joystick 2 likewise.
extern const DorsellCombo DorsellGroupCombos[8];
