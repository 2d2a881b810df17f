// The Brennic page: what the loader shows and writes back, what each control stores, the
// run-time/deceleration-start couplings and the live test buttons.
#include "core/catalog/show.h"
#include "core/calimage.h"
#include "core/conversions.h"
#include "ui/editorhost.h"
#include "ui/pages/brennic/brennicpage.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <initializer_list>
#include <utility>
#include <vector>

namespace {
using Bytes = std::initializer_list<std::pair<int, int>>;

// Stands in for the main window: runs the page's loader under a latch and records live tests.
class RecordingHost : public EditorHost {
public:
    // As the window: a new image is shown through the page's rules, a reload shows it as it is.
    void ImageToControls(bool fromLink) override
    {
        if (loading || !page) return;
        if (fromLink) CalImage = Catalogue::ShowFor(CalImage, ProductCode).image;
        loading = true;
        page->LoadImage();
        loading = false;
    }
    bool Loading() const override { return loading; }
    void TestPress(uint8_t code, uint8_t level) override { presses.push_back({code, level}); }
    void TestReleaseImmediate() override { ++immediateReleases; }
    void TestReleaseZeroLevel(uint8_t) override { ++zeroLevelReleases; }
    void ShowHelp() override {}

    ProductPage *page = nullptr;
    bool loading = false;
    std::vector<std::pair<int, int>> presses;
    int immediateReleases = 0;
    int zeroLevelReleases = 0;
};

void Store(Bytes bytes)
{
    for (auto [offset, value] : bytes) CalImage[offset] = static_cast<uint8_t>(value);
}

// Moves a bar as the technician drags its thumb.
// Clicks a check box on its box, as a user does.
void Tick(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

void Drag(QScrollBar *bar, int position)
{
    bar->setSliderDown(true);
    bar->setSliderPosition(position);
    bar->setSliderDown(false);
}

void TypeInto(QSpinBox *spin, const QString &text)
{
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, text);
}
}  // namespace

class BrennicTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    std::unique_ptr<TQuarnForm> m_form;

    template <class T>
    T *control(const char *name) const
    {
        return findControl<T>(m_form.get(), QString::fromLatin1(name));
    }
    QString text(const char *label) const { return control<QLabel>(label)->text(); }
    int bar(const char *name) const { return control<QScrollBar>(name)->value(); }

    // A Brennic controller's image arrives: the form loads it into the page.
    void download(Bytes bytes)
    {
        Store(bytes);
        ProductCode = Product::Brennic;
        m_form->ImageToControls(true);
    }
    void showTab(int index) { control<QTabWidget>("TabbedNotebook2")->setCurrentIndex(index); }

