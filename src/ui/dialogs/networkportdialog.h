#pragma once
// "Network Port": a controller behind a serial device server, reached over the network either
// as raw TCP (the server keeps its own line settings) or through Telnet's Com Port Control
// (RFC 2217). The window speaks of COM numbers only, so the address is given one: an entry
// COM<n>=tcp://HOST:PORT (or rfc2217://) in the serial device map, at a number no port has.
// The last address typed is remembered.
#include "link/networkport.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class NetworkPortDialog : public QDialog {
    Q_OBJECT
public:
    using Kind = NetworkPort::Kind;
    struct Address {
        QString host;
        int port = 0;
        Kind kind = Kind::Raw;
    };

    explicit NetworkPortDialog(QWidget *parent = nullptr);

    // "tcp://HOST:PORT" or "rfc2217://HOST:PORT".
    static QString DeviceName(const Address &address);
    // A host name, an IPv4 address or an IPv6 address in brackets, as the link reads them.
    static bool ValidHost(const QString &host);

    // The address last typed (the settings), and storing one.
    static Address Remembered();
    static void Remember(const Address &address);

    // The COM number of `device` in the serial device map: the entry that already names it, else
    // a new entry at the first number from FirstNetworkPort that neither the map nor the system
    // has (where the system lists them all, that the map has not). 0 when every such number is taken.
    static int MapDevice(const QString &device);
    static constexpr int FirstNetworkPort = 101;

    Address Entered() const;

private:
    void UpdateOk();

    QLineEdit *m_host = nullptr;
    QSpinBox *m_port = nullptr;
    QComboBox *m_kind = nullptr;
    QPushButton *m_ok = nullptr;
};
