#pragma once
// The PWM frequency bar of a page and what its positions store. The bar shows a frequency byte as
// its reading (the byte's frequency rounded down to 5 Hz) held within the bar's range; moving the
// bar stores a byte that reads as the position chosen, so what the page shows is what the
// controller gets and a byte shown again is never rewritten.
#include <cstdint>

struct FrequencyBar {
    int (*toHertz)(uint8_t);  // the byte's frequency
    uint8_t (*toByte)(int);   // the curve's own byte for a frequency (not an exact inverse)
    int minHz, maxHz;         // the bar's range
};

// Curve A (Quarn, Brennic and CsCAN pages) and curve B (Dorsell/Ostrel page).
const FrequencyBar &CurveABar();
const FrequencyBar &CurveBBar();
const FrequencyBar &FrequencyBarOf(uint8_t product);

// The byte's frequency rounded down to 5 Hz, whether or not the bar reaches it.
int FrequencyReading(const FrequencyBar &bar, uint8_t b);
// The position the bar shows for a byte: its reading held within the bar's range.
int FrequencyPosition(const FrequencyBar &bar, uint8_t b);
// What moving the bar to `position` stores: the curve's own byte if it reads as the position, else
// the byte nearest to it that does (the lower one on a tie), else, where no byte reads as the
// position, the byte whose frequency is nearest to it (the bar then shows what that byte reads).
uint8_t FrequencyByteForPosition(const FrequencyBar &bar, int position);
// What showing stores for a byte: the byte itself when its reading lies within the bar's range,
// otherwise the byte for the nearer end of the range.
uint8_t ShownFrequencyByte(const FrequencyBar &bar, uint8_t b);
