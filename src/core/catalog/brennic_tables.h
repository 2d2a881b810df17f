#pragma once
// The look-alike controls of the Brennic page as data: trim groups, value bars (times, ratios,
// cushions), ramp groups. Each row names its controls, its image bytes and where it sits.
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"
#include "ui/pages/pagerect.h"

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
    const char *minBar, *maxBar;
    const char *minLabel, *maxLabel;
    const char *minButton, *maxButton;
    int minOffset, maxOffset;
    uint8_t testCode;
};
namespace B = Off::Brennic;
inline constexpr TrimGroup TrimGroups[] = {
    {"Grip Open", "(Hyd A6)", GripTab, 0, "ScrollBar15", "ScrollBar16", "Label226", "Label228", "GripOpenMinButton",
     "GripOpenMaxButton", B::GripOpenMin, B::GripOpenMax, 1},
    {"Grip Close", "(Hyd A5)", GripTab, 1, "ScrollBar13", "ScrollBar14", "Label221", "Label223", "GripCloseMinButton",
     "GripCloseMaxButton", B::GripCloseMin, B::GripCloseMax, 2},
    {"Arm Up", "(Hyd A2)", ArmUpDownTab, 0, "ScrollBar11", "ScrollBar12", "Label216", "Label218", "ArmUpMinButton",
     "ArmUpMaxButton", B::ArmUpMin, B::ArmUpMax, 3},
    {"Arm Down", "(Hyd A1)", ArmUpDownTab, 1, "ScrollBar9", "ScrollBar10", "Label211", "Label213", "ArmDownMinButton",
     "ArmDownMaxButton", B::ArmDownMin, B::ArmDownMax, 4},
    {"Arm In", "(Hyd A4)", ArmInOutTab, 0, "ScrollBar7", "ScrollBar8", "Label206", "Label208", "ArmInMinButton",
     "ArmInMaxButton", B::ArmInMin, B::ArmInMax, 5},
    {"Arm Out", "(Hyd A3)", ArmInOutTab, 1, "ScrollBar5", "ScrollBar6", "Label201", "Label203", "ArmOutMinButton",
     "ArmOutMaxButton", B::ArmOutMin, B::ArmOutMax, 6},
    {"UnDump", "(Hyd A8)", DumpTab, 1, "ScrollBar3", "ScrollBar4", "Label196", "Label198", "UnDumpMinButton",
     "UnDumpMaxButton", B::UnDumpMin, B::UnDumpMax, 7},
    {"Dump", "(Hyd A7)", DumpTab, 0, "ScrollBar1", "ScrollBar2", "Label191", "Label193", "DumpMinButton",
     "DumpMaxButton", B::DumpMin, B::DumpMax, 8},
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
    const char *bar, *label;
    int offset;
    BarKind kind;
    int min, max;
    Tab tab;
    const char *group;
    const char *caption;  // a line above the bar, or empty
    PageRect place;
    Coupling coupling;
    const char *partner;  // the coupled bar
};

// Places on the trim tabs: two trim groups on the left, ramps and timing groups on the right.
inline constexpr int RightX = 280, RightW = 304;
inline constexpr int TimingY = 154, TimingStep = 50;

