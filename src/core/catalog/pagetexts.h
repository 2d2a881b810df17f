#pragma once
// Value texts and ranges the pages print beside their bars, kept where the catalogue can read them
// too: the frequency bars' ranges, the Brennic time, ratio and ramp labels, the CsCAN ID and ramp
// labels.
#include "core/catalog/brennic_tables.h"

#include <QString>

// The PWM frequency bars: curve A pages (Quarn, Brennic, CsCAN) and the Dorsell/Ostrel page.
constexpr int CurveAMinHz = 25, CurveAMaxHz = 450;
constexpr int CurveBMinHz = 45, CurveBMaxHz = 325;

// A number as plain decimal text: up to 15 significant digits, no trailing zeros (0.032, 1.6, 8).
QString ShortestDecimal(double value);

namespace Brennic {
// The label of a time, ratio or cushion bar at `position` ("0.8 s", "100 %", "100").
QString BarText(BarKind kind, int position);
// A deceleration rate as the share of the last rate it keeps (125 -> "50 % of Last Rate").
QString RampPercentText(int rate);
}  // namespace Brennic

namespace CsCan {
// The label of a port's network ID bar ("ID 12").
QString IdText(int id);
// The label of output ramp bar k (even k: the step time, odd k: the step size).
QString OutputText(int k, int position);
// The caption of the group of output `number` (1-based) on `port` ("Output A1").
QString OutputCaption(char port, int number);
}  // namespace CsCan
