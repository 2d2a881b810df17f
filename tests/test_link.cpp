// The link worker against the controller emulator over a real pseudo-terminal: connection,
// keep-alive, image transfer, live commands, failures and the bootloader hook, checked by the
// bytes on the wire.
#include "core/calimage.h"
#include "core/ticks.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "link/transferprogress.h"
#include "support/simlink.h"
#include "support/steppedlink.h"
#include "support/testsupport.h"

#include <QProcess>
#include <QSerialPort>
#include <QtTest>

namespace {
constexpr int Com = 151;

const char Banner[] = "QUARN 2 v1.1 Connected and Listening";

QString waiting(int com) { return QStringLiteral("Waiting For Link On COM%1").arg(com); }

// The application on a scripted line: answers 0xFF with its product code, sends its image byte by
// byte on 'F', each after the echo of the one before, takes an upload after 'H' echoing each
// byte, and announces itself after the last echo of either. With `stopAfter` it falls silent
// after that many image bytes.
struct ScriptedController {
    CalImageBytes image = PatternImage(21);
    int stopAfter = CalImageSize;
    int sent = 0;
    int taken = 0;
    bool downloading = false;
    bool uploading = false;

    QByteArray Answer(uint8_t byte)
    {
        if (downloading) return NextImageByte();
        if (uploading) {
            uploading = ++taken < CalImageSize;
            return QByteArray(1, char(byte)) + (uploading ? "" : "j");
        }
        if (byte == Wire::Attention) return "j";
        if (byte == Wire::SendImage) {
            uploading = true;
            taken = 0;
            return "I";
        }
        if (byte == Wire::GetImage) {
            downloading = true;
            sent = 0;
            return NextImageByte();
        }
        return {};
    }
    QByteArray NextImageByte()
    {
        if (sent == CalImageSize) {
            downloading = false;
            return "j";
        }
        if (sent >= stopAfter) return {};
        return QByteArray(1, char(image[sent++]));
    }
};

// A stepped worker identified by the scripted controller, its first download done.
void ConnectStepped(SteppedLink &link, ScriptedController &controller, RecordingLinkHost &host)
{
    link.SetPeer([&controller](uint8_t byte) { return controller.Answer(byte); });
    link.Passes(1);  // opens the line, discarding what waits on it
    link.Arrive("j");
    if (!link.RunUntil([&] { return host.imagesTaken() == 1 && link.LockedState() == LinkState::Connected; }, 5000))
        qFatal("stepped worker: no first download");
}

// The tick of the pass that just ran: Pass() pauses after its step.
uint32_t LastStepTick(const SteppedLink &link) { return link.Now() - LinkTime::PassSleepMs; }
}  // namespace

class LinkTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

    // A worker connected to `sim` whose first download has finished.
    std::unique_ptr<TCOMThread> connected(SimOnCom &sim, RecordingLinkHost &host)
    {
        auto worker = std::make_unique<TCOMThread>(host, sim.com());
        if (!waitUntil([&] { return host.imagesTaken() == 1; }))
            qFatal("no first download; status: %s; tool sent: %s", qPrintable(host.statusTexts().join(QStringLiteral(" | "))),
                   sim.toolBytes().toHex(' ').left(90).constData());
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

        // A later identification (the keep-alive, answered and acknowledged) downloads nothing.
        QVERIFY(waitUntil([&] { return sim.toolBytes().indexOf("\xff" "E", 3 + 256) > 0; }));
        QCOMPARE(sim.sim().DownloadsCompleted(), 1);
        QCOMPARE(host.imagesTaken(), 1);
    }

    void downloadOutlastsAHeldUpMachine()
    {
        // The whole process, tool and controller alike, stopped from outside during a download:
        // once past the tool's one-second gap, once past the emulator's five seconds of patience.
        // Neither side counts that time as the other's silence, and the download completes.
        SimOnCom sim(Com, QuickStart());
        const CalImageBytes image = PatternImage(8);
        sim.sim().SetImage(image);
        RecordingLinkHost host;
        auto worker = connected(sim, host);
        QVERIFY(waitFreshlyConnected(sim, *worker));
        worker->SetRequest(Request::GetCalibration, 0);
        QProcess holdUps;
        holdUps.start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), QStringLiteral("for t in 1.6 5.2; do sleep 0.3; kill -STOP $0; sleep $t; kill -CONT $0; done"),
                       QString::number(QCoreApplication::applicationPid())});
        // Waiting here serves the worker's status refreshes, as the window would.
        QVERIFY(waitUntil([&] { return holdUps.state() == QProcess::NotRunning && host.imagesTaken() == 2; }));
        QCOMPARE(host.received, image);
        QVERIFY(waitUntil([&] { return sim.sim().DownloadsCompleted() == 2; }));
    }

    void keepAliveComesAtTheFirstPassAfterTwoSecondsOfQuiet()
    {
        // Measured at the tool: every keep-alive follows the tool's last byte (an acknowledgement
        // or a live command's level) by more than 2000 ms and at most one pass more, also while
        // and after a live command streams for longer than that.
        RecordingLinkHost host;
        SteppedLink link(host);
        ScriptedController controller;
        ConnectStepped(link, controller, host);
        QCOMPARE(link.line().back().byte, Wire::Acknowledge);
        const size_t connected = link.line().size() - 1;
        link.RunFor(5000);
        link.SetRequest(5, 120);
        link.RunFor(3000);
        link.SetRequest(Request::None, 0);
        link.RunFor(4500);

        int keepAlives = 0;
        const SteppedLink::LineByte *previous = nullptr;  // the tool's byte before
        for (size_t i = connected; i < link.line().size(); ++i) {
            const SteppedLink::LineByte &b = link.line()[i];
            if (!b.written) continue;
            if (b.byte == Wire::Attention && previous) {
                ++keepAlives;
                const uint32_t gap = b.tick - previous->tick;
                QVERIFY2(gap > LinkTime::KeepAliveMs && gap <= LinkTime::KeepAliveMs + LinkTime::PassSleepMs,
                         qPrintable(QString::number(gap)));
            }
            previous = &b;
        }
        // Two before the stream, none during it, two after it.
        QCOMPARE(keepAlives, 4);
        QVERIFY(link.Written().contains(QByteArray("\x05\x78\x05\x78")));
    }

    void liveCommandHoldsOffTheKeepAliveOnTheLine()
    {
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        auto worker = connected(sim, host);

        // A live command streams its pair every pass, without any keep-alive, for longer than the
        // keep-alive interval (a wait that load can only lengthen).
        QVERIFY(waitFreshlyConnected(sim, *worker));
        worker->SetRequest(5, 120);
        QVERIFY(waitUntil([&] { return sim.sim().LivePairs() > 0; }));
        sim.sim().ClearWire();
        QTest::qWait(int(LinkTime::KeepAliveMs) + 500);
        const QByteArray streamed = sim.toolBytes();  // all sent while the command was held
        worker->SetRequest(0, 0);
        QVERIFY(streamed.size() >= 4);
        QVERIFY(!streamed.contains('\xff'));
        // After the stream the keep-alive resumes, following the last pair.
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains('\xff'); }));
        // The record was cleared while pairs flowed: it may begin with the level of a pair whose
        // code was read before the clear. The pairs are counted from the first code.
        QByteArray sent = sim.toolBytes();
        sent.remove(0, sent.indexOf('\x05'));
        const QByteArray pairs = sent.left(sent.indexOf('\xff'));
        QCOMPARE(pairs.size() % 2, 0);
        for (int i = 0; i + 1 < pairs.size(); i += 2) QCOMPARE(pairs.mid(i, 2), QByteArray("\x05\x78"));
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
        QVERIFY(waitUntil([&] { return messages.count(LinkCode::UploadFinished) == 1; }));
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

    void transferGivesUpAtTheFirstPassAfterOneSecondOfSilence()
    {
        RecordingLinkHost host;
        SteppedLink link(host);
        ScriptedController controller;
        ConnectStepped(link, controller, host);
        controller.stopAfter = 100;
        link.SetRequest(Request::GetCalibration, 0);
        QVERIFY(link.RunUntil([&] { return controller.sent == 100; }, 5000));
        link.Passes(1);  // the echo of the 100th image byte: the tool's last byte
        // The machine then holds the worker up for three seconds: that is not the controller's
        // silence, which the worker counts only while it watches the line.
        constexpr uint32_t HeldUpFor = 3000;
        link.HoldUp(HeldUpFor);
        QVERIFY(link.RunUntil([&] { return link.LockedState() == LinkState::Stopped; }, 10000));
        const uint32_t silentFor = LastStepTick(link) - link.line().back().tick - HeldUpFor;
        QVERIFY2(silentFor > LinkTime::TransferGapMs && silentFor <= LinkTime::TransferGapMs + LinkTime::PassSleepMs,
                 qPrintable(QString::number(silentFor)));
        link.RunFor(LinkTime::StatusRefreshMs + LinkTime::PassSleepMs);
        QCOMPARE(host.lastStatus().text, QStringLiteral("Download Failed on COM1: no byte for 1000 ms after byte 100"));
        QCOMPARE(host.imagesTaken(), 1);
    }

    void lateAnnouncementBeforeTheAnswerIsNotTakenAsImageData()
    {
        // The controller's own announcement, crossing the acknowledgement, waits on the line
        // together with its answer to the 0xFF: the image still starts after the 'F'.
        RecordingLinkHost host;
        SteppedLink link(host);
        ScriptedController controller;
        ConnectStepped(link, controller, host);
        controller.image = PatternImage(33);
        bool crossed = false;
        link.SetPeer([&](uint8_t byte) {
            const QByteArray answer = controller.Answer(byte);
            if (byte != Wire::Attention || controller.downloading || crossed) return answer;
            crossed = true;
            return "j" + answer;
        });
        link.SetRequest(Request::GetCalibration, 0);
        QVERIFY(link.RunUntil([&] { return host.imagesTaken() == 2; }, 5000));
        QCOMPARE(host.received, controller.image);
    }

    void crossedAnnouncementNeverBecomesImageData_data()
    {
        QTest::addColumn<QByteArray>("stray");    // a letter still on its way when the tool speaks
        QTest::addColumn<uint32_t>("strayAfter");  // ms after the 'E'
        QTest::addColumn<uint32_t>("answerAfter"); // ms after the 0xFF
        for (uint32_t crossing : {0u, 20u, 40u, 60u})
            for (uint32_t answer : {0u, 30u, 100u})
                QTest::addRow("announcement %u ms after the E, answer %u ms after the 0xFF", crossing, answer)
                    << QByteArray("j") << crossing << answer;
        // Another product letter ahead of the answer is no answer.
        QTest::newRow("another letter ahead of a late answer") << QByteArray("b") << 120u << 100u;
    }

    void crossedAnnouncementNeverBecomesImageData()
    {
        // The connection's own download: an announcement the controller sent just before it heard
        // the 'E' reaches the tool late, and the answer to the 0xFF later still.
        QFETCH(QByteArray, stray);
        QFETCH(uint32_t, strayAfter);
        QFETCH(uint32_t, answerAfter);
        RecordingLinkHost host;
        SteppedLink link(host);
        ScriptedController controller;
        link.SetPeer([&](uint8_t byte) -> QByteArray {
            if (byte == Wire::Acknowledge && !controller.downloading) link.ArriveIn(strayAfter, stray);
            if (byte != Wire::Attention || controller.downloading) return controller.Answer(byte);
            link.ArriveIn(answerAfter, "j");
            return {};
        });
        link.Passes(1);
        link.Arrive("j");
        QVERIFY(link.RunUntil([&] { return host.imagesTaken() == 1; }, 5000));
        QCOMPARE(host.received, controller.image);
    }

    void controllerThatOnlyAnnouncesFailsTheDownload()
    {
        // A broken wire from the tool: the controller hears nothing and announces itself every
        // half second. Its announcements must never become an image.
        RecordingLinkHost host;
        SteppedLink link(host, 7);
        link.Passes(1);
        uint32_t next = link.Now();
        QVERIFY(link.RunUntil(
            [&] {
                if (int32_t(link.Now() - next) >= 0) {
                    link.Arrive("j");
                    next += 500;
                }
                return link.LockedState() == LinkState::Stopped;
            },
            3000));
        link.RunFor(LinkTime::StatusRefreshMs + LinkTime::PassSleepMs);
        QCOMPARE(host.lastStatus().text, QStringLiteral("controller on COM7 does not answer: check the cable"));
        QCOMPARE(host.lastStatus().colour, LinkColor::Red);
        QCOMPARE(host.imagesTaken(), 0);
    }

    void lateImageBytesOfAControllerThatHearsAreWaitedFor()
    {
        // Image bytes equal to the controller's letter, some sent long after the echo before
        // them: each late one has its echo held back, the controller waits for it in silence,
        // and the image is taken whole.
        RecordingLinkHost host;
        SteppedLink link(host);
        CalImageBytes image;
        image.fill('j');
        int sent = 0;
        bool downloading = false;
        link.SetPeer([&](uint8_t byte) -> QByteArray {
            if (!downloading) {
                if (byte == Wire::Attention) return "j";
                if (byte != Wire::GetImage) return {};
                downloading = true;
            }
            if (byte == Wire::GetImage) sent = 0;
            if (sent == CalImageSize) {
                downloading = false;
                return "j";
            }
            link.ArriveIn(sent % 64 == 0 ? 400 : 0, QByteArray(1, char(image[sent])));
            ++sent;
            return {};
        });
        link.Passes(1);
        link.Arrive("j");
        QVERIFY(link.RunUntil([&] { return host.imagesTaken() == 1; }, 20000));
        QCOMPARE(host.received, image);
    }

    void refusedWriteFailsTheExchange_data()
    {
        QTest::addColumn<bool>("atConnection"); // else once the first download is done
        QTest::addColumn<uint8_t>("request");   // none: the link idles into its keep-alive
        QTest::addColumn<int>("refused");       // the tool's write the port refuses, from 0
        QTest::addColumn<QString>("failure");
        const QString portFail = QStringLiteral("COM Port Fail: the port refused a write");
        const QString download = QStringLiteral("Download Failed on COM1");
        const QString upload = QStringLiteral("Upload Failed on COM1");
        QTest::newRow("acknowledgement") << true << Request::None << 0 << portFail;
        QTest::newRow("keep-alive") << false << Request::None << 0 << portFail;
        QTest::newRow("live command level") << false << uint8_t(5) << 1 << portFail;
        QTest::newRow("download: attention") << false << Request::GetCalibration << 0 << download;
        QTest::newRow("download: F") << false << Request::GetCalibration << 1 << download;
        QTest::newRow("download: first echo") << false << Request::GetCalibration << 2 << download;
        QTest::newRow("download: last echo") << false << Request::GetCalibration << 257 << download;
        QTest::newRow("upload: attention") << false << Request::SendCalibration << 0 << upload;
        QTest::newRow("upload: H") << false << Request::SendCalibration << 1 << upload;
        QTest::newRow("upload: an image byte") << false << Request::SendCalibration << 100 << upload;
    }

    void refusedWriteFailsTheExchange()
    {
        QFETCH(bool, atConnection);
        QFETCH(uint8_t, request);
        QFETCH(int, refused);
        QFETCH(QString, failure);
        RecordingLinkHost host;
        host.image = PatternImage(50);
        SteppedLink link(host);
        ScriptedController controller;
        controller.image = PatternImage(60);
        int writes = 0;
        if (atConnection) {
            link.SetPeer([&](uint8_t byte) { return controller.Answer(byte); });
            link.Passes(1);
            link.Arrive("j");
        } else {
            ConnectStepped(link, controller, host);
            controller.image = PatternImage(61);
            if (request != Request::None) link.SetRequest(request, 60);
        }
        const CalImageBytes before = host.received;
        const int taken = host.imagesTaken();
        link.refuseWrite = [&](uint8_t) { return writes++ == refused; };
        QVERIFY(link.RunUntil([&] { return link.LockedState() == LinkState::Stopped; }, 5000));
        link.RunFor(LinkTime::StatusRefreshMs + LinkTime::PassSleepMs);
        QCOMPARE(host.lastStatus().text, failure);
        QCOMPARE(host.imagesTaken(), taken);
        QCOMPARE(host.received, before);
    }

    void transferFailures_data()
    {
        QTest::addColumn<uint8_t>("request");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("failure");
        QTest::newRow("upload, wrong echo only") << Request::SendCalibration << "wrong-echo-only" << "Upload Failed on COM";
        QTest::newRow("upload, controller stops") << Request::SendCalibration << "stop" << "Upload Failed on COM";
        QTest::newRow("download, controller stops") << Request::GetCalibration << "stop" << "Download Failed on COM";
        QTest::newRow("upload, product code q") << Request::SendCalibration << "code q" << "Upload Failed on COM";
    }

    void transferFailures()
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
        QVERIFY(waitUntil([&] { return worker->LockedState() == LinkState::Stopped; }));
        // The failure names the limit that was hit after the port.
        QVERIFY(waitUntil([&] { return host.lastStatus().text.startsWith(failure + QString::number(Com) + QStringLiteral(": ")); }));
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
        RecordingLinkHost host;
        SteppedLink link(host);
        ScriptedController controller;
        ConnectStepped(link, controller, host);
        link.SetRequest(Request::GetCalibration, 0);
        QVERIFY(link.RunUntil([&] { return link.LockedState() == LinkState::ReceivingImage; }, 100));
        link.SetRequest(Request::SendCalibration, 0);
        QVERIFY(link.RunUntil([&] { return host.imagesTaken() == 2; }, 5000));
        QVERIFY(!link.RunUntil([&] { return link.LockedState() == LinkState::SendingImage; }, 2 * LinkTime::KeepAliveMs));
    }

    void restartRequestAsksToBeReplaced()
    {
        SimOnCom sim(Com, QuickStart());
        RecordingLinkHost host;
        auto worker = connected(sim, host);
        LinkMessageRecorder messages;
        QVERIFY(waitFreshlyConnected(sim, *worker));
        sim.sim().ClearWire();
        worker->SetRequest(Request::Restart, 0);
        QVERIFY(waitUntil([&] { return messages.count(LinkCode::ReplaceWorker) >= 2; }));
        QCOMPARE(sim.toolBytes().left(1), QByteArray("\xff"));
        QCOMPARE(worker->LockedState(), LinkState::RestartPending);
    }

    void restartMessageRepeatsAtTheFirstPassAfterTwoHundredMilliseconds()
    {
        RecordingLinkHost host;
        SteppedLink link(host);
        ScriptedController controller;
        ConnectStepped(link, controller, host);
        LinkMessageRecorder messages;
        link.SetRequest(Request::Restart, 0);
        link.Passes(1);
        QCOMPARE(link.LockedState(), LinkState::RestartPending);
        // One every 210 ms of the worker's time: at the first pass more than 200 ms after the last.
        link.RunFor(1000);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(messages.count(LinkCode::ReplaceWorker), 4);
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
        QVERIFY(waitUntil([&] { return host.boxes().size() == 1; }));
        QCOMPARE(host.boxes().first(), QStringLiteral("error: This system has no firmware, please select firmware now."));
        QVERIFY(waitUntil([&] { return host.lastStatus().text == QLatin1String("Error installing firmware"); }));
        QCOMPARE(host.lastStatus().colour, LinkColor::Red);
        QVERIFY(sim.toolBytes().startsWith("uRuI"));
    }

    void bootloaderHasAQuarterSecondFromTheHookToAnswer()
    {
        // At power-up the worker has listened for long: the bootloader's '?' still gets its
        // 250 ms from the 'u', however late the line or the machine delivers it.
        RecordingLinkHost host;
        {
            SteppedLink link(host);
            link.RunFor(1000);
            link.Arrive("B");
            QVERIFY(link.RunUntil([&] { return link.Written() == "u"; }, 100));
            link.RunFor(LinkTime::BootReadyMs - 2 * LinkTime::PassSleepMs);
            link.Arrive("?");
            link.Passes(1);
            QCOMPARE(link.Written(), QByteArray("uR"));
            QCOMPARE(link.LockedState(), LinkState::WaitingForLink);
        }
        {
            // Without an answer the hook fails at the first pass more than 250 ms after the 'u'.
            SteppedLink link(host);
            link.RunFor(1000);
            link.Arrive("B");
            QVERIFY(link.RunUntil([&] { return link.LockedState() == LinkState::Connected; }, 1000));
            const uint32_t waited = LastStepTick(link) - link.WriteTicks(Wire::HookBoot).front();
            QVERIFY2(waited > LinkTime::BootReadyMs && waited <= LinkTime::BootReadyMs + LinkTime::PassSleepMs,
                     qPrintable(QString::number(waited)));
            link.RunFor(LinkTime::StatusRefreshMs + LinkTime::PassSleepMs);
            QCOMPARE(host.lastStatus().text, QStringLiteral("Boot Hook Failed!"));
        }
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
        sim.sim().PowerCycle([](SimOptions &o) {
            o.silent = false;
            o.bootWaitMs = 2000;
        });
        QVERIFY(waitUntil([&] { return host.imagesTaken() == 1; }));
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
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains('I'); }));
        QVERIFY(sim.toolBytes().startsWith("\xff" "RuI"));
        QVERIFY(waitUntil([&] { return host.runEndings() == QStringList{QStringLiteral("Error installing firmware")}; }));
    }
};

QTEST_MAIN(LinkTest)
#include "test_link.moc"
