#pragma once
// Fine sleeping while a link is open. The worker paces the line with short pauses (a 10 ms gap
// between bytes); Windows rounds every sleep up to its timer tick, 15.6 ms unless a program asks
// for more, which would stretch each transfer by half. While one of these objects lives the timer
// ticks every millisecond; elsewhere it does nothing, as sleeps there are already that fine.
class TimerResolution {
public:
    TimerResolution();
    ~TimerResolution();
    TimerResolution(const TimerResolution &) = delete;
    TimerResolution &operator=(const TimerResolution &) = delete;

    // True while this object holds the finer tick (always false outside Windows).
    bool Raised() const { return m_raised; }

private:
    bool m_raised = false;
};
