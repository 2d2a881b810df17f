#pragma once
// The image every controller starts from in this tool: written at start-up and after a download
// whose joystick-type byte reads 0xFF (an erased controller).
#include <cstdint>

// Writes the default image bytes and the global trims. The Quarn page resets its float-port
// drop-downs itself (TQuarnForm::SetImageDefaults calls this first).
void SetImageDefaultBytes(uint8_t *image);
void SetImageDefaults();
