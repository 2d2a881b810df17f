#include "core/calimage.h"

CalImageBytes CalImage{};
std::atomic<uint8_t> ProductCode{Product::None};
uint8_t GlobalMinTrim = 1;
uint8_t GlobalMaxTrim = 254;
int ComPort = 1;
