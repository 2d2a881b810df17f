// Live valve tests and the 500 ms timer: the test-press time stamp and its time-out.
#include "editor/quarnform.h"

#include "app/ticks.h"
#include "editor/statuscolors.h"
#include "link/comthread.h"

#include <QLabel>

namespace {
constexpr uint32_t LiveCommandTimeoutMs = 2500;
constexpr uint32_t EndingStamp = 1;  // a zero-level release: cleared at the next tick
}  // namespace

void TQuarnForm::TestPress(uint8_t code, uint8_t level)
{
    SetRequest(code, level);
    m_testPressStamp = TickCount();
    if (m_testPressStamp == 0 || m_testPressStamp == EndingStamp) m_testPressStamp = 2;
}

void TQuarnForm::TestReleaseImmediate()
{
    SetRequest(0, 0);
    m_testPressStamp = 0;
}

void TQuarnForm::TestReleaseZeroLevel(uint8_t code)
{
    SetRequest(code, 0);
    m_testPressStamp = EndingStamp;
}

void TQuarnForm::Timer2Timer()
{
    SetPanelColor(TXPanel, StatusColor::LampOff);
    SetPanelColor(RXPanel, StatusColor::LampOff);
    if (m_testPressStamp != 0 && TicksSince(m_testPressStamp) > LiveCommandTimeoutMs) {
        // A zero-level release ends at this tick only once its level 0 has gone to the controller:
        // a tick just after the release would otherwise clear it before the worker's next pass.
        if (m_testPressStamp == EndingStamp && ComThread && ComThread->LiveCommandUnsent()) return;
        SetRequest(0, 0);
        m_testPressStamp = 0;
    }
}
