#include "link/timerresolution.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#include <timeapi.h>
#endif

namespace {
#ifdef Q_OS_WIN
// The finest tick every Windows PC offers, in milliseconds.
constexpr UINT FinestTickMs = 1;
#endif
}  // namespace

TimerResolution::TimerResolution()
{
#ifdef Q_OS_WIN
    m_raised = timeBeginPeriod(FinestTickMs) == TIMERR_NOERROR;
#endif
}

TimerResolution::~TimerResolution()
{
#ifdef Q_OS_WIN
    if (m_raised) timeEndPeriod(FinestTickMs);
#endif
}
