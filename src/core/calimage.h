#pragma once
// The process-wide calibration image and the small pieces of state that live beside it.
#include <array>
#include <atomic>
#include <cstdint>

class TCOMThread;

// 256 bytes, offsets 0..255, no header and no checksum. Read and written on the UI thread only.
constexpr int CalImageSize = 256;
using CalImageBytes = std::array<uint8_t, CalImageSize>;
extern CalImageBytes CalImage;

// The connected controller variant. Written by the link worker when the controller identifies
// itself, read by the UI thread; hence atomic.
extern std::atomic<uint8_t> ProductCode;

// Working values of the "Set All Trims" tools; never sent nor saved.
extern uint8_t GlobalMinTrim;
extern uint8_t GlobalMaxTrim;

// The COM port number the link uses (1 until the setting has been read).
extern int ComPort;

// Product codes as stored beside the image. The Quarn 2 announces itself with 'j' but is kept as 1.
namespace Product {
constexpr uint8_t None = 0;
constexpr uint8_t Quarn = 1;
constexpr uint8_t Ostrel = 'a';   // 97
constexpr uint8_t Dorsell = 'b';  // 98
constexpr uint8_t Vintle = 'c';   // 99
constexpr uint8_t Brennic = 'd';  // 100
constexpr uint8_t CsCan = 'z';    // 122
}  // namespace Product
