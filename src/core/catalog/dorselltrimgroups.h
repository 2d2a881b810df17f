#pragma once
// The ten trim groups of the Dorsell page, as one table: where each group's pair sits in the
// image, which tab carries it, the names of its controls, and the channel its test buttons drive.
// Also the group captions, which follow the joystick setting and differ between the Dorsell and
// the Ostrel 2 controller.
#include <cstdint>

enum class DorsellTrimTab { Plow, HoistHook };

struct DorsellTrimGroup {
    const char *box;  // the group box
    DorsellTrimTab tab;
    int minOffset, maxOffset;
    const char *minBar, *maxBar;
    const char *minLabel, *maxLabel;    // the value labels under the bars
    const char *minButton, *maxButton;  // "Test Min", "Test Max"
    uint8_t testCode;                   // the live-command channel of the output
    bool onOstrel;                      // the Ostrel 2 has this output (others are hidden there)
};

constexpr int DorsellTrimGroupCount = 10;
extern const DorsellTrimGroup DorsellTrimGroups[DorsellTrimGroupCount];

// The caption of every trim group (table order) for a product and joystick setting. A null
// caption leaves the group's caption as it is (the Ostrel 2 hides those groups).
const char *const *DorsellGroupCaptions(uint8_t product, int joystickSetting);
