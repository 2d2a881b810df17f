#pragma once
// Byte offsets of the dorsell image layout (filled in with the dorsell page).
namespace Off {
namespace Dorsell {
// The loader writes this joystick-type mark into byte 33 whenever the Dorsell page shows.
constexpr int JoystickTypeMark = 20;
// Joystick setting: item index of the Dorsell (or Ostrel) list of joystick settings.
constexpr int JoystickSetting = 19;
}  // namespace Dorsell
}  // namespace Off
