#pragma once
// Places of controls as the pages' control tables give them, and the heights of the bar groups
// those tables stack; constant data, so the tables can be constexpr.
#include <QRect>

// A rectangle as the page tables give it.
struct PageRect {
    int x, y, w, h;
    constexpr QRect rect() const { return QRect(x, y, w, h); }
};

// Height of a bar group: BarGroupHeight or, with a caption line above the bar,
// BarGroupCaptionedHeight.
constexpr int BarGroupHeight = 44;
constexpr int BarGroupCaptionedHeight = 58;
