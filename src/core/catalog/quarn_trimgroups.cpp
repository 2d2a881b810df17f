#include "core/catalog/quarn_trimgroups.h"

#include "core/image_layout.h"

using namespace Off::Quarn;
using Tab = QuarnTabs::Tab;

// On the "B5 - B8" tab the output names differ from the bar names: the blade-up bars drive B8,
// which the truck calls "Blade Left", and so on.
const QuarnTrimGroup QuarnTrimGroups[QuarnTrimGroupCount] = {
    {"PlowDown", "Plow Down", "(Hyd A1)", Tab::A1A4Tab, "PlowDownMinScrollBar", "PlowDownMaxScrollBar",
     "PlowDownMinValueLabel", "PlowDownMaxValueLabel", "PlowDownButton", "PlowDownMaxButton", PlowDownMin, 4},
    {"PlowUp", "Plow Up", "(Hyd A2)", Tab::A1A4Tab, "PlowUpMinScrollBar", "PlowUpMaxScrollbar",
     "PlowUpMinValueLabel", "PlowUpMaxValueLabel", "PlowUpButton", "PlowUpMaxButton", PlowUpMin, 3},
    {"PlowRight", "Plow Right", "(Hyd A3)", Tab::A1A4Tab, "PlowRightMinScrollBar", "PlowRightMaxScrollBar",
     "PlowRightMinValueLabel", "PlowRightMaxValueLabel", "PlowRightButton", "PlowRightMaxButton", PlowRightMin, 6},
    {"PlowLeft", "Plow Left", "(Hyd A4)", Tab::A1A4Tab, "PlowLeftMinScrollBar", "PlowLeftMaxScrollbar",
     "PlowLeftMinValueLabel", "PlowLeftMaxValueLabel", "PlowLeftButton", "PlowLeftMaxButton", PlowLeftMin, 5},

    {"HoistDown", "Hoist Down", "(Hyd A5)", Tab::A5A8Tab, "HoistDownMinScrollBar", "HoistDownMaxScrollBar",
     "HoistDownMinValueLabel", "HoistDownMaxValueLabel", "HoistDownButton", "HoistDownMaxButton", HoistDownMin, 2},
    {"HoistUp", "Hoist Up", "(Hyd A6)", Tab::A5A8Tab, "HoistUpMinScrollBar", "HoistUpMaxScrollbar",
     "HoistUpMinValueLabel", "HoistUpMaxValueLabel", "HoistUpButton", "HoistUpMaxButton", HoistUpMin, 1},
    {"WingToeDown", "Wing Toe Down", "(Hyd A7)", Tab::A5A8Tab, "WingToeDownMinScrollBar", "WingToeDownMaxScrollBar",
     "WingToeDownMinValueLabel", "WingToeDownMaxValueLabel", "WingToeDownButton", "WingToeDownMaxButton",
     WingToeDownMin, 8},
    {"WingToeUp", "Wing Toe Up", "(Hyd A8)", Tab::A5A8Tab, "WingToeUpMinScrollBar", "WingToeUpMaxScrollbar",
     "WingToeUpMinValueLabel", "WingToeUpMaxValueLabel", "WingToeUpButton", "WingToeUpMaxButton", WingToeUpMin, 7},

    {"WingHeelDown", "Wing Heel Down", "(Hyd B1)", Tab::B1B4Tab, "WingHeelDownMinScrollBar",
     "WingHeelDownMaxScrollBar", "WingHeelDownMinValueLabel", "WingHeelDownMaxValueLabel", "WingHeelDownButton",
     "WingHeelDownMaxButton", WingHeelDownMin, 10},
    {"WingHeelUp", "Wing Heel Up", "(Hyd B2)", Tab::B1B4Tab, "WingHeelUpMinScrollBar", "WingHeelUpMaxScrollbar",
     "WingHeelUpMinValueLabel", "WingHeelUpMaxValueLabel", "WingHeelUpButton", "WingHeelUpMaxButton", WingHeelUpMin,
     9},
    {"WingSlideOut", "Wing Slide Out", "(Hyd B3)", Tab::B1B4Tab, "WingSlideOutMinScrollBar",
     "WingSlideOutMaxScrollBar", "WingSlideOutMinValueLabel", "WingSlideOutMaxValueLabel", "WingSlideOutButton",
     "WingSlideOutMaxButton", WingSlideOutMin, 12},
    {"WingSlideIn", "Wing Slide In", "(Hyd B4)", Tab::B1B4Tab, "WingSlideInMinScrollBar", "WingSlideInMaxScrollbar",
     "WingSlideInMinValueLabel", "WingSlideInMaxValueLabel", "WingSlideInButton", "WingSlideInMaxButton",
     WingSlideInMin, 11},

    {"BladeRight", "Blade Down", "(Hyd B5)", Tab::B5B8Tab, "BladeRightMinScrollBar", "BladeRightMaxScrollBar",
     "BladeRightMinValueLabel", "BladeRightMaxValueLabel", "BladeRightButton", "BladeRightMaxButton", BladeRightMin,
     15},
    {"BladeLeft", "Blade Up", "(Hyd B6)", Tab::B5B8Tab, "BladeLeftMinScrollBar", "BladeLeftMaxScrollbar",
     "BladeLeftMinValueLabel", "BladeLeftMaxValueLabel", "BladeLeftButton", "BladeLeftMaxButton", BladeLeftMin, 16},
    {"BladeDown", "Blade Right", "(Hyd B7)", Tab::B5B8Tab, "BladeDownMinScrollBar", "BladeDownMaxScrollBar",
     "BladeDownMinValueLabel", "BladeDownMaxValueLabel", "BladeDownButton", "BladeDownMaxButton", BladeDownMin, 13},
    {"BladeUp", "Blade Left", "(Hyd B8)", Tab::B5B8Tab, "BladeUpMinScrollBar", "BladeUpMaxScrollbar",
     "BladeUpMinValueLabel", "BladeUpMaxValueLabel", "BladeUpButton", "BladeUpMaxButton", BladeUpMin, 14},

    {"Blade2Down", "Blade 2 Down", "(Hyd C1)", Tab::C1C4Tab, "ScrollBar24", "ScrollBar25", "Label263", "Label265",
     "Button35", "Button36", Blade2DownMin, 19},
    {"Blade2Up", "Blade 2 Up", "(Hyd C2)", Tab::C1C4Tab, "ScrollBar22", "ScrollBar23", "Label258", "Label260",
     "Button33", "Button34", Blade2UpMin, 20},
    {"Blade2Right", "Blade 2 Right", "(Hyd C3)", Tab::C1C4Tab, "ScrollBar28", "ScrollBar29", "Label273", "Label275",
     "Button39", "Button40", Blade2RightMin, 17},
    {"Blade2Left", "Blade 2 Left", "(Hyd C4)", Tab::C1C4Tab, "ScrollBar26", "ScrollBar27", "Label268", "Label270",
     "Button37", "Button38", Blade2LeftMin, 18},
};
