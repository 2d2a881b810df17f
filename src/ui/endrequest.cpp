#include "ui/endrequest.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
// A signal handler may only write to a descriptor: the byte wakes the event loop, which ends the
// program from there.
int wakeFds[2] = {-1, -1};
constexpr int kEndSignals[] = {SIGTERM, SIGHUP};

extern "C" void NoteEndSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);
}
#endif
}  // namespace

EndRequestWatcher::EndRequestWatcher(std::function<void()> end, QObject *parent) : QObject(parent), m_end(std::move(end))
{
    // The session's end on Windows; at an ordinary quit the window has already gone and `end`
    // finds nothing left to do.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { m_end(); });
#ifdef Q_OS_UNIX
    if (wakeFds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeFds) != 0) return;
    m_notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(wakeFds[1], &byte, 1);
        m_end();
    });
    struct sigaction action {};
    action.sa_handler = NoteEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kEndSignals) sigaction(signal, &action, nullptr);
#endif
}

EndRequestWatcher::~EndRequestWatcher()
{
#ifdef Q_OS_UNIX
    for (int signal : kEndSignals) std::signal(signal, SIG_DFL);
#endif
}
