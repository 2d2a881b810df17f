#pragma once
// The CsCAN page's controls for the settings of the CsCAN tables: object names and places.
#include "core/image_layout.h"
#include "core/catalog/cscan_tables.h"
#include "ui/pages/controlsat.h"
#include "ui/pages/pagerect.h"

namespace CsCan {

// "Can-Bus frequency" buttons, in the order of Off::CsCan::BitRates; places inside their group.
struct BitRateControls {
    const char *name;
    PageRect place;
};
inline constexpr BitRateControls BitRateButtons[C::BitRateCount] = {
    {"RadioButton1", {12, 20, 120, 20}},  {"RadioButton2", {12, 40, 120, 20}}, {"RadioButton3", {12, 60, 120, 20}},
    {"RadioButton4", {150, 20, 120, 20}}, {"RadioButton5", {150, 40, 120, 20}},
};

// A port's network ID bar and label and its active box, by the network ID's byte.
struct PortControls {
    int offset;
    const char *idBar, *idLabel, *activeBox;
};
inline constexpr PortControls PortGroupControls[] = {
    {C::PortANetworkId, "portaID", "Label299", "CheckBox11"},
    {C::PortBNetworkId, "portbID", "Label301", "CheckBox12"},
    {C::PortCNetworkId, "portcID", "Label303", "CheckBox13"},
};
static_assert(HasRowFor(PortGroupControls, PortGroups, [](const PortGroup &p) { return p.idOffset; }));

// Output k owns the step-time bar ScrollBar37 + 2k with Label304 + 2k and the step-size bar
// ScrollBar38 + 2k with Label305 + 2k.
inline constexpr int FirstOutputBar = 37;     // ScrollBar37
inline constexpr int FirstOutputLabel = 304;  // Label304

}  // namespace CsCan
