#pragma once
// A trim group's pair of levels as every page keeps it: setting one side past the other drags the
// other along, so the minimum never lies above the maximum.
#include <cstdint>

// A trim byte's level in volts, before the page rounds it to one decimal.
inline double TrimVolts(uint8_t b) { return b / 20.0; }

// "Set All Trims" with a Husco valve chosen trims the hoist outputs to these levels instead of the
// global trims.
constexpr uint8_t HuscoHoistMin = 124;  // 6.2 V
constexpr uint8_t HuscoHoistMax = 232;  // 11.6 V

// After the minimum (or the maximum) was set: the other side follows where it was passed.
void PairTrimMin(const uint8_t &min, uint8_t &max);
void PairTrimMax(uint8_t &min, const uint8_t &max);

// A trim bar moved to `position` (256 - byte): stores that side and pairs the other.
void StoreTrimMin(uint8_t &min, uint8_t &max, int position);
void StoreTrimMax(uint8_t &min, uint8_t &max, int position);
