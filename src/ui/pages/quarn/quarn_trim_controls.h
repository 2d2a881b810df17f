#pragma once
// The Quarn 2 page's trim group controls, by the group's minimum trim byte: the stem of the group's
// own names, its bars, value labels and "Test Min" / "Test Max" buttons.
#include "core/image_layout.h"
#include "core/catalog/quarn_trimgroups.h"
#include "ui/pages/controlsat.h"

struct QuarnTrimControls {
    int offset;
    const char *stem;  // of the group box's, the port label's and the output-name label's names
    const char *minBar, *maxBar;
    const char *minValueLabel, *maxValueLabel;
    const char *minButton, *maxButton;
};
inline constexpr QuarnTrimControls QuarnTrimGroupControls[] = {
    {Off::Quarn::PlowDownMin, "PlowDown", "PlowDownMinScrollBar", "PlowDownMaxScrollBar", "PlowDownMinValueLabel", "PlowDownMaxValueLabel", "PlowDownButton", "PlowDownMaxButton"},
    {Off::Quarn::PlowUpMin, "PlowUp", "PlowUpMinScrollBar", "PlowUpMaxScrollbar", "PlowUpMinValueLabel", "PlowUpMaxValueLabel", "PlowUpButton", "PlowUpMaxButton"},
    {Off::Quarn::PlowRightMin, "PlowRight", "PlowRightMinScrollBar", "PlowRightMaxScrollBar", "PlowRightMinValueLabel", "PlowRightMaxValueLabel", "PlowRightButton", "PlowRightMaxButton"},
    {Off::Quarn::PlowLeftMin, "PlowLeft", "PlowLeftMinScrollBar", "PlowLeftMaxScrollbar", "PlowLeftMinValueLabel", "PlowLeftMaxValueLabel", "PlowLeftButton", "PlowLeftMaxButton"},
    {Off::Quarn::HoistDownMin, "HoistDown", "HoistDownMinScrollBar", "HoistDownMaxScrollBar", "HoistDownMinValueLabel", "HoistDownMaxValueLabel", "HoistDownButton", "HoistDownMaxButton"},
    {Off::Quarn::HoistUpMin, "HoistUp", "HoistUpMinScrollBar", "HoistUpMaxScrollbar", "HoistUpMinValueLabel", "HoistUpMaxValueLabel", "HoistUpButton", "HoistUpMaxButton"},
    {Off::Quarn::WingToeDownMin, "WingToeDown", "WingToeDownMinScrollBar", "WingToeDownMaxScrollBar", "WingToeDownMinValueLabel", "WingToeDownMaxValueLabel", "WingToeDownButton", "WingToeDownMaxButton"},
    {Off::Quarn::WingToeUpMin, "WingToeUp", "WingToeUpMinScrollBar", "WingToeUpMaxScrollbar", "WingToeUpMinValueLabel", "WingToeUpMaxValueLabel", "WingToeUpButton", "WingToeUpMaxButton"},
    {Off::Quarn::WingHeelDownMin, "WingHeelDown", "WingHeelDownMinScrollBar", "WingHeelDownMaxScrollBar", "WingHeelDownMinValueLabel", "WingHeelDownMaxValueLabel", "WingHeelDownButton", "WingHeelDownMaxButton"},
    {Off::Quarn::WingHeelUpMin, "WingHeelUp", "WingHeelUpMinScrollBar", "WingHeelUpMaxScrollbar", "WingHeelUpMinValueLabel", "WingHeelUpMaxValueLabel", "WingHeelUpButton", "WingHeelUpMaxButton"},
    {Off::Quarn::WingSlideOutMin, "WingSlideOut", "WingSlideOutMinScrollBar", "WingSlideOutMaxScrollBar", "WingSlideOutMinValueLabel", "WingSlideOutMaxValueLabel", "WingSlideOutButton", "WingSlideOutMaxButton"},
    {Off::Quarn::WingSlideInMin, "WingSlideIn", "WingSlideInMinScrollBar", "WingSlideInMaxScrollbar", "WingSlideInMinValueLabel", "WingSlideInMaxValueLabel", "WingSlideInButton", "WingSlideInMaxButton"},
    {Off::Quarn::BladeRightMin, "BladeRight", "BladeRightMinScrollBar", "BladeRightMaxScrollBar", "BladeRightMinValueLabel", "BladeRightMaxValueLabel", "BladeRightButton", "BladeRightMaxButton"},
    {Off::Quarn::BladeLeftMin, "BladeLeft", "BladeLeftMinScrollBar", "BladeLeftMaxScrollbar", "BladeLeftMinValueLabel", "BladeLeftMaxValueLabel", "BladeLeftButton", "BladeLeftMaxButton"},
    {Off::Quarn::BladeDownMin, "BladeDown", "BladeDownMinScrollBar", "BladeDownMaxScrollBar", "BladeDownMinValueLabel", "BladeDownMaxValueLabel", "BladeDownButton", "BladeDownMaxButton"},
    {Off::Quarn::BladeUpMin, "BladeUp", "BladeUpMinScrollBar", "BladeUpMaxScrollbar", "BladeUpMinValueLabel", "BladeUpMaxValueLabel", "BladeUpButton", "BladeUpMaxButton"},
    {Off::Quarn::Blade2DownMin, "Blade2Down", "ScrollBar24", "ScrollBar25", "Label263", "Label265", "Button35", "Button36"},
    {Off::Quarn::Blade2UpMin, "Blade2Up", "ScrollBar22", "ScrollBar23", "Label258", "Label260", "Button33", "Button34"},
    {Off::Quarn::Blade2RightMin, "Blade2Right", "ScrollBar28", "ScrollBar29", "Label273", "Label275", "Button39", "Button40"},
    {Off::Quarn::Blade2LeftMin, "Blade2Left", "ScrollBar26", "ScrollBar27", "Label268", "Label270", "Button37", "Button38"},
};
static_assert(HasRowFor(QuarnTrimGroupControls, QuarnTrimGroups, [](const QuarnTrimGroup &g) { return g.minOffset; }));
