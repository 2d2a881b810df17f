// The Quarn "Joysticks", "Custom" and "Remote/Slave" tabs, driven through their controls: the
// loader on every joystick type, the button-mode and label handlers, custom modes, stick options,
// trigger and always-live, remote settings, and the layout of every joystick type's tabs.
#include "core/calimage.h"
#include "core/catalog/joysticktables.h"
#include "ui/assets.h"
#include "ui/dialogs/taliveform.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

namespace {
constexpr int TypeByte = 33;
constexpr int ValidTypes[] = {1, 2, 3, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};

// The bytes the joystick, custom and remote/slave tabs show.
QList<int> JoystickBytes()
{
    QList<int> bytes{119, 137, 162, 183, 184, 246};
    for (int b = 33; b <= 110; ++b) bytes << b;
    for (int b = 121; b <= 135; ++b) bytes << b;
    for (int b = 141; b <= 160; ++b) bytes << b;
    for (int b = 185; b <= 198; ++b) bytes << b;
    return bytes;
}

QByteArray Label(int field) { return QByteArray(reinterpret_cast<const char *>(&CalImage[size_t(field)]), 9); }
QByteArray Stored(const char *eight) { return QByteArray(eight, 8) + QByteArray(1, '\0'); }

// A drop-down choice as the technician makes it: the item shows and the list reports it.
void Choose(QComboBox *box, int item)
{
    QVERIFY2(box->isEnabled(), qPrintable(box->objectName()));
    box->setCurrentIndex(item);
    emit box->activated(item);
}
void Choose(QComboBox *box, const QString &text)
{
    const int item = box->findText(text, Qt::MatchExactly);
    QVERIFY2(item >= 0, qPrintable(text));
    Choose(box, item);
}
}  // namespace

class QuarnJoysticksTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    std::unique_ptr<TQuarnForm> m_form;

    template <class T>
    T *control(const char *name) { return findControl<T>(m_form.get(), QString::fromLatin1(name)); }

    // Defaults, then the given bytes, then the Quarn page loads the image.
    void load(std::initializer_list<std::pair<int, int>> bytes = {})
    {
        m_form->SetImageDefaults();
        for (auto [offset, value] : bytes) CalImage[size_t(offset)] = uint8_t(value);
        ProductCode = Product::Quarn;
        m_form->ImageToControls(false);
    }
    void reload() { m_form->ImageToControls(false); }

