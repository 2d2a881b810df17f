// The link worker against the controller emulator over a real pseudo-terminal: connection,
// keep-alive, image transfer, live commands, failures and the bootloader hook, checked by the
// bytes on the wire.
#include "app/calimage.h"
#include "app/ticks.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "link/transferprogress.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QSerialPort>
#include <QtTest>

namespace {
constexpr int Com = 151;

const char Banner[] = "QUARN 2 v1.1 Connected and Listening";

// Indexes of every occurrence of `byte` in `bytes`.
QList<int> positions(const QByteArray &bytes, uint8_t byte)
{
    QList<int> at;
    for (int i = 0; i < bytes.size(); ++i)
        if (static_cast<uint8_t>(bytes[i]) == byte) at << i;
    return at;
}

QString waiting(int com) { return QStringLiteral("Waiting For Link On COM%1").arg(com); }
}  // namespace

class LinkTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

    // A worker connected to `sim` whose first download has finished.
    std::unique_ptr<TCOMThread> connected(SimOnCom &sim, RecordingLinkHost &host)
    {
        auto worker = std::make_unique<TCOMThread>(host, sim.com());
        if (!waitUntil([&] { return host.imagesTaken() == 1; }, 8000)) qFatal("no first download");
        // Connected, and the acknowledgement already seen by the emulator: the worker counts as
        // connected as soon as it has written the 'E', a moment before the emulator reads it.
        if (!waitFreshlyConnected(sim, *worker)) qFatal("not connected");
        return worker;
    }

