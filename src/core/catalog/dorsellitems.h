#pragma once
// The fixed item lists and small tables of the Dorsell page.
#include "core/image_layout.h"

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

// The option boxes of the "Global" tab (flag bytes): caption, image byte, and whether the Ostrel 2
// shows the box (its page hides the others).
struct DorsellOption {
    const char *caption;
    int offset;
    bool onOstrel;
};
extern const DorsellOption DorsellOptions[11];
// The caption of the option box of the byte `offset` (one of the table's).
const char *DorsellOptionCaption(int offset);

// Captions of single controls of the page that name an image byte.
namespace DorsellCaptions {
inline constexpr const char *Frequency = "PWM Frequency";
inline constexpr const char *JoystickSetting = "Joystick Setting";
inline constexpr const char *SafetyTriggers = "Enable Saftey Triggers";
inline constexpr const char *FloatDelay = "Plow Float Delay";
inline constexpr const char *StickSafety = "Stayhnd Sensitivity";
inline constexpr const char *ButtonModes = "4-Button Joystick Modes";
}  // namespace DorsellCaptions

// A drop-down of the "Groups of 2 settings" tab: its caption and its image byte.
struct DorsellCombo {
    const char *caption;
    int offset;
};
// The button modes of the 4-button joystick.
inline constexpr DorsellCombo DorsellModeCombos[3] = {
    {"No Button", Off::Dorsell::NoButtonMode},
    {"Red Button", Off::Dorsell::RedButtonMode},
    {"Green Button", Off::Dorsell::GreenButtonMode},
};
// Joystick 1 primary X, Y, secondary X, Y; joystick 2 likewise.
inline constexpr DorsellCombo DorsellGroupCombos[8] = {
    {"Joystick 1 Primary X", Off::Dorsell::GroupJ1PrimaryX},
    {"Joystick 1 Primary Y", Off::Dorsell::GroupJ1PrimaryY},
    {"Joystick 1 Secondary X", Off::Dorsell::GroupJ1SecondaryX},
    {"Joystick 1 Secondary Y", Off::Dorsell::GroupJ1SecondaryY},
    {"Joystick 2 Primary X", Off::Dorsell::GroupJ2PrimaryX},
    {"Joystick 2 Primary Y", Off::Dorsell::GroupJ2PrimaryY},
    {"Joystick 2 Secondary X", Off::Dorsell::GroupJ2SecondaryX},
    {"Joystick 2 Secondary Y", Off::Dorsell::GroupJ2SecondaryY},
};
