#include "link/bootloader/bootpacket.h"

void BootPacket::BeginPacket(uint8_t command)
{
    m_bytes.fill(0);
    m_bytes[1] = command;
    m_write = 3;
    m_xor = 0;
}

void BootPacket::AddPacketByte(uint8_t byte)
{
    if (m_write >= kPositions) return;   // the checksum needs the last position
    m_bytes[m_write++] = byte;
    m_xor ^= byte;
}

void BootPacket::EndPacket()
{
    m_bytes[m_write] = m_xor;
    m_bytes[2] = m_write;
}

void BootPacket::BeginReception()
{
    m_bytes.fill(0);
    m_write = 1;
    m_xor = 0;
}

BootPacket::Take BootPacket::TakeByte(uint8_t byte)
{
    if (m_write > kPositions) return Take::Failed;
    const int position = m_write++;
    m_bytes[position] = byte;
    if (position == 2) return byte > kPositions ? Take::Failed : Take::More;
    if (position < 2) return Take::More;
    // A length of 2 or less never ends the packet.
    if (position == m_bytes[2]) return byte == m_xor ? Take::Complete : Take::Failed;
    m_xor ^= byte;
    return Take::More;
}
