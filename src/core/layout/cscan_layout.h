#pragma once
// Byte offsets of the Quarn 2 CsCAN calibration image: the bus bit timing, the network ID and
// activity of the three output ports, and a ramp (step time, step size) for each of the twenty
// outputs A1..A8, B1..B8, C1..C4.
#include <cstdint>

namespace Off {
namespace CsCan {

// Bus bit timing: byte 1 selects the bit rate, bytes 2 and 3 follow from it.
constexpr int CanBitTiming1 = 1;
constexpr int CanBitTiming2 = 2;
constexpr int CanBitTiming3 = 3;

struct BitRate {
    int kbps;
    uint8_t timing1;
    uint8_t timing2;
    uint8_t timing3;
};
// In the order of the "Can-Bus frequency" buttons.
constexpr BitRate BitRates[] = {
    {100, 18, 12, 55}, {125, 14, 12, 55}, {250, 6, 12, 55}, {500, 2, 12, 55}, {1000, 0, 12, 54},
};
constexpr int BitRateCount = static_cast<int>(sizeof BitRates / sizeof BitRates[0]);

// Output ports: network ID byte, then the port's active flag.
constexpr int PortANetworkId = 4, PortAActive = 5;
constexpr int PortBNetworkId = 6, PortBActive = 7;
constexpr int PortCNetworkId = 8, PortCActive = 9;
constexpr int PortCount = 3;
constexpr int NetworkIdMax = 253;

// Output ramps: output k holds its step time (ms between increases) at OutputRamps + 2k and its
// step size (increase amount) at OutputRamps + 2k + 1.
constexpr int OutputRamps = 200;  // OutputA1StepTime; OutputC4StepSize is 239
constexpr int OutputCount = 20;
constexpr int StepTimeMin = 1, StepTimeMax = 250;
constexpr int StepSizeMin = 1, StepSizeMax = 50;

}  // namespace CsCan
}  // namespace Off
