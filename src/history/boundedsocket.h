#pragma once
// A plain network socket for libgit2 whose every wait (connecting, reading, writing) ends after a
// limit. libgit2 before 1.7 waits on a server for as long as the server keeps the connection open
// without a word; a sync through such a server would never end. From 1.7 libgit2 bounds its own
// waits and this is not used.
#include <git2.h>

#include <QByteArray>

namespace BoundedSocket {
// Whether this libgit2 needs the bounded socket.
constexpr bool Needed =
#if !defined(_WIN32) && (LIBGIT2_VER_MAJOR < 1 || (LIBGIT2_VER_MAJOR == 1 && LIBGIT2_VER_MINOR < 7))
    true;
#else
    false;
#endif

// While it lives, libgit2's plain sockets for a `url` of git://, http:// or https:// (TLS runs over
// the plain socket) wait on the server at most `limitMs` at a time. Other addresses keep libgit2's
// own socket: its SSH reads that socket's insides directly, and a path needs none. One sync at a
// time sets it.
class Scope {
public:
    Scope(const QByteArray &url, int limitMs);
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    bool m_registered = false;
};
}  // namespace BoundedSocket
