#pragma once
// The bytes and time limits of the controller's serial bootloader, in one place.
//
// Every packet, both ways: command letter, length L of the whole packet (command, length and
// checksum included), payload, and the XOR of the payload bytes (0 without payload). Flash byte
// addresses travel low byte first.
#include "link/linkprotocol.h"

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

// A bootloader left holding half a packet (its sender killed mid-packet) would take an order as
// packet bytes. Filler bytes first complete whatever it holds as a packet it refuses, and then
// pass unheeded, so that the order after them is read as an order:
// - as a length it is refused (above the 80-byte packet buffer), or, by a bootloader that takes
//   any length, it makes a packet of filler whose payload XOR (0) is not its checksum (0xFF);
// - as the checksum of an erase or write (no payload, checksum 0) it is wrong;
// - between packets it is no command letter, and an application hears it as the request for its
//   product code, which drives nothing.
// Only an address or read-back packet cut inside its address can complete (its XOR is any byte):
// it sets an address or reads a block, and changes no flash.
constexpr uint8_t kFiller = 0xFF;
// The longest packet any length byte can announce, so that every partial packet completes.
constexpr int kFillerBytes = 255;
// The filler's time on the line (ten bits a byte), rounded up.
constexpr uint32_t kFillerLineMs = (kFillerBytes * 10 * 1000 + LinkBaudRate - 1) / LinkBaudRate;

// Bytes arriving back to back are this close; a line this quiet has finished what it was sending.
constexpr uint32_t kLineQuietMs = 20;

// A controller waiting silently for an order in its bootloader (hooked by a program that never
// gave it one) is looked for when a line has been silent this long after opening: an application
// announces itself well within it.
constexpr uint32_t kProbeSilenceMs = 2000;
// An application answers the filler within this after it has crossed the line (the upgrade
// probe's limit); without an answer the line is asked for a bootloader's identification.
constexpr uint32_t kProbeAnswerMs = 500;

}  // namespace Boot