private slots:
    void init()
    {
        m_form = makeMainWindow();
        ProductCode = Product::None;
    }
    void cleanup()
    {
        m_form.reset();
        ProductCode = Product::None;
    }

    void pageAndTabs()
    {
        download({});
        auto *stack = control<QStackedWidget>("ProductNotebook");
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::BrennicPageIndex));
        QCOMPARE(stack->currentWidget()->windowTitle(), QStringLiteral("Brennic"));
        auto *tabs = control<QTabWidget>("TabbedNotebook2");
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
        QCOMPARE(captions, QStringList({"Main", "Arm Up / Down Trims", "Arm In / Out Trims", "Grip Open / Close Trims",
                                        "Dump Trims"}));
        // Every page fits the fixed client area above the status strip.
        QCOMPARE(stack->size(), QSize(592, 394));
    }

    void loaderLowersDecelerationStartToRunTime()
    {
        download({{196, 50}, {213, 80}, {232, 10}, {233, 50}});
        QCOMPARE(bar("ScrollBar19"), 50);
        QCOMPARE(bar("ScrollBar21"), 50);
        QCOMPARE(text("Label241"), QStringLiteral("1.6 s"));
        QCOMPARE(text("Label256"), QStringLiteral("1.6 s"));
        QCOMPARE(int(CalImage[196]), 50);  // the run time is not raised to the old start point
        QCOMPARE(int(CalImage[213]), 50);
        QCOMPARE(bar("ScrollBar30"), 10);
        QCOMPARE(bar("ScrollBar31"), 10);
        QCOMPARE(int(CalImage[232]), 10);
        QCOMPARE(int(CalImage[233]), 10);

        // A start point within its run time is left where it is.
        download({{196, 100}, {213, 40}});
        QCOMPARE(int(CalImage[196]), 100);
        QCOMPARE(int(CalImage[213]), 40);
        QCOMPARE(text("Label256"), QStringLiteral("1.28 s"));
    }

    void loaderClampsNormalisesAndLabels()
    {
        download({{216, 0},
                  {237, 100},
                  {239, 1},
                  {240, 100},
                  {241, 7},
                  {195, 2},
                  {238, 1},
                  {0, 49},
                  {234, 255},
                  {236, 25},
                  {194, 250},
                  {217, 0},
                  {197, 0}});
        QCOMPARE(bar("ScrollBar20"), 1);
        QCOMPARE(text("Label231"), QStringLiteral("0.032 s"));
        QCOMPARE(text("Label302"), QStringLiteral("100 %"));
        QCOMPARE(text("Label354"), QStringLiteral("1 %"));
        QCOMPARE(text("Label355"), QStringLiteral("100"));
        QCOMPARE(text("Label356"), QStringLiteral("7"));
        QCOMPARE(int(CalImage[195]), 0);
        QVERIFY(!control<QCheckBox>("CheckBox2")->isChecked());
        QVERIFY(control<QCheckBox>("CheckBox14")->isChecked());
        QCOMPARE(int(CalImage[238]), 1);
        // Byte 0 = 49 is 119 Hz: the bar shows the multiple of 5 below, which the byte reads as.
        QCOMPARE(bar("ScrollBar17"), 115);
        QCOMPARE(text("Label230"), QStringLiteral("115 Hertz"));
        QCOMPARE(int(CalImage[0]), 49);
        // A time byte above 250 shows 8 s and is stored as 250.
        QCOMPARE(text("Label300"), QStringLiteral("8 s"));
        QCOMPARE(int(CalImage[234]), 250);
        QCOMPARE(text("Label296"), QStringLiteral("0.8 s"));
        QCOMPARE(text("Label240"), QStringLiteral("8 s"));
        QCOMPARE(control<QSpinBox>("SpinEdit17")->value(), 1);
        QCOMPARE(control<QSpinBox>("SpinEdit2")->value(), 1);
        QCOMPARE(text("Label175"), QStringLiteral("0.4 % of Last Rate"));

        // A flag of 1 that turns to anything else clears the box and the byte.
        download({{238, 9}});
        QVERIFY(!control<QCheckBox>("CheckBox14")->isChecked());
        QCOMPARE(int(CalImage[238]), 0);
    }

    void draggingCouplesRunTimeAndStartPoint()
    {
        download({{196, 100}, {213, 60}, {232, 100}, {233, 50}});
        showTab(4);
        QCOMPARE(text("Label241"), QStringLiteral("3.2 s"));

        // The start point pushes the run time up ...
        Drag(control<QScrollBar>("ScrollBar21"), 120);
        QCOMPARE(bar("ScrollBar19"), 120);
        QCOMPARE(int(CalImage[196]), 120);
        QCOMPARE(int(CalImage[213]), 120);
        QCOMPARE(text("Label241"), QStringLiteral("3.84 s"));
        // ... and the run time pulls the start point down.
        Drag(control<QScrollBar>("ScrollBar19"), 30);
        QCOMPARE(bar("ScrollBar21"), 30);
        QCOMPARE(int(CalImage[213]), 30);
        // Moving either within the other's limit leaves the partner alone.
        Drag(control<QScrollBar>("ScrollBar19"), 200);
        QCOMPARE(int(CalImage[213]), 30);

        Drag(control<QScrollBar>("ScrollBar30"), 10);
        QCOMPARE(bar("ScrollBar31"), 10);
        QCOMPARE(int(CalImage[232]), 10);
        QCOMPARE(int(CalImage[233]), 10);
        Drag(control<QScrollBar>("ScrollBar31"), 250);
        QCOMPARE(int(CalImage[232]), 250);
        QCOMPARE(text("Label291"), QStringLiteral("8 s"));
    }

    void barsAndBoxesStoreTheirBytes()
    {
        download({});
        const std::pair<const char *, int> bars[] = {{"ScrollBar18", 194}, {"ScrollBar20", 216}, {"ScrollBar33", 236},
                                                     {"ScrollBar34", 235}, {"ScrollBar35", 234}, {"ScrollBar36", 237},
                                                     {"ScrollBar77", 239}, {"ScrollBar78", 240}, {"ScrollBar79", 241}};
        for (auto [name, offset] : bars) {
            Drag(control<QScrollBar>(name), 42);
            QCOMPARE(int(CalImage[offset]), 42);
        }
        QCOMPARE(text("Label240"), QStringLiteral("1.344 s"));
        QCOMPARE(text("Label302"), QStringLiteral("42 %"));
        QCOMPARE(text("Label355"), QStringLiteral("42"));

        showTab(0);
        Tick(control<QCheckBox>("CheckBox2"));
        QCOMPARE(int(CalImage[195]), 1);
        Tick(control<QCheckBox>("CheckBox14"));
        QCOMPARE(int(CalImage[238]), 1);
        Tick(control<QCheckBox>("CheckBox2"));
        QCOMPARE(int(CalImage[195]), 0);

        // The frequency bar stores curve A of its position and leaves the page as it is.
        Drag(control<QScrollBar>("ScrollBar17"), 180);
        QCOMPARE(int(CalImage[0]), 25);
        QCOMPARE(text("Label230"), QStringLiteral("180 Hertz"));
    }

    void rampSpinsStoreRateAndLaps()
    {
        download({});
        showTab(4);
        TypeInto(control<QSpinBox>("SpinEdit18"), QStringLiteral("250"));
        QCOMPARE(int(CalImage[214]), 250);
        QCOMPARE(text("Label293"), QStringLiteral("100 % of Last Rate"));
        TypeInto(control<QSpinBox>("SpinEdit18"), QStringLiteral("125"));
        QCOMPARE(text("Label293"), QStringLiteral("50 % of Last Rate"));

        // Rate spins visible, laps spins hidden; every one stores its own byte.
        const std::pair<const char *, int> spins[] = {
            {"SpinEdit2", 197},  {"SpinEdit1", 198},  {"SpinEdit3", 199},  {"SpinEdit4", 200},  {"SpinEdit5", 201},
            {"SpinEdit6", 202},  {"SpinEdit7", 203},  {"SpinEdit8", 204},  {"SpinEdit9", 205},  {"SpinEdit10", 206},
            {"SpinEdit11", 207}, {"SpinEdit12", 208}, {"SpinEdit13", 209}, {"SpinEdit14", 210}, {"SpinEdit15", 211},
            {"SpinEdit16", 212}, {"SpinEdit18", 214}, {"SpinEdit19", 215}, {"SpinEdit20", 218}, {"SpinEdit21", 219},
            {"SpinEdit22", 224}, {"SpinEdit23", 225}, {"SpinEdit24", 226}, {"SpinEdit25", 227}, {"SpinEdit26", 228},
            {"SpinEdit27", 229}, {"SpinEdit28", 230}, {"SpinEdit29", 231}, {"SpinEdit30", 220}, {"SpinEdit31", 221},
            {"SpinEdit32", 222}, {"SpinEdit33", 223}};
        int value = 3;
        for (auto [name, offset] : spins) {
            auto *spin = control<QSpinBox>(name);
            spin->setValue(++value);
            QCOMPARE(int(CalImage[offset]), value);
            QCOMPARE(spin->maximum(), 250);
        }
        for (const char *hidden : {"SpinEdit1", "SpinEdit4", "SpinEdit19", "SpinEdit33"})
            QVERIFY(control<QSpinBox>(hidden)->isHidden());
        for (const char *shown : {"SpinEdit2", "SpinEdit3", "SpinEdit18", "SpinEdit32"})
            QVERIFY(!control<QSpinBox>(shown)->isHidden());

        auto *shakes = control<QSpinBox>("SpinEdit17");
        QCOMPARE(shakes->maximum(), 10);
        shakes->setValue(7);
        QCOMPARE(int(CalImage[217]), 7);

        // The loader puts the image's rates back, and the share labels follow.
        download({{201, 1}, {230, 125}});
        QCOMPARE(text("Label163"), QStringLiteral("0.4 % of Last Rate"));
        QCOMPARE(text("Label178"), QStringLiteral("50 % of Last Rate"));
    }

    void trimPairsStayOrdered()
    {
        // Grip Close min 200 over max 100: the refresh lifts the max to the min.
        download({{1, 200}, {2, 100}, {13, 100}, {14, 150}, {15, 100}, {16, 150}});
        QCOMPARE(int(CalImage[1]), 200);
        QCOMPARE(int(CalImage[2]), 200);
        QCOMPARE(text("Label221"), QStringLiteral("10.0v"));
        QCOMPARE(text("Label223"), QStringLiteral("10.0v"));
        // The same min again over a lower max: every show starts from where the bars start, so
        // it shows as the first time, and both bars show the pair as stored.
        download({{1, 200}, {2, 100}});
        QCOMPARE(int(CalImage[1]), 200);
        QCOMPARE(int(CalImage[2]), 200);
        QCOMPARE(bar("ScrollBar13"), TrimToSliderPosition(200));
        QCOMPARE(bar("ScrollBar14"), TrimToSliderPosition(200));
        QCOMPARE(text("Label221"), QStringLiteral("10.0v"));
        // Trims outside the bars' range: a moved bar stores 2 for 0 or 1; 255 leaves the bars
        // where they start (254), so nothing is stored and the byte stays.
        download({{15, 255}, {16, 255}, {13, 0}, {14, 1}});
        QCOMPARE(int(CalImage[15]), 255);
        QCOMPARE(int(CalImage[16]), 255);
        QCOMPARE(text("Label191"), TrimVoltsText(255));
        QCOMPARE(int(CalImage[13]), 2);
        QCOMPARE(int(CalImage[14]), 2);
        QCOMPARE(text("Label198"), QStringLiteral("0.1v"));

        showTab(2);
        // Dragging Arm In's max bar below its min drags the min down with it.
        download({{9, 100}, {10, 200}});
        Drag(control<QScrollBar>("ScrollBar8"), 256 - 60);
        QCOMPARE(int(CalImage[10]), 60);
        QCOMPARE(int(CalImage[9]), 60);
        QCOMPARE(bar("ScrollBar7"), 196);
        QCOMPARE(text("Label206"), QStringLiteral("3.0v"));
        QCOMPARE(text("Label208"), QStringLiteral("3.0v"));
        // Dragging the min bar to the top stores 254 and raises the max.
        Drag(control<QScrollBar>("ScrollBar7"), 2);
        QCOMPARE(int(CalImage[9]), 254);
        QCOMPARE(int(CalImage[10]), 254);
    }

    void testButtonsDriveTheFormsLiveRequest()
    {
        download({{3, 80}, {4, 200}});
        showTab(3);
        auto *open = control<QPushButton>("GripOpenMaxButton");
        QCOMPARE(open->text(), QStringLiteral("Test Max"));
        QTest::mousePress(open, Qt::LeftButton);
        QVERIFY(m_form->testPressStamp() != 0);
        QTest::mouseRelease(open, Qt::LeftButton);
        QCOMPARE(m_form->testPressStamp(), 0u);
    }
};

