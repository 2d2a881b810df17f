#pragma once
// The twenty valve outputs of the Quarn 2 and their trim groups on the five trim tabs: one row per
// output, in the order the groups stand on the tabs (port order). The groups' controls are in
// ui/pages/quarn/quarn_trim_controls.h.
#include "core/image_layout.h"
#include "core/catalog/quarn_tabs.h"

#include <cstdint>

struct QuarnTrimGroup {
    const char *outputName;    // shown under the group while no custom axis is set
    const char *portLabel;     // "(Hyd A6)"
    QuarnTabs::Tab tab;
    int minOffset;
    uint8_t channel;           // live-test channel code

    constexpr int maxOffset() const { return minOffset + Off::Quarn::TrimMaxAfterMin; }
};

constexpr int QuarnTrimGroupCount = 20;
constexpr int QuarnGroupsPerTab = 4;

// On the "B5 - B8" tab the output names differ from the bar names: the blade-up bars drive B8,
// which the truck calls "Blade Left", and so on.
inline constexpr QuarnTrimGroup QuarnTrimGroups[QuarnTrimGroupCount] = {
    {"Plow Down", "(Hyd A1)", QuarnTabs::A1A4Tab, Off::Quarn::PlowDownMin, 4},
    {"Plow Up", "(Hyd A2)", QuarnTabs::A1A4Tab, Off::Quarn::PlowUpMin, 3},
    {"Plow Right", "(Hyd A3)", QuarnTabs::A1A4Tab, Off::Quarn::PlowRightMin, 6},
    {"Plow Left", "(Hyd A4)", QuarnTabs::A1A4Tab, Off::Quarn::PlowLeftMin, 5},

    {"Hoist Down", "(Hyd A5)", QuarnTabs::A5A8Tab, Off::Quarn::HoistDownMin, 2},
    {"Hoist Up", "(Hyd A6)", QuarnTabs::A5A8Tab, Off::Quarn::HoistUpMin, 1},
    {"Wing Toe Down", "(Hyd A7)", QuarnTabs::A5A8Tab, Off::Quarn::WingToeDownMin, 8},
    {"Wing Toe Up", "(Hyd A8)", QuarnTabs::A5A8Tab, Off::Quarn::WingToeUpMin, 7},

    {"Wing Heel Down", "(Hyd B1)", QuarnTabs::B1B4Tab, Off::Quarn::WingHeelDownMin, 10},
    {"Wing Heel Up", "(Hyd B2)", QuarnTabs::B1B4Tab, Off::Quarn::WingHeelUpMin, 9},
    {"Wing Slide Out", "(Hyd B3)", QuarnTabs::B1B4Tab, Off::Quarn::WingSlideOutMin, 12},
    {"Wing Slide In", "(Hyd B4)", QuarnTabs::B1B4Tab, Off::Quarn::WingSlideInMin, 11},

    {"Blade Down", "(Hyd B5)", QuarnTabs::B5B8Tab, Off::Quarn::BladeRightMin, 15},
    {"Blade Up", "(Hyd B6)", QuarnTabs::B5B8Tab, Off::Quarn::BladeLeftMin, 16},
    {"Blade Right", "(Hyd B7)", QuarnTabs::B5B8Tab, Off::Quarn::BladeDownMin, 13},
    {"Blade Left", "(Hyd B8)", QuarnTabs::B5B8Tab, Off::Quarn::BladeUpMin, 14},

    {"Blade 2 Down", "(Hyd C1)", QuarnTabs::C1C4Tab, Off::Quarn::Blade2DownMin, 19},
    {"Blade 2 Up", "(Hyd C2)", QuarnTabs::C1C4Tab, Off::Quarn::Blade2UpMin, 20},
    {"Blade 2 Right", "(Hyd C3)", QuarnTabs::C1C4Tab, Off::Quarn::Blade2RightMin, 17},
    {"Blade 2 Left", "(Hyd C4)", QuarnTabs::C1C4Tab, Off::Quarn::Blade2LeftMin, 18},
};
