#pragma once
// The ranges of the pages' bars and spin boxes, kept once for the pages that show them and for the
// edit rules that set the same bytes by name.

// The bytes a bar or spin box stores, lowest to highest.
struct ByteRange {
    int lowest, highest;
};

namespace ControlRange {
// Trim bars run over positions 256 - byte, the top (highest level) first: the Quarn 2 page's from 1
// to 253, the Dorsell/Ostrel and Brennic pages' from 2 to 254.
constexpr int QuarnTrimTop = 1, QuarnTrimBottom = 253;
constexpr int TrimTop = 2, TrimBottom = 254;
constexpr ByteRange TrimBytes(int top, int bottom) { return {256 - bottom, 256 - top}; }
constexpr ByteRange QuarnTrimBytes = TrimBytes(QuarnTrimTop, QuarnTrimBottom);
constexpr ByteRange TrimBarBytes = TrimBytes(TrimTop, TrimBottom);

// Quarn 2 page: the stick safety sensitivity bar, the start-up delay and float delay spins.
constexpr ByteRange QuarnSensitivity{0, 60};
constexpr ByteRange QuarnStartupDelay{1, 20};
constexpr ByteRange FloatDelay{1, 10};  // the Dorsell/Ostrel page's too
constexpr ByteRange ControllerId{0, 255};

// Dorsell/Ostrel page: the stick safety bar, fast (1) to slow (60).
constexpr ByteRange DorsellStickSafety{1, 60};
}  // namespace ControlRange
