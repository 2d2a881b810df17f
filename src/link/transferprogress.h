#pragma once
// Progress of an image transfer in percent: index × 100 / length, rounded to the nearest
// integer with halves to even (the index is the next buffer position, from 1).
#include "core/conversions.h"

inline int TransferProgress(int index, int length)
{
    return static_cast<int>(RoundHalfEven(static_cast<long double>(index) * 100 / length));
}
