// Network port names, the Telnet decoding of a serial device server's bytes, and the round trip
// estimate that scales the link's limits.
#include "link/networkport.h"
#include "link/roundtrip.h"
#include "link/telnetcodec.h"

#include <QtTest>

namespace {
QByteArray Wire(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (const int b : bytes) out.append(char(b));
    return out;
}
constexpr int Iac = 255, Will = 251, Wont = 252, Do = 253, Dont = 254, Sb = 250, Se = 240;
constexpr int Binary = 0, Echo = 1, ComPort = 44;

// Feeds `bytes` one at a time, as split as TCP may deliver them.
void FeedSplit(TelnetCodec &codec, const QByteArray &bytes, QByteArray &data, QByteArray &replies)
{
    for (const char c : bytes) codec.Receive(&c, 1, data, replies);
}
}  // namespace

class NetworkTest : public QObject {
    Q_OBJECT
private slots:
    void portNamesParseOrAreRefused()
    {
        const auto raw = ParseNetworkPort(QStringLiteral("tcp://truck7:2001"));
        QVERIFY(raw && raw->kind == NetworkPort::Kind::Raw && raw->host == QStringLiteral("truck7") && raw->port == 2001);
        const auto telnet = ParseNetworkPort(QStringLiteral("RFC2217://[::1]:7000"));
        QVERIFY(telnet && telnet->kind == NetworkPort::Kind::Telnet && telnet->host == QStringLiteral("::1"));
        for (const char *bad : {"tcp://truck7", "tcp://truck7:0", "tcp://truck7:70000", "tcp://:2001", "tcp://a b:1", "tcp://h:1/x"}) {
            QVERIFY2(IsNetworkPortName(QLatin1String(bad)), bad);
            QVERIFY2(!ParseNetworkPort(QLatin1String(bad)), bad);
        }
        QVERIFY(!IsNetworkPortName(QStringLiteral("/dev/ttyUSB0")));
    }

    void ffBytesTravelDoubledAndComeBackSingle()
    {
        QByteArray wire;
        TelnetCodec::Escape(0xFF, wire);
        TelnetCodec::Escape(0x0D, wire);
        QCOMPARE(wire, Wire({Iac, Iac, 0x0D}));
        TelnetCodec codec(9600);
        QByteArray data, replies;
        FeedSplit(codec, Wire({'j', Iac, Iac, 0x0D, Iac, Iac}), data, replies);
        QCOMPARE(data, Wire({'j', 0xFF, 0x0D, 0xFF}));
        QVERIFY(replies.isEmpty());
    }

    void negotiationAgreesBinaryAndSetsTheLineOnce()
    {
        TelnetCodec codec(9600);
        QCOMPARE(codec.Opening(), Wire({Iac, Will, Binary, Iac, Do, Binary, Iac, Will, ComPort}));
        QByteArray data, replies;
        // The server's greeting split at every byte, echo offered and refused, data in between.
        FeedSplit(codec, Wire({Iac, Will, Echo, 'j', Iac, Do, Binary, Iac, Will, Binary, Iac, Do, ComPort, Iac, Do, 24}), data, replies);
        QCOMPARE(data, QByteArray("j"));
        QVERIFY(codec.Binary() && codec.PortControl() && !codec.Refused());
        QVERIFY(replies.startsWith(Wire({Iac, Dont, Echo})));
        // The baud rate 9600 as four bytes, the six other settings, and the refusal of option 24.
        QVERIFY(replies.contains(Wire({Iac, Sb, ComPort, 1, 0, 0, 0x25, 0x80, Iac, Se})));
        QCOMPARE(replies.count(Wire({Iac, Sb, ComPort})), 7);
        QVERIFY(replies.endsWith(Wire({Iac, Wont, 24})));
        // Agreeing again asks nothing more: no negotiation loop.
        replies.clear();
        FeedSplit(codec, Wire({Iac, Do, Binary, Iac, Will, Binary, Iac, Do, ComPort}), data, replies);
        QVERIFY(replies.isEmpty());
    }

    void serverCommandsAreNeverData()
    {
        TelnetCodec codec(9600);
        codec.Opening();
        QByteArray data, replies;
        // No operation, a subnegotiation with a doubled 0xFF inside (the modem state), a long
        // one that is cut, and go ahead.
        QByteArray wire = Wire({'a', Iac, 241, 'b', Iac, Sb, ComPort, 107, Iac, Iac, Iac, Se, 'c', Iac, Sb, ComPort, 105});
        wire += QByteArray(200, 'x') + Wire({Iac, Se, Iac, 249, 'd'});
        FeedSplit(codec, wire, data, replies);
        QCOMPARE(data, QByteArray("abcd"));
        QCOMPARE(codec.ServerAnswer(7), 0xFF);
        // Outside binary mode a carriage return arrives as CR NUL.
        data.clear();
        TelnetCodec plain(9600);
        FeedSplit(plain, Wire({0x0D, 0, 0x41, 0}), data, replies);
        QCOMPARE(data, Wire({0x0D, 0x41, 0}));
    }

    void aRefusedBinaryModeIsReported()
    {
        TelnetCodec codec(9600);
        codec.Opening();
        QByteArray data, replies;
        FeedSplit(codec, Wire({Iac, Dont, ComPort}), data, replies);
        QVERIFY(codec.Refused());
    }

    void roundTripScalesOnlyNetworkLines()
    {
        RoundTrip local;
        local.Reset(false, 0);
        local.Sample(40);
        QCOMPARE(local.Allowance(), 0u);

        RoundTrip far;
        far.Reset(true, 5);
        QCOMPARE(far.Smoothed(), 5u);
        far.Sample(300);
        QCOMPARE(far.Smoothed(), 300u);  // the link's first sample replaces the opening's
        for (int i = 0; i < 200; ++i) far.Sample(i % 2 ? 270 : 330);
        QVERIFY(far.Smoothed() >= 280 && far.Smoothed() <= 320);
        QVERIFY(far.Allowance() >= far.Smoothed() + 4 * 25 && far.Allowance() <= far.Smoothed() + 4 * 40);
        // An answer to something else than the last byte (seconds later) is no round trip.
        const uint32_t before = far.Smoothed();
        far.Sample(5000);
        QCOMPARE(far.Smoothed(), before);
    }
};

QTEST_GUILESS_MAIN(NetworkTest)
#include "test_network.moc"
