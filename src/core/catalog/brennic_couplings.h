#pragma once
// The Brennic page's coupled time bars: a cylinder's deceleration start point never passes its run
// time. Moving the run time below the start point pulls the start point down with it; moving the
// start point above the run time pushes the run time up.
#include "core/calimage.h"

namespace Brennic {

// The bar coupled with value bar `bar`, -1 for none.
int PartnerBar(int bar);
// After the technician set value bar `bar` in `image`: the partner's byte it pulls or pushes.
void CoupleBar(CalImageBytes &image, int bar);

}  // namespace Brennic
