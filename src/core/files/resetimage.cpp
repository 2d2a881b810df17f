#include "core/files/resetimage.h"

#include "core/image_defaults.h"
#include "core/image_layout.h"

#include <cstring>

void MakeResetImage(CalImageBytes &image)
{
    SetImageDefaultBytes(image.data());
    // Unlike the defaults, the reset image gives every float name five blanks (no terminator).
    for (int field : Off::FloatNameFields) std::memset(image.data() + field, ' ', Off::FloatNameWidth);
}
