#include "core/catalog/brennic_couplings.h"

#include "core/conversions.h"
#include "core/catalog/brennic_tables.h"


namespace Brennic {

int PartnerBar(int bar)
{
    const ValueBar &v = ValueBars[bar];
    if (v.coupling == Coupling::None) return -1;
    for (int p = 0; p < ValueBarCount; ++p)
        if (ValueBars[p].offset == v.partner) return p;
    return -1;
}

void CoupleBar(CalImageBytes &image, int bar)
{
    const int p = PartnerBar(bar);
    if (p < 0) return;
    const ValueBar &v = ValueBars[bar];
    const ValueBar &partner = ValueBars[p];
    // Both as their bars show them: a bar holds its byte within its range.
    const int position = IntMin(v.max, IntMax(v.min, image[size_t(v.offset)]));
    const int other = IntMin(partner.max, IntMax(partner.min, image[size_t(partner.offset)]));
    const bool passed = v.coupling == Coupling::RunTime ? position < other : position > other;
    if (passed) image[size_t(partner.offset)] = uint8_t(IntMin(partner.max, IntMax(partner.min, position)));
}

}  // namespace Brennic
