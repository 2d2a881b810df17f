#pragma once
// The bootloader the emulator runs beyond its hook when none is set: a SimBootloader.
#include "bootloader_peer.h"
#include "sim_options.h"

#include <memory>

std::unique_ptr<BootloaderPeer> MakeBootloaderPeer(const SimOptions &options);
