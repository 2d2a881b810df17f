#pragma once
// Byte offsets of the Dorsell and Ostrel 2 image layout (both products share one page and one
// layout; the frequency byte and byte 33 are the common Off::Frequency and Off::JoystickType).
namespace Off {
namespace Dorsell {
// The loader writes this joystick-type mark into byte 33 whenever the Dorsell page shows.
constexpr int JoystickTypeMark = 20;

// Trim pairs: minimum at the odd offset, maximum at the next one.
constexpr int HoistUpMin = 1;
constexpr int HoistUpMax = 2;
constexpr int HoistDownMin = 3;
constexpr int HoistDownMax = 4;
constexpr int HoistLeftMin = 5;
constexpr int HoistLeftMax = 6;
constexpr int HoistRightMin = 7;
constexpr int HoistRightMax = 8;
constexpr int PlowUpMin = 9;
constexpr int PlowUpMax = 10;
constexpr int PlowDownMin = 11;
constexpr int PlowDownMax = 12;
constexpr int PlowLeftMin = 13;
constexpr int PlowLeftMax = 14;
constexpr int PlowRightMin = 15;
constexpr int PlowRightMax = 16;
constexpr int RtWingInMin = 25;
constexpr int RtWingInMax = 26;
constexpr int RtWingOutMin = 27;
constexpr int RtWingOutMax = 28;

// Flags (1 on, anything else off).
constexpr int Joy1Safety = 17;
constexpr int Joy2Safety = 18;
constexpr int Joy3Safety = 29;
constexpr int PlowFloat = 20;
constexpr int HoistLimit = 21;
constexpr int CartridgeValve = 22;       // excludes HoistDownDumpValve
constexpr int AttitudeControl = 23;
constexpr int ToggleVPlow = 24;
constexpr int DoubleActingFloat = 30;    // only with plow float
constexpr int HoistLimitOverride = 31;   // only with hoist limit
constexpr int HoistDownDumpValve = 208;  // the dump valve on the CART port; excludes CartridgeValve

// Joystick setting: item index of the Dorsell or the Ostrel list.
constexpr int JoystickSetting = 19;

// Four-button joystick modes: button function codes 0..3.
constexpr int NoButtonMode = 34;
constexpr int RedButtonMode = 35;
constexpr int GreenButtonMode = 36;

// Groups of 2: the output group (0 inactive, 1..5) each joystick axis drives.
constexpr int GroupJ1PrimaryX = 124;
constexpr int GroupJ1PrimaryY = 125;
constexpr int GroupJ1SecondaryX = 127;
constexpr int GroupJ1SecondaryY = 128;
constexpr int GroupJ2PrimaryX = 130;
constexpr int GroupJ2PrimaryY = 131;
constexpr int GroupJ2SecondaryX = 133;
constexpr int GroupJ2SecondaryY = 134;

constexpr int StickSafetySensitivity = 120;  // 1 (fast) .. 60 (slow)
constexpr int FloatDelay = 237;              // plow float delay, 1..10
}  // namespace Dorsell
}  // namespace Off
