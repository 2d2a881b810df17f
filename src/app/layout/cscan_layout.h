#pragma once
// Byte offsets of the cscan image layout (filled in with the cscan page).
namespace Off {
namespace CsCan {
}  // namespace CsCan
}  // namespace Off
