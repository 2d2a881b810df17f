#pragma once
// The Quarn 2 page's controls for its option boxes and output-linking lists, by image byte: object
// names and places. A row on the joystick tabs names the boxes there ("CheckBox8|CheckBox10"),
// which those tabs place.
#include "core/image_layout.h"
#include "core/catalog/quarn_option_tables.h"
#include "ui/pages/controlsat.h"

#include <QRect>

namespace QuarnOptionTables {

constexpr int Col1 = 10, Col2 = 296, FlagWidth = 280, FlagHeight = 18;
constexpr QRect Panic(int column, int row) { return {column, 20 + 20 * row, FlagWidth, FlagHeight}; }
constexpr QRect Global(int top) { return {300, top, 286, FlagHeight}; }
constexpr QRect A5A8(int row) { return {Col2, 264 + 20 * row, FlagWidth, FlagHeight}; }

struct FlagBoxControls {
    int offset;
    const char *name;
    QRect place;
};
constexpr FlagBoxControls FlagBoxesControls[] = {
    {HoistLimitKey, "hoistlimitkey", A5A8(3)},
    {BodyLock, "bodylockenable", A5A8(2)},
    {ScreenDataToSpreader, "screen_to_SS", Global(168)},
    {SerialBackup, "CheckBox3", Global(88)},
    {HoistOnlyWhenStopped, "CheckBox27", A5A8(0)},
    {EjectorBody, "CheckBox29", A5A8(1)},
    {HideOutputFailures, "CheckBox26", Global(108)},
    {SafetyLatch, "CheckBox8|CheckBox10", {}},
    {PanicHoistDown, "CheckBox4", Panic(Col1, 0)},
    {PanicPlowUp, "CheckBox5", Panic(Col1, 1)},
    {PanicWingToeUp, "CheckBox6", Panic(Col1, 2)},
    {PanicWingHeelUp, "CheckBox7", Panic(Col1, 3)},
    {PanicWingSlideIn, "CheckBox9", Panic(Col1, 4)},
    {PanicBladeUp, "CheckBox17", Panic(Col2, 0)},
    {PanicBlade2Up, "CheckBox18", Panic(Col2, 1)},
    {PanicBladeLeft, "CheckBox23", Panic(Col2, 2)},
    {PanicBlade2Left, "CheckBox24", Panic(Col2, 3)},
    {PanicPauseSpreader, "CheckBox25", Panic(Col2, 4)},
    {BiDirectionalTowPlow, "CheckBox32", {8, 140, 300, 20}},
    {PlowPriorityOverSpreader, "CheckBox33", Global(128)},
    {RemotePause, "CheckBox35", Global(148)},
};
static_assert(HasRowFor(FlagBoxesControls, FlagBoxes, [](const FlagBox &f) { return f.offset; }));

struct OutputLinkControls {
    int offset;
    const char *name;
};
constexpr OutputLinkControls OutputLinksControls[] = {
    {OutputLink1A, "ComboBox16"}, {OutputLink1B, "ComboBox17"}, {OutputLink2A, "ComboBox18"},
    {OutputLink2B, "ComboBox19"}, {OutputLink3A, "ComboBox20"}, {OutputLink3B, "ComboBox21"},
    {OutputLink4A, "ComboBox22"}, {OutputLink4B, "ComboBox23"},
};
static_assert(HasRowFor(OutputLinksControls, OutputLinks, [](const OutputLink &l) { return l.offset; }));

}  // namespace QuarnOptionTables
