#pragma once
// The Dorsell page's trim group controls, by the group's minimum trim byte: the group box, its bars,
// the value labels under them and the "Test Min" / "Test Max" buttons.
#include "core/image_layout.h"
#include "core/catalog/dorselltrimgroups.h"
#include "ui/pages/controlsat.h"

struct DorsellTrimControls {
    int offset;
    const char *box;
    const char *minBar, *maxBar;
    const char *minLabel, *maxLabel;
    const char *minButton, *maxButton;
};
inline constexpr DorsellTrimControls DorsellTrimGroupControls[] = {
    {Off::Dorsell::HoistUpMin, "GroupBox21", "hoistupminbar", "hoistupmaxbar", "hoistupmin2", "hoistupmax2", "Button17", "Button18"},
    {Off::Dorsell::HoistDownMin, "GroupBox20", "hoistdownminbar", "hoistdownmaxbar", "hoistdownmin2", "hoistdownmax2", "Button15", "Button16"},
    {Off::Dorsell::HoistLeftMin, "GroupBox19", "hoistleftminbar", "hoistleftmaxbar", "hoistleftmin2", "hoistleftmax2", "Button13", "Button14"},
    {Off::Dorsell::HoistRightMin, "GroupBox18", "hoistrightminbar", "hoistrightmaxbar", "hoistrightmin2", "hoistrightmax2", "Button11", "Button12"},
    {Off::Dorsell::PlowUpMin, "GroupBox14", "plowupminbar", "plowupmaxbar", "plowupmin2", "plowupmax2", "Button3", "Button4"},
    {Off::Dorsell::PlowDownMin, "GroupBox15", "plowdownminbar", "plowdownmaxbar", "plowdownmin2", "plowdownmax2", "Button5", "Button6"},
    {Off::Dorsell::PlowLeftMin, "GroupBox16", "plowleftminbar", "plowleftmaxbar", "plowleftmin2", "plowleftmax2", "Button7", "Button8"},
    {Off::Dorsell::PlowRightMin, "GroupBox17", "plowrightminbar", "plowrightmaxbar", "plowrightmin2", "plowrightmax2", "Button9", "Button10"},
    {Off::Dorsell::RtWingInMin, "GroupBox12", "rtwinginmin", "rtwinginmax", "Label183", "Label185", "rtwingminin", "rtwingmaxin"},
    {Off::Dorsell::RtWingOutMin, "GroupBox22", "rtwingoutmin", "rtwingoutmax", "Label187", "Label189", "rtwingminout", "rtwingmaxout"},
};
static_assert(HasRowFor(DorsellTrimGroupControls, DorsellTrimGroups, [](const DorsellTrimGroup &g) { return g.minOffset; }));
