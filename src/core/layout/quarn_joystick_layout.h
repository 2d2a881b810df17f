#pragma once
// Byte offsets of the Quarn joystick, custom-mode and remote settings. The joystick type, the
// button mode bytes, the label fields and the remote pairs are the common names of image_layout.h.
namespace Off {
namespace Quarn {

constexpr int NoButtonMode = 34;  // mode while no button is held

// Label fields (9 bytes each) of the buttons and of the always-live function.
constexpr int RedLabel = 39;
constexpr int GreenLabel = 48;
constexpr int BlueLabel = 57;
constexpr int YellowLabel = 66;
constexpr int OrangeLabel = 75;
constexpr int PurpleLabel = 84;
constexpr int NoButtonLabel = 102;
constexpr int AlwaysLiveLabel = 185;

// Custom axes: X, Y and Z output pair of each button while its custom mode is active.
constexpr int NoButtonAxes = 121;  // 121..123
constexpr int RedAxes = 124;       // 124..126
constexpr int GreenAxes = 127;     // 127..129
constexpr int BlueAxes = 130;      // 130..132
constexpr int YellowAxes = 133;    // 133..135
constexpr int OrangeAxes = 142;    // 142..144
constexpr int PurpleAxes = 146;    // 146..148
constexpr int AxesPerButton = 3;

constexpr int ModeButtonsAreTrigger = 137;  // non-zero = on
constexpr int MultiMode = 162;              // non-zero = on
constexpr int StickSafetyDisabled = 183;    // 1 = stick safety off
constexpr int AlwaysLiveMode = 184;         // item index of the always-live list

// Stick functions of the three- and four-stick layouts.
constexpr int StickFunctionSecondary = 194;  // four sticks: the secondary function
constexpr int StickFunction1 = 195;          // three sticks: stick 1; four sticks: JS1
constexpr int StickFunction2 = 196;          // three sticks: stick 2 primary; four sticks: JS3
constexpr int StickFunction3 = 197;          // three sticks: stick 2 secondary; four sticks: JS4
constexpr int StickFunction4 = 198;          // three sticks: stick 3; four sticks: JS2

// Summer/winter outputs of the other options dialog.
constexpr int SummerOutputMask = 215;  // bits 0..7: A1/A2 .. B7/B8
constexpr int WinterOutputMask = 216;  // bits 0..7: A1/A2 .. B7/B8
constexpr int SeasonModeFlags = 217;   // bits 0,1 summer C1/C2, C3/C4; bits 2,3 winter; bit 4 active

constexpr int SafetyLatch = 246;  // flag of the groups-of-two layouts

}  // namespace Quarn
}  // namespace Off
