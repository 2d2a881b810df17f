#pragma once
// A serial line in one process: the tool's byte link on one end, an emulated bootloader on the
// other. Every byte the tool writes goes to the peer at once and its answers queue up for
// reading. With a baud rate, both directions are paced as on the wire (ten bits per byte): written
// bytes leave back to back as from a driver's transmit buffer, the peer answers once a byte has
// arrived, and an answer becomes readable when it has arrived in turn.
// Header-only so that benchmark programs can use it too.
#include "bootloader_peer.h"
#include "link/bytelink.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <thread>

class PeerLink : public ByteLink {
public:
    using Clock = std::chrono::steady_clock;

    explicit PeerLink(BootloaderPeer &peer, int baud = 0)
        : m_peer(peer),
          m_byteTime(baud > 0 ? std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(10)) / baud
                              : Clock::duration::zero())
    {
    }

    bool ReadByte(uint8_t &byte) override
    {
        if (m_incoming.empty() || m_incoming.front().at > Clock::now()) return false;
        byte = m_incoming.front().byte;
        m_incoming.pop_front();
        m_received.append(char(byte));
        return true;
    }

    bool WriteByte(uint8_t byte) override
    {
        // The write returns at once, as a driver takes the byte into its buffer; the byte is on the
        // far side when the line has carried it and every byte before it.
        m_txDone = std::max(Clock::now(), m_txDone) + m_byteTime;
        m_sent.append(char(byte));
        for (char answer : m_peer.Receive(byte)) {
            m_rxDone = std::max(m_txDone, m_rxDone) + m_byteTime;
            m_incoming.push_back({uint8_t(answer), m_rxDone});
        }
        return true;
    }

    bool WaitByte(uint8_t &byte) override
    {
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(500);
        while (!ReadByte(byte)) {
            if (Clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    bool ReadLine(QByteArray &line) override
    {
        line.clear();
        Clock::time_point last = Clock::now();
        for (;;) {
            uint8_t byte = 0;
            if (ReadByte(byte)) {
                line.append(char(byte));
                last = Clock::now();
                if (line.contains("\r\n")) return true;
                continue;
            }
            if (Clock::now() - last > std::chrono::milliseconds(500)) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void FlushInput() override
    {
        uint8_t byte = 0;
        while (ReadByte(byte)) {
        }
    }

    bool Stopping() const override { return m_stopping; }
    void SetStopping() { m_stopping = true; }

    // Everything that went each way, in order.
    const QByteArray &Sent() const { return m_sent; }
    const QByteArray &Received() const { return m_received; }
    // The time `bytes` take on the wire at `baud`.
    static double WireSeconds(qsizetype bytes, int baud) { return double(bytes) * 10.0 / baud; }

private:
    struct Pending {
        uint8_t byte;
        Clock::time_point at;
    };
    BootloaderPeer &m_peer;
    Clock::duration m_byteTime;
    std::deque<Pending> m_incoming;
    Clock::time_point m_txDone{};
    Clock::time_point m_rxDone{};
    QByteArray m_sent;
    QByteArray m_received;
    std::atomic<bool> m_stopping{false};
};
