// The product pages against the controller emulator, through the real main window and link
// worker over a pseudo-terminal: each product's download reaches its page, the test buttons put
// their live commands on the line and take them off again, and an edit on the page reaches the
// controller with "&Send Cal".
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "ui/quarnform.h"
#include "core/variants.h"
#include "support/wirewindow.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QtTest>

#include <algorithm>

namespace {
constexpr int QuarnCom = 171;
constexpr int DorsellCom = 172;

constexpr int HoistUpMax = Off::Quarn::HoistUpMin + 1;
constexpr uint8_t HoistUpChannel = 1;
constexpr uint8_t PlowUpChannel = 3;

// Held longer than the keep-alive interval (2000 ms), released before the time-out (2500 ms).
constexpr int HoldMs = 2150;
// Long enough to see a stream stop, far shorter than the 2000 ms until the next keep-alive.
constexpr int QuietMs = 400;

template <class T>
T *Named(QObject *root, const char *name)
{
    return findControl<T>(root, QString::fromLatin1(name));
}

int ShownPage(TQuarnForm &form) { return Named<QStackedWidget>(&form, "ProductNotebook")->currentIndex(); }

QString Banner(TQuarnForm &form) { return Named<QLabel>(&form, "ConnectedPanel")->text(); }

QString BannerOf(char letter) { return QString::fromLatin1(VariantOfLetter(uint8_t(letter))->banner); }

// True once the tool has sent (code, level) twice in a row.
bool Streaming(SimOnCom &sim, uint8_t code, uint8_t level)
{
    const char pair[] = {char(code), char(level), char(code), char(level)};
    return sim.toolBytes().contains(QByteArray(pair, sizeof pair));
}
}  // namespace

class WirePagesTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }

    void quarnShowsTheDownloadStreamsItsTestAndSendsTheEdit()
    {
        CalImageBytes raw = PatternImage(11);
        raw[Off::Quarn::HoistUpMin] = 40;
        raw[HoistUpMax] = 232;
        const CalImageBytes shown = ShownImage(Product::Quarn, raw);
        QCOMPARE(int(shown[HoistUpMax]), 232);
        SimOnCom sim(QuarnCom, ControllerOf('j'));
        sim.sim().SetImage(shown);
        ModalAnswerer boxes;
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form);
        QCOMPARE(ShownPage(*form), int(TQuarnForm::QuarnPageIndex));
        QVERIFY2(CalImage == shown, qPrintable(ImageDifferences(CalImage, shown)));
        auto *maxBar = Named<QScrollBar>(form.get(), "HoistUpMaxScrollbar");
        auto *maxLabel = Named<QLabel>(form.get(), "HoistUpMaxValueLabel");
        QCOMPARE(maxBar->value(), TrimToSliderPosition(232));
        QCOMPARE(maxLabel->text(), TrimVoltsText(232));

        // Held past the time a keep-alive would be due: nothing but (1, 232) pairs on the line,
        // from the press until the release, and nothing after it.
        auto *testMax = Named<QPushButton>(form.get(), "HoistUpMaxButton");
        BringToFront(testMax);
        LinkMessageRecorder messages;  // after the window, so it sees the link messages first
        QVERIFY(WaitReadyForRequest(sim, *form));
        sim.sim().ClearWire();
        QTest::mousePress(testMax, Qt::LeftButton);
        QTest::qWait(HoldMs);
        QVERIFY2(form->testPressStamp() != 0, "the time-out ended the command before the release");
        QTest::mouseRelease(testMax, Qt::LeftButton);
        messages.Mark();
        QTest::qWait(QuietMs);
        std::vector<LivePair> pairs;
        QVERIFY2(ReadLivePairs(sim.toolWire(), HoistUpChannel, pairs), sim.toolBytes().toHex(' ').left(120).constData());
        QVERIFY2(pairs.size() >= 2, qPrintable(QString::number(pairs.size())));
        for (const LivePair &p : pairs) QCOMPARE(p.level, 232);
        QVERIFY2(!messages.SentSinceMark().contains(char(HoistUpChannel)), "the stream went on after the release");

        // Dragging the bar stores the trim; the test drives the edited trim before any upload.
        maxBar->setValue(TrimToSliderPosition(200));
        QCOMPARE(int(CalImage[HoistUpMax]), 200);
        QCOMPARE(maxLabel->text(), TrimVoltsText(200));
        QVERIFY(WaitReadyForRequest(sim, *form));
        sim.sim().ClearWire();
        QTest::mousePress(testMax, Qt::LeftButton);
        QVERIFY(waitUntil([&] { return Streaming(sim, HoistUpChannel, 200); }));

        // "&Send Cal" with the button still down: the upload replaces the live command and
        // delivers the edited image, in which only the edit changed anything.
        Named<QAction>(form.get(), "SendCal")->trigger();
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Upload Successful!"), 1));
        CalImageBytes edited = shown;
        edited[HoistUpMax] = 200;
        QVERIFY2(sim.sim().Image() == edited, qPrintable(ImageDifferences(sim.sim().Image(), edited)));
        QCOMPARE(CalImage, edited);
        // The stream does not come back once the link is up again, though the button is down.
        const int pairsBefore = sim.sim().LivePairs();
        QVERIFY(WaitReadyForRequest(sim, *form));
        QCOMPARE(sim.sim().LivePairs(), pairsBefore);
        QTest::mouseRelease(testMax, Qt::LeftButton);
        form.reset();
    }

    void dorsellPlowUpReleaseThenOstrelThenVintle()
    {
        CalImageBytes rawDorsell = PatternImage(23);
        rawDorsell[Off::Dorsell::JoystickSetting] = 0;
        rawDorsell[Off::Dorsell::PlowUpMin] = 60;
        rawDorsell[Off::Dorsell::PlowUpMax] = 210;
        CalImageBytes rawOstrel = PatternImage(57);
        rawOstrel[Off::Dorsell::JoystickSetting] = 1;
        const CalImageBytes dorsell = ShownImage(Product::Dorsell, rawDorsell);
        const CalImageBytes ostrel = ShownImage(Product::Ostrel, rawOstrel);
        const CalImageBytes vintle = PatternImage(91);  // the Vintle page shows and changes nothing
        QCOMPARE(int(dorsell[Off::Dorsell::PlowUpMin]), 60);
        QVERIFY(ostrel != dorsell);

        SimOnCom sim(DorsellCom, ControllerOf('b'));
        sim.sim().SetImage(dorsell);
        ModalAnswerer boxes;
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form);
        QCOMPARE(ShownPage(*form), int(TQuarnForm::DorsellPageIndex));
        QVERIFY2(CalImage == dorsell, qPrintable(ImageDifferences(CalImage, dorsell)));
        QVERIFY(!Named<QComboBox>(form.get(), "joysetting")->isHidden());
        QVERIFY(Named<QComboBox>(form.get(), "joysetting2")->isHidden());
        QCOMPARE(Named<QLabel>(form.get(), "plowupmin2")->text(), TrimVoltsText(60));

        // Releasing "Plow Up" leaves (3, 0) on the line until the window's next timer tick, then
        // the line goes quiet.
        auto *plowUp = Named<QPushButton>(form.get(), "Button3");
        BringToFront(plowUp);
        LinkMessageRecorder messages;  // after the window, so it sees the link messages first
        QVERIFY(WaitReadyForRequest(sim, *form));
        sim.sim().ClearWire();
        QTest::mousePress(plowUp, Qt::LeftButton);
        QVERIFY(waitUntil([&] { return Streaming(sim, PlowUpChannel, 60); }));
        QTest::mouseRelease(plowUp, Qt::LeftButton);
        QVERIFY(waitUntil([&] { return form->testPressStamp() == 0; }));
        messages.Mark();
        QTest::qWait(QuietMs);
        std::vector<LivePair> pairs;
        QVERIFY2(ReadLivePairs(sim.toolWire(), PlowUpChannel, pairs), sim.toolBytes().toHex(' ').right(120).constData());
        const auto firstZero = std::find_if(pairs.begin(), pairs.end(), [](const LivePair &p) { return p.level == 0; });
        QVERIFY2(firstZero != pairs.end(), "no zero-level pair after the release");
        QVERIFY(firstZero != pairs.begin());
        QVERIFY(std::all_of(pairs.begin(), firstZero, [](const LivePair &p) { return p.level == 60; }));
        QVERIFY(std::all_of(firstZero, pairs.end(), [](const LivePair &p) { return p.level == 0; }));
        // The window's next timer tick ended the zero-level stream.
        QVERIFY2(!messages.SentSinceMark().contains(char(PlowUpChannel)), "the stream went on after the timer tick");

        // The controller comes back as an Ostrel 2: the keep-alive shows its banner, and
        // "&Get Calibration" brings its image onto the Ostrel variant of the page.
        sim.sim().SetImage(ostrel);
        sim.sim().PowerCycle([](SimOptions &o) { o.product = 'a'; });
        QVERIFY(waitUntil([&] { return Banner(*form) == BannerOf('a'); }));
        QVERIFY(WaitReadyForRequest(sim, *form));
        Named<QAction>(form.get(), "GetCalibration1")->trigger();
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Download Successful!"), 2));
        QCOMPARE(ShownPage(*form), int(TQuarnForm::DorsellPageIndex));
        QVERIFY2(CalImage == ostrel, qPrintable(ImageDifferences(CalImage, ostrel)));
        QVERIFY(Named<QComboBox>(form.get(), "joysetting")->isHidden());
        QVERIFY(!Named<QComboBox>(form.get(), "joysetting2")->isHidden());
        QVERIFY(Named<QGroupBox>(form.get(), "GroupBox12")->isHidden());  // no right wing outputs

        // Then as a Vintle, with the link reset: the new worker downloads on identification.
        sim.sim().SetImage(vintle);
        sim.sim().PowerCycle([](SimOptions &o) { o.product = 'c'; });
        QTest::mouseClick(Named<QPushButton>(form.get(), "ResetButton"), Qt::LeftButton);
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Download Successful!"), 3));
        QCOMPARE(ShownPage(*form), int(TQuarnForm::VintlePageIndex));
        QVERIFY2(CalImage == vintle, qPrintable(ImageDifferences(CalImage, vintle)));
        QVERIFY(waitUntil([&] { return Banner(*form) == BannerOf('c'); }));
        form.reset();
    }
};

QTEST_MAIN(WirePagesTest)
#include "test_wire_pages.moc"
