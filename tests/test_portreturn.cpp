// An adapter pulled out and plugged back: the link worker against the controller emulator, whose
// pseudo-terminal vanishes under it and comes back under the same COM number.
#include "link/comthread.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QTimer>
#include <QtTest>

namespace {
constexpr int Com = 174;
}  // namespace

class PortReturnTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void pulledAdapterIsShownAndTheLinkComesBackWithIt()
    {
        RecordingLinkHost host;
        auto first = std::make_unique<SimOnCom>(Com, QuickStart());
        first->sim().SetImage(PatternImage(3));
        TCOMThread worker(host, Com);
        QVERIFY(waitUntil([&] { return host.imagesTaken() == 1; }));

        // Pulled out during a download (or just after it): the port is named in red, and the
        // window's image is the old one or the whole new one, never a part.
        QVERIFY(waitFreshlyConnected(*first, worker));
        first->sim().SetImage(PatternImage(77));
        worker.SetRequest(Request::GetCalibration, 0);
        QTimer::singleShot(600, [&] { first->kill(); });
        const QString removed = QStringLiteral("Device Removed From COM%1").arg(Com);
        QVERIFY2(waitUntil([&] { return host.lastStatus().text == removed; }),
                 qPrintable(host.statusTexts().join(QLatin1Char('|'))));
        QCOMPARE(host.lastStatus().colour, LinkColor::Red);
        QCOMPARE(worker.LockedState(), LinkState::PortLost);
        QVERIFY(host.received == PatternImage(3) || host.received == PatternImage(77));
        const int taken = host.imagesTaken();
        first.reset();

        // Back under the same number: identified and downloaded as after any connection.
        SimOnCom second(Com, QuickStart());
        second.sim().SetImage(PatternImage(8));
        QVERIFY(waitUntil([&] { return host.imagesTaken() == taken + 1; }));
        QCOMPARE(host.received, PatternImage(8));
        QVERIFY(waitUntil([&] { return worker.LockedState() == LinkState::Connected; }));
        QVERIFY(host.statusTexts().contains(QStringLiteral("Waiting For Link On COM%1").arg(Com)));
    }
};

QTEST_MAIN(PortReturnTest)
#include "test_portreturn.moc"