private slots:
    void init() { m_form = makeMainWindow(); }
    void cleanup() { m_form.reset(); }

    void loaderLeavesAValidTypeForEveryByte()
    {
        auto *combo = control<QComboBox>("JoystickCombo");
        auto *notebook = control<QStackedWidget>("JoystickNotebook");
        for (int type = 0; type < 256; ++type) {
            // Leftover stick options and remote bytes must not upset any layout.
            load({{TypeByte, type}, {35, type}, {36, 255 - type}, {37, type / 2}, {149, type}, {150, type}});
            const int stored = CalImage[TypeByte];
            const bool known = std::find(std::begin(ValidTypes), std::end(ValidTypes), type) != std::end(ValidTypes);
            QCOMPARE(stored, known ? type : 1);
            QCOMPARE(combo->currentIndex(), Joy::JoystickItemOfType(stored));
            QCOMPARE(notebook->currentIndex(), combo->currentIndex());
            QCOMPARE(notebook->currentWidget()->objectName(),
                     QString::fromLatin1(Joy::JoystickPageControl[combo->currentIndex()].name));
        }
        load({{TypeByte, 24}});
        QCOMPARE(control<QComboBox>("triomodes")->currentIndex(), 1);
        QCOMPARE(control<QLabel>("Label12")->text(), QStringLiteral("Wing"));
        QCOMPARE(control<QLabel>("Label9")->text(), QStringLiteral("Wing Button:"));
    }

    // Random images: the loader never fails, and what it shows is what it stored, so a second
    // load changes none of the joystick, custom and remote bytes.
    void secondLoadOfAnyImageChangesNothing()
    {
        std::srand(5);
        auto *combo = control<QComboBox>("JoystickCombo");
        for (int round = 0; round < 300; ++round) {
            for (uint8_t &b : CalImage) b = uint8_t(std::rand());
            if (round % 2) CalImage[TypeByte] = uint8_t(ValidTypes[round % std::size(ValidTypes)]);
            ProductCode = Product::Quarn;
            m_form->ImageToControls(false);
            const CalImageBytes first = CalImage;
            m_form->ImageToControls(false);
            for (int offset : JoystickBytes())
                QVERIFY2(CalImage[size_t(offset)] == first[size_t(offset)],
                         qPrintable(QStringLiteral("round %1 byte %2: %3 then %4").arg(round).arg(offset)
                                        .arg(first[size_t(offset)]).arg(CalImage[size_t(offset)])));
            QCOMPARE(combo->currentIndex(), Joy::JoystickItemOfType(CalImage[TypeByte]));
        }
    }

    void changingJoystickResetsOrKeepsModes()
    {
        auto *combo = control<QComboBox>("JoystickCombo");
        // From the three-stick layout to six buttons: the usual modes come back.
        load({{TypeByte, 23}, {34, 7}, {35, 5}, {36, 12}, {37, 6}, {38, 11}, {141, 9}, {145, 9}, {183, 1}});
        Choose(combo, QStringLiteral("6 Button Vexa"));
        const int expected[] = {0, 1, 2, 3, 4, 0, 0};
        const int modes[] = {34, 35, 36, 37, 38, 141, 145};
        for (size_t i = 0; i < std::size(modes); ++i) QCOMPARE(int(CalImage[size_t(modes[i])]), expected[i]);
        QCOMPARE(int(CalImage[TypeByte]), 2);
        QCOMPARE(int(CalImage[183]), 0);
        if (auto *stayhand = m_form->findChild<QCheckBox *>(QStringLiteral("stayhandbox"))) {
            QVERIFY(stayhand->isChecked());
            QVERIFY(!stayhand->isEnabled());
        }

        // Eight buttons to four: a custom button gets its usual mode, the others keep theirs.
        load({{TypeByte, 3}, {35, 8}, {36, 9}, {37, 8}, {141, 8}, {145, 14}});
        Choose(combo, QStringLiteral("4 Button Vexa"));
        QCOMPARE(int(CalImage[35]), 1);
        QCOMPARE(int(CalImage[36]), 9);
        QCOMPARE(int(CalImage[37]), 3);
        QCOMPARE(int(CalImage[141]), 0);
        QCOMPARE(int(CalImage[145]), 14);
        QCOMPARE(int(CalImage[TypeByte]), 1);

        // Six buttons to eight: nothing is reset.
        load({{TypeByte, 2}, {35, 8}});
        Choose(combo, QStringLiteral("8 Button Vexa"));
        QCOMPARE(int(CalImage[35]), 8);

        load({{TypeByte, 2}, {35, 1}, {36, 2}, {37, 3}});
        Choose(combo, QStringLiteral("2 Sarix"));
        QCOMPARE(QList<int>({CalImage[33], CalImage[35], CalImage[36], CalImage[37]}), QList<int>({21, 5, 0, 0}));
        Choose(combo, QStringLiteral("3 Sarix (Groups of 2)"));
        QCOMPARE(QList<int>({CalImage[33], CalImage[35], CalImage[36], CalImage[37]}), QList<int>({29, 5, 0, 6}));
        Choose(combo, QStringLiteral("Slave Mode"));
        QCOMPARE(int(CalImage[TypeByte]), 19);
        QCOMPARE(control<QStackedWidget>("JoystickNotebook")->currentWidget()->objectName(),
                 QStringLiteral("SlaveMode"));
    }

    void modeChoiceStoresModeAndCentredLabel()
    {
        load({{TypeByte, 2}});
        Choose(control<QComboBox>("SixButton2DropDown"), QStringLiteral("Plow "));
        QCOMPARE(int(CalImage[36]), 2);
        QCOMPARE(Label(48), Stored("  PLOW  "));
        QCOMPARE(control<QLineEdit>("EightButton2LabelEdit")->text(), QStringLiteral("PLOW"));
        QCOMPARE(control<QComboBox>("EightButton2DropDown")->currentText(), QStringLiteral("Plow "));

        Choose(control<QComboBox>("EightButton5DropDown"), QStringLiteral("Panic Button"));
        QCOMPARE(int(CalImage[141]), 14);
        QCOMPARE(Label(75), Stored(" PANIC  "));
        Choose(control<QComboBox>("SixButton0DropDown"), QStringLiteral("Inactive"));
        QCOMPARE(Label(102), Stored("        "));

        // Codes the list has no item for: a stick option passes through, an unknown code shows
        // no selection.
        load({{TypeByte, 2}, {35, 14}, {36, 6}, {37, 20}});
        QCOMPARE(control<QComboBox>("SixButton1DropDown")->currentText(), QStringLiteral("Panic Button"));
        QCOMPARE(control<QComboBox>("SixButton2DropDown")->currentText(), QStringLiteral("Remote Button"));
        QCOMPARE(control<QComboBox>("SixButton3DropDown")->currentIndex(), -1);
        QCOMPARE(int(CalImage[36]), 6);
    }

    void labelEditsCentreWhatIsTyped()
    {
        load({{TypeByte, 2}});
        control<QTabWidget>("TabbedNotebook1")->setCurrentIndex(0);
        auto *edit = control<QLineEdit>("SixButton1LabelEdit");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("ab"));
        QCOMPARE(edit->text(), QStringLiteral("AB"));
        QCOMPARE(Label(39), Stored("   AB   "));
        QCOMPARE(control<QLineEdit>("EightButton1LabelEdit")->text(), QStringLiteral("AB"));

        // A blank between two words survives the reload each key causes; the edit takes eight.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("blade 2xyz"));
        QCOMPARE(edit->text(), QStringLiteral("BLADE 2X"));
        QCOMPARE(Label(39), Stored("BLADE 2X"));

        // A label loaded off centre is shown trimmed and stored centred.
        load({{TypeByte, 2}, {66, 'h'}, {67, 'o'}, {68, 'i'}, {69, 's'}, {70, 't'}, {71, 0}});
        QCOMPARE(control<QLineEdit>("SixButton4LabelEdit")->text(), QStringLiteral("HOIST"));
        QCOMPARE(Label(66), Stored(" HOIST  "));
        QCOMPARE(control<QLineEdit>("Edit7")->text(), QStringLiteral("HOIST"));
    }

    void modeChosenForACustomButtonPrevails()
    {
        load({{TypeByte, 2}});
        auto *custom = control<QCheckBox>("GreenButtonCustom");
        custom->click();
        QCOMPARE(int(CalImage[36]), 8);
        QCOMPARE(control<QComboBox>("SixButton2DropDown")->currentText(), QStringLiteral("Custom"));

        Choose(control<QComboBox>("SixButton2DropDown"), QStringLiteral("Wing "));
        QCOMPARE(int(CalImage[36]), 3);
        QVERIFY(!custom->isChecked());
        QCOMPARE(Label(48), Stored("  WING  "));
        QCOMPARE(control<QComboBox>("SixButton2DropDown")->currentText(), QStringLiteral("Wing "));

        // An image loaded while the box shows custom keeps its own mode.
        custom->click();
        QCOMPARE(int(CalImage[36]), 8);
        load({{TypeByte, 2}, {36, 2}});
        QCOMPARE(int(CalImage[36]), 2);
        QVERIFY(!custom->isChecked());

        // The technician unticking the box still makes the button inactive.
        custom->click();
        custom->click();
        QCOMPARE(int(CalImage[36]), 0);
    }

    void customAxesAndCaptionsFollowTheJoystick()
    {
        load({{TypeByte, 3}});
        Choose(control<QComboBox>("PurpleButtonZAxis"), QStringLiteral("PORTS A1 / A2"));
        QCOMPARE(int(CalImage[148]), 3);
        Choose(control<QComboBox>("NoButtonXAxis"), QStringLiteral("PORTS C1 / C2"));
        QCOMPARE(int(CalImage[121]), 10);
        load({{TypeByte, 3}, {130, 11}, {131, 4}});
        QCOMPARE(control<QComboBox>("BlueButtonXAxis")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>("BlueButtonYAxis")->currentText(), QStringLiteral("PORTS B1 / B2"));

        const auto colour = [this](const char *group) { return control<QGroupBox>(group)->palette().color(QPalette::WindowText); };
        load({{TypeByte, 1}});
        QVERIFY(control<QCheckBox>("GreenButtonCustom")->isEnabled());
        QVERIFY(!control<QCheckBox>("BlueButtonCustom")->isEnabled());
        QVERIFY(!control<QComboBox>("BlueButtonXAxis")->isEnabled());
        QVERIFY(!control<QComboBox>("RedButtonZAxis")->isEnabled());
        QVERIFY(!control<QComboBox>("NoButtonZAxis")->isEnabled());
        QCOMPARE(colour("BlueButtonCustomGroup"), QColor(128, 128, 128));
        QCOMPARE(colour("GreenButtonCustomGroup"), QColor(0, 128, 0));

        load({{TypeByte, 2}});
        QVERIFY(control<QComboBox>("YellowButtonZAxis")->isEnabled());
        QVERIFY(!control<QCheckBox>("OrangeButtonCustom")->isEnabled());
        QCOMPARE(colour("BlueButtonCustomGroup"), QColor(0, 0, 255));

        load({{TypeByte, 29}});
        QCOMPARE(control<QGroupBox>("YellowButtonCustomGroup")->title(), QStringLiteral("JS1 Secondary Modes"));
        QCOMPARE(control<QGroupBox>("NoButtonCustomGroup")->title(), QStringLiteral("No Button Mode"));
        QVERIFY(!control<QCheckBox>("NoButtonCustom")->isEnabled());
        QVERIFY(!control<QComboBox>("NoButtonXAxis")->isEnabled());
        QVERIFY(control<QComboBox>("PurpleButtonYAxis")->isEnabled());
        QVERIFY(!control<QComboBox>("PurpleButtonZAxis")->isEnabled());
        QCOMPARE(colour("NoButtonCustomGroup"), QColor(128, 128, 128));
        QCOMPARE(colour("OrangeButtonCustomGroup"), QColor(128, 0, 0));

        load({{TypeByte, 30}});
        QCOMPARE(control<QGroupBox>("NoButtonCustomGroup")->title(), QStringLiteral("JS4 Secondary Modes"));
        QCOMPARE(control<QGroupBox>("YellowButtonCustomGroup")->title(), QStringLiteral("JS4 Primary Modes"));
        QVERIFY(control<QComboBox>("NoButtonYAxis")->isEnabled());
        QCOMPARE(colour("NoButtonCustomGroup"), QColor(0, 0, 0));

        // Another type leaves the tab as it was.
        load({{TypeByte, 21}});
        QCOMPARE(control<QGroupBox>("NoButtonCustomGroup")->title(), QStringLiteral("JS4 Secondary Modes"));

        // A V-plow takes the green and orange groups and two option lists.
        auto *part = m_form->findChild<QuarnJoystickPart *>();
        QVERIFY(part);
        part->SetVPlowAttached(true);
        for (const char *name : {"GreenButtonCustomGroup", "OrangeButtonCustomGroup", "ComboBox13", "ComboBox3"})
            QVERIFY2(control<QWidget>(name)->isHidden(), name);
        part->SetVPlowAttached(false);
        QVERIFY(!control<QWidget>("ComboBox13")->isHidden());
    }

    void stickOptionListsStoreAndShowTheirCodes()
    {
        // Every option list, every item: the choice stores its code and the reload shows it.
        const std::pair<Joy::OptionList, int> pages[] = {
            {Joy::TwoHoistButtonDropDown, 21}, {Joy::ThreeHoistButtonDropDown, 23}, {Joy::ThreeWingButtonDropDown, 23},
            {Joy::plowoptions, 24},           {Joy::ComboBox1, 29},               {Joy::ComboBox3, 29},
            {Joy::ComboBox2, 29},             {Joy::ComboBox12, 30},              {Joy::ComboBox13, 30},
            {Joy::ComboBox14, 30},            {Joy::ComboBox15, 30}};
        for (auto [list, type] : pages) {
            const Joy::OptionListInfo &info = Joy::OptionLists[list];
            auto *box = control<QComboBox>(info.name);
            for (int item = 0; item < box->count(); ++item) {
                load({{TypeByte, type}});
                Choose(box, item);
                const int code = Joy::OptionCode(info, item);
                QCOMPARE(int(CalImage[size_t(info.byte)]), code);
                reload();
                QCOMPARE(box->currentIndex(), box->itemText(item).isEmpty() ? 0 : item);
            }
        }
        load({{TypeByte, 23}});
        Choose(control<QComboBox>("plowoptions"), QStringLiteral("Safety"));
        Choose(control<QComboBox>("plowoptions"), QStringLiteral("None"));
        QCOMPARE(int(CalImage[36]), 0);
        QCOMPARE(control<QComboBox>("plowoptions")->currentText(), QStringLiteral("None"));
        Choose(control<QComboBox>("ThreeWingButtonDropDown"), QStringLiteral("Toggle Primary/Secondary"));
        QCOMPARE(control<QLabel>("WingBladeLabel")->text(),
                 QStringLiteral("Primary Wing (port B)/Secondary Blade (port C)"));
    }

    void stickLayoutsShowTheirControls()
    {
        load({{TypeByte, 23}});
        Choose(control<QComboBox>("triomodes"), QStringLiteral("Custom"));
        QCOMPARE(int(CalImage[TypeByte]), 26);
        QVERIFY(control<QLabel>("Label12")->isHidden());
        QVERIFY(!control<QComboBox>("joystick2b")->isHidden());
        Choose(control<QComboBox>("joystick2b"), QStringLiteral("Hook (C 1-4)"));
        QCOMPARE(int(CalImage[197]), 5);

        load({{TypeByte, 21}, {35, 7}});
        QCOMPARE(control<QComboBox>("TwoHoistButtonDropDown")->currentText(), QStringLiteral("Hoist Limit Override"));
        QVERIFY(control<QCheckBox>("TwoButton2Checkbox")->isHidden());
        Choose(control<QComboBox>("TwoStickComboBox"), 1);
        QCOMPARE(QList<int>({CalImage[33], CalImage[35], CalImage[36]}), QList<int>({22, 0, 6}));
        QCOMPARE(control<QLabel>("TwoJ2Label")->text(), QStringLiteral("Wing or Blade (port C)"));
        QVERIFY(!control<QCheckBox>("TwoButton1Checkbox")->isEnabled());
        QVERIFY(control<QComboBox>("TwoHoistButtonDropDown")->isHidden());
        control<QCheckBox>("TwoButton2Checkbox")->click();
        QCOMPARE(int(CalImage[37]), 5);

        // Four sticks: a stick option other than safety is cleared.
        load({{TypeByte, 28}, {35, 5}, {36, 7}, {195, 2}, {194, 6}});
        QVERIFY(control<QCheckBox>("js1checkbox")->isChecked());
        QVERIFY(!control<QCheckBox>("js2checkbox")->isChecked());
        QCOMPARE(int(CalImage[36]), 0);
        QCOMPARE(control<QComboBox>("js5setting")->currentText(), QStringLiteral("Slide/Tilt (B 3/4)"));
        Choose(control<QComboBox>("js2setting"), QStringLiteral("Hook (C 1-4)"));
        QCOMPARE(int(CalImage[198]), 5);
        control<QCheckBox>("js4checkbox")->click();
        QCOMPARE(int(CalImage[38]), 5);

        load({{TypeByte, 30}});
        control<QCheckBox>("CheckBox10")->click();
        QCOMPARE(int(CalImage[246]), 1);
    }

    void untickingTheTriggerClearsMultiModeAndAlwaysLive()
    {
        load({{TypeByte, 2}, {137, 1}, {162, 1}, {184, 2}, {185, 'X'}, {193, 'Y'}});
        auto *trigger = control<QCheckBox>("ModeButtonsAreTriggerCheckbox2");
        QVERIFY(trigger->isChecked());
        QVERIFY(control<QCheckBox>("MultiModeCheckbox")->isChecked());
        QVERIFY(control<QComboBox>("alwayslive")->isEnabled());
        trigger->click();
        QCOMPARE(int(CalImage[137]), 0);
        QCOMPARE(int(CalImage[162]), 0);
        QCOMPARE(int(CalImage[184]), 0);
        QCOMPARE(Label(185), QByteArray(9, '\0'));
        for (const char *name : {"MultiModeCheckbox", "MultiModeCheckBox2", "MultiModeCheckbox3"}) {
            QVERIFY(!control<QCheckBox>(name)->isChecked());
            QVERIFY(!control<QCheckBox>(name)->isEnabled());
        }
        QVERIFY(!control<QComboBox>("alwayslive2")->isEnabled());
        QCOMPARE(control<QLineEdit>("alwayslivetext")->text(), QString());

        control<QCheckBox>("ModeButtonsAreTriggerCheckbox")->click();
        QCOMPARE(int(CalImage[137]), 1);
        QVERIFY(control<QCheckBox>("MultiModeCheckbox3")->isEnabled());
        control<QCheckBox>("MultiModeCheckBox2")->click();
        QCOMPARE(int(CalImage[162]), 1);

        // Loading an image without the trigger empties the always-live edits, which stores a
        // blank label.
        load({{TypeByte, 2}, {137, 0}});
        load({{TypeByte, 2}, {137, 0}, {185, 'L'}, {186, 'I'}, {187, 0}});
        QCOMPARE(control<QLineEdit>("alwayslivetext2")->text(), QString());
        QCOMPARE(Label(185), Stored("        "));

        // On a three-stick layout the two-stick safety box must not turn a pass button into safety.
        load({{TypeByte, 24}});
        Choose(control<QComboBox>("plowoptions"), QStringLiteral("Pass Button"));
        QCOMPARE(int(CalImage[36]), 12);
        QCOMPARE(control<QComboBox>("plowoptions")->currentText(), QStringLiteral("Pass Button"));
    }

    void alwaysLiveListsStayInStepAndWarnOnce()
    {
        load({{TypeByte, 3}, {137, 1}});
        int warnings = 0;
        ModalAnswerer answer;
        answer.setDialogHandler([&](QWidget *dialog) {
            if (qobject_cast<TaliveForm *>(dialog)) ++warnings;
            findControl<QPushButton>(dialog, QStringLiteral("OKButton"))->click();
        });
        auto *six = control<QComboBox>("alwayslive");
        auto *eight = control<QComboBox>("alwayslive2");
        Choose(eight, QStringLiteral("Plow "));
        QCOMPARE(int(CalImage[184]), 2);
        QCOMPARE(six->currentIndex(), 2);
        QCOMPARE(warnings, 1);
        Choose(six, QStringLiteral("Inactive"));
        QCOMPARE(int(CalImage[184]), 0);
        QCOMPARE(eight->currentIndex(), 0);
        QCOMPARE(warnings, 1);
        Choose(six, QStringLiteral("Blade 2"));
        QCOMPARE(int(CalImage[184]), 8);
        QCOMPARE(warnings, 2);

        // Typed text naming no item: 255, the other list loses its selection, one warning.
        eight->lineEdit()->setFocus();
        eight->lineEdit()->selectAll();
        QTest::keyClicks(eight->lineEdit(), QStringLiteral("Snow"));
        QCOMPARE(warnings, 2);
        QTest::keyClick(eight->lineEdit(), Qt::Key_Return);
        QCOMPARE(int(CalImage[184]), 255);
        QCOMPARE(six->currentIndex(), -1);
        QCOMPARE(warnings, 3);
    }

    void remoteSettingsFollowTheButtonMode()
    {
        load({{TypeByte, 2}, {35, 9}, {149, 15}, {150, 250}, {36, 10}, {151, 0}, {152, 5}, {37, 2}, {153, 3}, {154, 3}});
        QCOMPARE(int(CalImage[149]), 11);
        QCOMPARE(int(CalImage[150]), 200);
        QCOMPARE(control<QSpinBox>("RedRemoteIDSpin")->value(), 12);
        QCOMPARE(control<QSpinBox>("RedTargetIDSpin")->value(), 200);
        QCOMPARE(control<QLabel>("RedSlaveTypeLabel")->text(), QStringLiteral("Switch No.:"));
        QVERIFY(control<QComboBox>("RedRemoteModeDropdown")->isHidden());

        QCOMPARE(int(CalImage[151]), 1);
        QCOMPARE(control<QComboBox>("GreenRemoteModeDropdown")->currentText(), QStringLiteral("Red"));
        QCOMPARE(control<QSpinBox>("GreenTargetIDSpin")->value(), 10);
        QCOMPARE(int(CalImage[152]), 10);
        QVERIFY(control<QSpinBox>("GreenRemoteIDSpin")->isHidden());

        QCOMPARE(int(CalImage[153]), 255);
        QCOMPARE(int(CalImage[154]), 255);
        QVERIFY(!control<QSpinBox>("BlueTargetIDSpin")->isEnabled());
        QCOMPARE(control<QGroupBox>("BlueRemoteGroup")->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        QCOMPARE(control<QGroupBox>("GreenRemoteGroup")->palette().color(QPalette::WindowText), QColor(0, 128, 0));

        // The target spin already at its minimum still stores it for a fresh image.
        load({{TypeByte, 2}, {36, 10}, {151, 2}, {152, 3}});
        QCOMPARE(int(CalImage[152]), 10);

        load({{TypeByte, 2}, {35, 9}, {149, 0}, {150, 150}});
        control<QSpinBox>("RedRemoteIDSpin")->setValue(12);
        QCOMPARE(int(CalImage[149]), 11);
        control<QSpinBox>("RedTargetIDSpin")->setValue(120);
        QCOMPARE(int(CalImage[150]), 120);
        load({{TypeByte, 2}, {38, 10}, {155, 1}, {156, 50}});
        Choose(control<QComboBox>("YellowRemoteModeDropdown"), QStringLiteral("Yellow"));
        QCOMPARE(int(CalImage[155]), 4);
        QCOMPARE(int(CalImage[156]), 50);
    }

    void controllerIdIsSharedByBothSpins()
    {
        load({{TypeByte, 2}, {119, 7}});
        QCOMPARE(control<QSpinBox>("IDSpin")->value(), 7);
        control<QSpinBox>("IDSpin2")->setValue(42);
        QCOMPARE(int(CalImage[119]), 42);
        QCOMPARE(control<QSpinBox>("IDSpin")->value(), 42);
    }

    void everyJoystickPageShowsItsGripPicture()
    {
        EnsureAssets();
        QSet<QString> jpegs;
        for (int page = 0; page < Joy::JoystickPageCount; ++page) {
            const char *picture = Joy::JoystickPageControl[page].picture;
            if (!picture) continue;  // the Ostrel page is empty
            QImageReader reader(QStringLiteral(":/assets/") + QString::fromLatin1(picture));
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            QVERIFY2(!reader.read().isNull(), picture);
            jpegs << QString::fromLatin1(picture);
            auto *grip = control<QLabel>(QStringLiteral("GripImage%1").arg(page).toLatin1().constData());
            QVERIFY(!grip->pixmap().isNull());
        }
        QVERIFY(jpegs.size() >= 5);
    }

    void customHelpOpensTheHelpWindow()
    {
        load({{TypeByte, 2}});
        QString title;
        ModalAnswerer answer;
        answer.setDialogHandler([&](QWidget *dialog) {
            title = dialog->metaObject()->className();
            dialog->close();
        });
        control<QPushButton>("CustomHelpButton")->click();
        QCOMPARE(title, QStringLiteral("HelpForm"));
    }

    // Every joystick type: the three tabs fit the page, and no two visible controls overlap.
    void everyLayoutFitsWithoutOverlap()
    {
        const QString shots = qEnvironmentVariable("QUARN_JOY_SHOTS");
        auto *tabs = control<QTabWidget>("TabbedNotebook1");
        for (int type : ValidTypes) {
            load({{TypeByte, type}, {35, 9}, {36, 10}, {137, 1}});
            for (int tab : {0, 7, 9}) {
                tabs->setCurrentIndex(tab);
                QWidget *page = tabs->widget(tab);
                QApplication::processEvents();
                checkFits(page, QStringLiteral("type %1 tab %2").arg(type).arg(tab));
                if (!shots.isEmpty())
                    m_form->grab().save(QDir(shots).filePath(QStringLiteral("type%1-tab%2.png").arg(type).arg(tab)));
            }
        }
    }

private:
    // A caption or item list wider (or, word-wrapped, taller) than its control is cut.
    static void checkCaptionFits(QWidget *child, const QString &where)
    {
        const QString what = where + ": " + child->objectName();
        if (auto *label = qobject_cast<QLabel *>(child)) {
            if (label->text().isEmpty()) return;
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(what + " " + label->text()));
            else
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(what + " " + label->text()));
        } else if (qobject_cast<QAbstractButton *>(child) || qobject_cast<QComboBox *>(child)) {
            QVERIFY2(child->sizeHint().width() <= child->width(),
                     qPrintable(what + QStringLiteral(" needs %1").arg(child->sizeHint().width())));
        }
    }

    void checkFits(QWidget *parent, const QString &where)
    {
        QList<QWidget *> shown;
        for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(parent) && !child->isWindow()) shown << child;
        for (QWidget *child : shown) {
            QVERIFY2(parent->rect().contains(child->geometry()),
                     qPrintable(where + ": " + child->objectName() + " leaves " + parent->objectName()));
            checkCaptionFits(child, where);
            for (QWidget *other : shown)
                if (other != child)
                    QVERIFY2(!child->geometry().intersects(other->geometry()),
                             qPrintable(where + ": " + child->objectName() + " overlaps " + other->objectName()));
            if (!qobject_cast<QComboBox *>(child) && !qobject_cast<QSpinBox *>(child)) checkFits(child, where);
        }
    }
};

QTEST_MAIN(QuarnJoysticksTest)
#include "test_quarn_joysticks.moc"
