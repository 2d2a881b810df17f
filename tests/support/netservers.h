#pragma once
// Servers for the tests of network ports, on 127.0.0.1 at ports chosen at run time: the serial
// device server (ser2net) serving a pseudo-terminal, and a relay that adds a round trip with
// jitter and can drop its connection part-way.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <cstdint>
#include <thread>

// A port on 127.0.0.1 that nobody listens on at the moment it is chosen.
uint16_t FreeLocalPort();

class Ser2Net {
public:
    enum class Mode { Raw, Telnet };
    Ser2Net() = default;
    ~Ser2Net();
    // Serves `device` (9600 8N1, modem lines ignored) until destroyed; false with `error` when
    // ser2net is missing or does not come up.
    bool Start(const QString &device, Mode mode, QString *error);
    uint16_t Port() const { return m_port; }
    // "tcp://127.0.0.1:PORT" or "rfc2217://127.0.0.1:PORT".
    QString Url() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    Mode m_mode = Mode::Raw;
    uint16_t m_port = 0;
};

// Forwards one connection at a time to 127.0.0.1:`upstream`, each chunk held back half the
// round trip each way, give or take half the jitter (never reordered).
class DelayRelay {
public:
    DelayRelay(uint16_t upstream, int roundTripMs, int jitterMs);
    ~DelayRelay();
    DelayRelay(const DelayRelay &) = delete;
    DelayRelay &operator=(const DelayRelay &) = delete;
    uint16_t Port() const { return m_port; }
    // The connection is closed both ways once this many bytes have gone from the server to the
    // client (-1: never).
    void DropAfter(int bytesFromServer) { m_dropAfter = bytesFromServer; }
    // Closes the connection now.
    void Drop() { m_dropAfter = 0; }
    int BytesFromServer() const { return m_fromServer; }

private:
    void Run();
    uint16_t m_upstream;
    int m_roundTripMs;
    int m_jitterMs;
    int m_listener = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_dropAfter{-1};
    std::atomic<int> m_fromServer{0};
    std::thread m_thread;
};
