// The live test's pass: the command's pair on the line.
#include "link/livetest.h"

#include "link/comthread.h"
#include "link/portline.h"

void LiveTest::Step(uint8_t code)
{
    // Over a network a pass sends nothing while earlier pairs are still in flight, so that a
    // release reaches the controller behind no more of them than on a local port.
    if (m_link.m_port && m_link.m_port->Backlog() > NetworkTime::LiveBacklogBytes) return;
    if (!m_link.Send(code) || !m_link.Send(m_level)) return;
    m_link.NoAnswerAwaited();
    m_state = State::Streaming;
    m_link.ResetLinkTimer();
}
