#pragma once
// The bytes and time limits of the controller's serial bootloader, in one place.
//
// Every packet, both ways: command letter, length L of the whole packet (command, length and
// checksum included), payload, and the XOR of the payload bytes (0 without payload). Flash byte
// addresses travel low byte first.
#include <cstdint>

namespace Boot {

enum Byte : uint8_t {
    // Commands the tool sends as packets.
    SetAddress = 'A',   // payload: address low, high; answered by Ack/Nak
    EraseOne = 'E',     // erase the page at the address; Ack/Nak
    LoadBlock = 'D',    // payload: 64 flash bytes for the page buffer; Ack/Nak
    WriteOne = 'F',     // write the page buffer to the page at the address; Ack/Nak
    ReadBlock = 'V',    // payload: address low, high; answered by a response packet of 64 bytes

    // Single bytes outside packets.
    Identify = 'I',     // tool: asks for the identification line (ends in CR LF)
    Restart = 'R',      // tool: start the application
    Announce = 'B',     // bootloader: it has started
    Hook = 'u',         // tool: keep the bootloader
    Ready = '?',        // bootloader: waits for an order

    // Replies to a packet.
    Ack = 0x06,         // packet accepted
    Nak = 0x15,         // send the packet again
};

constexpr int kBlockBytes = 64;              // flash bytes in one D packet or V response
constexpr int kPacketOverhead = 3;           // command, length, checksum
constexpr int kBlockPacketLength = kBlockBytes + kPacketOverhead;   // 67
constexpr int kAddressPacketLength = 2 + kPacketOverhead;           // 5

constexpr int kAckTimeoutMs = 5000;          // silence after a packet before it counts as lost
constexpr int kResponseSilenceMs = 10000;    // silence inside a response packet that ends it
constexpr int kMaxSends = 6;                 // a packet goes out at most this many times
constexpr int kVerifyAttempts = 4;           // read-back requests per block before it fails
// How often a wait looks at the line. The acknowledgement comes about one character time after
// the packet's last byte, so a coarse poll would add its whole period to every packet.
constexpr int kPollIntervalMs = 1;

}  // namespace Boot
