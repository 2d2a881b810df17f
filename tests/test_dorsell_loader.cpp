// The Dorsell page as the loader shows an image: the Dorsell and Ostrel 2 variants, captions by
// joystick setting, the option exclusions, the frequency and the trim normalisation.
#include "core/conversions.h"
#include "core/catalog/dorsellitems.h"
#include "test_dorsell_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

namespace {
const char *const SafetyBoxes[] = {"joy1saftey", "joy2saftey", "joy3safety"};
const char *const OstrelHidden[] = {"hoistlimit", "CheckBox16", "cartridge", "CheckBox22", "attitudecontrol",
                                    "togglevplow", "Label122", "joy1saftey", "joy2saftey", "joy3safety",
                                    "GroupBox12", "GroupBox22", "joysetting", "ComboBox4", "ComboBox11",
                                    "ComboBox4Caption", "ComboBox11Caption"};
// Trim group boxes in the order of the caption lists below.
const char *const Groups[] = {"GroupBox21", "GroupBox20", "GroupBox19", "GroupBox18", "GroupBox14",
                              "GroupBox15", "GroupBox16", "GroupBox17", "GroupBox12", "GroupBox22"};

QStringList Captions(const TQuarnForm &form, int count = 10)
{
    QStringList got;
    for (int i = 0; i < count; ++i) got << Caption(form, Groups[i]);
    return got;
}

bool Hidden(const TQuarnForm &form, const char *name) { return Control<QWidget>(form, name)->isHidden(); }
}  // namespace

class DorsellLoaderTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void ostrelClearsWhatItLacksAndDorsellShowsItAgain()
    {
        auto form = makeMainWindow();
        CalImage[17] = CalImage[21] = CalImage[23] = 1;
        CalImage[31] = 1;
        LoadAs(*form, Product::Ostrel);
        QCOMPARE(int(CalImage[17]), 0);
        QCOMPARE(int(CalImage[21]), 0);
        QCOMPARE(int(CalImage[23]), 0);
        QCOMPARE(int(CalImage[31]), 0);  // the override goes with the hoist limit
        QCOMPARE(int(CalImage[33]), 20);
        for (const char *name : OstrelHidden) QVERIFY2(Hidden(*form, name), name);
        QVERIFY(!Hidden(*form, "joysetting2"));
        QVERIFY(!Hidden(*form, "GroupBox19"));
        QVERIFY(!Control<QCheckBox>(*form, "hoistlimit")->isChecked());

        // The same window switched to the Dorsell shows them all again, group lists disabled.
        Control<QAction>(*form, "DorsellMenu1")->trigger();
        for (const char *name : OstrelHidden) QVERIFY2(!Hidden(*form, name), name);
        QVERIFY(Hidden(*form, "joysetting2"));
        QVERIFY(Hidden(*form, "Label424"));
        QVERIFY(!Control<QComboBox>(*form, "ComboBox4")->isEnabled());
    }

    void groupsOf2Setting()
    {
        auto form = makeMainWindow();
        CalImage[19] = 10;
        CalImage[124] = 3;
        CalImage[134] = 9;  // not a group: no selection
        LoadAs(*form, Product::Dorsell);
        for (const char *name : {"Label122", "joy1saftey", "joy2saftey", "joy3safety", "attitudecontrol", "togglevplow"})
            QVERIFY2(Hidden(*form, name), name);
        for (int i = 4; i <= 11; ++i)
            QVERIFY(findControl<QComboBox>(form.get(), QStringLiteral("ComboBox%1").arg(i))->isEnabled());
        QCOMPARE(Control<QComboBox>(*form, "ComboBox4")->currentIndex(), 3);
        QCOMPARE(Control<QComboBox>(*form, "ComboBox11")->currentIndex(), -1);
        QCOMPARE(Control<QComboBox>(*form, "joysetting")->currentText(), QStringLiteral("Groups of 2"));
        QCOMPARE(Captions(*form), QStringList({"Group 1 In", "Group 1 Out", "Group 4 In", "Group 4 Out", "Group 2 In",
                                               "Group 2 Out", "Group 3 In", "Group 3 Out", "Group 5 Out", "Group 5 In"}));
    }

    void safetyTriggersFollowTheJoystickSetting()
    {
        auto form = makeMainWindow();
        // setting -> joystick 1, 2, 3 boxes enabled
        const std::pair<int, QList<bool>> cases[] = {{0, {false, false, false}}, {1, {true, true, false}},
                                                     {5, {false, true, false}},  {4, {false, false, false}},
                                                     {8, {true, false, false}},  {9, {true, true, true}}};
        for (const auto &[setting, enabled] : cases) {
            CalImage[19] = uint8_t(setting);
            LoadAs(*form, Product::Dorsell);
            for (int i = 0; i < 3; ++i)
                QVERIFY2(Control<QCheckBox>(*form, SafetyBoxes[i])->isEnabled() == enabled[i],
                         qPrintable(QStringLiteral("setting %1 box %2").arg(setting).arg(i + 1)));
        }
        // A setting beyond the list changes no box, shows no selection and the last captions.
        CalImage[19] = 20;
        LoadAs(*form, Product::Dorsell);
        QVERIFY(Control<QCheckBox>(*form, "joy3safety")->isEnabled());
        QCOMPARE(Control<QComboBox>(*form, "joysetting")->currentIndex(), -1);
        QCOMPARE(Caption(*form, "GroupBox19"), QStringLiteral("Hoist Left"));
    }

    void dorsellCaptionsBySetting()
    {
        auto form = makeMainWindow();
        const std::pair<int, QStringList> cases[] = {
            {9, {"Hoist Up", "Hoist Down", "Blade Left", "Blade Right", "Plow Up", "Plow Down", "Plow Left",
                 "Plow Right", "Blade Up", "Blade Down"}},
            {4, {"Hoist Up", "Hoist Down", "Hoist Left", "Hoist Right", "Plow Up", "Plow Down", "LT Wing Out",
                 "LT Wing In", "RT Wing Out", "RT Wing In"}},
            {7, {"Hoist Up", "Hoist Down", "LT Wing Out", "LT Wing In", "Plow Up", "Plow Down", "Plow Left",
                 "Plow Right", "RT Wing Out", "RT Wing In"}},
            {8, {"Hoist Up", "Hoist Down", "JIB Out", "JIB In", "Plow Up", "Plow Down", "Plow Left", "Plow Right",
                 "RT Wing Out", "RT Wing In"}},
        };
        for (const auto &[setting, captions] : cases) {
            CalImage[19] = uint8_t(setting);
            LoadAs(*form, Product::Dorsell);
            QCOMPARE(Captions(*form), captions);
        }
    }

    void ostrelCaptionsBySetting()
    {
        auto form = makeMainWindow();
        CalImage[19] = 5;
        LoadAs(*form, Product::Ostrel);
        QCOMPARE(Control<QComboBox>(*form, "joysetting2")->currentText(), QStringLiteral("Wing 3 axis Sarix"));
        QCOMPARE(Captions(*form, 8), QStringList({"Slide In", "Slide Out", "Not Used", "Not Used", "Toe Up",
                                                  "Tow Down", "Heel up", "Heel Down"}));
        CalImage[19] = 6;
        LoadAs(*form, Product::Ostrel);
        QCOMPARE(Captions(*form, 8), QStringList({"RT Wing Out", "RT Wing In", "Not Used", "Not Used", "Plow Up",
                                                  "Plow Down", "LT Wing Out", "LT Wing In"}));
        // Setting 6 means a wide-out plow on a Dorsell.
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(Caption(*form, "GroupBox21"), QStringLiteral("Hoist Up"));
        QCOMPARE(Caption(*form, "GroupBox19"), QStringLiteral("LT Wing Out"));
    }

    void plowFloatAndHoistLimitNormalise()
    {
        auto form = makeMainWindow();
        CalImage[20] = 0;
        CalImage[30] = 1;
        CalImage[21] = 7;  // not 1: off
        CalImage[31] = 1;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[30]), 0);
        QCOMPARE(int(CalImage[21]), 0);
        QCOMPARE(int(CalImage[31]), 0);
        auto *doubleActing = Control<QCheckBox>(*form, "CheckBox15");
        QVERIFY(!doubleActing->isChecked() && !doubleActing->isEnabled());
        QVERIFY(!Control<QCheckBox>(*form, "CheckBox16")->isEnabled());

        CalImage[20] = 1;
        CalImage[30] = 1;
        LoadAs(*form, Product::Dorsell);
        QVERIFY(doubleActing->isChecked() && doubleActing->isEnabled());
        QVERIFY(Hidden(*form, "Label424"));  // the connector note is the Ostrel 2's
        LoadAs(*form, Product::Ostrel);
        QVERIFY(!Hidden(*form, "Label424"));
        QVERIFY(!Control<QLabel>(*form, "Label424")->text().isEmpty());
    }

    void cartridgeValveWinsOverDumpValve()
    {
        auto form = makeMainWindow();
        auto *cartridge = Control<QCheckBox>(*form, "cartridge");
        auto *dump = Control<QCheckBox>(*form, "CheckBox22");
        CalImage[22] = 1;
        CalImage[208] = 1;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[22]), 1);
        QCOMPARE(int(CalImage[208]), 0);
        QVERIFY(cartridge->isChecked() && cartridge->isEnabled());
        QVERIFY(!dump->isChecked() && !dump->isEnabled());

        CalImage[22] = 0;
        CalImage[208] = 1;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[208]), 1);
        QVERIFY(!cartridge->isChecked() && !cartridge->isEnabled());
        QVERIFY(dump->isChecked() && dump->isEnabled());

        CalImage[208] = 2;  // not 1: off, both free
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[208]), 0);
        QVERIFY(cartridge->isEnabled() && dump->isEnabled() && !dump->isChecked());
    }

    void flagsModesAndValues()
    {
        auto form = makeMainWindow();
        CalImage[17] = 2;
        CalImage[18] = 1;
        CalImage[24] = 1;
        CalImage[34] = 8;  // custom: not in the four-button list
        CalImage[35] = 2;
        CalImage[36] = 3;
        CalImage[120] = 30;
        CalImage[237] = 6;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[17]), 0);
        QVERIFY(!Control<QCheckBox>(*form, "joy1saftey")->isChecked());
        QVERIFY(Control<QCheckBox>(*form, "joy2saftey")->isChecked());
        QVERIFY(Control<QCheckBox>(*form, "togglevplow")->isChecked());
        QCOMPARE(Control<QComboBox>(*form, "combonomode")->currentIndex(), -1);
        QCOMPARE(Control<QComboBox>(*form, "comboredmode")->currentText(), QStringLiteral("Plow"));
        QCOMPARE(Control<QComboBox>(*form, "combogreenmode")->currentText(), QStringLiteral("Wing"));
        QCOMPARE(Control<QScrollBar>(*form, "ScrollBar80")->value(), 30);
        QCOMPARE(Control<QSpinBox>(*form, "SpinEdit34")->value(), 6);

        // A float delay of 0 shows as 1, where every show starts the spin box: it does not move,
        // so the byte stays.
        CalImage[237] = 0;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[237]), 0);
        QCOMPARE(Control<QSpinBox>(*form, "SpinEdit34")->value(), 1);
    }

    void defaultImageShows85Hertz()
    {
        auto form = makeMainWindow();
        QCOMPARE(int(CalImage[0]), 49);
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(Control<QScrollBar>(*form, "freqbar")->value(), 85);
        QCOMPARE(Control<QLabel>(*form, "Hertzlabel2")->text(), QStringLiteral("85 Hertz"));
        // The byte reads as the position shown, so showing keeps it.
        QCOMPARE(int(CalImage[0]), 49);
    }

    void trimsAreClampedPairedAndLabelled()
    {
        auto form = makeMainWindow();
        CalImage[9] = CalImage[10] = 100;
        LoadAs(*form, Product::Dorsell);
        CalImage[1] = 200;  // hoist up min above its max
        CalImage[2] = 100;
        CalImage[9] = 0;     // plow up below the bars' range
        CalImage[10] = 255;  // and above it: the bar stays where it starts (254) and stores nothing
        CalImage[25] = 40;
        CalImage[26] = 240;
        LoadAs(*form, Product::Dorsell);
        // The min bar moved first and dragged the max along.
        QCOMPARE(int(CalImage[1]), 200);
        QCOMPARE(int(CalImage[2]), 200);
        QCOMPARE(int(CalImage[9]), 2);
        QCOMPARE(int(CalImage[10]), 255);
        // Bars and labels show the pair as stored.
        QCOMPARE(Control<QScrollBar>(*form, "hoistupminbar")->value(), 56);
        QCOMPARE(Control<QScrollBar>(*form, "hoistupmaxbar")->value(), 56);
        QCOMPARE(Control<QLabel>(*form, "hoistupmin2")->text(), QStringLiteral("10.0v"));
        QCOMPARE(Control<QLabel>(*form, "hoistupmax2")->text(), QStringLiteral("10.0v"));

        // The same pair again: every show starts from where the bars start, so it shows as the
        // first time.
        CalImage[1] = 200;
        CalImage[2] = 100;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(int(CalImage[1]), 200);
        QCOMPARE(int(CalImage[2]), 200);
        QCOMPARE(Control<QScrollBar>(*form, "hoistupminbar")->value(), 56);
        QCOMPARE(Control<QLabel>(*form, "hoistupmin2")->text(), QStringLiteral("10.0v"));
        QCOMPARE(Control<QLabel>(*form, "plowupmin2")->text(), QStringLiteral("0.1v"));
        QCOMPARE(Control<QLabel>(*form, "plowupmax2")->text(), TrimVoltsText(255));
        QCOMPARE(Control<QLabel>(*form, "Label183")->text(), QStringLiteral("2.0v"));
        QCOMPARE(Control<QLabel>(*form, "Label185")->text(), QStringLiteral("12.0v"));
        QCOMPARE(Control<QScrollBar>(*form, "rtwinginmax")->value(), 16);
    }

    void globalTrimsShowTheWorkingValues()
    {
        auto form = makeMainWindow();
        GlobalMinTrim = 70;
        GlobalMaxTrim = 120;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(Control<QLabel>(*form, "gminvalue")->text(), QStringLiteral("3.5v"));
        QCOMPARE(Control<QLabel>(*form, "gmaxvalue")->text(), QStringLiteral("6.0v"));
        QCOMPARE(Control<QScrollBar>(*form, "globalmintrim2")->value(), 186);
        QCOMPARE(Control<QScrollBar>(*form, "globalmaxtrim2")->value(), 136);
    }

    void productSequenceDorsellOstrelVintle()
    {
        auto form = makeMainWindow();
        auto *stack = Control<QStackedWidget>(*form, "ProductNotebook");
        CalImage[19] = 5;
        LoadAs(*form, Product::Dorsell);
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::DorsellPageIndex));
        QVERIFY(!Hidden(*form, "joysetting"));
        LoadAs(*form, Product::Ostrel);
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::DorsellPageIndex));
        QCOMPARE(Caption(*form, "GroupBox21"), QStringLiteral("Slide In"));
        // The Vintle page reads and writes nothing.
        CalImage[17] = 1;
        CalImage[0] = 255;
        CalImage[33] = 7;
        const CalImageBytes before = CalImage;
        LoadAs(*form, Product::Vintle);
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::VintlePageIndex));
        QVERIFY(CalImage == before);
    }
};

QTEST_MAIN(DorsellLoaderTest)
#include "test_dorsell_loader.moc"
