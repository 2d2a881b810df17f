#pragma once
// Byte-level access to the serial line as the protocol code sees it. TCOMThread implements it over
// its port; the bootloader programming is written against it, so it can be driven by a test peer.
#include <QByteArray>
#include <cstdint>

class ByteLink {
public:
    virtual ~ByteLink() = default;
    // Takes one byte if one is waiting, without waiting.
    virtual bool ReadByte(uint8_t &byte) = 0;
    // Writes one byte and waits until it has gone.
    virtual bool WriteByte(uint8_t byte) = 0;
    // ReadByte until it succeeds, every 5 ms, for at most 500 ms.
    virtual bool WaitByte(uint8_t &byte) = 0;
    // Bytes up to and including CR LF; fails after 500 ms without a byte.
    virtual bool ReadLine(QByteArray &line) = 0;
    // Discards (and logs) every waiting byte.
    virtual void FlushInput() = 0;
    // True once the worker has been asked to stop: long exchanges give up.
    virtual bool Stopping() const = 0;
    // What a wait for an answer adds on this line: its measured round trip over a network, 0 on
    // a local port.
    virtual uint32_t RoundTripAllowanceMs() const { return 0; }
};
