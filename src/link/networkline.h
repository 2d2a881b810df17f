#pragma once
// A controller behind a serial device server: a TCP connection carrying the controller's bytes,
// raw or in Telnet with serial port control. Created and used on the link worker's thread
// without an event loop, like the serial port: reads look at what has arrived without waiting,
// a write waits until the system has taken the bytes.
#include "link/networkport.h"
#include "link/portline.h"
#include "link/telnetcodec.h"

#include <QByteArray>

#include <memory>
#include <optional>

class QTcpSocket;

class NetworkLine : public PortLine {
public:
    NetworkLine();
    ~NetworkLine() override;

    OpenFault Open(const QString &name, int speed) override;
    void Close() override;
    bool IsOpen() const override;
    bool Read(uint8_t &byte) override;
    bool Write(uint8_t byte, const std::function<bool()> &stopping) override;
    bool Gone() const override { return m_gone; }
    QString ErrorText() const override { return m_errorText; }
    bool OverNetwork() const override { return true; }
    uint32_t OpeningRoundTripMs() const override { return m_connectMs; }
    int Backlog() const override;
    void PurgeInput() override;

    // The Telnet side of an rfc2217:// line (nothing on a raw one), to look at what the server
    // agreed to.
    const TelnetCodec *Telnet() const { return m_telnet ? &*m_telnet : nullptr; }

private:
    // Takes what has arrived (waiting at most `waitMs` for it) into m_input; false when the
    // connection has ended.
    bool Take(int waitMs);
    bool Send(const QByteArray &bytes);
    // The connection has ended under the link.
    void Lose();
    // After the connection is up: the Telnet agreement, and a server that closes at once.
    OpenFault Settle(int connectMs, int remainingMs);

    QString m_name;
    std::unique_ptr<QTcpSocket> m_socket;
    std::optional<TelnetCodec> m_telnet;
    QByteArray m_input;  // the controller's bytes received and not yet read
    int m_inputAt = 0;   // the next of them
    bool m_gone = false;
    QString m_errorText;
    uint32_t m_connectMs = 0;  // how long the connection took to open: about one round trip
};
