#include "link/roundtrip.h"

#include "link/linkprotocol.h"

#include <algorithm>

namespace {
// The smoothing of the estimate (1/8 of each sample) and of its deviation (1/4), and the
// deviations of headroom, as TCP takes them.
constexpr uint32_t SmoothingShift = 3;
constexpr uint32_t DeviationShift = 2;
constexpr uint32_t DeviationsOfHeadroom = 4;
// The line is read once a pass: a sample is that coarse, and so is the least deviation.
constexpr uint32_t LeastDeviationMs = LinkTime::PassSleepMs;
}  // namespace

void RoundTrip::Reset(bool overNetwork, uint32_t opening)
{
    m_overNetwork = overNetwork;
    m_sampled = false;
    // Until the controller answers, the round trip of the connection's opening. It may show less
    // than the way to the controller (a tunnel opens at this end), which matters only for an
    // announcement crossing the acknowledgement, and one crosses it only on a round trip longer
    // than the announcement period.
    m_smoothed = overNetwork ? std::min(opening, NetworkTime::LongestRoundTripMs) : 0;
    m_deviation = m_smoothed / 2;
}

void RoundTrip::Sample(uint32_t ms)
{
    if (!m_overNetwork || ms > NetworkTime::LongestRoundTripMs) return;
    if (!m_sampled) {
        m_sampled = true;
        m_smoothed = ms;
        m_deviation = ms / 2;
        return;
    }
    const uint32_t error = ms > m_smoothed ? ms - m_smoothed : m_smoothed - ms;
    m_deviation = m_deviation - (m_deviation >> DeviationShift) + (error >> DeviationShift);
    m_smoothed = m_smoothed - (m_smoothed >> SmoothingShift) + (ms >> SmoothingShift);
}

uint32_t RoundTrip::Allowance() const { return m_overNetwork ? m_smoothed + DeviationsOfHeadroom * std::max(m_deviation, LeastDeviationMs) : 0; }
