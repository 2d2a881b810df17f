#include "core/catalog/dorselltrimgroups.h"

#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/variants.h"



namespace {
constexpr int AnySetting = -1;

// One column of a caption table: the joystick settings it serves (AnySetting: every setting no
// earlier column claims) and a caption per trim group.
struct CaptionColumn {
    int settings[2];
    const char *captions[DorsellTrimGroupCount];
};

const CaptionColumn DorsellColumns[] = {
    {{2, 4},
     {"Hoist Up", "Hoist Down", "Hoist Left", "Hoist Right", "Plow Up", "Plow Down", "LT Wing Out", "LT Wing In",
      "RT Wing Out", "RT Wing In"}},
    {{6, 7},
     {"Hoist Up", "Hoist Down", "LT Wing Out", "LT Wing In", "Plow Up", "Plow Down", "Plow Left", "Plow Right",
      "RT Wing Out", "RT Wing In"}},
    {{8, 8},
     {"Hoist Up", "Hoist Down", "JIB Out", "JIB In", "Plow Up", "Plow Down", "Plow Left", "Plow Right", "RT Wing Out",
      "RT Wing In"}},
    {{9, 9},
     {"Hoist Up", "Hoist Down", "Blade Left", "Blade Right", "Plow Up", "Plow Down", "Plow Left", "Plow Right",
      "Blade Up", "Blade Down"}},
    {{10, 10},
     {"Group 1 In", "Group 1 Out", "Group 4 In", "Group 4 Out", "Group 2 In", "Group 2 Out", "Group 3 In",
      "Group 3 Out", "Group 5 Out", "Group 5 In"}},
    {{AnySetting, AnySetting},
     {"Hoist Up", "Hoist Down", "Hoist Left", "Hoist Right", "Plow Up", "Plow Down", "Plow Left", "Plow Right",
      "RT Wing Out", "RT Wing In"}},
};

// The Ostrel 2 has no right wing outputs: those two groups keep their captions (and are hidden).
const CaptionColumn OstrelColumns[] = {
    {{2, 4},
     {"Hoist Up", "Hoist Down", "Hoist Left", "Hoist Right", "Plow Up", "Plow Down", "Plow Left", "Plow Right", nullptr,
      nullptr}},
    {{5, 5},
     {"Slide In", "Slide Out", "Not Used", "Not Used", "Toe Up", "Tow Down", "Heel up", "Heel Down", nullptr, nullptr}},
    {{6, 6},
     {"RT Wing Out", "RT Wing In", "Not Used", "Not Used", "Plow Up", "Plow Down", "LT Wing Out", "LT Wing In", nullptr,
      nullptr}},
    {{AnySetting, AnySetting},
     {"Hoist Up", "Hoist Down", "Hoist Left", "Hoist Right", "Plow Up", "Plow Down", "Plow Left", "Plow Right", nullptr,
      nullptr}},
};

template <size_t N>
const char *const *Lookup(const CaptionColumn (&columns)[N], int setting)
{
    for (const CaptionColumn &column : columns)
        if (column.settings[0] == AnySetting || column.settings[0] == setting || column.settings[1] == setting)
            return column.captions;
    return columns[N - 1].captions;
}
}  // namespace

const char *const *DorsellGroupCaptions(uint8_t product, int joystickSetting)
{
    return ShowsOstrelSubset(product) ? Lookup(OstrelColumns, joystickSetting) : Lookup(DorsellColumns, joystickSetting);
}
