#pragma once
// Byte offsets of the Quarn joystick, custom-mode and remote settings.
namespace Off {
namespace Quarn {
}  // namespace Quarn
}  // namespace Off
