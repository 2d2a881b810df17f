#pragma once
// Byte offsets of the Brennic (grabber arm) calibration image. Trim pairs hold the minimum at the
// odd offset and the maximum at the next one; time bytes count 32 ms steps; each ramp is a rate
// byte followed by its update-laps byte.
namespace Off {
namespace Brennic {

// Trim pairs, one per hydraulic output of the arm.
constexpr int GripCloseMin = 1, GripCloseMax = 2;  // Hyd A5
constexpr int GripOpenMin = 3, GripOpenMax = 4;    // Hyd A6
constexpr int ArmUpMin = 5, ArmUpMax = 6;          // Hyd A2
constexpr int ArmDownMin = 7, ArmDownMax = 8;      // Hyd A1
constexpr int ArmInMin = 9, ArmInMax = 10;         // Hyd A4
constexpr int ArmOutMin = 11, ArmOutMax = 12;      // Hyd A3
constexpr int UnDumpMin = 13, UnDumpMax = 14;      // Hyd A8
constexpr int DumpMin = 15, DumpMax = 16;          // Hyd A7

// Timings (time bytes, 32 ms a step).
constexpr int GripLockTime = 194;
constexpr int DumpRunTime = 196;
constexpr int DumpDecelStart = 213;   // never beyond DumpRunTime
constexpr int ShakeTime = 216;
constexpr int UnDumpRunTime = 232;
constexpr int UnDumpDecelStart = 233;  // never beyond UnDumpRunTime
constexpr int CoordinatedDumpDwell = 234;
constexpr int ArmOutRunTime = 235;
constexpr int GripOpenRunTime = 236;

// Flags.
constexpr int RemoteSwitchPanel = 195;
constexpr int JoystickZAxis = 238;

// Number of shakes of "Shake Can".
constexpr int ShakeCount = 217;

// Ratios (percent) and cylinder cushions.
constexpr int RatioArmUpIn = 237;
constexpr int RatioArmDownOut = 239;
constexpr int UpCushionSize = 240;
constexpr int DownCushionSize = 241;

// Ramps: rate byte, then its update-laps byte.
constexpr int ArmInDecelRate = 197, ArmInDecelLaps = 198;
constexpr int ArmUpDecelRate = 199, ArmUpDecelLaps = 200;
constexpr int ArmDownDecelRate = 201, ArmDownDecelLaps = 202;
constexpr int DumpAccelRate = 203, DumpAccelLaps = 204;
constexpr int ArmInAccelRate = 205, ArmInAccelLaps = 206;
constexpr int ArmOutAccelRate = 207, ArmOutAccelLaps = 208;
constexpr int ArmUpAccelRate = 209, ArmUpAccelLaps = 210;
constexpr int ArmDownAccelRate = 211, ArmDownAccelLaps = 212;
constexpr int DumpDecelRate = 214, DumpDecelLaps = 215;
constexpr int ArmOutDecelRate = 218, ArmOutDecelLaps = 219;
constexpr int UnDumpAccelRate = 220, UnDumpAccelLaps = 221;
constexpr int UnDumpDecelRate = 222, UnDumpDecelLaps = 223;
constexpr int GripOpenAccelRate = 224, GripOpenAccelLaps = 225;
constexpr int GripOpenDecelRate = 226, GripOpenDecelLaps = 227;
constexpr int GripCloseAccelRate = 228, GripCloseAccelLaps = 229;
constexpr int GripCloseDecelRate = 230, GripCloseDecelLaps = 231;

// Value ranges the controller accepts.
constexpr int TimeMax = 250;       // 8 s
constexpr double SecondsPerStep = 0.032;
constexpr int ShakeTimeMin = 1, ShakeTimeMax = 100;
constexpr int ShakeCountMin = 1, ShakeCountMax = 10;
constexpr int PercentMin = 1, PercentMax = 100;
constexpr int RampMin = 1, RampMax = 250;  // a deceleration rate of RampMax keeps 100 % of the last rate

}  // namespace Brennic
}  // namespace Off
