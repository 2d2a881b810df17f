// The main window's side of the link against the emulator: the status strip, the finish boxes,
// the log window, "&Send Cal", "Reset", the live test stream and the port choice.
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/ticks.h"
#include "core/settings.h"
#include "ui/quarnform.h"
#include "ui/dialogs/portdialog.h"
#include "ui/livetesttime.h"
#include "link/comthread.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {
constexpr int Com = 161;
constexpr int OtherCom = 162;

// The default image with two trims a page shows unchanged.
CalImageBytes ControllerImage()
{
    CalImageBytes image{};
    SetImageDefaultBytes(image.data());
    image[Off::FirstTrimPair] = 20;
    image[Off::FirstTrimPair + 1] = 200;
    return image;
}
}  // namespace

class LinkWindowTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

    QString panelText(TQuarnForm &form) { return findControl<QLabel>(&form, QStringLiteral("ConnectedPanel"))->text(); }

    // The window connected to `sim`, its first download confirmed.
    std::unique_ptr<TQuarnForm> connectedWindow(SimOnCom &sim, ModalAnswerer &boxes)
    {
        WriteComPortSetting(sim.com());
        auto form = makeMainWindow();
        if (!waitUntil([&] { return boxes.texts().contains(QStringLiteral("Download Successful!")); }))
            qFatal("no first download");
        return form;
    }

