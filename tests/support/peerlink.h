#pragma once
// A serial line in one process: the tool's byte link on one end, an emulated bootloader on the
// other. Every byte the tool writes goes to the peer at once and its answers queue up for
// reading. With a baud rate, both directions are paced as on the wire (ten bits per byte): a
// write returns when its byte has gone out, and an answer becomes readable when it has arrived.
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
        const Clock::time_point now = Clock::now();
        // The schedule is absolute, so a late wake-up does not add up over many bytes.
        m_txDone = std::max(now, m_txDone) + m_byteTime;
        if (m_byteTime != Clock::duration::zero()) std::this_thread::sleep_until(m_txDone);
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
    // Bytes on the wire so far, both ways, and the time they take at `baud`.
    qsizetype WireBytes() const { return m_sent.size() + m_received.size(); }
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