private slots:
    void init() { ProductCode = Product::None; }

    void progressRoundsHalvesToEven()
    {
        QCOMPARE(TransferProgress(2, 256), 1);     // 0.78 after the first confirmed byte
        QCOMPARE(TransferProgress(32, 256), 12);   // 12.5
        QCOMPARE(TransferProgress(96, 256), 38);   // 37.5
        QCOMPARE(TransferProgress(256, 256), 100);
    }

    void connectsAndDownloadsOnce()
    {
        SimOptions options = QuickStart();
        options.product = 'z';
        SimOnCom sim(Com, options);
        const CalImageBytes image = PatternImage(3);
        sim.sim().SetImage(image);
        RecordingLinkHost host;
        auto worker = connected(sim, host);

        QCOMPARE(host.received, image);
        QCOMPARE(int(ProductCode), int(Product::CsCan));
        // The tool only listens until the product code, then: 'E', 0xFF, 'F' and 256 echoes.
        const QByteArray sent = sim.toolBytes();
        QCOMPARE(sent.left(3), QByteArray("E\xff" "F"));
        QCOMPARE(sent.mid(3, 256), QByteArray(reinterpret_cast<const char *>(image.data()), 256));
        QVERIFY(waitUntil([&] { return host.lastStatus().text == QLatin1String("QUARN 2 CsCAN Connected and Listening"); }));
        QCOMPARE(host.lastStatus().colour, LinkColor::Green);

        // A later identification (the keep-alive) downloads nothing.
        QVERIFY(waitUntil([&] { return positions(sim.toolBytes(), 0xFF).size() >= 3; }, 6000));
        QCOMPARE(sim.sim().DownloadsCompleted(), 1);
        QCOMPARE(host.imagesTaken(), 1);
    }

    void keepAliveEveryTwoSecondsAndNoneWhileLiveCommandStreams()
    {
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        auto worker = connected(sim, host);

        sim.sim().ClearWire();
        QVERIFY(waitUntil([&] { return positions(sim.toolBytes(), 0xFF).size() >= 3; }, 8000));
        const std::vector<WireByte> wire = sim.toolWire();
        std::vector<uint32_t> attention;
        for (const WireByte &w : wire)
            if (w.byte == 0xFF) attention.push_back(w.tick);
        for (size_t i = 1; i < attention.size(); ++i) {
            const uint32_t gap = attention[i] - attention[i - 1];
            QVERIFY2(gap >= 2000 && gap < 2400, qPrintable(QString::number(gap)));
        }
        // Each keep-alive is answered and acknowledged.
        QVERIFY(sim.toolBytes().startsWith("\xff" "E"));

        // A live command streams its pair every pass, without any keep-alive.
        QVERIFY(waitFreshlyConnected(sim, *worker));
        worker->SetRequest(5, 120);
        QVERIFY(waitUntil([&] { return sim.sim().LivePairs() > 0; }));
        sim.sim().ClearWire();
        QTest::qWait(3000);
        worker->SetRequest(0, 0);
        const QByteArray streamed = sim.toolBytes();
        QVERIFY(!streamed.contains('\xff'));
        QVERIFY2(streamed.size() >= 2 * 150 && streamed.size() <= 2 * 300, qPrintable(QString::number(streamed.size())));
        for (int i = 0; i + 1 < streamed.size(); i += 2) QCOMPARE(streamed.mid(i, 2), QByteArray("\x05\x78"));

        // 2000 ms after the last pair the keep-alive resumes.
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains('\xff'); }, 4000));
        const std::vector<WireByte> after = sim.toolWire();
        uint32_t lastPair = 0, keepAlive = 0;
        for (const WireByte &w : after) {
            if (w.byte == 0xFF) {
                keepAlive = w.tick;
                break;
            }
            lastPair = w.tick;
        }
        QVERIFY2(keepAlive - lastPair >= 2000 && keepAlive - lastPair < 2400,
                 qPrintable(QString::number(keepAlive - lastPair)));
    }

    void uploadIgnoresWrongEchoAndTakesTheRightOne()
    {
        QTemporaryDir dir;
        SimOptions options = QuickStart();
        options.wrongEchoAt = 10;
        options.saveImageFile = dir.filePath(QStringLiteral("uploaded.joy"));
        SimOnCom sim(Com, options);
        RecordingLinkHost host;
        host.image = PatternImage(40);
        auto worker = connected(sim, host);
        LinkMessageRecorder messages;

        QVERIFY(waitFreshlyConnected(sim, *worker));
        sim.sim().ClearWire();
        worker->SetRequest(Request::SendCalibration, 0);
        QVERIFY(waitUntil([&] { return messages.count(LinkCode::UploadFinished) == 1; }, 6000));
        QCOMPARE(sim.sim().Image(), host.image);
        QFile saved(options.saveImageFile);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray(reinterpret_cast<const char *>(host.image.data()), 256));
        QVERIFY(host.statusTexts().contains(QStringLiteral("Uploading v1.1 Calibration")));

        // Byte 11 went out only after the right echo of byte 10, never after the wrong one.
        const std::vector<WireByte> wire = sim.sim().WireLog();
        QByteArray sent;
        int echoesOf10 = 0;
        for (const WireByte &w : wire) {
            if (w.fromTool) {
                sent.append(char(w.byte));
                continue;
            }
            // Controller bytes after the tool sent image byte 10 (the 'H' and 10 bytes before it).
            if (sent.size() == 1 + 1 + 11) {
                ++echoesOf10;
                if (echoesOf10 == 1) QCOMPARE(w.byte, uint8_t(host.image[10] ^ 0x5A));
                else QCOMPARE(w.byte, host.image[10]);
            }
        }
        QCOMPARE(echoesOf10, 2);
        QCOMPARE(sent.mid(2, 256), QByteArray(reinterpret_cast<const char *>(host.image.data()), 256));
        // The gauge ends at 100 (the window clears it after its finish box).
        QVERIFY(waitUntil([&] { return host.lastStatus().progress == 100; }));
    }

    void transferFailuresAfterOneSecond_data()
    {
        QTest::addColumn<uint8_t>("request");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("failure");
        QTest::newRow("upload, wrong echo only") << Request::SendCalibration << "wrong-echo-only" << "Upload Failed on COM";
        QTest::newRow("upload, controller stops") << Request::SendCalibration << "stop" << "Upload Failed on COM";
        QTest::newRow("download, controller stops") << Request::GetCalibration << "stop" << "Download Failed on COM";
        QTest::newRow("upload, product code q") << Request::SendCalibration << "code q" << "Upload Failed on COM";
    }

    void transferFailuresAfterOneSecond()
    {
        QFETCH(uint8_t, request);
        QFETCH(QString, fault);
        QFETCH(QString, failure);
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        host.image = PatternImage(9);
        auto worker = connected(sim, host);
        const CalImageBytes before = host.received;
        const int taken = host.imagesTaken();
        // The fault comes into force while the link is freshly acknowledged, so no keep-alive
        // meets it before the request.
        QVERIFY(waitFreshlyConnected(sim, *worker));
        sim.sim().UpdateOptions([&](SimOptions &o) {
            if (fault == QLatin1String("wrong-echo-only")) {
                o.wrongEchoAt = 100;
                o.wrongEchoOnly = true;
            } else if (fault == QLatin1String("stop")) {
                o.stopAfter = 100;
            } else if (fault == QLatin1String("code q")) {
                o.wrongCode = 'q';
            }
        });
        sim.sim().SetImage(PatternImage(77));
        worker->SetRequest(request, 0);
        QVERIFY(waitUntil([&] { return worker->LockedState() == LinkState::Stopped; }, 8000));
        const std::vector<WireByte> wire = sim.toolWire();
        QVERIFY(!wire.empty());
        const uint32_t stopped = TickCount();
        // The last byte the tool sent (a confirmed byte, or the 0xFF) was a second before.
        QVERIFY2(stopped - wire.back().tick >= 1000 && stopped - wire.back().tick < 1600,
                 qPrintable(QString::number(stopped - wire.back().tick)));
        QVERIFY(waitUntil([&] { return host.lastStatus().text == failure + QString::number(Com); }));
        QCOMPARE(host.lastStatus().colour, LinkColor::Red);
        // A failed download leaves the image as it was.
        QCOMPARE(host.imagesTaken(), taken);
        QCOMPARE(host.received, before);
    }

    void garbageOnTheLineIsIgnored()
    {
        SimOptions options = QuickStart();
        options.garbage = 6;
        SimOnCom sim(Com, options);
        sim.sim().SetImage(PatternImage(5));
        RecordingLinkHost host;
        auto worker = connected(sim, host);
        QCOMPARE(host.received, PatternImage(5));
    }

    void controllerAnsweringAnotherLetterIsNeverConnected()
    {
        SimOptions options = QuickStart();
        options.wrongCode = 'x';
        SimOnCom sim(Com, options);
        RecordingLinkHost host;
        TCOMThread worker(host, Com);
        QVERIFY(waitUntil([&] { return host.lastStatus().text == waiting(Com) && host.lastStatus().colour == LinkColor::Blue; }));
        QTest::qWait(1500);
        QCOMPARE(worker.LockedState(), LinkState::WaitingForLink);
        QCOMPARE(int(ProductCode), int(Product::None));
        QVERIFY(sim.toolBytes().isEmpty());
        // Requests are dropped outside the connected state.
        worker.SetRequest(Request::GetCalibration, 0);
        worker.SetRequest(7, 100);
        QTest::qWait(300);
        QVERIFY(sim.toolBytes().isEmpty());
    }

    void requestDuringTransferIsDropped()
    {
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        auto worker = connected(sim, host);
        QVERIFY(waitFreshlyConnected(sim, *worker));
        sim.sim().ClearWire();
        worker->SetRequest(Request::GetCalibration, 0);
        QVERIFY(waitUntil([&] { return worker->LockedState() == LinkState::ReceivingImage; }));
        worker->SetRequest(Request::SendCalibration, 0);
        QVERIFY(waitUntil([&] { return host.imagesTaken() == 2; }, 6000));
        QTest::qWait(2500);
        QVERIFY(!sim.toolBytes().contains('H'));
        QCOMPARE(sim.sim().UploadsCompleted(), 0);
    }

    void restartRequestAsksToBeReplaced()
    {
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        auto worker = connected(sim, host);
        LinkMessageRecorder messages;
        QVERIFY(waitFreshlyConnected(sim, *worker));
        sim.sim().ClearWire();
        const uint32_t asked = TickCount();
        worker->SetRequest(Request::Restart, 0);
        QVERIFY(waitUntil([&] { return messages.count(LinkCode::ReplaceWorker) >= 3; }));
        QCOMPARE(sim.toolBytes().left(1), QByteArray("\xff"));
        std::vector<uint32_t> at;
        for (const auto &m : messages.messages)
            if (m.code == LinkCode::ReplaceWorker) at.push_back(m.tick);
        QVERIFY(at[0] - asked >= 200);
        QVERIFY(at[1] - at[0] >= 190 && at[1] - at[0] < 400);
        QCOMPARE(worker->LockedState(), LinkState::RestartPending);
    }

    void portFailures()
    {
        RecordingLinkHost host;
        {
            // A number with no device behind it.
            TCOMThread worker(host, 40);
            QVERIFY(waitUntil([&] { return worker.LockedState() == LinkState::Stopped; }));
            QVERIFY(waitUntil([&] { return host.lastStatus().text.startsWith(QLatin1String("COM Port Fail: ")); }));
            QCOMPARE(host.lastStatus().text, QStringLiteral("COM Port Fail: No such port or directory"));
            QCOMPARE(host.lastStatus().colour, LinkColor::Red);
        }
        {
            // A device another program holds.
            SimOptions options;
            options.fastStart = true;
            SimOnCom sim(Com, options);
            QSerialPort holder(sim.sim().DevicePath());
            QVERIFY(holder.open(QIODevice::ReadWrite));
            TCOMThread worker(host, Com);
            QVERIFY(waitUntil([&] { return worker.LockedState() == LinkState::Stopped; }));
            QVERIFY(waitUntil([&] { return host.lastStatus().text.startsWith(QLatin1String("COM Port Fail: ")); }));
            QVERIFY(host.lastStatus().text.size() > int(strlen("COM Port Fail: ")));
        }
    }

    void bootloaderWithoutFirmwareAsksForIt()
    {
        // Power-up in a bootloader with nothing to start: 'B' is hooked, the application does not
        // come after 'R', the bootloader announces itself again, the user is told, and the next
        // hook asks for the identification line; no file is chosen, so nothing is installed.
        SimOptions options;
        options.noFirmware = true;
        SimOnCom sim(Com, options);
        RecordingLinkHost host;
        TCOMThread worker(host, Com);
        QVERIFY(waitUntil([&] { return host.boxes().size() == 1; }, 6000));
        QCOMPARE(host.boxes().first(), QStringLiteral("error: This system has no firmware, please select firmware now."));
        QVERIFY(waitUntil([&] { return host.lastStatus().text == QLatin1String("Error installing firmware"); }, 4000));
        QCOMPARE(host.lastStatus().colour, LinkColor::Red);
        QVERIFY(sim.toolBytes().startsWith("uRuI"));
    }

    void powerUpThroughTheBootloaderStartsTheApplication()
    {
        // The tool listens while the controller is off; at power-up the bootloader is hooked,
        // told to run the application, which then announces itself.
        SimOptions options;
        options.silent = true;
        SimOnCom sim(Com, options);
        RecordingLinkHost host;
        TCOMThread worker(host, Com);
        QVERIFY(waitUntil([&] { return host.lastStatus().colour == LinkColor::Blue; }));
        sim.sim().UpdateOptions([](SimOptions &o) {
            o.silent = false;
            o.bootWaitMs = 2000;
        });
        sim.sim().PowerCycle();
        QVERIFY(waitUntil([&] { return host.imagesTaken() == 1; }, 8000));
        QVERIFY(sim.toolBytes().startsWith("uRE\xff" "F"));
        QVERIFY(host.boxes().isEmpty());
    }

    void upgradeRequestRestartsIntoTheBootloader()
    {
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        auto worker = connected(sim, host);
        QVERIFY(waitFreshlyConnected(sim, *worker));
        sim.sim().ClearWire();
        worker->SetRequest(Request::Upgrade, 0);
        // 0xFF, the product code, 'R'; the bootloader's 'B' is hooked and, with the upgrade
        // requested, asked for its identification.
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains('I'); }, 4000));
        QVERIFY(sim.toolBytes().startsWith("\xff" "RuI"));
        QVERIFY(waitUntil([&] { return host.lastStatus().text == QLatin1String("Error installing firmware"); }, 4000));
    }
};

QTEST_MAIN(LinkTest)
#include "test_link.moc"
