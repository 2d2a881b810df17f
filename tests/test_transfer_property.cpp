// The image transfer on a noisy line and at any honest pace: the real link worker, stepped on a
// virtual clock against a simulated controller, with bytes inserted, doubled and dropped and the
// controller restarting at chosen places. No image other than the controller's is ever taken, and
// every honest controller's image is taken exactly, once.
#include "core/calimage.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "support/clockedcontroller.h"
#include "support/simlink.h"
#include "support/steppedlink.h"
#include "support/testsupport.h"

#include <QtTest>

#include <random>

namespace {
using Kind = ClockedController::Kind;
using Fault = ClockedController::Fault;

// A host that may have no more work for the controller after its first download.
class Host : public RecordingLinkHost {
public:
    bool workLeft = true;
    bool downloadFirst = true;
    bool lastJob = false;  // the next image taken ends the work
    bool WorkLeft() const override { return workLeft; }
    bool DownloadOnFirstConnect() const override { return downloadFirst; }
    void BufferToImage(const uint8_t *buffer) override
    {
        RecordingLinkHost::BufferToImage(buffer);
        if (lastJob) workLeft = false;
    }
};

CalImageBytes RandomImage(std::mt19937 &rng)
{
    CalImageBytes image;
    for (uint8_t &b : image) b = uint8_t(rng());
    return image;
}

// Link messages of one code since the last call, the posted events delivered first.
class Finished : public QObject {
public:
    Finished() { QCoreApplication::instance()->installEventFilter(this); }
    int uploads = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != LinkMessageEvent::EventType()) return false;
        if (static_cast<LinkMessageEvent *>(event)->code() == LinkCode::UploadFinished) ++uploads;
        return true;
    }
    void Deliver() { QCoreApplication::sendPostedEvents(QCoreApplication::instance(), LinkMessageEvent::EventType()); }
};

// The worker's time a whole read may take at `pace`: every byte within its limits, four reads.
uint32_t ReadLimit(uint32_t paceMs) { return MaxImageReads * (CalImageSize * (paceMs + LinkTime::EchoHoldMs) + 5000); }
// The same for paces below the late byte's limit, where no echo is held.
uint32_t PromptReadLimit(uint32_t paceMs)
{
    return MaxImageReads * (CalImageSize * (paceMs + 2 * LinkTime::AdapterLatencyMs + 2 * LinkTime::PassSleepMs) + LinkTime::ControllerReturnMs + 5000);
}

struct Run {
    Host host;
    SteppedLink link{host};
    ClockedController controller;
    Run(Kind kind, uint32_t pace, uint32_t latency = 0) : controller(link, kind, pace, latency) {}

    // Opens the line and lets the controller announce itself: the first download follows.
    void Start()
    {
        link.Passes(1);
        controller.PowerUp();
    }
    bool Ended() { return host.imagesTaken() > 0 || link.LockedState() == LinkState::Stopped; }
};
}  // namespace

class TransferPropertyTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }

    void faultsAtTheEndNeverGiveAWrongLastByte_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("recovers");  // else a failure is as good as the image
        for (int kind : {int(Kind::ChecksEchoes), int(Kind::TrustsEchoes)}) {
            const bool checks = kind == int(Kind::ChecksEchoes);
            const char *name = checks ? "checks echoes" : "trusts echoes";
            QTest::addRow("%s: byte 254 doubled", name) << kind << int(Fault::Double) << 254 << true;
            QTest::addRow("%s: noise after byte 254", name) << kind << int(Fault::Insert) << 255 << true;
            QTest::addRow("%s: restart before byte 255", name) << kind << int(Fault::Reset) << 255 << true;
            // A controller that checks echoes may abandon the download, as an honest one that stops.
            QTest::addRow("%s: byte 100 doubled", name) << kind << int(Fault::Double) << 100 << !checks;
        }
        QTest::addRow("streams: byte 100 doubled") << int(Kind::Streams) << int(Fault::Double) << 100 << true;
    }

    void faultsAtTheEndNeverGiveAWrongLastByte()
    {
        // The line cannot vouch for the read: it is read again, and the image is the controller's,
        // handed over once.
        QFETCH(int, kind);
        QFETCH(int, fault);
        QFETCH(int, at);
        QFETCH(bool, recovers);
        Run run(Kind(kind), 20);
        std::mt19937 rng(uint32_t(kind * 1000 + fault * 300 + at));
        run.controller.image = RandomImage(rng);
        run.controller.Arm(Fault(fault), at, 0x5A, 10);
        run.Start();
        QVERIFY(run.link.RunUntil([&] { return run.Ended(); }, ReadLimit(20)));
        if (!recovers && run.host.imagesTaken() == 0) return;
        QCOMPARE(run.host.imagesTaken(), 1);
        QCOMPARE(run.host.received, run.controller.image);
        QVERIFY(run.controller.reads >= 2);
    }

    void honestSlowControllersDownloadAtTheirPace_data()
    {
        QTest::addColumn<uint32_t>("pace");
        QTest::addColumn<uint32_t>("latency");
        for (uint32_t pace : {0u, 120u, 140u, 148u, 300u, 900u}) QTest::addRow("%u ms a byte", pace) << pace << 0u;
        QTest::addRow("90 ms a byte behind a 16 ms adapter") << 90u << 16u;
        QTest::addRow("148 ms a byte behind a 16 ms adapter") << 148u << 16u;
    }

    void honestSlowControllersDownloadAtTheirPace()
    {
        // A controller answering within the allowance has no echo held back: the download takes
        // its own pace and a pass per byte, and is read once.
        QFETCH(uint32_t, pace);
        QFETCH(uint32_t, latency);
        Run run(Kind::ChecksEchoes, pace, latency);
        run.controller.image = PatternImage(uint8_t(pace));
        run.Start();
        const uint32_t start = run.link.Now();
        QVERIFY(run.link.RunUntil([&] { return run.Ended(); }, ReadLimit(pace)));
        QCOMPARE(run.host.received, run.controller.image);
        QCOMPARE(run.controller.downloads, 1);
        if (pace + 2 * latency <= LinkTime::LateByteMs) {
            const uint32_t perByte = pace + 2 * latency + LinkTime::PassSleepMs;
            QVERIFY2(run.link.Now() - start < CalImageSize * perByte + 2000, qPrintable(QString::number(run.link.Now() - start)));
        }
    }

    void uploadAtAnHonestPaceIsTakenOnce()
    {
        Run run(Kind::ChecksEchoes, 120);
        Finished finished;
        run.Start();
        QVERIFY(run.link.RunUntil([&] { return run.Ended(); }, ReadLimit(120)));
        run.host.image = PatternImage(7);
        QVERIFY(run.link.RunUntil([&] { return run.link.SetRequest(Request::SendCalibration, 0); }, 2000));
        QVERIFY(run.link.RunUntil([&] { finished.Deliver(); return finished.uploads == 1; }, ReadLimit(120)));
        QCOMPARE(run.controller.image, run.host.image);
        QCOMPARE(run.controller.downloads, 1);  // clean: no read-back
    }

    void aLimitThatIsHitSaysWhich()
    {
        Run run(Kind::TrustsEchoes, 0);
        run.controller.Arm(Fault::Drop, 37);
        run.Start();
        QVERIFY(run.link.RunUntil([&] { return run.Ended(); }, 10000));
        run.link.RunFor(LinkTime::StatusRefreshMs + LinkTime::PassSleepMs);
        QCOMPARE(run.host.lastStatus().text, QStringLiteral("Download Failed on COM1: no byte for 1000 ms after byte 37"));
        QCOMPARE(run.host.imagesTaken(), 0);
    }

    void aFinishedJobLeavesTheControllerAnnouncing()
    {
        // Nothing more to do: the announcement after the transfer is not acknowledged.
        Run run(Kind::ChecksEchoes, 0);
        run.host.workLeft = false;
        run.Start();
        // The connection itself is acknowledged only while there is work: here the first
        // announcement stays unanswered.
        run.link.RunFor(2000);
        QVERIFY(!run.link.Written().contains(char(Wire::Acknowledge)));
        run.host.workLeft = true;
        run.host.lastJob = true;
        QVERIFY(run.link.RunUntil([&] { return run.Ended(); }, ReadLimit(0)));
        run.link.RunFor(3000);
        const QByteArray written = run.link.Written();
        QVERIFY(written.endsWith(QByteArray(reinterpret_cast<const char *>(run.controller.image.data()), CalImageSize)));
        QCOMPARE(run.link.LockedState(), LinkState::WaitingForLink);
    }

    void upgradeProbe_data()
    {
        QTest::addColumn<QByteArray>("answer");    // the controller's answer to the probe's 0xFF
        QTest::addColumn<uint32_t>("crossAfter");  // an announcement lands this long after the 'E'
        QTest::addColumn<bool>("deaf");
        QTest::addColumn<bool>("restarted");
        QTest::newRow("answers") << QByteArray("j") << 0u << false << true;
        QTest::newRow("announcement crossing the E by 30 ms") << QByteArray("j") << 30u << false << true;
        QTest::newRow("answers with another letter") << QByteArray("c") << 0u << false << false;
        QTest::newRow("hears nothing, announces every half second") << QByteArray() << 0u << true << false;
    }

    void upgradeProbe()
    {
        // Only the announced letter, on a line quiet for longer than the announcement period, is
        // the answer: a controller that cannot hear the tool is never sent 'R'.
        QFETCH(QByteArray, answer);
        QFETCH(uint32_t, crossAfter);
        QFETCH(bool, deaf);
        QFETCH(bool, restarted);
        Host host;
        SteppedLink link(host);
        host.downloadFirst = false;
        bool probing = false;
        uint32_t nextAnnounce = link.Now();
        link.SetPeer([&](uint8_t byte) -> QByteArray {
            if (deaf) return {};
            if (byte == Wire::Acknowledge && crossAfter) link.ArriveIn(crossAfter, "j");
            if (byte == Wire::Attention && probing) return answer;
            return {};
        });
        link.SetTicker([&] {
            if (!deaf || int32_t(link.Now() - nextAnnounce) < 0) return;
            link.Arrive("j");
            nextAnnounce = link.Now() + LinkTime::AnnouncePeriodMs;
        });
        link.Passes(1);
        link.Arrive("j");
        QVERIFY(link.RunUntil([&] { return link.LockedState() == LinkState::Connected; }, 1000));
        probing = true;
        QVERIFY(link.SetRequest(Request::Upgrade, 0));
        link.RunFor(LinkTime::ProbeQuietLimitMs + LinkTime::ProbeAnswerMs + 100);
        QCOMPARE(link.Written().contains(char(Wire::Restart)), restarted);
    }

    void noWrongImageIsEverTaken()
    {
        // Thousands of downloads and uploads against controllers of every kind and pace, with one
        // fault each at a random place (or none): an image taken is the controller's, an upload
        // reported is held by the controller, and every honest exchange succeeds exactly.
        constexpr int Runs = 400;
        std::mt19937 rng(20261209);
        const Kind kinds[] = {Kind::ChecksEchoes, Kind::TrustsEchoes, Kind::Streams};
        const uint32_t paces[] = {0, 0, 3, 12, 25, 60, 120, 145};
        int succeeded = 0;
        int failed = 0;
        Finished finished;
        for (int i = 0; i < Runs; ++i) {
            const Kind kind = kinds[rng() % 3];
            const uint32_t pace = paces[rng() % 8];
            const uint32_t latency = rng() % 4 == 0 ? LinkTime::AdapterLatencyMs : 0;
            const Fault fault = rng() % 3 == 0 ? Fault::None : Fault(1 + rng() % 4);
            // Faults near the end are the hardest for the line to tell: half of them go there.
            const int at = rng() % 2 ? int(rng() % CalImageSize) : CalImageSize - 1 - int(rng() % 3);
            const bool upload = rng() % 2;
            const QString what = QStringLiteral("run %1: kind %2, %3 ms, latency %4, fault %5 at %6, %7")
                                     .arg(i).arg(int(kind)).arg(pace).arg(latency).arg(int(fault)).arg(at)
                                     .arg(upload ? QStringLiteral("upload") : QStringLiteral("download"));
            Run run(kind, pace, latency);
            run.controller.image = RandomImage(rng);
            // Sometimes the image ends in a letter a controller announces itself with.
            if (rng() % 8 == 0) run.controller.image[CalImageSize - 1] = rng() % 2 ? 'j' : Wire::BootAnnounce;
            if (!upload) run.controller.Arm(fault, at, uint8_t(rng()), rng() % (pace + 1));
            run.Start();
            const bool ended = run.link.RunUntil([&] { return run.Ended(); }, PromptReadLimit(pace));
            QVERIFY2(ended, qPrintable(what));
            if (run.host.imagesTaken() > 0) QVERIFY2(run.host.received == run.controller.image, qPrintable(what));
            QVERIFY2(run.host.imagesTaken() <= 1, qPrintable(what));
            const bool honest = upload || fault == Fault::None;
            if (honest) QVERIFY2(run.host.imagesTaken() == 1, qPrintable(what + QStringLiteral(": ") + run.host.lastStatus().text));
            if (qEnvironmentVariableIsSet("QUARN_TRACE_RUNS")) qInfo("%s", qPrintable(what));
            if (upload && run.host.imagesTaken() == 1) {
                run.host.image = RandomImage(rng);
                if (rng() % 8 == 0) run.host.image[CalImageSize - 1] = 'j';
                run.controller.Arm(fault, at, uint8_t(rng()), rng() % (pace + 1));
                const int before = finished.uploads;
                QVERIFY2(run.link.RunUntil([&] { return run.link.SetRequest(Request::SendCalibration, 0); }, 3000), qPrintable(what));
                QVERIFY2(run.link.RunUntil(
                             [&] {
                                 finished.Deliver();
                                 return finished.uploads > before || run.link.LockedState() == LinkState::Stopped;
                             },
                             PromptReadLimit(pace)),
                         qPrintable(what + QStringLiteral(": state %1, %2, tool wrote %3")
                                               .arg(run.link.LockedState())
                                               .arg(run.host.lastStatus().text, QString::fromLatin1(run.link.Written().right(40).toHex(' ')))));
                if (finished.uploads > before) QVERIFY2(run.controller.image == run.host.image, qPrintable(what));
                if (fault == Fault::None) QVERIFY2(finished.uploads > before, qPrintable(what));
                (finished.uploads > before ? succeeded : failed)++;
            } else {
                (run.host.imagesTaken() == 1 ? succeeded : failed)++;
            }
            finished.Deliver();
        }
        qInfo("%d exchanges succeeded, %d failed", succeeded, failed);
    }
};

QTEST_MAIN(TransferPropertyTest)
#include "test_transfer_property.moc"
