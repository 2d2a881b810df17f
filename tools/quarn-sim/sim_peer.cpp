// The emulated bootloader beyond its hook, made from the emulator's options.
#include "sim_peer.h"

#include "sim_bootloader.h"

std::unique_ptr<BootloaderPeer> MakeBootloaderPeer(const SimOptions &options)
{
    SimBootOptions boot = options.boot;
    if (options.noFirmware) boot.hasFirmware = false;
    return std::make_unique<SimBootloader>(boot);
}
