#pragma once
// The Quarn 2 page's plain option boxes (flag bytes, 1 when ticked) and output-linking lists as
// data: control name, caption, image byte and where each stands. The page builds and loads them
// from here; the catalogue names the bytes after them.
#include "core/image_layout.h"

#include <QRect>

namespace QuarnOptionTables {
using namespace Off::Quarn;

enum class Where { Global, A5A8, Panic, PanicOutputs, JoystickTabs };

// Flag boxes: 1 when ticked, 0 when not; the loader shows them in this order and rewrites any
// value other than 1 to 0. Rows on the joystick tabs are built there; their places are unused.
struct FlagBox {
    const char *name;
    const char *caption;
    int offset;
    Where where;
    QRect place;
};
constexpr int Col1 = 10, Col2 = 296, FlagWidth = 280, FlagHeight = 18;
constexpr QRect Panic(int column, int row) { return {column, 20 + 20 * row, FlagWidth, FlagHeight}; }
constexpr QRect Global(int top) { return {300, top, 286, FlagHeight}; }
constexpr QRect A5A8(int row) { return {Col2, 264 + 20 * row, FlagWidth, FlagHeight}; }
constexpr FlagBox FlagBoxes[] = {
    {"hoistlimitkey", "Enable Key for Limit", HoistLimitKey, Where::A5A8, A5A8(3)},
    {"bodylockenable", "Enable Body Lock", BodyLock, Where::A5A8, A5A8(2)},
    {"screen_to_SS", "Screen data to Tallowin Rx through Quarn PC port", ScreenDataToSpreader, Where::Global, Global(168)},
    {"CheckBox3", "Serial Backup Between Joystick and Quarn 2", SerialBackup, Where::Global, Global(88)},
    {"CheckBox27", "Hoist Only Active When Truck Stopped", HoistOnlyWhenStopped, Where::A5A8, A5A8(0)},
    {"CheckBox29", "Ejector Body", EjectorBody, Where::A5A8, A5A8(1)},
    {"CheckBox26", "Don't Display Output Failures on Screen", HideOutputFailures, Where::Global, Global(108)},
    {"CheckBox8|CheckBox10", "", SafetyLatch, Where::JoystickTabs, {}},
    {"CheckBox4", "Hoist Down (Port A5)", PanicHoistDown, Where::PanicOutputs, Panic(Col1, 0)},
    {"CheckBox5", "Plow Up (Port A2)", PanicPlowUp, Where::PanicOutputs, Panic(Col1, 1)},
    {"CheckBox6", "Wing Toe Up (Port A8)", PanicWingToeUp, Where::PanicOutputs, Panic(Col1, 2)},
    {"CheckBox7", "Wing Heel Up (Port B2)", PanicWingHeelUp, Where::PanicOutputs, Panic(Col1, 3)},
    {"CheckBox9", "Wing Slide In (Port B4)", PanicWingSlideIn, Where::PanicOutputs, Panic(Col1, 4)},
    {"CheckBox17", "Blade Up (Port B6)", PanicBladeUp, Where::PanicOutputs, Panic(Col2, 0)},
    {"CheckBox18", "Blade2 Up / Tow Plow Blade Up (Port C2)", PanicBlade2Up, Where::PanicOutputs, Panic(Col2, 1)},
    {"CheckBox23", "Blade Left (Port B8)", PanicBladeLeft, Where::PanicOutputs, Panic(Col2, 2)},
    {"CheckBox24", "Blade2 Left / Tow Plow Retract (Port C4)", PanicBlade2Left, Where::PanicOutputs, Panic(Col2, 3)},
    {"CheckBox25", "Pause Spreader", PanicPauseSpreader, Where::PanicOutputs, Panic(Col2, 4)},
    {"CheckBox32", "Enable Bi-Directional Deploying Tow Plow ", BiDirectionalTowPlow, Where::Panic, {8, 140, 300, 20}},
    {"CheckBox33", "Plow Proirity over Tallow In", PlowPriorityOverSpreader, Where::Global, Global(128)},
    {"CheckBox35", "Corvane 2 connected to remote Pause", RemotePause, Where::Global, Global(148)},
};

// Output linking: two outputs per link, both lists holding the output list.
struct OutputLink {
    const char *name;
    int offset;
};
constexpr OutputLink OutputLinks[] = {
    {"ComboBox16", OutputLink1A}, {"ComboBox17", OutputLink1B}, {"ComboBox18", OutputLink2A},
    {"ComboBox19", OutputLink2B}, {"ComboBox20", OutputLink3A}, {"ComboBox21", OutputLink3B},
    {"ComboBox22", OutputLink4A}, {"ComboBox23", OutputLink4B},
};

}  // namespace QuarnOptionTables
