#pragma once
// The settings of the Brennic page as data: trim groups, value bars (times, ratios, cushions), ramp
// groups and option boxes, each with its captions, its image bytes and the tab that carries it.
// The page's controls for each row are in ui/pages/brennic/brennic_controls.h, by image byte.
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"

#include <cstdint>
#include <iterator>

namespace Brennic {

enum Tab { MainTab, ArmUpDownTab, ArmInOutTab, GripTab, DumpTab, TabCount };
inline constexpr const char *TabCaptions[TabCount] = {"Main", "Arm Up / Down Trims", "Arm In / Out Trims",
                                                      "Grip Open / Close Trims", "Dump Trims"};

// Captions of single controls that name an image byte.
inline constexpr const char *FrequencyCaption = "PWM Frequency";
inline constexpr const char *ShakeCountCaption = "Numer of Shakes";

// Trim groups, in the order the loader positions their bars. Each group's test buttons drive its
// own output (channel code) at its own trim bytes.
struct TrimGroup {
    const char *caption;
    const char *port;
    Tab tab;
    int column;  // 0 left, 1 right
    int minOffset, maxOffset;
    uint8_t testCode;
};
namespace B = Off::Brennic;
inline constexpr TrimGroup TrimGroups[] = {
    {"Grip Open", "(Hyd A6)", GripTab, 0, B::GripOpenMin, B::GripOpenMax, 1},
    {"Grip Close", "(Hyd A5)", GripTab, 1, B::GripCloseMin, B::GripCloseMax, 2},
    {"Arm Up", "(Hyd A2)", ArmUpDownTab, 0, B::ArmUpMin, B::ArmUpMax, 3},
    {"Arm Down", "(Hyd A1)", ArmUpDownTab, 1, B::ArmDownMin, B::ArmDownMax, 4},
    {"Arm In", "(Hyd A4)", ArmInOutTab, 0, B::ArmInMin, B::ArmInMax, 5},
    {"Arm Out", "(Hyd A3)", ArmInOutTab, 1, B::ArmOutMin, B::ArmOutMax, 6},
    {"UnDump", "(Hyd A8)", DumpTab, 1, B::UnDumpMin, B::UnDumpMax, 7},
    {"Dump", "(Hyd A7)", DumpTab, 0, B::DumpMin, B::DumpMax, 8},
};
inline constexpr int TrimGroupCount = static_cast<int>(std::size(TrimGroups));
inline constexpr int TrimMinPosition = ControlRange::TrimTop, TrimMaxPosition = ControlRange::TrimBottom;
inline constexpr int TrimSmallStep = 2, TrimLargeStep = 20;

// Bars whose position is the byte: time bars (label in seconds), ratio bars (label in percent)
// and cushion bars (bare number). A run-time bar pulls its deceleration start point down with it;
// a start point pushes its run time up; both only when the technician moves them.
enum class BarKind { Seconds, Percent, Bare };
enum class Coupling { None, RunTime, DecelStart };
struct ValueBar {
    int offset;
    BarKind kind;
    int min, max;
    Tab tab;
    const char *group;
    const char *caption;  // a line above the bar, or empty
    Coupling coupling;
    int partner;  // the coupled bar's byte, or -1
};

// In the order the loader sets them.
inline constexpr ValueBar ValueBars[] = {
    {B::ShakeTime, BarKind::Seconds, B::ShakeTimeMin, B::ShakeTimeMax, MainTab, "Shake Can",
     "Shake Time", Coupling::None, -1},
    {B::GripOpenRunTime, BarKind::Seconds, 0, B::TimeMax, GripTab, "Cordinated Mode",
     "Grip Open Run Time", Coupling::None, -1},
    {B::ArmOutRunTime, BarKind::Seconds, 0, B::TimeMax, ArmInOutTab, "Cordinated Mode",
     "Arm Out Run Time", Coupling::None, -1},
    {B::CoordinatedDumpDwell, BarKind::Seconds, 0, B::TimeMax, MainTab,
     "Cordinated Mode Dump Dwell time", "", Coupling::None, -1},
    {B::RatioArmUpIn, BarKind::Percent, B::PercentMin, B::PercentMax, MainTab,
     "Ratio When Arm Up / In Active", "", Coupling::None, -1},
    {B::RatioArmDownOut, BarKind::Percent, B::PercentMin, B::PercentMax, MainTab,
     "Ratio When Arm Down / Arm Out Active", "", Coupling::None, -1},
    {B::UpCushionSize, BarKind::Bare, B::PercentMin, B::PercentMax, MainTab,
     "Up Cylinder Cushion Size", "", Coupling::None, -1},
    {B::DownCushionSize, BarKind::Bare, B::PercentMin, B::PercentMax, MainTab,
     "Down Cylinder Cushion Size", "", Coupling::None, -1},
    {B::GripLockTime, BarKind::Seconds, 0, B::TimeMax, GripTab, "Set Time For Grip Lock",
     "Grip Close Time", Coupling::None, -1},
    {B::DumpRunTime, BarKind::Seconds, 0, B::TimeMax, DumpTab, "Dump Cylinder Run Time", "", Coupling::RunTime, B::DumpDecelStart},
    {B::DumpDecelStart, BarKind::Seconds, 0, B::TimeMax, DumpTab,
     "Dump Deceleration Start Point", "", Coupling::DecelStart, B::DumpRunTime},
    {B::UnDumpRunTime, BarKind::Seconds, 0, B::TimeMax, DumpTab,
     "UnDump Cylinder Run Time", "", Coupling::RunTime, B::UnDumpDecelStart},
    {B::UnDumpDecelStart, BarKind::Seconds, 0, B::TimeMax, DumpTab,
     "UnDump Deceleration Start Point", "", Coupling::DecelStart, B::UnDumpRunTime},
};
inline constexpr int ValueBarCount = static_cast<int>(std::size(ValueBars));

// Ramp groups: a visible rate spin and the hidden update-laps spin. Deceleration groups show
// their rate as a share of the last rate. Slots 0..3 fill a 2 x 2 grid at the top right.
struct RampGroup {
    const char *caption;
    Tab tab;
    int slot;
    const char *rateCaption;
    int rateOffset, lapsOffset;
};
// In the order the loader sets them.
inline constexpr RampGroup RampGroups[] = {
    {"Arm In Deceleration", ArmInOutTab, 1, "Rate", B::ArmInDecelRate,
     B::ArmInDecelLaps},
    {"Arm Up Deceleration", ArmUpDownTab, 1, "Step Decrement", B::ArmUpDecelRate,
     B::ArmUpDecelLaps},
    {"Arm Down Deceleration", ArmUpDownTab, 3, "Rate", B::ArmDownDecelRate,
     B::ArmDownDecelLaps},
    {"Dump  Acceleration", DumpTab, 0, "Rate", B::DumpAccelRate, B::DumpAccelLaps},
    {"Arm In Acceleration", ArmInOutTab, 0, "Rate", B::ArmInAccelRate,
     B::ArmInAccelLaps},
    {"Arm Out Acceleration", ArmInOutTab, 2, "Rate", B::ArmOutAccelRate,
     B::ArmOutAccelLaps},
    {"Arm Up Acceleration", ArmUpDownTab, 0, "Step Increment", B::ArmUpAccelRate,
     B::ArmUpAccelLaps},
    {"Arm Down Acceleration", ArmUpDownTab, 2, "Change by", B::ArmDownAccelRate,
     B::ArmDownAccelLaps},
    {"Dump  Deceleration", DumpTab, 1, "Rate", B::DumpDecelRate,
     B::DumpDecelLaps},
    {"Arm Out Deceleration", ArmInOutTab, 3, "Rate", B::ArmOutDecelRate,
     B::ArmOutDecelLaps},
    {"Grip Open Acceleration", GripTab, 0, "Rate", B::GripOpenAccelRate,
     B::GripOpenAccelLaps},
    {"Grip Open Deceleration", GripTab, 1, "Rate", B::GripOpenDecelRate,
     B::GripOpenDecelLaps},
    {"Grip Close Acceleration", GripTab, 2, "Rate", B::GripCloseAccelRate,
     B::GripCloseAccelLaps},
    {"Grip Close Deceleration", GripTab, 3, "Rate", B::GripCloseDecelRate,
     B::GripCloseDecelLaps},
    {"UnDump Acceleration", DumpTab, 2, "Rate", B::UnDumpAccelRate,
     B::UnDumpAccelLaps},
    {"UnDump Deceleration", DumpTab, 3, "Rate", B::UnDumpDecelRate,
     B::UnDumpDecelLaps},
};
inline constexpr int RampGroupCount = static_cast<int>(std::size(RampGroups));

// Option boxes on the "Main" tab (flag bytes).
struct FlagBox {
    const char *caption;
    int offset;
};
inline constexpr FlagBox FlagBoxes[] = {
    {"Enable Remote Switch Panel", B::RemoteSwitchPanel},
    {"Enable Z-axis on Joystick", B::JoystickZAxis},
};
inline constexpr int FlagBoxCount = static_cast<int>(std::size(FlagBoxes));

}  // namespace Brennic
