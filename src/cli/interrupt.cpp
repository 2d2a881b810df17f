#include "cli/interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caught = 0;

constexpr int kSignals[] = {SIGINT, SIGTERM};

extern "C" void Note(int signal)
{
    caught = signal;
    // Only the first one waits for the controller to be released.
    std::signal(signal, SIG_DFL);
}

}  // namespace

namespace CliInterrupt {

void Catch()
{
    caught = 0;
    for (int signal : kSignals) std::signal(signal, Note);
}

void Release()
{
    for (int signal : kSignals) std::signal(signal, SIG_DFL);
}

int Caught() { return caught; }

int ExitStatus(int signal) { return 128 + signal; }

}  // namespace CliInterrupt
