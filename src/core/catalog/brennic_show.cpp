// The Brennic page's show rules, in the order the page sets its controls: the ramp spins and the
// shake count, the value bars, the option boxes, the deceleration start points (never past their
// run time), the frequency bar and the trim pairs.
#include "core/image_layout.h"
#include "core/catalog/brennic_couplings.h"
#include "core/catalog/brennic_tables.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/show.h"
#include "core/catalog/showncontrol.h"

#include <vector>

namespace Catalogue {

namespace {
namespace B = Off::Brennic;
using namespace Brennic;

const ByteRange RampSpin{B::RampMin, B::RampMax};
}  // namespace

void ShowBrennicRules(CalImageBytes &image, uint8_t)
{
    for (const RampGroup &ramp : RampGroups) {
        ShownControl(RampSpin).Show(image[size_t(ramp.rateOffset)]);
        ShownControl(RampSpin).Show(image[size_t(ramp.lapsOffset)]);
    }
    ShownControl(B::ShakeCountMin, B::ShakeCountMax).Show(image[B::ShakeCount]);

    // The bars' places, as the start points are compared by them (a byte below a bar's range
    // leaves the bar at its lowest place).
    std::vector<ShownControl> bars;
    for (const ValueBar &bar : ValueBars) {
        bars.emplace_back(bar.min, bar.max);
        bars.back().Show(image[size_t(bar.offset)]);
    }
    for (const FlagBox &flag : FlagBoxes)
        if (image[size_t(flag.offset)] != 1) image[size_t(flag.offset)] = 0;
    for (int b = 0; b < ValueBarCount; ++b) {
        if (ValueBars[b].coupling != Coupling::RunTime) continue;
        const int start = PartnerBar(b);
        if (bars[size_t(b)].place < bars[size_t(start)].place && bars[size_t(start)].MoveTo(bars[size_t(b)].place))
            image[size_t(ValueBars[start].offset)] = uint8_t(bars[size_t(start)].place);
    }
    image[Off::Frequency] = ShownFrequencyByte(CurveABar(), image[Off::Frequency]);
    for (const TrimGroup &group : TrimGroups) ShowTrimPair(image, group.minOffset, group.maxOffset, TrimMinPosition, TrimMaxPosition);
}

}  // namespace Catalogue
