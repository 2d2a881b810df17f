#include "cli/standardoutput.h"

#include "cli/cli.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace StandardOutput {

namespace {
enum class State { Open, Closed, Failed };
State state = State::Open;
int failure = 0;  // errno of the failed write

bool Check(bool written)
{
    if (written) return true;
    const int error = errno;
    state = error == EPIPE ? State::Closed : State::Failed;
    failure = error;
    return false;
}
}  // namespace

void Begin()
{
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool Write(const QByteArray &bytes)
{
    if (state != State::Open) return false;
    errno = 0;
    const size_t size = size_t(bytes.size());
    if (!Check(std::fwrite(bytes.constData(), 1, size, stdout) == size)) return false;
    return Check(std::fflush(stdout) == 0);
}

bool WriteLine(const QString &line) { return Write(line.toUtf8() + '\n'); }

int Finish(int status)
{
    if (state == State::Open) Check(std::fflush(stdout) == 0);
    if (state != State::Failed) return status;
    // A write that failed without a reason from the system was short.
    const char *reason = failure != 0 ? std::strerror(failure) : "short write";
    std::fprintf(stderr, "quarntrim-cli: standard output: %s\n", reason);
    return status == Exit::Ok || status == Exit::Difference ? Exit::File : status;
}

}  // namespace StandardOutput
