// The Quarn page's trim tabs, global trims, frequency, valve types, live tests and tab guard,
// driven through the controls as a user drives them.
#include "core/conversions.h"
#include "test_quarn_support.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>

namespace {
QScrollBar *bar(QObject *root, const char *name) { return control<QScrollBar>(root, name); }
QString text(QObject *root, const char *name) { return control<QLabel>(root, name)->text(); }

// Every live-test button of the page: press handler's button, channel code, trim byte it drives.
struct LiveButton {
    const char *button;
    int code;
    int offset;
};
constexpr LiveButton LiveButtons[] = {
    {"HoistUpButton", 1, 1},          {"HoistUpMaxButton", 1, 2},          {"HoistDownButton", 2, 3},
    {"HoistDownMaxButton", 2, 4},     {"PlowUpButton", 3, 5},              {"PlowUpMaxButton", 3, 6},
    {"PlowDownButton", 4, 7},         {"PlowDownMaxButton", 4, 8},         {"PlowLeftButton", 5, 9},
    {"PlowLeftMaxButton", 5, 10},     {"PlowRightButton", 6, 11},          {"PlowRightMaxButton", 6, 12},
    {"WingToeUpButton", 7, 13},       {"WingToeUpMaxButton", 7, 14},       {"WingToeDownButton", 8, 15},
    {"WingToeDownMaxButton", 8, 16},  {"WingHeelUpButton", 9, 17},         {"WingHeelUpMaxButton", 9, 18},
    {"WingHeelDownButton", 10, 19},   {"WingHeelDownMaxButton", 10, 20},   {"WingSlideInButton", 11, 21},
    {"WingSlideInMaxButton", 11, 22}, {"WingSlideOutButton", 12, 23},      {"WingSlideOutMaxButton", 12, 24},
    {"BladeDownButton", 13, 27},      {"BladeDownMaxButton", 13, 28},      {"BladeUpButton", 14, 25},
    {"BladeUpMaxButton", 14, 26},     {"BladeRightButton", 15, 31},        {"BladeRightMaxButton", 15, 32},
    {"BladeLeftButton", 16, 29},      {"BladeLeftMaxButton", 16, 30},      {"Button39", 17, 117},
    {"Button40", 17, 118},            {"Button37", 18, 115},               {"Button38", 18, 116},
    {"Button35", 19, 113},            {"Button36", 19, 114},               {"Button33", 20, 111},
    {"Button34", 20, 112},
};
}  // namespace

class QuarnTrimsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void trimTabsHoldFourGroupsAndTheNote()
    {
        auto form = makeQuarnWindow();
        auto *page = control<QuarnPage>(form.get(), "QuarnPage");
        const QString note = QStringLiteral("NOTE: INCREASING MAX TRIM ABOVE FACTORY SETTING MAY CAUSE VALVE RUN ON.  ");
        for (QuarnPage::Tab tab : {QuarnPage::A1A4Tab, QuarnPage::A5A8Tab, QuarnPage::B1B4Tab, QuarnPage::B5B8Tab,
                                   QuarnPage::C1C4Tab}) {
            QStringList notes;
            for (QLabel *label : page->tabPage(tab)->findChildren<QLabel *>()) notes << label->text();
            QCOMPARE(notes.count(note), 1);
            QCOMPARE(page->tabPage(tab)->findChildren<QScrollBar *>().size(), 8);
            QCOMPARE(page->tabPage(tab)->findChildren<QPushButton *>().size(), 8);
        }
        // On "B5 - B8" the bars named for blade up, down, left and right stand under "Blade Left",
        // "Blade Right", "Blade Up" and "Blade Down", ordered by port B5 to B8.
        QWidget *b5b8 = page->tabPage(QuarnPage::B5B8Tab);
        const std::pair<const char *, const char *> underNames[] = {{"BladeRight", "Blade Down"},
                                                                     {"BladeLeft", "Blade Up"},
                                                                     {"BladeDown", "Blade Right"},
                                                                     {"BladeUp", "Blade Left"}};
        int lastX = -1;
        for (auto [stem, name] : underNames) {
            QLabel *label = control<QLabel>(b5b8, (QByteArray(stem) + "NameLabel").constData());
            QCOMPARE(label->text(), QString::fromLatin1(name));
            QVERIFY(label->x() > lastX);
            lastX = label->x();
        }
        QCOMPARE(text(form.get(), "BladeUpPortLabel"), QStringLiteral("(Hyd B8)"));
        QCOMPARE(text(form.get(), "Blade2LeftPortLabel"), QStringLiteral("(Hyd C4)"));

        QScrollBar *trim = bar(form.get(), "ScrollBar29");
        QCOMPARE(trim->minimum(), 1);
        QCOMPARE(trim->maximum(), 253);
        QCOMPARE(trim->pageStep(), 20);
        QCOMPARE(trim->singleStep(), 2);
        QCOMPARE(trim->orientation(), Qt::Vertical);
    }

    void draggingOneBarPastTheOtherDragsItAlong()
    {
        auto form = makeQuarnWindow();
        CalImage[5] = 60;
        CalImage[6] = 150;
        reload(form.get());
        showTabOf(bar(form.get(), "PlowUpMinScrollBar"));

        bar(form.get(), "PlowUpMinScrollBar")->setValue(256 - 200);
        QCOMPARE(int(CalImage[5]), 200);
        QCOMPARE(int(CalImage[6]), 200);
        QCOMPARE(bar(form.get(), "PlowUpMaxScrollbar")->value(), 56);
        QCOMPARE(text(form.get(), "PlowUpMaxValueLabel"), QStringLiteral("10.0v"));

        bar(form.get(), "PlowUpMaxScrollbar")->setValue(256 - 50);
        QCOMPARE(int(CalImage[6]), 50);
        QCOMPARE(int(CalImage[5]), 50);
        QCOMPARE(bar(form.get(), "PlowUpMinScrollBar")->value(), 206);
        QCOMPARE(text(form.get(), "PlowUpMinValueLabel"), QStringLiteral("2.5v"));

        // The top of a bar is its highest voltage: position 1 stores 255 and raises the max.
        bar(form.get(), "ScrollBar24")->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(int(CalImage[113]), 255);
        QCOMPARE(int(CalImage[114]), 255);
        QCOMPARE(text(form.get(), "Label265"), QStringLiteral("12.8v"));

        // A step of the keyboard moves by the small step.
        QScrollBar *max = bar(form.get(), "ScrollBar25");
        max->setFocus();
        QTest::keyClick(max, Qt::Key_Down);
        QCOMPARE(int(CalImage[114]), 253);
        QCOMPARE(int(CalImage[113]), 253);
    }

    void refreshKeepsPairsOrderedAndInRange()
    {
        auto form = makeMainWindow();
        CalImage[1] = 200;
        CalImage[2] = 100;
        CalImage[7] = 0;
        CalImage[8] = 254;
        ProductCode = Product::Quarn;
        reload(form.get());
        QCOMPARE(int(CalImage[1]), 200);
        QCOMPARE(int(CalImage[2]), 200);
        // A byte below the bar's range shows at the bottom and is stored as 3 once the bar moved.
        QCOMPARE(bar(form.get(), "PlowDownMinScrollBar")->value(), 253);
        QCOMPARE(int(CalImage[7]), 3);
        QCOMPARE(bar(form.get(), "PlowDownMaxScrollBar")->value(), 2);
        QCOMPARE(text(form.get(), "PlowDownMaxValueLabel"), QStringLiteral("12.7v"));
        QCOMPARE(text(form.get(), "HoistUpMinValueLabel"), QStringLiteral("10.0v"));
    }

    void setAllTrimsAsksFirst()
    {
        auto form = makeQuarnWindow();
        const CalImageBytes before = CalImage;
        ModalAnswerer answer(QMessageBox::No);
        auto *button = control<QPushButton>(form.get(), "GlobalButton");
        showTabOf(button);
        QCOMPARE(button->text(), QStringLiteral("Set All Trims"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(answer.texts(), QStringList{"This will change ALL the trims!  Are you sure?"});
        QVERIFY(CalImage == before);

        bar(form.get(), "GlobalMinScrollBar")->setValue(256 - 40);
        bar(form.get(), "GlobalMaxScrollbar")->setValue(256 - 220);
        QCOMPARE(int(GlobalMinTrim), 40);
        QCOMPARE(int(GlobalMaxTrim), 220);
        QCOMPARE(text(form.get(), "GlobalMinValueLabel"), QStringLiteral("2.0v"));
        answer.setButton(QMessageBox::Yes);
        QTest::mouseClick(button, Qt::LeftButton);
        for (int pair = 1; pair <= 16; ++pair) {
            QCOMPARE(int(CalImage[2 * pair - 1]), 40);
            QCOMPARE(int(CalImage[2 * pair]), 220);
        }
        for (int min : {111, 113, 115, 117}) {
            QCOMPARE(int(CalImage[min]), 40);
            QCOMPARE(int(CalImage[min + 1]), 220);
        }
        QCOMPARE(text(form.get(), "Label275"), QStringLiteral("11.0v"));
        QCOMPARE(bar(form.get(), "HoistDownMinScrollBar")->value(), 216);
        QCOMPARE(int(CalImage[33]), int(before[33]));
    }

    void valveTypeProposesFrequencyAndGlobalTrims()
    {
        auto form = makeQuarnWindow();
        ModalAnswerer answer(QMessageBox::Yes);
        auto *valves = control<QComboBox>(form.get(), "ValveComboBox");
        QCOMPARE(valves->count(), 6);
        QCOMPARE(valves->itemText(0), QStringLiteral("Other"));
        QVERIFY(valves->itemText(3).startsWith(QStringLiteral("Husco")));
        QVERIFY(valves->itemText(3).contains(QStringLiteral(" TYPICAL END ")));

        choose(valves, 3);
        QCOMPARE(answer.texts(), QStringList{"You must press \"Set All Trims\" to change all PWM channels"});
        QCOMPARE(int(CalImage[0]), 59);
        QCOMPARE(bar(form.get(), "FreqScrollbar")->value(), 105);
        QCOMPARE(text(form.get(), "HertzLabel"), QStringLiteral("105 Hertz"));
        QCOMPARE(int(GlobalMinTrim), 88);
        QCOMPARE(int(GlobalMaxTrim), 180);
        QCOMPARE(text(form.get(), "GlobalMaxValueLabel"), QStringLiteral("9.0v"));
        QCOMPARE(valves->currentIndex(), 3);
        QCOMPARE(int(CalImage[1]), 3);  // the outputs change only with "Set All Trims"

        // Husco: the hoist outputs get their own trims.
        QTest::mouseClick(control<QPushButton>(form.get(), "GlobalButton"), Qt::LeftButton);
        const int hoist[] = {124, 232, 124, 232};
        for (int i = 0; i < 4; ++i) QCOMPARE(int(CalImage[1 + i]), hoist[i]);
        QCOMPARE(int(CalImage[5]), 88);
        QCOMPARE(int(CalImage[32]), 180);
        QCOMPARE(int(CalImage[117]), 88);
        QCOMPARE(int(CalImage[118]), 180);

        // Moving a global bar puts the list back to "Other": no Husco exception any more.
        bar(form.get(), "GlobalMaxScrollbar")->setValue(256 - 190);
        QCOMPARE(valves->currentIndex(), 0);
        QTest::mouseClick(control<QPushButton>(form.get(), "GlobalButton"), Qt::LeftButton);
        QCOMPARE(int(CalImage[1]), 88);
        QCOMPARE(int(CalImage[2]), 190);

        // "Other" changes nothing but still reminds.
        answer.clear();
        const CalImageBytes before = CalImage;
        choose(valves, 0);
        QCOMPARE(answer.texts().size(), 1);
        QVERIFY(CalImage == before);
    }

    void frequencyBarStepsByFiveOnRefresh()
    {
        auto form = makeQuarnWindow();
        QScrollBar *freq = bar(form.get(), "FreqScrollbar");
        QCOMPARE(freq->minimum(), 25);
        QCOMPARE(freq->maximum(), 450);
        // The default byte 49 shows 119 Hz, so the bar stands at 115.
        QCOMPARE(freq->value(), 115);
        QCOMPARE(int(CalImage[0]), 49);

        auto *valves = control<QComboBox>(form.get(), "ValveComboBox");
        valves->setCurrentIndex(2);
        // 100 Hz stores a byte that reads as 100 (the curve's own byte, 64, reads 95), and a
        // refresh keeps it.
        freq->setValue(100);
        QCOMPARE(int(CalImage[0]), 63);
        QCOMPARE(text(form.get(), "HertzLabel"), QStringLiteral("100 Hertz"));
        QCOMPARE(valves->currentIndex(), 0);
        reload(form.get());
        QCOMPARE(freq->value(), 100);
        QCOMPARE(int(CalImage[0]), 63);
        QCOMPARE(text(form.get(), "HertzLabel"), QStringLiteral("100 Hertz"));
    }

    void tabGuardFollowsJoystickType()
    {
        auto form = makeQuarnWindow();
        auto *tabs = control<QTabWidget>(form.get(), "TabbedNotebook1");
        QTabBar *bar = tabs->tabBar();
        auto clickTab = [&](int index) {
            tabs->setCurrentIndex(QuarnPage::GlobalTab);
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
            return tabs->currentIndex() == index;
        };
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
        QCOMPARE(captions, QStringList({"Joysticks", "Global", "A1 - A4", "A5 - A8", "B1 - B4", "B5 - B8", "C1 - C4",
                                        "Custom", "Floats", "Remote/Slave", "Panic"}));
        struct Case {
            int type;
            bool custom, remote;
        };
        for (Case c : {Case{21, false, false}, Case{2, true, true}, Case{29, true, false}}) {
            CalImage[33] = uint8_t(c.type);
            QCOMPARE(clickTab(QuarnPage::CustomTab), c.custom);
            QCOMPARE(clickTab(QuarnPage::RemoteSlaveTab), c.remote);
            QVERIFY(clickTab(QuarnPage::PanicTab));
        }
    }

    void liveTestButtonsDriveTheirOutput()
    {
        RecordingHost host;
        QuarnPage page(host);
        host.page = &page;
        page.resize(592, 394);
        page.show();
        for (int i = 0; i < CalImageSize; ++i) CalImage[i] = uint8_t(i + 100);
        for (const LiveButton &b : LiveButtons) {
            auto *button = control<QPushButton>(&page, b.button);
            showTabOf(button);
            host.presses.clear();
            const int releases = host.releases;
            QTest::mousePress(button, Qt::LeftButton);
            QCOMPARE(host.presses.size(), size_t(1));
            QCOMPARE(host.presses[0].first, b.code);
            QCOMPARE(host.presses[0].second, (b.offset + 100) % 256);
            QTest::mouseRelease(button, Qt::LeftButton);
            QCOMPARE(host.releases, releases + 1);
        }
    }

    void liveTestUsesTheTrimShownAndStampsThePress()
    {
        auto form = makeQuarnWindow();
        CalImage[2] = 232;
        reload(form.get());
        auto *button = control<QPushButton>(form.get(), "HoistUpMaxButton");
        showTabOf(button);
        QCOMPARE(button->text(), QStringLiteral("Test Max"));
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(form->testPressStamp() != 0);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(form->testPressStamp(), 0u);
    }

    void outputNamesFollowTheCustomAxes()
    {
        auto form = makeQuarnWindow();
        auto *page = control<QuarnPage>(form.get(), "QuarnPage");
        page->SetOutputNamesVisible(false);
        for (const char *name : {"PlowDownNameLabel", "HoistUpNameLabel", "Blade2LeftNameLabel"})
            QVERIFY(control<QLabel>(form.get(), name)->isHidden());
        page->SetOutputNamesVisible(true);
        QVERIFY(!control<QLabel>(form.get(), "BladeUpNameLabel")->isHidden());
    }
};

QTEST_MAIN(QuarnTrimsTest)
#include "test_quarn_trims.moc"
