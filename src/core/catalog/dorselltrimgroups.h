#pragma once
// The ten trim groups of the Dorsell page, as one table: where each group's pair sits in the
// image, which tab carries it and the channel its test buttons drive (the groups' controls are in
// ui/pages/dorsell/dorsell_trim_controls.h).
// Also the group captions, which follow the joystick setting and differ between the Dorsell and
// the Ostrel 2 controller.
#include "core/image_layout.h"

#include <cstdint>

enum class DorsellTrimTab { Plow, HoistHook };

struct DorsellTrimGroup {
    DorsellTrimTab tab;
    int minOffset, maxOffset;
    uint8_t testCode;                   // the live-command channel of the output
    bool onOstrel;                      // the Ostrel 2 has this output (others are hidden there)
};

constexpr int DorsellTrimGroupCount = 10;
// In image order; the caption tables follow the same order.
inline constexpr DorsellTrimGroup DorsellTrimGroups[DorsellTrimGroupCount] = {
    {DorsellTrimTab::HoistHook, Off::Dorsell::HoistUpMin, Off::Dorsell::HoistUpMax, 7, true},
    {DorsellTrimTab::HoistHook, Off::Dorsell::HoistDownMin, Off::Dorsell::HoistDownMax, 8, true},
    {DorsellTrimTab::HoistHook, Off::Dorsell::HoistLeftMin, Off::Dorsell::HoistLeftMax, 1, true},
    {DorsellTrimTab::HoistHook, Off::Dorsell::HoistRightMin, Off::Dorsell::HoistRightMax, 2, true},
    {DorsellTrimTab::Plow, Off::Dorsell::PlowUpMin, Off::Dorsell::PlowUpMax, 3, true},
    {DorsellTrimTab::Plow, Off::Dorsell::PlowDownMin, Off::Dorsell::PlowDownMax, 4, true},
    {DorsellTrimTab::Plow, Off::Dorsell::PlowLeftMin, Off::Dorsell::PlowLeftMax, 5, true},
    {DorsellTrimTab::Plow, Off::Dorsell::PlowRightMin, Off::Dorsell::PlowRightMax, 6, true},
    {DorsellTrimTab::Plow, Off::Dorsell::RtWingInMin, Off::Dorsell::RtWingInMax, 9, false},
    {DorsellTrimTab::Plow, Off::Dorsell::RtWingOutMin, Off::Dorsell::RtWingOutMax, 10, false},
};

// The caption of every trim group (table order) for a product and joystick setting. A null
// caption leaves the group's caption as it is (the Ostrel 2 hides those groups).
const char *const *DorsellGroupCaptions(uint8_t product, int joystickSetting);