// In the order the loader sets them.
inline constexpr ValueBar ValueBars[] = {
    {"ScrollBar20", "Label231", B::ShakeTime, BarKind::Seconds, B::ShakeTimeMin, B::ShakeTimeMax, MainTab, "Shake Can",
     "Shake Time", {4, 52, 286, 92}, Coupling::None, ""},
    {"ScrollBar33", "Label296", B::GripOpenRunTime, BarKind::Seconds, 0, B::TimeMax, GripTab, "Cordinated Mode",
     "Grip Open Run Time", {RightX, TimingY + 66, RightW, BarGroupCaptionedHeight}, Coupling::None, ""},
    {"ScrollBar34", "Label298", B::ArmOutRunTime, BarKind::Seconds, 0, B::TimeMax, ArmInOutTab, "Cordinated Mode",
     "Arm Out Run Time", {RightX, TimingY, RightW, BarGroupCaptionedHeight}, Coupling::None, ""},
    {"ScrollBar35", "Label300", B::CoordinatedDumpDwell, BarKind::Seconds, 0, B::TimeMax, MainTab,
     "Cordinated Mode Dump Dwell time", "", {4, 148, 286, BarGroupHeight}, Coupling::None, ""},
    {"ScrollBar36", "Label302", B::RatioArmUpIn, BarKind::Percent, B::PercentMin, B::PercentMax, MainTab,
     "Ratio When Arm Up / In Active", "", {296, 4, 286, BarGroupHeight}, Coupling::None, ""},
    {"ScrollBar77", "Label354", B::RatioArmDownOut, BarKind::Percent, B::PercentMin, B::PercentMax, MainTab,
     "Ratio When Arm Down / Arm Out Active", "", {296, 52, 286, BarGroupHeight}, Coupling::None, ""},
    {"ScrollBar78", "Label355", B::UpCushionSize, BarKind::Bare, B::PercentMin, B::PercentMax, MainTab,
     "Up Cylinder Cushion Size", "", {296, 100, 286, BarGroupHeight}, Coupling::None, ""},
    {"ScrollBar79", "Label356", B::DownCushionSize, BarKind::Bare, B::PercentMin, B::PercentMax, MainTab,
     "Down Cylinder Cushion Size", "", {296, 148, 286, BarGroupHeight}, Coupling::None, ""},
    {"ScrollBar18", "Label240", B::GripLockTime, BarKind::Seconds, 0, B::TimeMax, GripTab, "Set Time For Grip Lock",
     "Grip Close Time", {RightX, TimingY, RightW, BarGroupCaptionedHeight}, Coupling::None, ""},
    {"ScrollBar19", "Label241", B::DumpRunTime, BarKind::Seconds, 0, B::TimeMax, DumpTab, "Dump Cylinder Run Time", "",
     {RightX, TimingY, RightW, BarGroupHeight}, Coupling::RunTime, "ScrollBar21"},
    {"ScrollBar21", "Label256", B::DumpDecelStart, BarKind::Seconds, 0, B::TimeMax, DumpTab,
     "Dump Deceleration Start Point", "", {RightX, TimingY + TimingStep, RightW, BarGroupHeight}, Coupling::DecelStart,
     "ScrollBar19"},
    {"ScrollBar30", "Label291", B::UnDumpRunTime, BarKind::Seconds, 0, B::TimeMax, DumpTab,
     "UnDump Cylinder Run Time", "", {RightX, TimingY + 2 * TimingStep, RightW, BarGroupHeight}, Coupling::RunTime,
     "ScrollBar31"},
    {"ScrollBar31", "Label292", B::UnDumpDecelStart, BarKind::Seconds, 0, B::TimeMax, DumpTab,
     "UnDump Deceleration Start Point", "", {RightX, TimingY + 3 * TimingStep, RightW, BarGroupHeight},
     Coupling::DecelStart, "ScrollBar30"},
};
inline constexpr int ValueBarCount = static_cast<int>(std::size(ValueBars));

