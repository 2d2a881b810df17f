#pragma once
// The real link worker on a scripted line, with a clock of its own, driven pass by pass on the
// calling thread: no device, no emulator thread, no real time, so every time limit of the
// supervisor can be checked to the pass. Every byte read or written is recorded with the tick it
// went at; a peer may answer each written byte at once.
// Header-only so that the fuzz targets can use it too.
#include "link/comthread.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

class SteppedLink : public TCOMThread {
public:
    // The clock starts just below the wrap of the 32-bit tick, so the limits are checked across it.
    static constexpr uint32_t StartTick = 0xFFFFF000u;

    struct LineByte {
        uint32_t tick;
        bool written;  // by the tool; else read by it
        uint8_t byte;
    };

    explicit SteppedLink(LinkHost &host, int port = 1) : TCOMThread(host, port, Unstarted{}) {}

    // Bytes now waiting on the line.
    void Arrive(const QByteArray &bytes) { m_input.append(bytes); }
    // Bytes landing on the line `ms` from now, after those already waiting or due before them.
    void ArriveIn(uint32_t ms, const QByteArray &bytes) { m_due.push_back({m_now + ms, bytes}); }
    // Each byte the tool writes is handed to `peer`; its answer is waiting on the line at once.
    void SetPeer(std::function<QByteArray(uint8_t)> peer) { m_peer = std::move(peer); }
    // Called once the clock has moved, at every pause of the worker: a peer's own timers.
    void SetTicker(std::function<void()> ticker) { m_ticker = std::move(ticker); }
    // The line is a connection over a network whose opening took `openingMs`: its limits grow
    // with the round trip the link measures.
    void OverNetwork(uint32_t openingMs) { m_roundTrip.Reset(true, openingMs); }
    // The next pause lasts `ms` longer: the machine held the worker up.
    void HoldUp(uint32_t ms) { m_holdUp = ms; }
    // The device refuses to open; the driver refuses every write.
    bool openFails = false;
    bool writesFail = false;
    // Refuses the writes for which it gives true.
    std::function<bool(uint8_t)> refuseWrite;

    void Passes(int count)
    {
        for (int i = 0; i < count; ++i) Pass();
    }
    // Passes until `done` holds, for at most `limitMs` of the worker's time; true when it held.
    bool RunUntil(const std::function<bool()> &done, uint32_t limitMs)
    {
        const uint32_t start = m_now;
        while (!done()) {
            if (m_now - start > limitMs) return false;
            Pass();
        }
        return true;
    }

    // Passes for `ms` of the worker's time.
    void RunFor(uint32_t ms)
    {
        RunUntil([] { return false; }, ms);
    }

    uint32_t Now() const override { return m_now; }
    const std::vector<LineByte> &line() const { return m_line; }
    int unread() const { return int(m_input.size()); }
    // Ticks of the tool's writes of `byte`, in order.
    std::vector<uint32_t> WriteTicks(uint8_t byte) const
    {
        std::vector<uint32_t> ticks;
        for (const LineByte &b : m_line)
            if (b.written && b.byte == byte) ticks.push_back(b.tick);
        return ticks;
    }
    QByteArray Written() const
    {
        QByteArray out;
        for (const LineByte &b : m_line)
            if (b.written) out.append(char(b.byte));
        return out;
    }

protected:
    void OpenDevice(const QString &, int) override
    {
        if (openFails) throw PortError{QStringLiteral("No such port or directory")};
        m_open = true;
    }
    void CloseDevice() override { m_open = false; }
    bool ReadDevice(uint8_t &byte) override
    {
        Land();
        if (!m_open || m_input.isEmpty()) return false;
        byte = uint8_t(m_input.front());
        m_input.remove(0, 1);
        m_line.push_back({m_now, false, byte});
        return true;
    }
    bool WriteDevice(uint8_t byte) override
    {
        if (!m_open || writesFail || (refuseWrite && refuseWrite(byte))) return false;
        m_line.push_back({m_now, true, byte});
        if (m_peer) m_input.append(m_peer(byte));
        return true;
    }
    void Pause(uint32_t ms) override
    {
        m_now += ms + m_holdUp;
        m_holdUp = 0;
        if (m_ticker) m_ticker();
    }

private:
    struct Due {
        uint32_t tick;
        QByteArray bytes;
    };
    void Land()
    {
        // Stable: bytes due at the same tick land in the order they were scheduled.
        std::stable_sort(m_due.begin(), m_due.end(), [this](const Due &a, const Due &b) {
            return int32_t(a.tick - m_now) < int32_t(b.tick - m_now);
        });
        while (!m_due.empty() && int32_t(m_now - m_due.front().tick) >= 0) {
            m_input.append(m_due.front().bytes);
            m_due.erase(m_due.begin());
        }
    }

    uint32_t m_now = StartTick;
    std::vector<Due> m_due;
    uint32_t m_holdUp = 0;
    bool m_open = false;
    QByteArray m_input;
    std::function<QByteArray(uint8_t)> m_peer;
    std::function<void()> m_ticker;
    std::vector<LineByte> m_line;
};
