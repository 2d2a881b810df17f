#pragma once
// Conversions between stored bytes and the values the pages show.
#include <QString>
#include <cstdint>

// Curve A (Quarn, Brennic and CsCAN pages) and curve B (Dorsell/Ostrel page). The two directions
// are not exact inverses: pages store what the Hertz-to-byte side gives and show what the
// byte-to-Hertz side gives.
int FreqByteToHertzA(uint8_t b);
uint8_t HertzToFreqByteA(int hz);
int FreqByteToHertzB(uint8_t b);
uint8_t HertzToFreqByteB(int hz);

// Sliders and their labels move in steps of 5 Hertz.
inline int FrequencySliderPosition(int hz) { return (hz / 5) * 5; }
// The frequency label text: the number followed by " Hertz".
QString HertzText(int hz);

// Button function codes <-> button-mode drop-down item index
// (Inactive, Hoist, Plow, Wing, Blade, Custom, Remote Button, Slave Hydraulics, Blade 2, Panic).
int ModeCodeToIndex(int code);
int ModeIndexToCode(int index);

// Fixed-point text of x with `decimals` decimals: the product x * 10^decimals is taken in extended
// precision and rounded to nearest, ties to even; leading and trailing zeros are trimmed, a bare
// point gets a 0 on the open side.
QString FormatFixed(int decimals, double x);

// A trim byte as the pages show it: one decimal of b / 20 followed by "v" (240 -> "12.0v").
QString TrimVoltsText(uint8_t b);

// Trim slider position <-> trim byte (position = 256 - b).
inline int TrimToSliderPosition(uint8_t b) { return 256 - b; }
inline uint8_t SliderPositionToTrim(int position) { return static_cast<uint8_t>(256 - position); }

// Removes characters with codes up to 32 from the end, then from the start.
QString TrimText(const QString &text);

// The larger and the smaller of two signed integers.
inline int IntMax(int a, int b) { return a > b ? a : b; }
inline int IntMin(int a, int b) { return a < b ? a : b; }

// Rounds to the nearest integer, ties to even, in extended precision.
long double RoundHalfEven(long double x);

// A fixed-width text field of the image: the characters up to the first NUL within `width` bytes,
// passed through TrimText.
QString ReadTextField(const uint8_t *image, int offset, int width);