// Ramp groups: a visible rate spin and the hidden update-laps spin. Deceleration groups show
// their rate as a share of the last rate. Slots 0..3 fill a 2 x 2 grid at the top right.
struct RampGroup {
    const char *caption;
    Tab tab;
    int slot;
    const char *rateSpin, *lapsSpin;
    const char *rateCaption;
    const char *percentLabel;  // nullptr for acceleration groups
    int rateOffset, lapsOffset;
};
// In the order the loader sets them.
inline constexpr RampGroup RampGroups[] = {
    {"Arm In Deceleration", ArmInOutTab, 1, "SpinEdit2", "SpinEdit1", "Rate", "Label175", B::ArmInDecelRate,
     B::ArmInDecelLaps},
    {"Arm Up Deceleration", ArmUpDownTab, 1, "SpinEdit3", "SpinEdit4", "Step Decrement", "Label160", B::ArmUpDecelRate,
     B::ArmUpDecelLaps},
    {"Arm Down Deceleration", ArmUpDownTab, 3, "SpinEdit5", "SpinEdit6", "Rate", "Label163", B::ArmDownDecelRate,
     B::ArmDownDecelLaps},
    {"Dump  Acceleration", DumpTab, 0, "SpinEdit7", "SpinEdit8", "Rate", nullptr, B::DumpAccelRate, B::DumpAccelLaps},
    {"Arm In Acceleration", ArmInOutTab, 0, "SpinEdit9", "SpinEdit10", "Rate", nullptr, B::ArmInAccelRate,
     B::ArmInAccelLaps},
    {"Arm Out Acceleration", ArmInOutTab, 2, "SpinEdit11", "SpinEdit12", "Rate", nullptr, B::ArmOutAccelRate,
     B::ArmOutAccelLaps},
    {"Arm Up Acceleration", ArmUpDownTab, 0, "SpinEdit13", "SpinEdit14", "Step Increment", nullptr, B::ArmUpAccelRate,
     B::ArmUpAccelLaps},
    {"Arm Down Acceleration", ArmUpDownTab, 2, "SpinEdit15", "SpinEdit16", "Change by", nullptr, B::ArmDownAccelRate,
     B::ArmDownAccelLaps},
    {"Dump  Deceleration", DumpTab, 1, "SpinEdit18", "SpinEdit19", "Rate", "Label293", B::DumpDecelRate,
     B::DumpDecelLaps},
    {"Arm Out Deceleration", ArmInOutTab, 3, "SpinEdit20", "SpinEdit21", "Rate", "Label176", B::ArmOutDecelRate,
     B::ArmOutDecelLaps},
    {"Grip Open Acceleration", GripTab, 0, "SpinEdit22", "SpinEdit23", "Rate", nullptr, B::GripOpenAccelRate,
     B::GripOpenAccelLaps},
    {"Grip Open Deceleration", GripTab, 1, "SpinEdit24", "SpinEdit25", "Rate", "Label177", B::GripOpenDecelRate,
     B::GripOpenDecelLaps},
    {"Grip Close Acceleration", GripTab, 2, "SpinEdit26", "SpinEdit27", "Rate", nullptr, B::GripCloseAccelRate,
     B::GripCloseAccelLaps},
    {"Grip Close Deceleration", GripTab, 3, "SpinEdit28", "SpinEdit29", "Rate", "Label178", B::GripCloseDecelRate,
     B::GripCloseDecelLaps},
    {"UnDump Acceleration", DumpTab, 2, "SpinEdit30", "SpinEdit31", "Rate", nullptr, B::UnDumpAccelRate,
     B::UnDumpAccelLaps},
    {"UnDump Deceleration", DumpTab, 3, "SpinEdit32", "SpinEdit33", "Rate", "Label179", B::UnDumpDecelRate,
     B::UnDumpDecelLaps},
};
inline constexpr int RampGroupCount = static_cast<int>(std::size(RampGroups));
inline constexpr int RampW = 150, RampH = 70, RampGap = 4;

// Option boxes on the "Main" tab (flag bytes).
struct FlagBox {
    const char *name;
    const char *caption;
    int offset;
    PageRect place;
};
inline constexpr FlagBox FlagBoxes[] = {
    {"CheckBox2", "Enable Remote Switch Panel", B::RemoteSwitchPanel, {12, 200, 270, 20}},
    {"CheckBox14", "Enable Z-axis on Joystick", B::JoystickZAxis, {12, 224, 270, 20}},
};
inline constexpr int FlagBoxCount = static_cast<int>(std::size(FlagBoxes));

}  // namespace Brennic
