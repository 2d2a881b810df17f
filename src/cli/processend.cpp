#include "cli/processend.h"

#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int EndProcess(int status)
{
#ifdef Q_OS_WIN
    // Everything the command wrote is out before the process goes.
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), UINT(status));
#endif
    return status;
}
