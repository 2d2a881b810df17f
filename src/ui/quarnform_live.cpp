// Live valve tests and the 500 ms timer: the test-press time stamp and its time-out.
#include "ui/quarnform.h"

#include "core/ticks.h"
#include "ui/livetesttime.h"
#include "ui/statuscolors.h"
#include "link/comthread.h"

#include <QLabel>
#include <QMessageBox>

namespace {
constexpr uint32_t EndingStamp = 1;  // a zero-level release: cleared at the next tick
const char *const RemoteTestTitle = "Live Test Over The Network";
const char *const RemoteTestQuestion =
    "The controller on %1 is reached over the network: the valve will move with nobody at this "
    "desk beside the machine.\n\nMake sure the machine is clear and someone can see it, then press "
    "the test again to move the valve.\n\nAllow live tests on %1?";
// The link worker whose network port the user allowed live tests on (0: none). A worker of its
// own for every opening of a port: a new connection asks again.
int remoteTestsAllowedOn = 0;
}  // namespace

void TQuarnForm::TestPress(uint8_t code, uint8_t level)
{
    if (ComThread && ComThread->OverNetwork() && remoteTestsAllowedOn != ComThread->WorkerId()) {
        // Asked on the press: the release then happens in the question's window, so this press
        // moves nothing and the next one does.
        const auto answer = QMessageBox::question(this, QString::fromLatin1(RemoteTestTitle),
                                                  QString::fromLatin1(RemoteTestQuestion).arg(ComThread->PortName()));
        if (answer == QMessageBox::Yes && ComThread) remoteTestsAllowedOn = ComThread->WorkerId();
        return;
    }
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
    if (m_testPressStamp != 0 && TicksSince(m_testPressStamp) > LiveTestTime::CommandTimeoutMs) {
        // A zero-level release ends at this tick only once its level 0 has gone to the controller:
        // a tick just after the release would otherwise clear it before the worker's next pass.
        if (m_testPressStamp == EndingStamp && ComThread && ComThread->LiveCommandUnsent()) return;
        SetRequest(0, 0);
        m_testPressStamp = 0;
    }
}
