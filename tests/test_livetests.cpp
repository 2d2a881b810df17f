// Live valve tests are started by a hand on the mouse only: every page's "Test Min"/"Test Max"
// buttons, in the real main window and against the controller emulator.
#include "app/calimage.h"
#include "app/ticks.h"
#include "editor/quarnform.h"
#include "support/wirewindow.h"

#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {
constexpr int QuarnCom = 173;
constexpr uint8_t HoistUpChannel = 1;
// Long enough for a stream to show on the line, far shorter than the next keep-alive.
constexpr int QuietMs = 400;

QPushButton *Button(TQuarnForm &form, const char *name)
{
    auto *button = findControl<QPushButton>(&form, QString::fromLatin1(name));
    BringToFront(button);
    return button;
}
}  // namespace

class LiveTestsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }

    void onlyTheMouseHoldsATest_data()
    {
        QTest::addColumn<uint8_t>("product");
        QTest::addColumn<QString>("button");
        QTest::addColumn<uint32_t>("releasedStamp");
        QTest::newRow("Quarn") << Product::Quarn << "HoistUpMaxButton" << 0u;
        QTest::newRow("Dorsell") << Product::Dorsell << "Button3" << 1u;  // zero-level release
        QTest::newRow("Brennic") << Product::Brennic << "GripCloseMinButton" << 0u;
    }

    void onlyTheMouseHoldsATest()
    {
        QFETCH(uint8_t, product);
        QFETCH(QString, button);
        QFETCH(uint32_t, releasedStamp);
        auto form = makeMainWindow();
        ProductCode = product;
        form->ImageToControls(true);
        QPushButton *test = Button(*form, button.toLatin1().constData());

        // Keys do nothing, focused or not.
        test->setFocus();
        for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Select}) {
            QTest::keyPress(test, Qt::Key(key));
            QCOMPARE(form->testPressStamp(), 0u);
            QTest::keyRelease(test, Qt::Key(key));
        }

        // The right button drives the valve; sliding off the held button and back keeps the one
        // press and its time; the release ends it away from the button. The gestures go through
        // the window, as the system delivers them.
        QWindow *window = test->window()->windowHandle();
        const QPoint on = test->mapTo(test->window(), test->rect().center());
        const QPoint away = on + QPoint(test->width() + 40, test->height() + 40);
        QTest::mousePress(window, Qt::RightButton, {}, on);
        const uint32_t stamp = form->testPressStamp();
        QVERIFY(stamp > 1);
        QVERIFY(waitUntil([&] { return TickCount() != stamp; }));
        QTest::mouseMove(window, away);
        QVERIFY(test->isDown());
        QTest::mouseMove(window, on);
        QTest::mousePress(window, Qt::LeftButton, {}, on);  // a second button while held
        QCOMPARE(form->testPressStamp(), stamp);
        QTest::mouseRelease(window, Qt::RightButton, {}, away);
        QCOMPARE(form->testPressStamp(), releasedStamp);
        QVERIFY(!test->isDown());
        QTest::mouseRelease(window, Qt::LeftButton, {}, away);
        QCOMPARE(form->testPressStamp(), releasedStamp);

        // A held button that disappears (its tab put away) ends the test: its release would
        // never come.
        QTest::mousePress(test, Qt::MiddleButton);
        QVERIFY(form->testPressStamp() > 1);
        QTabWidget *tabs = nullptr;
        for (QWidget *w = test; w && !tabs; w = w->parentWidget()) tabs = qobject_cast<QTabWidget *>(w);
        tabs->setCurrentIndex(tabs->currentIndex() == 0 ? 1 : 0);
        QVERIFY(waitUntil([&] { return form->testPressStamp() == releasedStamp; }));
    }

    void onTheLineTheSpaceBarSendsNothingAndTheRightButtonDrives()
    {
        CalImageBytes raw = ShownImage(Product::Quarn, PatternImage(21));
        SimOnCom sim(QuarnCom, ControllerOf('j'));
        sim.sim().SetImage(raw);
        ModalAnswerer boxes;
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form);
        QPushButton *test = Button(*form, "HoistUpButton");
        const uint8_t level = CalImage[1];

        QVERIFY(WaitReadyForRequest(sim, *form));
        sim.sim().ClearWire();
        test->setFocus();
        QTest::keyPress(test, Qt::Key_Space);
        QTest::qWait(QuietMs);
        QTest::keyRelease(test, Qt::Key_Space);
        QCOMPARE(sim.sim().LivePairs(), 0);
        QVERIFY2(sim.toolBytes().isEmpty(), sim.toolBytes().toHex(' ').constData());

        QTest::mousePress(test, Qt::RightButton);
        const char pair[] = {char(HoistUpChannel), char(level), char(HoistUpChannel), char(level)};
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains(QByteArray(pair, sizeof pair)); }));
        QTest::mouseRelease(test, Qt::RightButton);
        QCOMPARE(form->testPressStamp(), 0u);
        form.reset();
    }
};

QTEST_MAIN(LiveTestsTest)
#include "test_livetests.moc"
