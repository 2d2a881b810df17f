#pragma once
// How the Quarn 2 page shows an image: every setting its controls cannot show as the bytes stand
// is brought to what the control shows (a trim into its bar, a flag to 0 or 1, a spin value into
// its range, one cartridge-port use...). One pass; showing the result again changes nothing.
#include "core/calimage.h"

namespace Catalogue {

void ShowQuarn(CalImageBytes &image);

}  // namespace Catalogue
