#pragma once
#include "core/layout/quarn_joystick_layout.h"
// Byte offsets of the Quarn 2 image layout: trims, stick safety, floats, options, panic outputs
// and output linking. The joystick, custom-mode and remote bytes are in quarn_joystick_layout.h;
// the joystick type, the float ports and the button modes shared with the defaults are in
// image_layout.h.
namespace Off {
namespace Quarn {

// Trim pairs: minimum at the odd offset, maximum at the next even one.
constexpr int HoistUpMin = 1;
constexpr int HoistDownMin = 3;
constexpr int PlowUpMin = 5;
constexpr int PlowDownMin = 7;
constexpr int PlowLeftMin = 9;
constexpr int PlowRightMin = 11;
constexpr int WingToeUpMin = 13;
constexpr int WingToeDownMin = 15;
constexpr int WingHeelUpMin = 17;
constexpr int WingHeelDownMin = 19;
constexpr int WingSlideInMin = 21;
constexpr int WingSlideOutMin = 23;
constexpr int BladeUpMin = 25;
constexpr int BladeDownMin = 27;
constexpr int BladeLeftMin = 29;
constexpr int BladeRightMin = 31;
constexpr int Blade2UpMin = 111;
constexpr int Blade2DownMin = 113;
constexpr int Blade2LeftMin = 115;
constexpr int Blade2RightMin = 117;
constexpr int TrimMaxAfterMin = 1;  // the maximum trim sits right after its minimum

constexpr int StickSafetySensitivity = 120;  // 0..60

// Float name fields (5 bytes each).
constexpr int Float1Name = 163;
constexpr int Float2Name = 168;
constexpr int Float3Name = 173;
constexpr int Float4Name = 178;

// Output linking: the "A" and "B" output of links 1..4.
constexpr int OutputLink1A = 199;
constexpr int OutputLink1B = 200;
constexpr int OutputLink2A = 201;
constexpr int OutputLink2B = 202;
constexpr int OutputLink3A = 203;
constexpr int OutputLink3B = 204;
constexpr int OutputLink4A = 205;
constexpr int OutputLink4B = 206;

constexpr int FloatLockout = 207;
constexpr int HoistDownDumpValve = 208;  // cartridge-port use
constexpr int HoistOnlyWhenStopped = 209;
constexpr int HideOutputFailures = 210;
constexpr int AutoBladePort = 211;
constexpr int Float4DoubleActing = 212;  // cartridge-port use
constexpr int EjectorBody = 213;
constexpr int CameraPowerTrigger = 214;  // cartridge-port use
constexpr int VPlowAttached = 218;
constexpr int BiDirectionalTowPlow = 219;
constexpr int PlowPriorityOverSpreader = 220;
constexpr int Float1ForceBlock = 221;
constexpr int RemotePause = 222;
constexpr int PanicBladeLeft = 230;
constexpr int PanicBlade2Left = 231;
constexpr int PlowFloatLight = 232;  // cartridge-port use
constexpr int HoistLimitLight = 233;  // cartridge-port use
constexpr int HoistLimitNO = 234;
constexpr int CartridgeValve = 235;  // cartridge-port use
constexpr int HoistLimitNC = 236;
constexpr int FloatDelay = 237;  // 1..10
constexpr int Float1DoubleActing = 238;
constexpr int ScreenDataToSpreader = 239;
constexpr int Float2PressureHolding = 240;
constexpr int BladeUpTime = 241;   // 0..10
constexpr int StartupDelay = 242;  // 1..20
constexpr int BodyLock = 243;
constexpr int HoistLimitKey = 244;
constexpr int SerialBackup = 245;
constexpr int PanicHoistDown = 247;
constexpr int PanicPlowUp = 248;
constexpr int PanicWingToeUp = 249;
constexpr int PanicWingHeelUp = 250;
constexpr int PanicBladeUp = 251;
constexpr int PanicBlade2Up = 252;
constexpr int PanicWingSlideIn = 253;
constexpr int PanicPauseSpreader = 254;

// Loader limits: values above these are rewritten.
constexpr int LastPortIndex = 20;     // float ports above it become 0 ("None")
constexpr int MaxBladeUpTime = 10;    // above it becomes 0
constexpr int MaxStartupDelay = 80;   // above it becomes 1
constexpr int StartupDelayReset = 1;

}  // namespace Quarn
}  // namespace Off
