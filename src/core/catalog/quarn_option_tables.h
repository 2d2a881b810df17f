#pragma once
// The Quarn 2 page's plain option boxes (flag bytes, 1 when ticked) and output-linking lists as
// data: caption, image byte and the part of the page each stands on. The page builds and loads them
// from here (their controls: ui/pages/quarn/quarn_option_controls.h); the catalogue names the bytes
// after them.
#include "core/image_layout.h"

namespace QuarnOptionTables {
using namespace Off::Quarn;

enum class Where { Global, A5A8, Panic, PanicOutputs, JoystickTabs };

// Flag boxes: 1 when ticked, 0 when not; the loader shows them in this order and rewrites any
// value other than 1 to 0. Rows on the joystick tabs are built there.
struct FlagBox {
    const char *caption;
    int offset;
    Where where;
};
constexpr FlagBox FlagBoxes[] = {
    {"Enable Key for Limit", HoistLimitKey, Where::A5A8},
    {"Enable Body Lock", BodyLock, Where::A5A8},
    {"Screen data to Tallowin Rx through Quarn PC port", ScreenDataToSpreader, Where::Global},
    {"Serial Backup Between Joystick and Quarn 2", SerialBackup, Where::Global},
    {"Hoist Only Active When Truck Stopped", HoistOnlyWhenStopped, Where::A5A8},
    {"Ejector Body", EjectorBody, Where::A5A8},
    {"Don't Display Output Failures on Screen", HideOutputFailures, Where::Global},
    {"", SafetyLatch, Where::JoystickTabs},
    {"Hoist Down (Port A5)", PanicHoistDown, Where::PanicOutputs},
    {"Plow Up (Port A2)", PanicPlowUp, Where::PanicOutputs},
    {"Wing Toe Up (Port A8)", PanicWingToeUp, Where::PanicOutputs},
    {"Wing Heel Up (Port B2)", PanicWingHeelUp, Where::PanicOutputs},
    {"Wing Slide In (Port B4)", PanicWingSlideIn, Where::PanicOutputs},
    {"Blade Up (Port B6)", PanicBladeUp, Where::PanicOutputs},
    {"Blade2 Up / Tow Plow Blade Up (Port C2)", PanicBlade2Up, Where::PanicOutputs},
    {"Blade Left (Port B8)", PanicBladeLeft, Where::PanicOutputs},
    {"Blade2 Left / Tow Plow Retract (Port C4)", PanicBlade2Left, Where::PanicOutputs},
    {"Pause Spreader", PanicPauseSpreader, Where::PanicOutputs},
    {"Enable Bi-Directional Deploying Tow Plow ", BiDirectionalTowPlow, Where::Panic},
    {"Plow Proirity over Tallow In", PlowPriorityOverSpreader, Where::Global},
    {"Corvane 2 connected to remote Pause", RemotePause, Where::Global},
};

// Output linking: two outputs per link, both lists holding the output list.
struct OutputLink {
    int offset;
};
constexpr OutputLink OutputLinks[] = {
    {OutputLink1A}, {OutputLink1B}, {OutputLink2A}, {OutputLink2B},
    {OutputLink3A}, {OutputLink3B}, {OutputLink4A}, {OutputLink4B},
};

}  // namespace QuarnOptionTables
