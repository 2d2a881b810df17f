// The product pages against the controller emulator, through the real main window and link
// worker over a pseudo-terminal: each product's download reaches its page, the test buttons put
// their live commands on the line and take them off again, and an edit on the page reaches the
// controller with "&Send Cal".
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "ui/quarnform.h"
#include "core/variants.h"
#include "core/ticks.h"
#include "link/linkprotocol.h"
#include "support/wirewindow.h"
#include "ui/livetesttime.h"

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

// A window held up past the live test's time-out ends the command before the hold can be seen
// to pass the keep-alive interval; the hold is then tried again, this many times in all.
constexpr int HoldAttempts = 3;

template <class T>
T *Named(QObject *root, const char *name)
{
    return findControl<T>(root, QString::fromLatin1(name));
}

int ShownPage(TQuarnForm &form) { return Named<QStackedWidget>(&form, "ProductNotebook")->currentIndex(); }

QString Banner(TQuarnForm &form) { return Named<QLabel>(&form, "ConnectedPanel")->text(); }

QString BannerOf(char letter) { return QString::fromLatin1(VariantOfLetter(uint8_t(letter))->banner); }

// Presses `button` and releases it once the window's own press stamp is older than the link's
// keep-alive interval. The window's time-out may end the command only after its own limit: an
// earlier end fails; a later one (the window was held up that long) has the hold tried again.
// Empty when the button was released while its command still ran, else why not.
QString HoldPastKeepAlive(SimOnCom &sim, TQuarnForm &form, QPushButton *button)
{
    for (int attempt = 0; attempt < HoldAttempts; ++attempt) {
        if (!WaitReadyForRequest(sim, form)) return QStringLiteral("the link was never ready for the test");
        sim.sim().ClearWire();
        QTest::mousePress(button, Qt::LeftButton);
        const uint32_t pressed = form.testPressStamp();
        bool ended = false;
        const bool held = waitUntil([&] {
            ended = form.testPressStamp() == 0;
            return ended || TicksSince(pressed) > LinkTime::KeepAliveMs;
        });
        // Checked as the same turn of the event queue that saw the hold pass: no timer tick between.
        QTest::mouseRelease(button, Qt::LeftButton);
        if (!held) return QStringLiteral("the press was never held past the keep-alive interval");
        if (!ended) return {};
        if (TicksSince(pressed) <= LiveTestTime::CommandTimeoutMs)
            return QStringLiteral("the time-out ended the command after %1 ms").arg(TicksSince(pressed));
    }
    return QStringLiteral("the window was held up past the time-out at every try");
}

// The link went back to its keep-alive since the mark: the controller has heard it, and the
// worker's report of it has arrived behind everything it sent before.
bool KeepAliveHeard(SimOnCom &sim, const LinkMessageRecorder &messages)
{
    return sim.toolBytes().contains(char(Wire::Attention)) && messages.SentSinceMark().contains(char(Wire::Attention));
}

// The live pairs of `code` the tool sent before its next keep-alive.
bool PairsBeforeKeepAlive(SimOnCom &sim, int code, std::vector<LivePair> &pairs)
{
    std::vector<WireByte> wire = sim.toolWire();
    wire.erase(std::find_if(wire.begin(), wire.end(), [](const WireByte &b) { return b.byte == Wire::Attention; }), wire.end());
    return ReadLivePairs(wire, code, pairs);
}

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
        // from the press until the release; after it the link goes back to its keep-alive, and
        // nothing of the command follows.
        auto *testMax = Named<QPushButton>(form.get(), "HoistUpMaxButton");
        BringToFront(testMax);
        LinkMessageRecorder messages;  // after the window, so it sees the link messages first
        const QString held = HoldPastKeepAlive(sim, *form, testMax);
        QVERIFY2(held.isEmpty(), qPrintable(held));
        messages.Mark();
        QVERIFY(waitUntil([&] { return KeepAliveHeard(sim, messages); }));
        std::vector<LivePair> pairs;
        QVERIFY2(PairsBeforeKeepAlive(sim, HoistUpChannel, pairs), sim.toolBytes().toHex(' ').left(120).constData());
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
        QVERIFY(waitUntil([&] { return KeepAliveHeard(sim, messages); }));
        std::vector<LivePair> pairs;
        QVERIFY2(PairsBeforeKeepAlive(sim, PlowUpChannel, pairs), sim.toolBytes().toHex(' ').right(120).constData());
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
