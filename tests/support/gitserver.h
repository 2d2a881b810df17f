#pragma once
// A shop's git server for the history's tests: a bare repository in a temporary folder, reachable
// by its path and, while Serve() holds, through git's own daemon on 127.0.0.1 at a port chosen at
// run time (pushing allowed: for tests only). The daemon stops with the object, or with Stop().
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class GitServer {
public:
    GitServer();
    ~GitServer();
    GitServer(const GitServer &) = delete;
    GitServer &operator=(const GitServer &) = delete;

    // The bare repository's path ("" when git could not make it: git is missing).
    QString Path() const { return m_ready ? m_dir.filePath(QStringLiteral("shop.git")) : QString(); }
    // Starts the daemon and waits until it takes connections; false when it never does.
    bool Serve();
    void Stop();
    // "git://127.0.0.1:PORT/shop.git"; the same address, with nobody answering, once stopped.
    QString Url() const;
    // Runs git with `arguments`; false when it failed. Its standard output goes to `output`.
    static bool Git(const QStringList &arguments, QString *output = nullptr);
    // The same, for its output alone ("" when it failed).
    static QString GitOutput(const QStringList &arguments);

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    int m_port = 0;
    bool m_ready = false;
};

// A server on 127.0.0.1 that takes connections and never answers, until it closes (which resets
// the connections it took): what a sync meets when the shop's server hangs.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;

    // "git://127.0.0.1:PORT/shop.git" ("" when no port could be had).
    QString Url() const;
    void Close();

private:
    int m_fd = -1;
    int m_port = 0;
};

// An https server on 127.0.0.1 (openssl s_server) whose certificate nobody signed: what a sync
// meets at a server that cannot prove who it is. Stops with the object.
class UntrustedTlsServer {
public:
    UntrustedTlsServer();
    ~UntrustedTlsServer();
    UntrustedTlsServer(const UntrustedTlsServer &) = delete;
    UntrustedTlsServer &operator=(const UntrustedTlsServer &) = delete;

    // Makes the certificate and starts the server; false when it never takes connections.
    bool Serve();
    QString Url() const;

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    int m_port = 0;
};
