#pragma once
// The settings of the Horner CsCAN page as data: bit rates, output ports and the twenty output ramp
// groups, with their captions, image bytes and tabs. The page's controls for them are in
// ui/pages/cscan/cscan_controls.h.
#include "core/image_layout.h"

#include <array>
#include <iterator>

namespace CsCan {

enum Tab { GlobalTab, PortATab, PortBTab, PortCTab, TabCount };
inline constexpr const char *TabCaptions[TabCount] = {"Global", "Port A", "Port B", "Port C"};

namespace C = Off::CsCan;

// Captions of single controls that name image bytes.
inline constexpr const char *FrequencyCaption = "Output PWM Frequency";
inline constexpr const char *BitRateCaption = "Can-Bus frequency";

// "Can-Bus frequency" buttons' captions, in the order of Off::CsCan::BitRates.
inline constexpr const char *BitRateCaptions[C::BitRateCount] = {"100 Kbps", "125 Kbps", "250 Kbps", "500 Kbps",
                                                                 "1000 Kbps"};

// Output ports on the "Global" tab: network ID and active flag.
struct PortGroup {
    const char *group;
    const char *activeCaption;
    int idOffset, activeOffset;
};
inline constexpr PortGroup PortGroups[C::PortCount] = {
    {" Port A Network Settings", "Port A Active", C::PortANetworkId, C::PortAActive},
    {"Port B Network Settings", "Port B Active", C::PortBNetworkId, C::PortBActive},
    {"Port C Network Settings", "Port C Active", C::PortCNetworkId, C::PortCActive},
};

// The fixed pin-out note of the M12 bus connector.
inline constexpr const char *PinoutLines[] = {
    "M12 Can-Bus pinout:", "1. CAN_H", "2. GROUND", "3. +12 VDC (low amps)", "4. CAN_L", "5. +5 VDC (low amps)",
    "NOTE:", "120 OHM E.O.L. SHIPPED SET ON BOARD", "CAN BE REMOVED BY PULLING INTERNAL", "JUMPER UNDER RIBBON CABLE.",
};

// The twenty outputs A1..A8, B1..B8, C1..C4, one group each on its port's tab, each with a step time
// and a step size.
struct OutputPort {
    char letter;
    int outputs;
    Tab tab;
};
inline constexpr OutputPort OutputPorts[] = {{'A', 8, PortATab}, {'B', 8, PortBTab}, {'C', 4, PortCTab}};

struct OutputGroup {
    char port;
    int number;  // 1-based within the port
    Tab tab;
};
inline constexpr std::array<OutputGroup, C::OutputCount> OutputGroups = [] {
    std::array<OutputGroup, C::OutputCount> groups{};
    int k = 0;
    for (const OutputPort &port : OutputPorts)
        for (int n = 1; n <= port.outputs; ++n) groups[k++] = {port.letter, n, port.tab};
    return groups;
}();
inline constexpr int OutputBarCount = 2 * C::OutputCount;

}  // namespace CsCan
