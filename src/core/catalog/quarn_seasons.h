#pragma once
// The Quarn 2's summer and winter output sets, as its other options dialog shows them: each output
// group is one bit in the summer set and one in the winter set, and one more bit makes the season
// mode active.
#include "core/image_layout.h"

namespace QuarnSeasons {

namespace Q = Off::Quarn;

struct SeasonBit {
    const char *caption;
    int summerByte, summerBit;
    int winterByte, winterBit;
};
inline constexpr SeasonBit SeasonBits[] = {
    {"A1 / A2", Q::SummerOutputMask, 0, Q::WinterOutputMask, 0},
    {"A3 / A4", Q::SummerOutputMask, 1, Q::WinterOutputMask, 1},
    {"A5 / A6", Q::SummerOutputMask, 2, Q::WinterOutputMask, 2},
    {"A7 / A8", Q::SummerOutputMask, 3, Q::WinterOutputMask, 3},
    {"B1 / B2", Q::SummerOutputMask, 4, Q::WinterOutputMask, 4},
    {"B3 / B4", Q::SummerOutputMask, 5, Q::WinterOutputMask, 5},
    {"B5 / B6", Q::SummerOutputMask, 6, Q::WinterOutputMask, 6},
    {"B7 / B8", Q::SummerOutputMask, 7, Q::WinterOutputMask, 7},
    {"C1 / C2", Q::SeasonModeFlags, 0, Q::SeasonModeFlags, 2},
    {"C3 / C4", Q::SeasonModeFlags, 1, Q::SeasonModeFlags, 3},
};
inline constexpr int ModeActiveBit = 4;

// The dialog's captions.
inline constexpr const char *ModeCaption = "Summer / Winter Mode Active";
inline constexpr const char *ModeYes = "Yes";
inline constexpr const char *ModeNo = "No";
inline constexpr const char *SummerCaption = "Summer Outputs";
inline constexpr const char *WinterCaption = "Winter Outputs";

}  // namespace QuarnSeasons