// The test buttons against a recording host: each group's own channel code and trim bytes, read
// at the moment of the press.
class BrennicLiveTest : public QObject {
    Q_OBJECT

private slots:
    void everyButtonSendsItsOwnOutputAndTrim()
    {
        RecordingHost host;
        BrennicPage page(host);
        host.page = &page;
        page.show();
        for (int offset = 1; offset <= 16; ++offset) CalImage[offset] = static_cast<uint8_t>(10 * offset);
        host.ImageToControls(false);

        struct Expected {
            const char *group;
            int code, minOffset, maxOffset;
        };
        // Grip Close is output A5 (channel 2) with its trims at 1/2; Grip Open is A6 (channel 1) at 3/4.
        const Expected expected[] = {{"GripClose", 2, 1, 2}, {"GripOpen", 1, 3, 4},  {"ArmUp", 3, 5, 6},
                                     {"ArmDown", 4, 7, 8},   {"ArmIn", 5, 9, 10},    {"ArmOut", 6, 11, 12},
                                     {"UnDump", 7, 13, 14},  {"Dump", 8, 15, 16}};
        auto *tabs = findControl<QTabWidget>(&page, QStringLiteral("TabbedNotebook2"));
        for (const Expected &e : expected) {
            for (int side = 0; side < 2; ++side) {
                const QString name = QString::fromLatin1(e.group) + (side ? QStringLiteral("MaxButton") : QStringLiteral("MinButton"));
                auto *button = findControl<QPushButton>(&page, name);
                tabs->setCurrentWidget(button->parentWidget()->parentWidget());
                host.presses.clear();
                const int releases = host.immediateReleases;
                QTest::mousePress(button, Qt::LeftButton);
                const int offset = side ? e.maxOffset : e.minOffset;
                QCOMPARE(host.presses, (std::vector<std::pair<int, int>>{{e.code, CalImage[offset]}}));
                QTest::mouseRelease(button, Qt::LeftButton);
                QCOMPARE(host.immediateReleases, releases + 1);
            }
        }
        QCOMPARE(host.zeroLevelReleases, 0);
    }

    void pressUsesTheTrimAsEditedNotAsLoaded()
    {
        RecordingHost host;
        BrennicPage page(host);
        host.page = &page;
        page.show();
        ProductCode = Product::Brennic;  // the page edits its fields as the Brennic's
        CalImage[1] = 40;
        CalImage[2] = 100;
        host.ImageToControls(false);
        findControl<QTabWidget>(&page, QStringLiteral("TabbedNotebook2"))->setCurrentIndex(3);
        Drag(findControl<QScrollBar>(&page, QStringLiteral("ScrollBar14")), 256 - 180);
        QCOMPARE(int(CalImage[2]), 180);
        QCOMPARE(findControl<QLabel>(&page, QStringLiteral("Label223"))->text(), QStringLiteral("9.0v"));
        host.presses.clear();
        QTest::mousePress(findControl<QPushButton>(&page, QStringLiteral("GripCloseMaxButton")), Qt::LeftButton);
        QCOMPARE(host.presses, (std::vector<std::pair<int, int>>{{2, 180}}));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        BrennicTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        BrennicLiveTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
#include "test_brennic.moc"
