#pragma once
// The emulated controller's bootloader beyond its hook: once the emulator has answered 'B'/'u'/'?',
// every further byte from the tool goes to a BootloaderPeer, which returns the bytes to send back.
#include <QByteArray>
#include <cstdint>

class BootloaderPeer {
public:
    virtual ~BootloaderPeer() = default;
    // One byte from the tool; the bytes the bootloader answers with (possibly none).
    virtual QByteArray Receive(uint8_t byte) = 0;
    // True when the bootloader holds an application it can start on 'R'.
    virtual bool HasFirmware() const = 0;
};
