#pragma once
// The Brennic page's controls for the settings of the Brennic tables: each row gives, by the image
// byte of its setting, the controls' object names and, where the row sets it, their place.
#include "core/image_layout.h"
#include "core/catalog/brennic_tables.h"
#include "ui/pages/controlsat.h"
#include "ui/pages/pagerect.h"

namespace Brennic {
namespace B = Off::Brennic;

// A trim group's bars, value labels and "Test Min" / "Test Max" buttons, by its minimum's byte.
struct TrimGroupNames {
    int offset;
    const char *minBar, *maxBar;
    const char *minLabel, *maxLabel;
    const char *minButton, *maxButton;
};
inline constexpr TrimGroupNames TrimGroupControls[] = {
    {B::GripOpenMin, "ScrollBar15", "ScrollBar16", "Label226", "Label228", "GripOpenMinButton", "GripOpenMaxButton"},
    {B::GripCloseMin, "ScrollBar13", "ScrollBar14", "Label221", "Label223", "GripCloseMinButton", "GripCloseMaxButton"},
    {B::ArmUpMin, "ScrollBar11", "ScrollBar12", "Label216", "Label218", "ArmUpMinButton", "ArmUpMaxButton"},
    {B::ArmDownMin, "ScrollBar9", "ScrollBar10", "Label211", "Label213", "ArmDownMinButton", "ArmDownMaxButton"},
    {B::ArmInMin, "ScrollBar7", "ScrollBar8", "Label206", "Label208", "ArmInMinButton", "ArmInMaxButton"},
    {B::ArmOutMin, "ScrollBar5", "ScrollBar6", "Label201", "Label203", "ArmOutMinButton", "ArmOutMaxButton"},
    {B::UnDumpMin, "ScrollBar3", "ScrollBar4", "Label196", "Label198", "UnDumpMinButton", "UnDumpMaxButton"},
    {B::DumpMin, "ScrollBar1", "ScrollBar2", "Label191", "Label193", "DumpMinButton", "DumpMaxButton"},
};

// Places on the trim tabs: two trim groups on the left, ramps and timing groups on the right.
inline constexpr int RightX = 280, RightW = 304;
inline constexpr int TimingY = 154, TimingStep = 50;

// A value bar, its label and the bar group's place.
struct ValueBarNames {
    int offset;
    const char *bar, *label;
    PageRect place;
};
inline constexpr ValueBarNames ValueBarsControls[] = {
    {B::ShakeTime, "ScrollBar20", "Label231", {4, 52, 286, 92}},
    {B::GripOpenRunTime, "ScrollBar33", "Label296", {RightX, TimingY + 66, RightW, BarGroupCaptionedHeight}},
    {B::ArmOutRunTime, "ScrollBar34", "Label298", {RightX, TimingY, RightW, BarGroupCaptionedHeight}},
    {B::CoordinatedDumpDwell, "ScrollBar35", "Label300", {4, 148, 286, BarGroupHeight}},
    {B::RatioArmUpIn, "ScrollBar36", "Label302", {296, 4, 286, BarGroupHeight}},
    {B::RatioArmDownOut, "ScrollBar77", "Label354", {296, 52, 286, BarGroupHeight}},
    {B::UpCushionSize, "ScrollBar78", "Label355", {296, 100, 286, BarGroupHeight}},
    {B::DownCushionSize, "ScrollBar79", "Label356", {296, 148, 286, BarGroupHeight}},
    {B::GripLockTime, "ScrollBar18", "Label240", {RightX, TimingY, RightW, BarGroupCaptionedHeight}},
    {B::DumpRunTime, "ScrollBar19", "Label241", {RightX, TimingY, RightW, BarGroupHeight}},
    {B::DumpDecelStart, "ScrollBar21", "Label256", {RightX, TimingY + TimingStep, RightW, BarGroupHeight}},
    {B::UnDumpRunTime, "ScrollBar30", "Label291", {RightX, TimingY + 2 * TimingStep, RightW, BarGroupHeight}},
    {B::UnDumpDecelStart, "ScrollBar31", "Label292", {RightX, TimingY + 3 * TimingStep, RightW, BarGroupHeight}},
};

// A ramp group's rate and update-laps spins, by the rate's byte; a deceleration group also has
// the label that shows its rate as a share of the last rate.
struct RampGroupNames {
    int offset;
    const char *rateSpin, *lapsSpin;
    const char *percentLabel;  // nullptr for acceleration groups
};
inline constexpr RampGroupNames RampGroupControls[] = {
    {B::ArmInDecelRate, "SpinEdit2", "SpinEdit1", "Label175"},
    {B::ArmUpDecelRate, "SpinEdit3", "SpinEdit4", "Label160"},
    {B::ArmDownDecelRate, "SpinEdit5", "SpinEdit6", "Label163"},
    {B::DumpAccelRate, "SpinEdit7", "SpinEdit8", nullptr},
    {B::ArmInAccelRate, "SpinEdit9", "SpinEdit10", nullptr},
    {B::ArmOutAccelRate, "SpinEdit11", "SpinEdit12", nullptr},
    {B::ArmUpAccelRate, "SpinEdit13", "SpinEdit14", nullptr},
    {B::ArmDownAccelRate, "SpinEdit15", "SpinEdit16", nullptr},
    {B::DumpDecelRate, "SpinEdit18", "SpinEdit19", "Label293"},
    {B::ArmOutDecelRate, "SpinEdit20", "SpinEdit21", "Label176"},
    {B::GripOpenAccelRate, "SpinEdit22", "SpinEdit23", nullptr},
    {B::GripOpenDecelRate, "SpinEdit24", "SpinEdit25", "Label177"},
    {B::GripCloseAccelRate, "SpinEdit26", "SpinEdit27", nullptr},
    {B::GripCloseDecelRate, "SpinEdit28", "SpinEdit29", "Label178"},
    {B::UnDumpAccelRate, "SpinEdit30", "SpinEdit31", nullptr},
    {B::UnDumpDecelRate, "SpinEdit32", "SpinEdit33", "Label179"},
};
inline constexpr int RampW = 150, RampH = 70, RampGap = 4;

// The option boxes of the "Main" tab.
struct FlagBoxNames {
    int offset;
    const char *name;
    PageRect place;
};
inline constexpr FlagBoxNames FlagBoxesControls[] = {
    {B::RemoteSwitchPanel, "CheckBox2", {12, 200, 270, 20}},
    {B::JoystickZAxis, "CheckBox14", {12, 224, 270, 20}},
};

static_assert(HasRowFor(TrimGroupControls, TrimGroups, [](const TrimGroup &g) { return g.minOffset; }));
static_assert(HasRowFor(ValueBarsControls, ValueBars, [](const ValueBar &v) { return v.offset; }));
static_assert(HasRowFor(RampGroupControls, RampGroups, [](const RampGroup &r) { return r.rateOffset; }));
static_assert(HasRowFor(FlagBoxesControls, FlagBoxes, [](const FlagBox &f) { return f.offset; }));

}  // namespace Brennic
