#pragma once
#include "app/layout/quarn_joystick_layout.h"
// Byte offsets of the quarn image layout (filled in with the quarn page).
namespace Off {
namespace Quarn {
}  // namespace Quarn
}  // namespace Off