private slots:
    void init() { ProductCode = Product::None; }

    void firstDownloadShowsTheImageAndTheBanner()
    {
        SimOnCom sim(Com, QuickStart());
        sim.sim().SetImage(ControllerImage());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        QCOMPARE(CalImage[Off::FirstTrimPair], uint8_t(20));
        QCOMPARE(CalImage[Off::FirstTrimPair + 1], uint8_t(200));
        QCOMPARE(findControl<QWidget>(form.get(), QStringLiteral("ProductNotebook"))->property("currentIndex").toInt(),
                 int(TQuarnForm::QuarnPageIndex));
        QVERIFY(waitUntil([&] { return panelText(*form) == QLatin1String("QUARN 2 v1.1 Connected and Listening"); }));
        auto *panel = findControl<QLabel>(form.get(), QStringLiteral("ConnectedPanel"));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 128, 0));
        // The gauge goes back to 0 once the finish box is closed.
        QVERIFY(waitUntil([&] { return findControl<QProgressBar>(form.get(), QStringLiteral("ProgressGauge"))->value() == 0; }));
    }

    void blankControllerGivesTheDefaultImage()
    {
        SimOnCom sim(Com, QuickStart());
        CalImageBytes blank;
        blank.fill(0xFF);
        sim.sim().SetImage(blank);
        CalImage.fill(0x33);
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        CalImageBytes defaults{};
        SetImageDefaultBytes(defaults.data());
        // The page normalises trims and frequency as it shows them; bytes it leaves alone show
        // that the defaults, not the blank image nor the old one, were taken over.
        QCOMPARE(CalImage[Off::JoystickType], defaults[Off::JoystickType]);
        for (int i = 0; i < Off::LabelWidth; ++i)
            QCOMPARE(CalImage[Off::LabelFields[0] + i], defaults[Off::LabelFields[0] + i]);
        QCOMPARE(CalImage[100], uint8_t(0));
    }

    void sendCalUploadsTheImageInMemory()
    {
        SimOnCom sim(Com, QuickStart());
        sim.sim().SetImage(ControllerImage());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        CalImage[Off::FirstTrimPair + 2] = 42;
        QVERIFY(waitFreshlyConnected(sim, *form->comThread()));
        QTest::mouseClick(findControl<QPushButton>(form.get(), QStringLiteral("UploadButton")), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return boxes.texts().contains(QStringLiteral("Upload Successful!")); }));
        QCOMPARE(sim.sim().Image()[Off::FirstTrimPair + 2], uint8_t(42));
        QCOMPARE(sim.sim().Image(), CalImage);
    }

    void sendCalWhileWaitingDoesNothing()
    {
        SimOptions options = QuickStart();
        options.silent = true;
        SimOnCom sim(Com, options);
        WriteComPortSetting(Com);
        auto form = makeMainWindow();
        QVERIFY(waitUntil([&] { return panelText(*form) == QStringLiteral("Waiting For Link On COM%1").arg(Com); }));
        QTest::mouseClick(findControl<QPushButton>(form.get(), QStringLiteral("UploadButton")), Qt::LeftButton);
        QTest::mouseClick(findControl<QPushButton>(form.get(), QStringLiteral("DownloadButton")), Qt::LeftButton);
        QTest::qWait(400);
        QVERIFY(sim.toolBytes().isEmpty());
    }

    void logWindowListsTheKeepAlive()
    {
        SimOnCom sim(Com, QuickStart());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        findControl<QAction>(form.get(), QStringLiteral("LogWindow1"))->trigger();
        auto *memo = findControl<QPlainTextEdit>(form.get(), QStringLiteral("Memo1"));
        QVERIFY(waitUntil([&] { return memo->toPlainText().contains(QLatin1String("> 255\n< 106\n> 69")); }));
    }

    void resetWhileConnectedRestartsTheLink()
    {
        SimOnCom sim(Com, QuickStart());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        auto *memo = findControl<QPlainTextEdit>(form.get(), QStringLiteral("Memo1"));
        memo->setPlainText(QStringLiteral("old lines"));
        QVERIFY(waitFreshlyConnected(sim, *form->comThread()));
        const int before = form->comThread()->WorkerId();
        sim.sim().ClearWire();
        QTest::mouseClick(findControl<QPushButton>(form.get(), QStringLiteral("ResetButton")), Qt::LeftButton);
        // The log is emptied even while hidden.
        QVERIFY(memo->toPlainText().isEmpty());
        QCOMPARE(form->comThread()->WorkerId(), before);
        QVERIFY(waitUntil([&] { return form->comThread()->WorkerId() != before; }));
        QCOMPARE(sim.toolBytes().left(1), QByteArray("\xff"));
        // The new worker downloads the image again once the controller is identified.
        QVERIFY(waitUntil([&] { return sim.sim().DownloadsCompleted() == 2; }));
    }

    void resetAfterAFailedTransferReplacesTheWorkerAtOnce()
    {
        SimOnCom sim(Com, QuickStart());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        sim.sim().UpdateOptions([](SimOptions &o) { o.stopAfter = 50; });
        QVERIFY(waitFreshlyConnected(sim, *form->comThread()));
        QTest::mouseClick(findControl<QPushButton>(form.get(), QStringLiteral("DownloadButton")), Qt::LeftButton);
        const QString failed = QStringLiteral("Download Failed on COM%1: no byte for 1000 ms after byte 50").arg(Com);
        QVERIFY(waitUntil([&] { return panelText(*form) == failed; }));
        const int before = form->comThread()->WorkerId();
        sim.sim().UpdateOptions([](SimOptions &o) { o.stopAfter = -1; });
        QTest::mouseClick(findControl<QPushButton>(form.get(), QStringLiteral("ResetButton")), Qt::LeftButton);
        QVERIFY(form->comThread()->WorkerId() != before);
        QVERIFY(waitUntil([&] { return panelText(*form) != failed; }));
        QVERIFY(waitUntil([&] { return sim.sim().DownloadsCompleted() == 2; }));
    }

    void liveTestStreamsUntilReleasedOrTimedOut()
    {
        SimOnCom sim(Com, QuickStart());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        LinkMessageRecorder messages;  // after the window, so it sees the link messages first
        QVERIFY(waitFreshlyConnected(sim, *form->comThread()));

        // Zero-level release: (code, 0) pairs until the next timer tick, then nothing.
        form->TestPress(3, 150);
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains(QByteArray("\x03\x96")); }));
        // The window's timer ticks at once: the level 0 still reaches the controller.
        form->TestReleaseZeroLevel(3);
        form->Timer2Timer();
        QVERIFY(waitUntil([&] { return sim.toolBytes().contains(QByteArray("\x03\x00", 2)); }));
        QVERIFY(waitUntil([&] { return form->testPressStamp() == 0; }));
        messages.Mark();
        QVERIFY(waitUntil([&] { return messages.SentSinceMark().contains(char(Wire::Attention)); }));
        QVERIFY2(!messages.SentSinceMark().contains('\x03'), messages.SentSinceMark().toHex(' ').constData());

        // Held too long: the timer ends it once 2.5 seconds have passed, at one of its ticks.
        QVERIFY(waitFreshlyConnected(sim, *form->comThread()));
        const uint32_t pressed = TickCount();
        form->TestPress(4, 100);
        QVERIFY(waitUntil([&] { return form->testPressStamp() == 0; }));
        QVERIFY(TickCount() - pressed > LiveTestTime::CommandTimeoutMs);
        messages.Mark();
        QVERIFY(waitUntil([&] { return messages.SentSinceMark().contains(char(Wire::Attention)); }));
        QVERIFY2(!messages.SentSinceMark().contains('\x04'), messages.SentSinceMark().toHex(' ').constData());
        form->TestReleaseImmediate();
    }

    void portChoiceIsStoredAndTheLinkMoves()
    {
        SimOnCom first(Com, QuickStart());
        SimOnCom second(OtherCom, QuickStart());
        ModalAnswerer boxes;
        auto form = connectedWindow(first, boxes);
        // Close the dialog without OK: the selected item still counts.
        boxes.setDialogHandler([](QWidget *dialog) {
            auto *box = findControl<QComboBox>(dialog, QStringLiteral("ComPortBox"));
            box->setCurrentIndex(box->findText(QStringLiteral("COM%1 ").arg(OtherCom), Qt::MatchStartsWith));
            static_cast<QDialog *>(dialog)->reject();
        });
        findControl<QAction>(form.get(), QStringLiteral("PortNumber1"))->trigger();
        QCOMPARE(ReadComPortSetting(), OtherCom);
        QCOMPARE(form->comThread()->PortNumber(), OtherCom);
        QVERIFY(waitUntil([&] { return second.sim().DownloadsCompleted() == 1; }));
    }

    void closingFromInsideTheWorkersOwnBoxDoesNotHang()
    {
        // A controller without firmware makes the worker show its box and wait for it; the window
        // is closed from inside that box's event loop.
        SimOptions options;
        options.noFirmware = true;
        SimOnCom sim(Com, options);
        WriteComPortSetting(Com);
        auto form = makeMainWindow();
        bool closed = false;
        QPointer<TCOMThread> worker;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || closed) return;
            closed = true;
            worker = form->comThread();
            form->close();
            QVERIFY(form->comThread() == nullptr);
            box->button(QMessageBox::Ok)->click();
        });
        poll.start();
        QVERIFY(waitUntil([&] { return closed; }));
        poll.stop();
        // The worker ends once its box has returned and is freed from the event queue.
        QVERIFY(waitUntil([&] { return worker.isNull(); }));
    }

    void closingTwiceStopsTheWorkerOnce()
    {
        SimOnCom sim(Com, QuickStart());
        ModalAnswerer boxes;
        auto form = connectedWindow(sim, boxes);
        findControl<QAction>(form.get(), QStringLiteral("Exit1"))->trigger();
        QVERIFY(form->comThread() == nullptr);
        form->close();
        QVERIFY(form->comThread() == nullptr);
    }
};

QTEST_MAIN(LinkWindowTest)
#include "test_linkwindow.moc"
