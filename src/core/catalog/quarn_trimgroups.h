#pragma once
// The twenty valve outputs of the Quarn 2 and their trim groups on the five trim tabs: one row per
// output, in the order the groups stand on the tabs (port order).
#include "core/image_layout.h"
#include "core/catalog/quarn_tabs.h"

#include <cstdint>

struct QuarnTrimGroup {
    const char *stem;          // name stem of the group's port and output-name labels
    const char *outputName;    // shown under the group while no custom axis is set
    const char *portLabel;     // "(Hyd A6)"
    QuarnTabs::Tab tab;
    const char *minBar, *maxBar;
    const char *minValueLabel, *maxValueLabel;
    const char *minButton, *maxButton;  // "Test Min" / "Test Max"
    int minOffset;
    uint8_t channel;           // live-test channel code

    int maxOffset() const { return minOffset + Off::Quarn::TrimMaxAfterMin; }
};

constexpr int QuarnTrimGroupCount = 20;
constexpr int QuarnGroupsPerTab = 4;
extern const QuarnTrimGroup QuarnTrimGroups[QuarnTrimGroupCount];
