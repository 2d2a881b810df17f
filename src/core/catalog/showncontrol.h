#pragma once
// A bar or spin box as showing an image moves it. Every show starts with the control where the
// window leaves it when it starts, at the lowest place; a value outside its range moves it to the
// nearer end, and only a move stores the place back into the image. So a byte whose place is
// where the control starts (a byte below the range) is left as it is.
#include "core/calimage.h"
#include "core/catalog/controlranges.h"

struct ShownControl {
    int lowest, highest, place;
    ShownControl(int low, int high) : lowest(low), highest(high), place(low) {}
    explicit ShownControl(const ByteRange &range) : ShownControl(range.lowest, range.highest) {}
    // Moves the control to `value`, clamped; true when it moved.
    bool MoveTo(int value);
    // Shows `byte`: stored back as the control's place when the control moved.
    void Show(uint8_t &byte)
    {
        if (MoveTo(byte)) byte = uint8_t(place);
    }
};

// A trim pair through its two bars (positions `top`..`bottom`, 256 - byte): the min bar, the max
// bar (which may lower the minimum), the min bar once more; each bar that moves stores its level
// and drags its partner along.
void ShowTrimPair(CalImageBytes &image, int minOffset, int maxOffset, int top = ControlRange::TrimTop,
                  int bottom = ControlRange::TrimBottom);
