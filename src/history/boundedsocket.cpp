#include "history/boundedsocket.h"

#if !defined(_WIN32)
#include <git2/sys/stream.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <string>
#include <type_traits>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
std::atomic<int> LimitMs{10000};

struct Connection {
    std::string host, port;
    int fd = -1;
};

// libgit2 hands back the git_stream it was given: the stream comes first, so that the two
// addresses are one.
struct Socket {
    git_stream parent;
    Connection *connection;
};
static_assert(std::is_standard_layout_v<Socket>);

Connection &Of(git_stream *stream) { return *reinterpret_cast<Socket *>(stream)->connection; }

int Fail(const std::string &text)
{
    git_error_set_str(GIT_ERROR_NET, text.c_str());
    return -1;
}

// The limit in seconds as a person reads it: "10 s", "0.3 s".
std::string Within()
{
    char text[32];
    std::snprintf(text, sizeof text, "within %g s", LimitMs.load() / 1000.0);
    return text;
}

std::string Silent(const Connection &s) { return "the server " + s.host + " did not answer " + Within(); }

// Waits until the socket can be read or written (`events`); false when the limit passed first.
bool Ready(int fd, short events)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, LimitMs.load());
        if (n >= 0) return n > 0;
        if (errno != EINTR) return true;  // the read or write that follows says what failed
    }
}

int Connect(git_stream *stream)
{
    Connection &s = Of(stream);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (const int fault = ::getaddrinfo(s.host.c_str(), s.port.c_str(), &hints, &found); fault != 0)
        return Fail("failed to resolve address for " + s.host + ": " + ::gai_strerror(fault));
    std::string reason = "no address";
    for (const addrinfo *a = found; a && s.fd < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0) {
            reason = std::strerror(errno);
            continue;
        }
        int error = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
        if (error == EINPROGRESS) {
            socklen_t size = sizeof error;
            if (!Ready(fd, POLLOUT)) error = ETIMEDOUT;
            else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
        }
        if (error == 0) s.fd = fd;
        else {
            reason = error == ETIMEDOUT ? "no answer " + Within() : std::strerror(error);
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    return s.fd >= 0 ? 0 : Fail("failed to connect to " + s.host + ": " + reason);
}

ssize_t Read(git_stream *stream, void *data, size_t size)
{
    Connection &s = Of(stream);
    for (;;) {
        if (!Ready(s.fd, POLLIN)) return Fail(Silent(s));
        const ssize_t n = ::recv(s.fd, data, size, 0);
        if (n >= 0) return n;
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return Fail(std::string("error receiving data from socket: ") + std::strerror(errno));
    }
}

ssize_t Write(git_stream *stream, const char *data, size_t size, int)
{
    Connection &s = Of(stream);
    size_t sent = 0;
    while (sent < size) {
        if (!Ready(s.fd, POLLOUT)) return Fail(Silent(s));
        const ssize_t n = ::send(s.fd, data + sent, size - sent, MSG_NOSIGNAL);
        if (n > 0) sent += size_t(n);
        else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Fail(std::string("error sending data: ") + std::strerror(errno));
    }
    return ssize_t(sent);
}

int Close(git_stream *stream)
{
    Connection &s = Of(stream);
    if (s.fd >= 0 && ::close(s.fd) != 0) {
        s.fd = -1;
        return Fail(std::string("error closing socket: ") + std::strerror(errno));
    }
    s.fd = -1;
    return 0;
}

void Free(git_stream *stream)
{
    Close(stream);
    auto *socket = reinterpret_cast<Socket *>(stream);
    delete socket->connection;
    delete socket;
}

int New(git_stream **out, const char *host, const char *port)
{
    auto *s = new Socket{};
    s->parent.version = GIT_STREAM_VERSION;
    s->parent.connect = Connect;
    s->parent.read = Read;
    s->parent.write = Write;
    s->parent.close = Close;
    s->parent.free = Free;
    s->connection = new Connection{host, port, -1};
    *out = &s->parent;
    return 0;
}
}  // namespace
#endif

namespace BoundedSocket {
Scope::Scope([[maybe_unused]] const QByteArray &url, [[maybe_unused]] int limitMs)
{
#if !defined(_WIN32)
    if (!Needed || !(url.startsWith("git://") || url.startsWith("http://") || url.startsWith("https://"))) return;
    LimitMs = limitMs;
    git_stream_registration registration{};
    registration.version = GIT_STREAM_VERSION;
    registration.init = New;
    m_registered = git_stream_register(GIT_STREAM_STANDARD, &registration) == 0;
#endif
}

Scope::~Scope()
{
#if !defined(_WIN32)
    if (m_registered) git_stream_register(GIT_STREAM_STANDARD, nullptr);
#endif
}
}  // namespace BoundedSocket
