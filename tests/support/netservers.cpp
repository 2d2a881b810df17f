#include "support/netservers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <chrono>
#include <deque>
#include <random>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int ServerReadyMs = 5000;
constexpr int ReadyPollMs = 20;
constexpr int RelayPollMs = 1;
constexpr int StartAttempts = 3;

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A socket listening on 127.0.0.1 at a port the system chooses.
int Listen(uint16_t *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        qFatal("cannot listen on 127.0.0.1");
    *port = ntohs(address.sin_port);
    return fd;
}

// True when something listens on 127.0.0.1:`port`, by the system's table of TCP sockets (a
// connection would take the server's only client place).
bool Listening(uint16_t port)
{
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly)) return false;
    const QByteArray wanted = QByteArray("0100007F:") + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields[1] == wanted && fields[3] == "0A") return true;
    }
    return false;
}
}  // namespace

uint16_t FreeLocalPort()
{
    uint16_t port = 0;
    ::close(Listen(&port));
    return port;
}

Ser2Net::~Ser2Net()
{
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(ServerReadyMs)) m_process.kill();
    m_process.waitForFinished(ServerReadyMs);
}

QString Ser2Net::Url() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_mode == Mode::Raw ? QStringLiteral("tcp") : QStringLiteral("rfc2217")).arg(m_port);
}

bool Ser2Net::Start(const QString &device, Mode mode, QString *error)
{
    m_mode = mode;
    QString program = QStandardPaths::findExecutable(QStringLiteral("ser2net"));
    if (program.isEmpty()) program = QStandardPaths::findExecutable(QStringLiteral("ser2net"), {QStringLiteral("/usr/sbin")});
    if (program.isEmpty()) {
        *error = QStringLiteral("ser2net is not installed (apt-get install ser2net)");
        return false;
    }
    for (int attempt = 0; attempt < StartAttempts; ++attempt) {
        m_port = FreeLocalPort();
        const QString accepter = mode == Mode::Raw ? QStringLiteral("tcp") : QStringLiteral("telnet(rfc2217),tcp");
        const QString config = QStringLiteral("connection: &line\n  accepter: %1,127.0.0.1,%2\n  connector: serialdev,%3,9600n81,local\n")
                                   .arg(accepter).arg(m_port).arg(device);
        QFile file(m_dir.filePath(QStringLiteral("ser2net.yaml")));
        if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) != config.toUtf8().size()) {
            *error = QStringLiteral("cannot write the ser2net configuration");
            return false;
        }
        file.close();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program, {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("-c"), file.fileName(), QStringLiteral("-P"),
                                  m_dir.filePath(QStringLiteral("ser2net.pid"))});
        const QDeadlineTimer deadline(ServerReadyMs);
        while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning && !Listening(m_port)) QThread::msleep(ReadyPollMs);
        if (Listening(m_port)) return true;
        m_process.kill();
        m_process.waitForFinished(ServerReadyMs);
        *error = QStringLiteral("ser2net did not come up: ") + QString::fromLocal8Bit(m_process.readAll()).simplified();
    }
    return false;
}

DelayRelay::DelayRelay(uint16_t upstream, int roundTripMs, int jitterMs)
    : m_upstream(upstream), m_roundTripMs(roundTripMs), m_jitterMs(jitterMs)
{
    m_listener = Listen(&m_port);
    m_thread = std::thread([this] { Run(); });
}

DelayRelay::~DelayRelay()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

void DelayRelay::Run()
{
    using Clock = std::chrono::steady_clock;
    struct Chunk {
        Clock::time_point due;
        std::vector<char> bytes;
    };
    struct Direction {
        int from = -1;
        int to = -1;
        std::deque<Chunk> queue;
        Clock::time_point lastDue{};
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(-m_jitterMs / 2, m_jitterMs / 2);
    int client = -1, server = -1;
    Direction up, down;  // client to server, server to client
    const auto closeBoth = [&] {
        if (client >= 0) ::close(client);
        if (server >= 0) ::close(server);
        client = server = -1;
        up = Direction{};
        down = Direction{};
    };
    while (!m_stop) {
        if (client < 0) {
            pollfd waiting{m_listener, POLLIN, 0};
            if (::poll(&waiting, 1, RelayPollMs) <= 0) continue;
            client = ::accept(m_listener, nullptr, nullptr);
            server = ::socket(AF_INET, SOCK_STREAM, 0);
            const sockaddr_in address = Loopback(m_upstream);
            if (::connect(server, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
                closeBoth();
                continue;
            }
            up.from = down.to = client;
            up.to = down.from = server;
        }
        pollfd fds[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        ::poll(fds, 2, RelayPollMs);
        bool ended = false;
        for (Direction *d : {&up, &down}) {
            pollfd &watched = d->from == client ? fds[0] : fds[1];
            if (!(watched.revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            const ssize_t got = ::read(d->from, buffer, sizeof buffer);
            if (got <= 0) {
                ended = true;
                continue;
            }
            const auto delay = std::chrono::milliseconds(std::max(0, m_roundTripMs / 2 + jitter(random)));
            const Clock::time_point due = std::max(Clock::now() + delay, d->lastDue);
            d->lastDue = due;
            d->queue.push_back({due, std::vector<char>(buffer, buffer + got)});
        }
        for (Direction *d : {&up, &down}) {
            while (!d->queue.empty() && d->queue.front().due <= Clock::now()) {
                std::vector<char> &bytes = d->queue.front().bytes;
                int count = int(bytes.size());
                const int dropAfter = m_dropAfter;
                if (d == &down && dropAfter >= 0) count = std::min(count, std::max(0, dropAfter - m_fromServer));
                if (count > 0 && ::write(d->to, bytes.data(), size_t(count)) != count) ended = true;
                if (d == &down) m_fromServer += count;
                if (count < int(bytes.size())) {
                    ended = true;
                    break;
                }
                d->queue.pop_front();
            }
        }
        if (m_dropAfter >= 0 && m_fromServer >= m_dropAfter) ended = true;
        if (ended) closeBoth();
    }
    closeBoth();
}
