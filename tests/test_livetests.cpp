// Live valve tests are started by a hand on the mouse only: every page's "Test Min"/"Test Max"
// buttons in the real main window, whose press stamp shows each test started.
#include "core/calimage.h"
#include "core/ticks.h"
#include "ui/quarnform.h"
#include "support/wirewindow.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

class LiveTestsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
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
        auto *test = findControl<QPushButton>(form.get(), button);
        BringToFront(test);
        // The lamp tick ends a zero-level release by itself once its level has gone out; held
        // still, the release's own mark stays to be seen however slowly the machine runs.
        form->findChild<QTimer *>(QStringLiteral("Timer2"))->stop();

        // Keys do nothing on a focused button.
        test->setFocus();
        for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Select}) {
            QTest::keyPress(test, Qt::Key(key));
            QCOMPARE(form->testPressStamp(), 0u);
            QTest::keyRelease(test, Qt::Key(key));
        }

        // Through the window, as the system delivers them: the right button drives the valve;
        // sliding off the held button and back, or a second button, keeps the one press and its
        // time; the first release ends the test away from the button.
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
        QTest::mousePress(window, Qt::LeftButton, {}, on);
        QCOMPARE(form->testPressStamp(), stamp);
        QTest::mouseRelease(window, Qt::RightButton, {}, away);
        QCOMPARE(form->testPressStamp(), releasedStamp);
        QTest::mouseRelease(window, Qt::LeftButton, {}, away);
        QCOMPARE(form->testPressStamp(), releasedStamp);

        // A held button whose tab is put away ends its test: the release would never come.
        QTest::mousePress(test, Qt::MiddleButton);
        QVERIFY(form->testPressStamp() > 1);
        QTabWidget *tabs = nullptr;
        for (QWidget *w = test; w && !tabs; w = w->parentWidget()) tabs = qobject_cast<QTabWidget *>(w);
        tabs->setCurrentIndex(tabs->currentIndex() == 0 ? 1 : 0);
        QVERIFY(waitUntil([&] { return form->testPressStamp() == releasedStamp; }));
    }
};

QTEST_MAIN(LiveTestsTest)
#include "test_livetests.moc"
