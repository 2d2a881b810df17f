#include "link/networkline.h"

#include "link/linkprotocol.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QCoreApplication>
#include <QHostInfo>
#include <QThread>
#include <QTcpSocket>

#include <condition_variable>
#include <mutex>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/sockios.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#endif

namespace {
// How long one wait for the system to take written bytes lasts before the writer is asked
// whether to stop.
constexpr int WriteWaitSliceMs = 50;
// The longest stretch of text a server's refusal is quoted with.
constexpr int QuotedRefusal = 60;

// The host's addresses, or none when it cannot be resolved within `limitMs`. The system's
// resolver cannot be interrupted: a lookup that overruns is left to finish on its own thread.
QList<QHostAddress> Resolve(const QString &host, int limitMs, bool *timedOut)
{
    QHostAddress literal;
    if (literal.setAddress(host)) return {literal};
    struct Lookup {
        std::mutex lock;
        std::condition_variable done;
        bool finished = false;
        QList<QHostAddress> addresses;
    };
    auto lookup = std::make_shared<Lookup>();
    // A thread of Qt's own: what Qt keeps per thread is freed on that thread as it ends (on
    // Windows a bare thread's clean-up runs elsewhere, after it has gone).
    QThread *const thread = QThread::create([lookup, host] {
        const QList<QHostAddress> addresses = QHostInfo::fromName(host).addresses();
        std::lock_guard<std::mutex> guard(lookup->lock);
        lookup->addresses = addresses;
        lookup->finished = true;
        lookup->done.notify_all();
    });
    thread->start();
    std::unique_lock<std::mutex> guard(lookup->lock);
    *timedOut = !lookup->done.wait_for(guard, std::chrono::milliseconds(limitMs), [&lookup] { return lookup->finished; });
    guard.unlock();
    if (!*timedOut) {
        thread->wait();
        delete thread;
    } else if (QCoreApplication *const app = QCoreApplication::instance()) {
        // Left to finish on its own, and deleted then by the program's main thread.
        thread->moveToThread(app->thread());
        QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    }
    return lookup->addresses;
}

void TuneSocket(QTcpSocket &socket)
{
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // Unacknowledged bytes end the connection soon instead of after minutes of retries.
#ifdef Q_OS_LINUX
    const unsigned int lostMs = NetworkTime::ConnectionLostMs;
    ::setsockopt(int(socket.socketDescriptor()), IPPROTO_TCP, TCP_USER_TIMEOUT, &lostMs, sizeof lostMs);
#elif defined(Q_OS_WIN) && defined(TCP_MAXRT)
    const DWORD lostSeconds = (NetworkTime::ConnectionLostMs + 999) / 1000;
    ::setsockopt(SOCKET(socket.socketDescriptor()), IPPROTO_TCP, TCP_MAXRT, reinterpret_cast<const char *>(&lostSeconds), sizeof lostSeconds);
#endif
}

QString Printable(const QByteArray &text)
{
    QString out;
    for (const char c : text.left(QuotedRefusal))
        if (c >= ' ' && c < 127) out.append(QLatin1Char(c));
    return out.trimmed();
}
}  // namespace

NetworkLine::NetworkLine() = default;

NetworkLine::~NetworkLine() { Close(); }

PortLine::OpenFault NetworkLine::Open(const QString &name, int speed)
{
    Close();
    m_gone = false;
    m_name = name;
    m_input.clear();
    m_inputAt = 0;
    const std::optional<NetworkPort> port = ParseNetworkPort(name);
    if (!port) {
        m_errorText = MalformedNetworkPortText(name);
        return OpenFault::NoDevice;
    }
    const QDeadlineTimer deadline(NetworkTime::ConnectLimitMs);
    const QString limit = QStringLiteral("%1 s").arg(NetworkTime::ConnectLimitMs / 1000);
    bool timedOut = false;
    const QList<QHostAddress> addresses = Resolve(port->host, int(deadline.remainingTime()), &timedOut);
    if (addresses.isEmpty()) {
        m_errorText = timedOut ? QStringLiteral("the name %1 of %2 was not resolved within %3").arg(port->host, name, limit)
                               : QStringLiteral("the host %1 of %2 is not known").arg(port->host, name);
        return OpenFault::NoDevice;
    }
    QElapsedTimer connecting;
    connecting.start();
    // Each address of the name in turn ("localhost" may name ::1 first, where nobody listens).
    std::unique_ptr<QTcpSocket> socket;
    for (const QHostAddress &address : addresses) {
        socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(address, port->port);
        if (socket->waitForConnected(int(std::max<qint64>(1, deadline.remainingTime()))) || deadline.hasExpired()) break;
    }
    if (socket->state() != QAbstractSocket::ConnectedState) {
        const bool refused = socket->error() == QAbstractSocket::ConnectionRefusedError;
        m_errorText = refused ? QStringLiteral("connection to %1 refused: no server listens there").arg(name)
                      : socket->error() == QAbstractSocket::SocketTimeoutError
                          ? QStringLiteral("no answer from %1 within %2").arg(name, limit)
                          : QStringLiteral("cannot connect to %1: %2").arg(name, socket->errorString());
        return refused ? OpenFault::Refused : OpenFault::Other;
    }
    m_connectMs = uint32_t(connecting.elapsed());
    TuneSocket(*socket);
    m_socket = std::move(socket);
    if (port->kind == NetworkPort::Kind::Telnet) {
        m_telnet.emplace(speed);
        Send(m_telnet->Opening());
    }
    const OpenFault fault = Settle(int(connecting.elapsed()), int(deadline.remainingTime()));
    if (fault != OpenFault::None) {
        m_socket.reset();
        m_telnet.reset();
    }
    return fault;
}

