#pragma once
// How long the window keeps a live test's command on the link: a press not released within this
// long (a release the window never saw) is ended at the next tick of its lamp timer. Longer than
// the link's keep-alive interval, which a streaming command holds off.
#include "link/linkprotocol.h"

#include <cstdint>

namespace LiveTestTime {
constexpr uint32_t CommandTimeoutMs = 2500;
static_assert(CommandTimeoutMs > LinkTime::KeepAliveMs, "a held test outlasts the keep-alive interval");
}  // namespace LiveTestTime
