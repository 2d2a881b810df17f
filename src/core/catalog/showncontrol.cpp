#include "core/catalog/showncontrol.h"

#include "core/conversions.h"
#include "core/catalog/trimpair.h"

bool ShownControl::MoveTo(int value)
{
    const int clamped = IntMin(highest, IntMax(lowest, value));
    if (clamped == place) return false;
    place = clamped;
    return true;
}

void ShowTrimPair(CalImageBytes &image, int minOffset, int maxOffset, int top, int bottom)
{
    uint8_t &min = image[size_t(minOffset)];
    uint8_t &max = image[size_t(maxOffset)];
    ShownControl minBar(top, bottom), maxBar(top, bottom);
    if (minBar.MoveTo(TrimToSliderPosition(min))) StoreTrimMin(min, max, minBar.place);
    if (maxBar.MoveTo(TrimToSliderPosition(max))) StoreTrimMax(min, max, maxBar.place);
    if (minBar.MoveTo(TrimToSliderPosition(min))) StoreTrimMin(min, max, minBar.place);
}
