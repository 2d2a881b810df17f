// Editing on the Dorsell page through its controls: trim bars, frequency, valve types and
// "Set All Trims", the options with their exclusions, the joystick lists and the test buttons.
#include "core/catalog/show.h"
#include "core/conversions.h"
#include "core/catalog/frequencybar.h"
#include "ui/editorhost.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "test_dorsell_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {
// A window stand-in that records the live-test requests of a page on its own.
class RecordingHost : public EditorHost {
public:
    DorsellPage *page = nullptr;
    QStringList calls;
    bool loading = false;

    // As the window: a new image is shown through the page's rules, a reload shows it as it is.
    void ImageToControls(bool fromLink) override
    {
        if (loading) return;
        if (fromLink) CalImage = Catalogue::ShowFor(CalImage, ProductCode).image;
        loading = true;
        page->LoadImage();
        loading = false;
    }
    bool Loading() const override { return loading; }
    void TestPress(uint8_t code, uint8_t level) override { calls << QStringLiteral("press %1 %2").arg(code).arg(level); }
    void TestReleaseImmediate() override { calls << QStringLiteral("release"); }
    void TestReleaseZeroLevel(uint8_t code) override { calls << QStringLiteral("release %1 0").arg(code); }
    void ShowHelp() override {}
};

// The options start cleared (the default image is laid out for the Quarn).
void ClearOptionBytes()
{
    for (int offset = 17; offset <= 31; ++offset)
        if (offset < 25 || offset > 28) CalImage[offset] = 0;
    CalImage[208] = 0;
}

// Brings the button's tab to the front, as the user must, and presses it.
void Press(QPushButton *button)
{
    QTabWidget *tabs = button->window()->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    for (int i = 0; i < tabs->count() && !button->isVisible(); ++i) tabs->setCurrentIndex(i);
    QTest::mousePress(button, Qt::LeftButton);
}
void Release(QPushButton *button) { QTest::mouseRelease(button, Qt::LeftButton); }
}  // namespace

class DorsellEditingTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void trimBarsDragTheirPartner()
    {
        auto form = makeMainWindow();
        LoadAs(*form, Product::Dorsell);
        auto *min = Control<QScrollBar>(*form, "plowupminbar");
        auto *max = Control<QScrollBar>(*form, "plowupmaxbar");
        max->setValue(256 - 100);
        QCOMPARE(int(CalImage[10]), 100);
        min->triggerAction(QAbstractSlider::SliderToMinimum);  // to the top
        QCOMPARE(int(CalImage[9]), 254);
        QCOMPARE(int(CalImage[10]), 254);
        QCOMPARE(max->value(), 2);
        QCOMPARE(Control<QLabel>(*form, "plowupmax2")->text(), QStringLiteral("12.7v"));

        max->setValue(256 - 40);
        QCOMPARE(int(CalImage[10]), 40);
        QCOMPARE(int(CalImage[9]), 40);
        QCOMPARE(Control<QLabel>(*form, "plowupmin2")->text(), QStringLiteral("2.0v"));

        // The right wing pair sits at 25..28.
        Control<QScrollBar>(*form, "rtwingoutmin")->setValue(256 - 60);
        QCOMPARE(int(CalImage[27]), 60);
        QCOMPARE(Control<QLabel>(*form, "Label187")->text(), QStringLiteral("3.0v"));
    }

    void frequencyWalkFrom45Hertz()
    {
        auto form = makeMainWindow();
        LoadAs(*form, Product::Dorsell);
        auto *bar = Control<QScrollBar>(*form, "freqbar");
        auto *valves = Control<QComboBox>(*form, "Valvetypes");
        Choose(valves, 1);
        QCOMPARE(valves->currentIndex(), 1);
        // 45 Hz stores a byte that reads 45 (the curve's own byte, 81, reads 67), and refreshes
        // keep it instead of climbing.
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(int(CalImage[0]), 124);
        QCOMPARE(Control<QLabel>(*form, "Hertzlabel2")->text(), QStringLiteral("45 Hertz"));
        QCOMPARE(valves->currentIndex(), 0);
        for (int refresh = 0; refresh < 2; ++refresh) {
            form->ImageToControls(false);
            QCOMPARE(bar->value(), 45);
            QCOMPARE(int(CalImage[0]), 124);
        }
    }

    void huscoThenSetAllTrims()
    {
        auto form = makeMainWindow();
        CalImage[25] = 40;
        CalImage[26] = 240;
        CalImage[27] = 41;
        CalImage[28] = 241;
        LoadAs(*form, Product::Dorsell);
        ModalAnswerer answer(QMessageBox::Yes);
        auto *valves = Control<QComboBox>(*form, "Valvetypes");
        Choose(valves, 3);
        QCOMPARE(valves->currentText(), QStringLiteral("Husco"));
        QCOMPARE(Control<QLabel>(*form, "gminvalue")->text(), QStringLiteral("4.4v"));
        QCOMPARE(Control<QLabel>(*form, "gmaxvalue")->text(), QStringLiteral("9.0v"));
        QCOMPARE(FrequencyReading(CurveBBar(), CalImage[0]), Control<QScrollBar>(*form, "freqbar")->value());
        QVERIFY(answer.texts().isEmpty());  // no message on this page

        Control<QPushButton>(*form, "setglobal2")->click();
        QCOMPARE(answer.texts(), QStringList{QStringLiteral("This will change ALL the trims!  Are you sure?")});
        const int husco[] = {124, 232, 124, 232};
        for (int i = 0; i < 4; ++i) QCOMPARE(int(CalImage[1 + i]), husco[i]);
        for (int offset = 5; offset <= 16; ++offset) QCOMPARE(int(CalImage[offset]), offset % 2 ? 88 : 180);
        QCOMPARE(int(CalImage[25]), 40);
        QCOMPARE(int(CalImage[28]), 241);
        QCOMPARE(Control<QLabel>(*form, "hoistupmax2")->text(), QStringLiteral("11.6v"));

        // Moving a global bar puts the list back to "Other": no Husco levels any more.
        Control<QScrollBar>(*form, "globalmintrim2")->setValue(256 - 70);
        QCOMPARE(valves->currentIndex(), 0);
        QCOMPARE(int(GlobalMinTrim), 70);
        Control<QPushButton>(*form, "setglobal2")->click();
        QCOMPARE(int(CalImage[1]), 70);
        QCOMPARE(int(CalImage[2]), 180);
        QCOMPARE(int(CalImage[16]), 180);
    }

    void globalBarsPairAndNoLeavesTheTrims()
    {
        auto form = makeMainWindow();
        LoadAs(*form, Product::Dorsell);
        Control<QScrollBar>(*form, "globalmaxtrim2")->setValue(256 - 30);
        QCOMPARE(int(GlobalMaxTrim), 30);
        QVERIFY(GlobalMinTrim <= 30);
        QCOMPARE(Control<QLabel>(*form, "gmaxvalue")->text(), QStringLiteral("1.5v"));

        Settle(*form);
        const CalImageBytes before = CalImage;
        ModalAnswerer answer(QMessageBox::No);
        Control<QPushButton>(*form, "setglobal2")->click();
        QCOMPARE(answer.texts().size(), 1);
        QVERIFY(CalImage == before);
    }

    void plowFloatAndHoistLimitOptions()
    {
        auto form = makeMainWindow();
        ClearOptionBytes();
        LoadAs(*form, Product::Dorsell);
        auto *floatBox = Control<QCheckBox>(*form, "plowfloat");
        auto *doubleActing = Control<QCheckBox>(*form, "CheckBox15");
        QVERIFY(!doubleActing->isEnabled());
        floatBox->click();
        QCOMPARE(int(CalImage[20]), 1);
        QVERIFY(doubleActing->isEnabled());
        QVERIFY(Control<QLabel>(*form, "Label424")->isHidden());
        doubleActing->click();
        QCOMPARE(int(CalImage[30]), 1);
        floatBox->click();
        QCOMPARE(int(CalImage[20]), 0);
        QCOMPARE(int(CalImage[30]), 0);
        QVERIFY(!doubleActing->isChecked() && !doubleActing->isEnabled());

        auto *limit = Control<QCheckBox>(*form, "hoistlimit");
        auto *override_ = Control<QCheckBox>(*form, "CheckBox16");
        limit->click();
        override_->click();
        QCOMPARE(int(CalImage[21]), 1);
        QCOMPARE(int(CalImage[31]), 1);
        limit->click();
        QCOMPARE(int(CalImage[21]), 0);
        QCOMPARE(int(CalImage[31]), 0);
        QVERIFY(!override_->isEnabled());

        // On the Ostrel 2 the float note shows with the float.
        LoadAs(*form, Product::Ostrel);
        floatBox->click();
        QVERIFY(!Control<QLabel>(*form, "Label424")->isHidden());
        floatBox->click();
        QVERIFY(Control<QLabel>(*form, "Label424")->isHidden());
    }

    void cartridgeAndDumpValveExcludeEachOther()
    {
        auto form = makeMainWindow();
        ClearOptionBytes();
        LoadAs(*form, Product::Dorsell);
        auto *cartridge = Control<QCheckBox>(*form, "cartridge");
        auto *dump = Control<QCheckBox>(*form, "CheckBox22");
        cartridge->click();
        QCOMPARE(int(CalImage[22]), 1);
        QVERIFY(!dump->isEnabled());
        cartridge->click();
        QCOMPARE(int(CalImage[22]), 0);
        QVERIFY(dump->isEnabled());
        dump->click();
        QCOMPARE(int(CalImage[208]), 1);
        QCOMPARE(int(CalImage[22]), 0);
        QVERIFY(!cartridge->isEnabled() && !cartridge->isChecked());
        dump->click();
        QCOMPARE(int(CalImage[208]), 0);
        QVERIFY(cartridge->isEnabled());
    }

    void flagsAndValues()
    {
        auto form = makeMainWindow();
        ClearOptionBytes();
        CalImage[19] = 9;  // three sticks: every safety box offered
        LoadAs(*form, Product::Dorsell);
        const std::pair<const char *, int> flags[] = {{"joy1saftey", 17}, {"joy2saftey", 18}, {"joy3safety", 29},
                                                      {"attitudecontrol", 23}, {"togglevplow", 24}};
        for (auto [name, offset] : flags) {
            Control<QCheckBox>(*form, name)->click();
            QVERIFY2(CalImage[offset] == 1, name);
        }
        auto *delay = Control<QSpinBox>(*form, "SpinEdit34");
        delay->setValue(3);
        QTest::keyClick(delay, Qt::Key_Up);
        QCOMPARE(int(CalImage[237]), 4);
        auto *sensitivity = Control<QScrollBar>(*form, "ScrollBar80");
        sensitivity->setValue(20);
        sensitivity->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(int(CalImage[120]), 21);
    }

    void joystickListsStoreAndRedraw()
    {
        auto form = makeMainWindow();
        LoadAs(*form, Product::Dorsell);
        Choose(Control<QComboBox>(*form, "joysetting"), 10);
        QCOMPARE(int(CalImage[19]), 10);
        QCOMPARE(Caption(*form, "GroupBox14"), QStringLiteral("Group 2 In"));
        auto *primaryY = Control<QComboBox>(*form, "ComboBox5");
        QVERIFY(primaryY->isEnabled());
        Choose(primaryY, 2);
        QCOMPARE(int(CalImage[125]), 2);
        Choose(Control<QComboBox>(*form, "ComboBox10"), 5);
        QCOMPARE(int(CalImage[133]), 5);
        Choose(Control<QComboBox>(*form, "combogreenmode"), 3);
        QCOMPARE(int(CalImage[36]), 3);
        Choose(Control<QComboBox>(*form, "combonomode"), 1);
        QCOMPARE(int(CalImage[34]), 1);

        Choose(Control<QComboBox>(*form, "joysetting"), 9);
        QVERIFY(!primaryY->isEnabled());
        QVERIFY(Control<QCheckBox>(*form, "joy3safety")->isEnabled());
        QCOMPARE(Caption(*form, "GroupBox12"), QStringLiteral("Blade Up"));

        LoadAs(*form, Product::Ostrel);
        Choose(Control<QComboBox>(*form, "joysetting2"), 5);
        QCOMPARE(int(CalImage[19]), 5);
        QCOMPARE(Caption(*form, "GroupBox14"), QStringLiteral("Toe Up"));
    }

    void testButtonsDriveTheirChannel()
    {
        // Each group's buttons: code, min offset, max offset.
        struct Expect {
            const char *minButton, *maxButton;
            int code, minOffset, maxOffset;
        };
        const Expect table[] = {
            {"Button13", "Button14", 1, 5, 6},         {"Button11", "Button12", 2, 7, 8},
            {"Button3", "Button4", 3, 9, 10},          {"Button5", "Button6", 4, 11, 12},
            {"Button7", "Button8", 5, 13, 14},         {"Button9", "Button10", 6, 15, 16},
            {"Button17", "Button18", 7, 1, 2},         {"Button15", "Button16", 8, 3, 4},
            {"rtwingminin", "rtwingmaxin", 9, 25, 26}, {"rtwingminout", "rtwingmaxout", 10, 27, 28},
        };
        RecordingHost host;
        DorsellPage page(host);
        host.page = &page;
        page.show();
        ProductCode = Product::Dorsell;
        for (int offset = 1; offset <= 28; ++offset) CalImage[offset] = uint8_t(100 + offset);
        host.ImageToControls(true);
        for (const Expect &e : table) {
            host.calls.clear();
            for (const char *name : {e.minButton, e.maxButton}) {
                auto *button = findControl<QPushButton>(&page, QString::fromLatin1(name));
                Press(button);
                Release(button);
            }
            QCOMPARE(host.calls, QStringList({QStringLiteral("press %1 %2").arg(e.code).arg(CalImage[e.minOffset]),
                                              QStringLiteral("release %1 0").arg(e.code),
                                              QStringLiteral("press %1 %2").arg(e.code).arg(CalImage[e.maxOffset]),
                                              QStringLiteral("release %1 0").arg(e.code)}));
        }

        // A trim moved but not yet sent is what the press drives.
        host.calls.clear();
        findControl<QScrollBar>(&page, QStringLiteral("plowupmaxbar"))->setValue(256 - 180);
        Press(findControl<QPushButton>(&page, QStringLiteral("Button4")));
        QCOMPARE(host.calls, QStringList{QStringLiteral("press 3 180")});
    }

    void plowUpReleaseEndsWithZeroLevelStamp()
    {
        auto form = makeMainWindow();
        LoadAs(*form, Product::Dorsell);
        auto *plowUpMin = Control<QPushButton>(*form, "Button3");
        Press(plowUpMin);
        QVERIFY(form->testPressStamp() > 1);
        Release(plowUpMin);
        QCOMPARE(form->testPressStamp(), uint32_t(1));
        // The window's timer ends the zero-level command at its next tick.
        QVERIFY(waitUntil([&] { return form->testPressStamp() == 0; }));
    }
};

QTEST_MAIN(DorsellEditingTest)
#include "test_dorsell_editing.moc"
