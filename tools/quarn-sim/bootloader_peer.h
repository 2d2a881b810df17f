#pragma once
// The emulated controller's bootloader beyond its hook: once the emulator has answered 'B'/'u'/'?',
// every further byte from the tool goes to a BootloaderPeer, which returns the bytes to send back.
// All calls come from the emulator's own thread.
#include <QByteArray>
#include <cstdint>

class BootloaderPeer {
public:
    virtual ~BootloaderPeer() = default;
    // One byte from the tool; the bytes the bootloader answers with (possibly none).
    virtual QByteArray Receive(uint8_t byte) = 0;
    // True when the bootloader holds an application it can start on 'R'.
    virtual bool HasFirmware() const = 0;
    // Asked after every Receive: true when that byte was the order to start the application
    // ('R' between packets). The emulator then starts it, or restarts the bootloader when there
    // is no firmware.
    virtual bool StartApplicationRequested() const { return false; }
    // The bootloader starts (again): forget any half-received packet.
    virtual void Reset() {}
};
