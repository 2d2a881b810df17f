#pragma once
// Millisecond ticks: unsigned 32-bit, from a steady clock. Elapsed time is always the unsigned
// difference now - then, which stays right across the wrap.
#include <cstdint>

uint32_t TickCount();
inline uint32_t TicksSince(uint32_t then) { return TickCount() - then; }
