#pragma once
// What setting a control of the Quarn 2 page brings with it, in the image: the page's handlers and
// the settings by name both go through these.
#include "core/calimage.h"

#include <QString>

namespace QuarnRules {

// A button set to "Remote Button" or "Slave Hydraulics" reaches another controller: its pair of
// remote bytes holds a switch number (or slave colour) and a target ID within the mode's ranges.
struct RemoteRule {
    int mode;
    int targetMin, targetMax;
    int firstMin, firstMax;  // the first byte of the pair
    const char *typeCaption;
    bool showsSwitch;        // the switch-number spin, else the slave-colour list
};
constexpr int NotRemote = 255;  // both bytes of a button whose mode has no remote settings
const RemoteRule *RemoteRuleOf(int mode);
// The button's pair as the page shows it for its mode: held within the mode's ranges, or both 255.
void SettleRemotePair(CalImageBytes &image, int button);

// A label typed into a label edit: upper case, centred, then a NUL.
void StoreLabel(CalImageBytes &image, int field, const QString &text);

// A mode chosen in a button's mode list: the mode, the mode's default label on the button's label
// edits, the remote pair settled.
void ChooseButtonMode(CalImageBytes &image, int button, int code);

// A button's mode byte set by a control other than its mode list (a stick's option list or safety
// box, the custom-mode box): the button keeps its label; its remote pair follows the mode.
void SetButtonOption(CalImageBytes &image, int modeByte, int code);

// A joystick chosen in the joystick list, coming from page `previousPage`: button joysticks run
// with the stick safety on and get their usual modes back after a stick layout (and lose the
// custom mode on the four-button grip); the stick layouts set the red, green and blue modes.
void ChooseJoystick(CalImageBytes &image, int previousPage, int page);
// A layout of the two-stick page (its type and the red and green modes) or of the three-stick page.
void ChooseTwoStickLayout(CalImageBytes &image, int layout);
void ChooseThreeStickLayout(CalImageBytes &image, int layout);

// "Mode Buttons Act As Trigger": without it there is neither multi mode nor an always-live
// function (nor its label).
void SetModeButtonsAreTrigger(CalImageBytes &image, bool on);

// The hoist limit switch is normally closed or normally open: ticking one unticks the other.
void SetHoistLimit(CalImageBytes &image, int offset, bool on);

// The cartridge port has one use at a time: ticking a use clears the uses it governs (all the
// others, but the float-four use and the camera trigger leave each other alone).
bool CartridgeUseGoverns(int use, int other);
void SetCartridgeUse(CalImageBytes &image, int use, bool on);

// "Set All Trims": every trim group to the global trims; with a Husco valve the hoist outputs to
// the Husco levels.
void SetAllTrims(CalImageBytes &image, uint8_t globalMin, uint8_t globalMax, bool husco);

// A force float block needs float one double acting.
void SetForceBlock(CalImageBytes &image, bool on);

}  // namespace QuarnRules
