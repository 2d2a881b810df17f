// bench_pacing: how long the link worker's pauses really sleep. The worker paces the line with
// short pauses (one after every pass of the supervisor, shorter ones while it waits for a byte);
// an image transfer takes about one pass per byte, so a pause that oversleeps stretches every
// transfer by the same share. Prints, for each pause, what it asked for and what it took (median
// and worst of many), once as the system sleeps by itself and once with the finer timer tick the
// link holds while it is open, and what 256 passes take either way.
// On Windows the plain figures are ~15.6 ms for 10 ms unless the tick is raised. Under Wine the
// timers are Linux's, so both runs there show Linux's figures: measure on a Windows PC.
#include "link/linkprotocol.h"
#include "link/timerresolution.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Rounds = 200;

struct Figures {
    double medianMs, worstMs;
};

Figures Measure(uint32_t pauseMs)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        QThread::msleep(pauseMs);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void Report(const char *how)
{
    for (const uint32_t pauseMs : {LinkTime::PassSleepMs, LinkTime::WaitBytePollMs}) {
        const Figures f = Measure(pauseMs);
        std::printf("%-22s pause %2u ms: median %6.2f ms, worst %6.2f ms; %d passes %7.0f ms\n", how, pauseMs,
                    f.medianMs, f.worstMs, TransferLength, f.medianMs * TransferLength);
    }
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Report("system's own tick");
    {
        const TimerResolution fineTick;
        Report(fineTick.Raised() ? "fine tick (raised)" : "fine tick (no change)");
    }
    return 0;
}
