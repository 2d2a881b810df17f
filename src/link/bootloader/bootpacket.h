#pragma once
// The bootloader packet buffer: positions 1 to 80, a write position and a running XOR beside it.
// Outgoing packets are built here, response packets received here.
#include <array>
#include <cstdint>

class BootPacket {
public:
    static constexpr int kPositions = 80;

    enum class Take { More, Complete, Failed };

    // Building: empties the buffer, the command at position 1, the write position at 3.
    void BeginPacket(uint8_t command);
    // Stores the byte at the write position, advances it and folds the byte into the XOR.
    void AddPacketByte(uint8_t byte);
    // Stores the XOR at the write position and that position's number at position 2.
    void EndPacket();

    // Receiving: empties the buffer, the write position at 1.
    void BeginReception();
    // Takes the next byte of a response. Position 2 holds the length L; positions 3 to L-1 are
    // folded into the XOR; the byte at L completes the packet when it equals the XOR. A length or a
    // stream that would pass position 80 fails the reception instead of writing past the buffer.
    Take TakeByte(uint8_t byte);

    // The packet is positions 1 to Length().
    int Length() const { return m_bytes[2]; }
    // Position 1 to 80.
    uint8_t At(int position) const { return m_bytes[position]; }

private:
    std::array<uint8_t, kPositions + 1> m_bytes{};   // index 0 unused
    uint8_t m_write = 1;
    uint8_t m_xor = 0;
};
