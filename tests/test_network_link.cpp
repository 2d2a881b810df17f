// Controllers reached through a serial device server: the command line and the link worker
// against the emulator's pseudo-terminal served by ser2net, raw and in Telnet with serial port
// control, directly and through a relay that adds a round trip.
#include "core/settings.h"
#include "ui/quarnform.h"
#include "link/comthread.h"
#include "link/linkprotocol.h"
#include "link/networkline.h"
#include "link/serialdevicemap.h"
#include "sim_bootloader.h"
#include "support/hexrecords.h"
#include "support/netservers.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

namespace {
constexpr int Com = 191;
constexpr int CliLimitMs = 240000;

struct Run {
    int status = -1;
    QString err;
};

Run Cli(const QStringList &arguments)
{
    QString program = qEnvironmentVariable("QUARN_CLI");
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
    QProcess process;
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(CliLimitMs)) process.kill();
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList On(const QString &port, QStringList arguments) { return QStringList{QStringLiteral("--port"), port} + arguments; }

// A controller whose transfers run at once, announcing itself at its usual period: longer than
// every round trip here, so no announcement crosses the tool's acknowledgement.
SimOptions Controller()
{
    SimOptions options = QuickStart();
    options.pacing = false;
    return options;
}

QByteArray Bytes(const CalImageBytes &image) { return QByteArray(reinterpret_cast<const char *>(image.data()), CalImageSize); }

void WriteFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(name));
}

QByteArray ReadFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#define START_SER2NET(server, device, mode)                                   \
    do {                                                                      \
        QString why;                                                          \
        if (!(server).Start((device), (mode), &why)) QFAIL(qPrintable(why));  \
    } while (0)
}  // namespace

class NetworkLinkTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void imagesOfFfAndCrBytesSurviveBothServers()
    {
        SimOnCom sim(Com, Controller());
        CalImageBytes allFf{}, crs{};
        allFf.fill(0xFF);
        for (int i = 0; i < CalImageSize; ++i) crs[i] = i % 3 ? 0x0D : uint8_t(i);
        for (const Ser2Net::Mode mode : {Ser2Net::Mode::Raw, Ser2Net::Mode::Telnet}) {
            Ser2Net server;
            START_SER2NET(server, sim.sim().DevicePath(), mode);
            for (const CalImageBytes &image : {allFf, crs}) {
                WriteFile(path("send.joy"), Bytes(image));
                const Run sent = Cli(On(server.Url(), {QStringLiteral("send"), path("send.joy")}));
                QVERIFY2(sent.status == 0, qPrintable(sent.err));
                QCOMPARE(sim.sim().Image(), image);
                const Run got = Cli(On(server.Url(), {QStringLiteral("get"), path("got.joy")}));
                QVERIFY2(got.status == 0, qPrintable(got.err));
                QCOMPARE(ReadFile(path("got.joy")), Bytes(image));
            }
        }
    }

    void telnetServerTakesTheLineSettingsOnAPseudoTerminal()
    {
        SimOnCom sim(Com, Controller());
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Telnet);
        NetworkLine line;
        QCOMPARE(line.Open(server.Url(), LinkBaudRate), PortLine::OpenFault::None);
        // The answers come back after the agreement: the line is read until the flow control's
        // has come. On a pseudo-terminal the server leaves the orders for DTR and RTS unanswered
        // (it has no modem lines to set) but keeps the line: the tool waits for no answer.
        constexpr uint8_t SetDataSize = 2, SetParity = 3, SetStopSize = 4, SetControl = 5;
        constexpr int NoFlowControl = 1;
        uint8_t byte = 0;
        QVERIFY(waitUntil([&] {
            while (line.Read(byte)) {
            }
            return line.Telnet()->ServerAnswer(SetControl) == NoFlowControl;
        }));
        QCOMPARE(line.Telnet()->ServerAnswer(SetDataSize), 8);
        QCOMPARE(line.Telnet()->ServerAnswer(SetParity), 1);
        QCOMPARE(line.Telnet()->ServerAnswer(SetStopSize), 1);
        QVERIFY(line.IsOpen());
    }

    void firmwareWithFfBytesSurvivesTelnet()
    {
        SimBootOptions options;
        options.chip = "ATMEGA16";
        SimBootloader boot(options);
        SimOnCom sim(Com, Controller(), boot);
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Telnet);
        const auto firmware = [](int address) { return uint8_t(address % 3 ? 0xFF : address * 7 + 1); };
        WriteFile(path("ff.hex"), HexFileText(0x2FF, firmware));
        const Run run = Cli(On(server.Url(), {QStringLiteral("flash"), path("ff.hex")}));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        for (int a = 0; a <= 0x2FF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), firmware(a));
    }

    void downloadsHoldOverRoundTripsWithJitter()
    {
        SimOnCom sim(Com, Controller());
        const CalImageBytes image = PatternImage(11);
        sim.sim().SetImage(image);
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Raw);
        for (const int roundTripMs : {50, 150, 300}) {
            DelayRelay relay(server.Port(), roundTripMs, roundTripMs / 5);
            const QString url = QStringLiteral("tcp://127.0.0.1:%1").arg(relay.Port());
            QFile::remove(path("far.joy"));
            const Run run = Cli(On(url, {QStringLiteral("get"), path("far.joy")}));
            QVERIFY2(run.status == 0, qPrintable(QStringLiteral("%1 ms: %2").arg(roundTripMs).arg(run.err)));
            QCOMPARE(ReadFile(path("far.joy")), Bytes(image));
        }
    }

    void aConnectionDroppedMidDownloadFailsItAndKeepsTheFile()
    {
        SimOnCom sim(Com, Controller());
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Raw);
        DelayRelay relay(server.Port(), 0, 0);
        relay.DropAfter(100);
        const QString url = QStringLiteral("tcp://127.0.0.1:%1").arg(relay.Port());
        WriteFile(path("kept.joy"), "old");
        const Run run = Cli(On(url, {QStringLiteral("get"), path("kept.joy")}));
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("Download Failed on %1: connection to %1 closed").arg(url)), qPrintable(run.err));
        QCOMPARE(ReadFile(path("kept.joy")), QByteArray("old"));
    }

    void faultsOfTheConnectionAreNamed()
    {
        const QString nobody = QStringLiteral("tcp://127.0.0.1:%1").arg(FreeLocalPort());
        const Run refused = Cli(On(nobody, {QStringLiteral("get"), path("x.joy")}));
        QCOMPARE(refused.status, 3);
        QVERIFY2(refused.err.contains(QStringLiteral("connection to %1 refused").arg(nobody)), qPrintable(refused.err));

        const Run unknown = Cli(On(QStringLiteral("tcp://quarn-no-such-host.invalid:2001"), {QStringLiteral("get"), path("x.joy")}));
        QCOMPARE(unknown.status, 3);
        QVERIFY2(unknown.err.contains(QStringLiteral("quarn-no-such-host.invalid")), qPrintable(unknown.err));

        const Run malformed = Cli(On(QStringLiteral("tcp://truck7"), {QStringLiteral("get"), path("x.joy")}));
        QCOMPARE(malformed.status, 2);

        // A listener that never accepts, its queue full: the next connection is never answered.
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 && ::listen(listener, 0) == 0 &&
                ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) == 0);
        const QString silent = QStringLiteral("tcp://127.0.0.1:%1").arg(ntohs(address.sin_port));
        QTcpSocket fillers[3];
        for (QTcpSocket &filler : fillers) filler.connectToHost(QHostAddress::LocalHost, ntohs(address.sin_port));
        QTest::qWait(100);
        const Run unanswered = Cli(On(silent, {QStringLiteral("get"), path("x.joy")}));
        ::close(listener);
        QCOMPARE(unanswered.status, 3);
        QVERIFY2(unanswered.err.contains(QStringLiteral("no answer from %1 within 5 s").arg(silent)), qPrintable(unanswered.err));
    }

    void aLineHeldByAnotherClientIsNamedAsTheLikelyCause()
    {
        SimOnCom sim(Com, Controller());
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Raw);
        QTcpSocket holder;
        holder.connectToHost(QHostAddress::LocalHost, server.Port());
        QVERIFY(holder.waitForConnected(5000));
        const Run run = Cli(On(server.Url(), {QStringLiteral("get"), path("x.joy")}));
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("probably held by another client")), qPrintable(run.err));
    }

    void aLostConnectionStopsALiveTestAtOnce()
    {
        SimOnCom sim(Com, Controller());
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Telnet);
        DelayRelay relay(server.Port(), 50, 10);
        const QString url = QStringLiteral("rfc2217://127.0.0.1:%1").arg(relay.Port());
        RecordingLinkHost host;
        TCOMThread worker(host, 0, url);
        QVERIFY(worker.OverNetwork());
        constexpr uint8_t Output = 3, Level = 120;
        QVERIFY(waitUntil([&] { return worker.SetRequest(Output, Level); }));
        QVERIFY(waitUntil([&] { return sim.toolBytes().count(char(Output)) > 10; }));
        relay.Drop();
        const QString closed = QStringLiteral("Connection to %1 closed").arg(url);
        QVERIFY(waitUntil([&] { return host.lastStatus().text == closed; }, 1000 + WaitDeadlineMs));
        QCOMPARE(worker.LockedState(), LinkState::Stopped);
    }

    void aLiveTestOnANetworkPortAsksFirst()
    {
        SimOnCom sim(Com, Controller());
        Ser2Net server;
        START_SER2NET(server, sim.sim().DevicePath(), Ser2Net::Mode::Raw);
        // The window reaches the server through a COM number of the device map.
        constexpr int NetworkCom = Com + 1;
        SerialDeviceMap::Register(NetworkCom, server.Url());
        WriteComPortSetting(NetworkCom);
        ModalAnswerer boxes(QMessageBox::No);
        auto form = makeMainWindow();
        QVERIFY(waitUntil([&] { return boxes.texts().contains(QStringLiteral("Download Successful!")); }));
        constexpr uint8_t Output = 3, Level = 120;
        // Refused, then allowed: neither press moves the valve, the next one does.
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            boxes.setButton(answer);
            boxes.clear();
            form->TestPress(Output, Level);
            QCOMPARE(form->testPressStamp(), 0u);
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY(boxes.texts().first().contains(QStringLiteral("COM%1 is reached over the network").arg(NetworkCom)));
        }
        boxes.clear();
        form->TestPress(Output, Level);
        QVERIFY(form->testPressStamp() > 1);
        QVERIFY(boxes.texts().isEmpty());
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains(QByteArray(1, char(Output)) + char(Level)); }));
        form->TestReleaseImmediate();
        form.reset();
        SerialDeviceMap::Unregister(NetworkCom, server.Url());
    }
};

QTEST_MAIN(NetworkLinkTest)
#include "test_network_link.moc"
