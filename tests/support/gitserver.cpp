#include "support/gitserver.h"

#include "support/testsupport.h"


#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port nobody listens on now, as the system hands one out.
int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

QString GitUrl(int port) { return QStringLiteral("git://127.0.0.1:%1/shop.git").arg(port); }

bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}
}  // namespace

GitServer::GitServer()
{
    m_ready = Git({QStringLiteral("init"), QStringLiteral("--quiet"), QStringLiteral("--bare"), QStringLiteral("--initial-branch=main"),
                   m_dir.filePath(QStringLiteral("shop.git"))}) &&
              Git({QStringLiteral("-C"), m_dir.filePath(QStringLiteral("shop.git")), QStringLiteral("config"),
                   QStringLiteral("receive.denyNonFastForwards"), QStringLiteral("true")});
    if (!m_ready) qWarning("git is missing: install git (the history's tests need it)");
    m_port = FreePort();
}

GitServer::~GitServer() { Stop(); }

bool GitServer::Serve()
{
    if (!m_ready) return false;
    // The readiness probe connects and hangs up, which the daemon would report each time.
    m_daemon.setStandardErrorFile(QProcess::nullDevice());
    m_daemon.start(QStringLiteral("git"), {QStringLiteral("daemon"), QStringLiteral("--enable=receive-pack"), QStringLiteral("--export-all"),
                                           QStringLiteral("--reuseaddr"), QStringLiteral("--base-path=") + m_dir.path(),
                                           QStringLiteral("--listen=127.0.0.1"), QStringLiteral("--port=%1").arg(m_port), m_dir.path()});
    if (!m_daemon.waitForStarted(WaitDeadlineMs)) return false;
    return waitUntil([this] { return Accepts(m_port) || m_daemon.state() == QProcess::NotRunning; }) && m_daemon.state() == QProcess::Running;
}

void GitServer::Stop()
{
    if (m_daemon.state() == QProcess::NotRunning) return;
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(WaitDeadlineMs)) m_daemon.kill();
    m_daemon.waitForFinished(WaitDeadlineMs);
}

QString GitServer::Url() const { return GitUrl(m_port); }

bool GitServer::Git(const QStringList &arguments, QString *output)
{
    QProcess git;
    git.start(QStringLiteral("git"), arguments);
    if (!git.waitForFinished(WaitDeadlineMs) || git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0) return false;
    if (output) *output = QString::fromUtf8(git.readAllStandardOutput());
    return true;
}

QString GitServer::GitOutput(const QStringList &arguments)
{
    QString output;
    Git(arguments, &output);
    return output;
}

SilentServer::SilentServer()
{
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    constexpr int Backlog = 8;
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), size) != 0 || ::listen(m_fd, Backlog) != 0 ||
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &size) != 0) {
        Close();
        return;
    }
    m_port = ntohs(address.sin_port);
}

SilentServer::~SilentServer() { Close(); }

QString SilentServer::Url() const { return m_port ? GitUrl(m_port) : QString(); }

void SilentServer::Close()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

UntrustedTlsServer::UntrustedTlsServer() : m_port(FreePort()) {}

UntrustedTlsServer::~UntrustedTlsServer()
{
    if (m_server.state() == QProcess::NotRunning) return;
    m_server.kill();
    m_server.waitForFinished(WaitDeadlineMs);
}

bool UntrustedTlsServer::Serve()
{
    const QString key = m_dir.filePath(QStringLiteral("key.pem")), certificate = m_dir.filePath(QStringLiteral("certificate.pem"));
    QProcess make;
    make.start(QStringLiteral("openssl"), {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                                           QStringLiteral("-nodes"), QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate,
                                           QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
    if (!make.waitForFinished(WaitDeadlineMs) || make.exitStatus() != QProcess::NormalExit || make.exitCode() != 0) return false;
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("openssl"), {QStringLiteral("s_server"), QStringLiteral("-quiet"), QStringLiteral("-www"),
                                               QStringLiteral("-accept"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                                               QStringLiteral("-cert"), certificate, QStringLiteral("-key"), key});
    if (!m_server.waitForStarted(WaitDeadlineMs)) return false;
    return waitUntil([this] { return Accepts(m_port) || m_server.state() == QProcess::NotRunning; }) && m_server.state() == QProcess::Running;
}

QString UntrustedTlsServer::Url() const { return QStringLiteral("https://127.0.0.1:%1/shop.git").arg(m_port); }
