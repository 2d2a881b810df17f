#include "core/catalog/trimpair.h"

#include "core/conversions.h"

void PairTrimMin(const uint8_t &min, uint8_t &max) { max = static_cast<uint8_t>(IntMax(min, max)); }

void PairTrimMax(uint8_t &min, const uint8_t &max) { min = static_cast<uint8_t>(IntMin(min, max)); }

void StoreTrimMin(uint8_t &min, uint8_t &max, int position)
{
    min = SliderPositionToTrim(position);
    PairTrimMin(min, max);
}

void StoreTrimMax(uint8_t &min, uint8_t &max, int position)
{
    max = SliderPositionToTrim(position);
    PairTrimMax(min, max);
}
