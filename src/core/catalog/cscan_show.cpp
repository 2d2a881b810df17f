// The CsCAN page's show rules, in the order the page sets its controls: the frequency bar, the
// bus bit rate, the ports' active boxes and network IDs, the output ramps.
#include "core/image_layout.h"
#include "core/catalog/cscan_tables.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/show.h"
#include "core/catalog/showncontrol.h"

namespace Catalogue {

namespace {
using namespace CsCan;

// The output ramps alternate a step-time bar and a step-size bar.
const ByteRange OutputBarRanges[2] = {{C::StepTimeMin, C::StepTimeMax}, {C::StepSizeMin, C::StepSizeMax}};
}  // namespace

void ShowCsCanRules(CalImageBytes &image, uint8_t)
{
    image[Off::Frequency] = ShownFrequencyByte(CurveABar(), image[Off::Frequency]);
    // A known rate's button, once chosen, stores all three timing bytes of its rate; a byte of no
    // known rate leaves them as they are.
    for (const C::BitRate &rate : C::BitRates)
        if (image[C::CanBitTiming1] == rate.timing1) {
            image[C::CanBitTiming2] = rate.timing2;
            image[C::CanBitTiming3] = rate.timing3;
        }
    for (const PortGroup &port : PortGroups)
        if (image[size_t(port.activeOffset)] != 1) image[size_t(port.activeOffset)] = 0;
    for (const PortGroup &port : PortGroups) ShownControl(0, C::NetworkIdMax).Show(image[size_t(port.idOffset)]);
    for (int k = 0; k < OutputBarCount; ++k) ShownControl(OutputBarRanges[k % 2]).Show(image[size_t(C::OutputRamps + k)]);
}

}  // namespace Catalogue