PortLine::OpenFault NetworkLine::Settle(int connectMs, int remainingMs)
{
    // The connection took about one round trip: a server closing it at once has done so within
    // another one.
    QElapsedTimer settling;
    settling.start();
    const int heldCheckMs = 2 * connectMs + int(NetworkTime::HeldLineCheckMs);
    for (;;) {
        const bool agreed = !m_telnet || (m_telnet->Binary() && m_telnet->PortControl());
        const qint64 left = (agreed ? heldCheckMs : remainingMs) - settling.elapsed();
        if (m_telnet && m_telnet->Refused()) {
            m_errorText = QStringLiteral("the server at %1 does not offer binary transfers with serial port control: "
                                         "use tcp:// for a raw server").arg(m_name);
            return OpenFault::Other;
        }
        if (!Take(int(std::max<qint64>(0, std::min<qint64>(left, WriteWaitSliceMs))))) {
            const QString said = Printable(m_input);
            m_errorText = QStringLiteral("%1 closed the connection at once: the line is probably held by another client")
                              .arg(m_name);
            if (!said.isEmpty()) m_errorText += QStringLiteral(" (it said \"%1\")").arg(said);
            m_gone = false;
            return OpenFault::Refused;
        }
        if (left <= 0) break;
    }
    if (m_telnet && !(m_telnet->Binary() && m_telnet->PortControl())) {
        m_errorText = QStringLiteral("the server at %1 did not agree to serial port control within %2 s")
                          .arg(m_name).arg(NetworkTime::ConnectLimitMs / 1000);
        return OpenFault::Other;
    }
    return OpenFault::None;
}

void NetworkLine::Close()
{
    if (!m_socket) return;
    m_socket->abort();
    m_socket.reset();
    m_telnet.reset();
}

bool NetworkLine::IsOpen() const { return m_socket && m_socket->state() == QAbstractSocket::ConnectedState; }

bool NetworkLine::Take(int waitMs)
{
    if (m_socket->bytesAvailable() == 0) m_socket->waitForReadyRead(waitMs);
    const QByteArray arrived = m_socket->readAll();
    if (m_inputAt > 0 && m_inputAt == m_input.size()) {
        m_input.clear();
        m_inputAt = 0;
    }
    if (!m_telnet) {
        m_input.append(arrived);
    } else if (!arrived.isEmpty()) {
        QByteArray replies;
        m_telnet->Receive(arrived.constData(), int(arrived.size()), m_input, replies);
        if (!replies.isEmpty()) Send(replies);
    }
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool NetworkLine::Read(uint8_t &byte)
{
    if (!m_socket) return false;
    if (m_inputAt == m_input.size() && !Take(0)) {
        // What arrived before the end is still read.
        if (m_inputAt == m_input.size()) {
            Lose();
            return false;
        }
    }
    if (m_inputAt == m_input.size()) return false;
    byte = uint8_t(m_input[m_inputAt++]);
    return true;
}

bool NetworkLine::Send(const QByteArray &bytes)
{
    if (!m_socket || m_socket->write(bytes) != bytes.size()) return false;
    // Without an event loop Qt passes buffered bytes on only when asked: an answer to the
    // server's negotiation or a purge leaves now, not with the next data byte.
    m_socket->flush();
    // A connection found closed as the bytes went out ends the write as a loss.
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

bool NetworkLine::Write(uint8_t byte, const std::function<bool()> &stopping)
{
    if (!m_socket) return false;
    QByteArray wire;
    if (m_telnet) TelnetCodec::Escape(byte, wire);
    else wire.append(char(byte));
    if (!Send(wire)) {
        Lose();
        return false;
    }
    const QDeadlineTimer taken(NetworkTime::WriteTakenLimitMs);
    while (m_socket->bytesToWrite() > 0) {
        if (m_socket->waitForBytesWritten(WriteWaitSliceMs)) continue;
        if (m_socket->state() != QAbstractSocket::ConnectedState) {
            Lose();
            return false;
        }
        if (taken.hasExpired()) {
            Close();
            m_gone = true;
            m_errorText = QStringLiteral("connection to %1 lost: a byte written was not taken within %2 s")
                              .arg(m_name).arg(NetworkTime::WriteTakenLimitMs / 1000);
            return false;
        }
        if (stopping()) {
            m_errorText = QStringLiteral("the write to %1 was stopped").arg(m_name);
            return false;
        }
    }
    return true;
}

void NetworkLine::Lose()
{
    if (!m_socket) return;
    m_errorText = m_socket->error() == QAbstractSocket::RemoteHostClosedError
                      ? QStringLiteral("connection to %1 closed").arg(m_name)
                      : QStringLiteral("connection to %1 lost: %2").arg(m_name, m_socket->errorString());
    Close();
    m_gone = true;
}

int NetworkLine::Backlog() const
{
    if (!m_socket) return 0;
    int queued = int(m_socket->bytesToWrite());
#ifdef Q_OS_LINUX
    int unacknowledged = 0;
    if (::ioctl(int(m_socket->socketDescriptor()), SIOCOUTQ, &unacknowledged) == 0) queued += unacknowledged;
#endif
    return queued;
}

void NetworkLine::PurgeInput()
{
    m_input.clear();
    m_inputAt = 0;
    if (m_telnet && m_telnet->PortControl()) Send(TelnetCodec::PurgeInput());
}
