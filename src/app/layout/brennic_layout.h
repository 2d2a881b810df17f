#pragma once
// Byte offsets of the brennic image layout (filled in with the brennic page).
namespace Off {
namespace Brennic {
}  // namespace Brennic
}  // namespace Off
