#pragma once
// The reset image of "&Reset Cal File": the image defaults with the four float names blanked.
#include "core/calimage.h"

// Fills `image` with the reset image. The global trims beside the image are not touched.
void MakeResetImage(CalImageBytes &image);
