#pragma once
// The look-alike controls of the Horner CsCAN page as data: bit-rate buttons, output ports and the
// twenty output ramp groups.
#include "core/image_layout.h"
#include "ui/pages/pagerect.h"

#include <array>
#include <iterator>

namespace CsCan {

enum Tab { GlobalTab, PortATab, PortBTab, PortCTab, TabCount };
inline constexpr const char *TabCaptions[TabCount] = {"Global", "Port A", "Port B", "Port C"};

namespace C = Off::CsCan;

// Captions of single controls that name image bytes.
inline constexpr const char *FrequencyCaption = "Output PWM Frequency";
inline constexpr const char *BitRateCaption = "Can-Bus frequency";

// "Can-Bus frequency" buttons, in the order of Off::CsCan::BitRates.
struct BitRateButton {
    const char *name;
    const char *caption;
    PageRect place;  // inside the group
};
inline constexpr BitRateButton BitRateButtons[C::BitRateCount] = {
    {"RadioButton1", "100 Kbps", {12, 20, 120, 20}}, {"RadioButton2", "125 Kbps", {12, 40, 120, 20}},
    {"RadioButton3", "250 Kbps", {12, 60, 120, 20}}, {"RadioButton4", "500 Kbps", {150, 20, 120, 20}},
    {"RadioButton5", "1000 Kbps", {150, 40, 120, 20}},
};

// Output ports on the "Global" tab: network ID bar and label, active box.
struct PortGroup {
    const char *group;
    const char *idBar, *idLabel, *activeBox, *activeCaption;
    int idOffset, activeOffset;
};
inline constexpr PortGroup PortGroups[C::PortCount] = {
    {" Port A Network Settings", "portaID", "Label299", "CheckBox11", "Port A Active", C::PortANetworkId, C::PortAActive},
    {"Port B Network Settings", "portbID", "Label301", "CheckBox12", "Port B Active", C::PortBNetworkId, C::PortBActive},
    {"Port C Network Settings", "portcID", "Label303", "CheckBox13", "Port C Active", C::PortCNetworkId, C::PortCActive},
};

// The fixed pin-out note of the M12 bus connector.
inline constexpr const char *PinoutLines[] = {
    "M12 Can-Bus pinout:", "1. CAN_H", "2. GROUND", "3. +12 VDC (low amps)", "4. CAN_L", "5. +5 VDC (low amps)",
    "NOTE:", "120 OHM E.O.L. SHIPPED SET ON BOARD", "CAN BE REMOVED BY PULLING INTERNAL", "JUMPER UNDER RIBBON CABLE.",
};

// The twenty outputs A1..A8, B1..B8, C1..C4, one group each on its port's tab. Output k owns the
// step-time bar ScrollBar37 + 2k with Label304 + 2k and the step-size bar ScrollBar38 + 2k with
// Label305 + 2k.
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
inline constexpr int FirstOutputBar = 37;    // ScrollBar37
inline constexpr int FirstOutputLabel = 304;  // Label304
inline constexpr int OutputBarCount = 2 * C::OutputCount;

}  // namespace CsCan
