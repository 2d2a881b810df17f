#pragma once
// The round trip of a line over a network, measured as the link runs: each answer to a byte the
// tool wrote (an echo, a product code, an acknowledgement) is a sample of the time from the write
// to that answer. The estimate is smoothed with its variation, as TCP smooths its own, and the
// link's time limits grow by the allowance it gives. A local line has no allowance: its limits
// stay as they are.
#include <cstdint>

class RoundTrip {
public:
    // `overNetwork`: false keeps every allowance at 0.
    // `opening`: the round trip the line's opening took, a first estimate until the link's own.
    void Reset(bool overNetwork, uint32_t opening);
    void Sample(uint32_t ms);
    // The smoothed round trip and its mean deviation, in ms.
    uint32_t Smoothed() const { return m_smoothed; }
    uint32_t Deviation() const { return m_deviation; }
    // What every limit that waits for an answer adds: the round trip with four deviations of
    // headroom for its jitter.
    uint32_t Allowance() const;

private:
    bool m_overNetwork = false;
    bool m_sampled = false;  // the link has measured one of its own
    uint32_t m_smoothed = 0;
    uint32_t m_deviation = 0;
};
