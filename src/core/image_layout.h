#pragma once
// Byte offsets of the calibration image. Every offset the program uses is named here (common
// fields) or in the per-variant headers included at the end, so no handler carries a bare number.
#include <cstdint>

namespace Off {

// --- Fields every variant with a page shares ---
constexpr int Frequency = 0;          // PWM frequency byte (curve A or B)
constexpr int FirstTrimPair = 1;      // trim pairs 1..16 at 1..32: min at 2k-1, max at 2k
constexpr int TrimPairCount = 16;
constexpr int QuarnExtraTrims = 111;  // trim pairs 17..20 at 111..118 (Quarn)
constexpr int QuarnExtraTrimPairs = 4;

// Offsets the defaults write (the Quarn layout's joystick basics).
constexpr int JoystickType = 33;
// The joystick-type byte of a controller whose configuration memory is erased.
constexpr uint8_t ErasedJoystickType = 0xFF;
constexpr int RedMode = 35;
constexpr int GreenMode = 36;
constexpr int BlueMode = 37;
constexpr int YellowMode = 38;
constexpr int OrangeMode = 141;
constexpr int PurpleMode = 145;
constexpr int ControllerId = 119;
constexpr int PlowFloatPort = 138;
constexpr int WingFloatPort = 139;
constexpr int BladeFloatPort = 140;
constexpr int ToeFloatPort = 161;

// Label fields: 9 bytes, up to 8 characters and a NUL.
constexpr int LabelWidth = 9;
constexpr int LabelFields[] = {39, 48, 57, 66, 75, 84, 102, 185};

// Remote-button pairs (first byte, second byte).
constexpr int RemotePairs[][2] = {{149, 150}, {151, 152}, {153, 154}, {155, 156}, {157, 158}, {159, 160}};

// Float name fields (Quarn): 5 bytes, NUL padded, no terminator when full.
constexpr int FloatNameWidth = 5;
constexpr int FloatNameFields[] = {163, 168, 173, 178};

}  // namespace Off

// Per-variant layouts.
#include "core/layout/quarn_layout.h"
#include "core/layout/dorsell_layout.h"
#include "core/layout/brennic_layout.h"
#include "core/layout/cscan_layout.h"
