// Settings by name: setting a field gives the bytes the window gives when the technician sets that
// control, `show`'s lines set back on any image of the product give the image shown, and a value
// the page could not take changes nothing and names the field.
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/edits.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSpinBox>
#include <QtTest>

using Catalogue::Setting;

namespace {
struct Family {
    uint8_t product;
    const char *menu;  // the View menu item that shows it
};
constexpr Family Families[] = {{Product::Quarn, "QuarnMenu1"},
                               {Product::Dorsell, "DorsellMenu1"},
                               {Product::Ostrel, "Ostrel1"},
                               {Product::Brennic, "BrennicMenu1"},
                               {Product::CsCan, "HornerCsCAN1"}};

const Family &FamilyOf(uint8_t product)
{
    for (const Family &family : Families)
        if (family.product == product) return family;
    return Families[0];
}

CalImageBytes Defaults()
{
    CalImageBytes image;
    SetImageDefaultBytes(image.data());
    return image;
}

CalImageBytes RandomImage(quint32 seed)
{
    QRandomGenerator random(seed);
    CalImageBytes image;
    for (uint8_t &b : image) b = uint8_t(random.bounded(256));
    return image;
}

CalImageBytes Show(TQuarnForm &form, uint8_t product, const CalImageBytes &image)
{
    CalImage = image;
    findControl<QAction>(&form, QString::fromLatin1(FamilyOf(product).menu))->trigger();
    return CalImage;
}

// `show`'s lines of the image, read back as settings.
QList<Setting> Recipe(const CalImageBytes &image, uint8_t product)
{
    QList<Setting> settings;
    for (const QString &line : Catalogue::ShowLines(Catalogue::Describe(image, product))) {
        Setting setting;
        if (!Catalogue::SplitSettingLine(line, product, &setting)) qWarning() << "not a setting:" << line;
        settings << setting;
    }
    return settings;
}

QString Value(const CalImageBytes &image, uint8_t product, const QString &name)
{
    for (const Catalogue::FieldValue &field : Catalogue::Describe(image, product))
        if (field.name == name) return field.value;
    return QStringLiteral("(no field %1)").arg(name);
}

QString Changed(const CalImageBytes &a, const CalImageBytes &b)
{
    QStringList out;
    for (int i = 0; i < CalImageSize; ++i)
        if (a[i] != b[i]) out << QStringLiteral("%1: %2/%3").arg(i).arg(a[i]).arg(b[i]);
    return out.join(QStringLiteral(", "));
}

// The technician's move of one control: a bar or spin box to `value`, a list to item `value`, a
// box or radio button ticked (`value` 1) or not, an edit box given `text`.
void Move(QWidget *control, int value, const char *text)
{
    if (auto *bar = qobject_cast<QAbstractSlider *>(control)) bar->setValue(value);
    else if (auto *spin = qobject_cast<QSpinBox *>(control)) spin->setValue(value);
    else if (auto *list = qobject_cast<QComboBox *>(control)) {
        list->setCurrentIndex(value);
        emit list->activated(value);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) button->setChecked(value != 0);
    else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(QString::fromLatin1(text));
        emit edit->editingFinished();
    }
}
}  // namespace

class EditsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }

    // Setting the field to the text the control shows after the move gives the window's bytes.
    void settingAFieldGivesTheWindowsBytes_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QList<int>>("setup");
        struct Row {
            uint8_t product;
            const char *control;
            int value;
            const char *text;
            const char *field;
            QList<int> setup{};  // offset, byte, ...: the image before it is shown
        };
        namespace Q = Off::Quarn;
        namespace D = Off::Dorsell;
        namespace B = Off::Brennic;
        const Row rows[] = {
            // trims (the min drags the max up past it), frequency, lists, flags, labels, numbers
            {Product::Quarn, "PlowUpMaxScrollbar", 66, "", "Plow Up (Hyd A2) Max"},
            {Product::Quarn, "PlowUpMinScrollBar", 20, "", "Plow Up (Hyd A2) Min"},
            {Product::Quarn, "FreqScrollbar", 205, "", "PWM Frequency"},
            {Product::Quarn, "AutoBladePort", 3, "", "Port to Move Up"},
            {Product::Quarn, "CheckBox27", 1, "", "Hoist Only Active When Truck Stopped"},
            {Product::Quarn, "bladeuptime", 7, "", "Auto blade up time"},
            {Product::Quarn, "startupdelay", 12, "", "Startup Delay"},
            {Product::Dorsell, "freqbar", 160, "", "PWM Frequency"},
            {Product::Dorsell, "SpinEdit34", 3, "", "Plow Float Delay"},
            {Product::Dorsell, "ScrollBar80", 20, "", "Stayhnd Sensitivity"},
            {Product::Dorsell, "joysetting", 2, "", "Joystick Setting"},
            {Product::Ostrel, "freqbar", 140, "", "PWM Frequency"},
            {Product::Brennic, "ScrollBar17", 200, "", "PWM Frequency"},
            {Product::Brennic, "ScrollBar11", 70, "", "Arm Up (Hyd A2) Min"},
            {Product::Brennic, "SpinEdit17", 4, "", "Numer of Shakes"},
            {Product::CsCan, "ScrollBar32", 300, "", "Output PWM Frequency"},
            {Product::CsCan, "RadioButton2", 1, "", "Can-Bus frequency"},
            // dependents: exclusive options, options with sub-options, coupled bars, button modes
            {Product::Quarn, "hoistlimitenable", 1, "", "Enable Hoist Limit NC", {Q::HoistLimitNO, 1}},
            {Product::Quarn, "cartridgebox", 1, "", "Enable Power/ Cartridge Valve (see note below)", {Q::CameraPowerTrigger, 1}},
            {Product::Quarn, "CheckBox34", 1, "", "Float One is a Force Float Block where we need a block output and a plow up output to function"},
            {Product::Quarn, "ModeButtonsAreTriggerCheckbox", 0, "", "Mode Buttons Act As Trigger",
             {Q::ModeButtonsAreTrigger, 1, Q::MultiMode, 1, Q::AlwaysLiveMode, 2}},
            {Product::Quarn, "SixButton1DropDown", 6, "", "Red Button Mode", {Off::JoystickType, 2}},
            {Product::Quarn, "JoystickCombo", 3, "", "Joystick Type"},
            // a stick layout's option list and safety box set the mode and keep the label
            {Product::Quarn, "plowoptions", 0, "", "Green Button Mode", {Off::JoystickType, 23, Off::GreenMode, 5, Q::GreenLabel, 'X'}},
            {Product::Quarn, "js1checkbox", 0, "", "Red Button Mode", {Off::JoystickType, 28, Off::RedMode, 5, Q::RedLabel, 'X'}},
            {Product::Quarn, "SixButton1LabelEdit", 0, "abc", "Red Button Label", {Off::JoystickType, 2}},
            {Product::Quarn, "float3", 0, "WNG", "Float Two Name"},
            {Product::Quarn, "RedTargetIDSpin", 150, "", "Red Button Target ID", {Off::JoystickType, 2, Off::RedMode, 9}},
            {Product::Dorsell, "plowfloat", 0, "", "Enable Plow Float", {D::PlowFloat, 1, D::DoubleActingFloat, 1}},
            {Product::Dorsell, "cartridge", 1, "", "Cartridge valve control for open center systems", {D::HoistDownDumpValve, 1}},
            {Product::Brennic, "ScrollBar19", 10, "", "Dump Cylinder Run Time", {B::DumpRunTime, 200, B::DumpDecelStart, 100}},
        };
        for (const Row &row : rows)
            QTest::addRow("%s %s", qPrintable(Catalogue::ProductName(row.product)), row.control)
                << int(row.product) << QString::fromLatin1(row.control) << row.value << QString::fromLatin1(row.text)
                << QString::fromLatin1(row.field) << row.setup;
    }
    void settingAFieldGivesTheWindowsBytes()
    {
        QFETCH(int, product);
        QFETCH(QString, control);
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(QList<int>, setup);
        CalImageBytes start = Defaults();
        for (qsizetype i = 0; i + 1 < setup.size(); i += 2) start[size_t(setup[i])] = uint8_t(setup[i + 1]);
        auto form = makeMainWindow();
        const CalImageBytes shown = Show(*form, uint8_t(product), start);
        Move(findControl<QWidget>(form.get(), control), value, text.toLatin1().constData());
        const CalImageBytes window = CalImage;
        QVERIFY2(window != shown, "the move changed nothing");

        CalImageBytes set = shown;
        QString refusal;
        QVERIFY2(Catalogue::ApplySettings(set, uint8_t(product), {{field, Value(window, uint8_t(product), field)}}, &refusal),
                 qPrintable(refusal));
        QVERIFY2(set == window, qPrintable(Changed(window, set)));
    }

    // `show`'s lines set back give the image shown, from the defaults and from another image, for
    // the defaults and random images of every family (also images the page would adjust).
    void showLinesSetBackGiveTheImage()
    {
        for (const Family &family : Families)
            for (quint32 seed = 0; seed <= 6; ++seed) {
                const CalImageBytes source = seed == 0 ? Defaults() : RandomImage(seed);
                for (const CalImageBytes &start : {Defaults(), RandomImage(seed + 100)}) {
                    CalImageBytes set = start;
                    QString refusal;
                    QVERIFY2(Catalogue::ApplySettings(set, family.product, Recipe(source, family.product), &refusal),
                             qPrintable(refusal));
                    QVERIFY2(set == source, qPrintable(QStringLiteral("%1 seed %2: %3")
                                                           .arg(Catalogue::ProductName(family.product))
                                                           .arg(seed)
                                                           .arg(Changed(source, set))));
                }
            }
    }

    // A value in words stores the page's own byte whatever the field held, so one recipe line gives
    // every truck the same bytes; show carries the other byte, and that form keeps it.
    void aValueInWordsStoresThePagesByte()
    {
        const QString name = QStringLiteral("Plow Up (Hyd A2) Max");
        auto shown = [&name](const CalImageBytes &image) {
            const QStringList lines = Catalogue::ShowLines(Catalogue::Describe(image, Product::Quarn));
            return lines.filter(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(name) + QStringLiteral(": "))).value(0);
        };
        int offset = -1;
        for (const Catalogue::FieldValue &field : Catalogue::Describe(Defaults(), Product::Quarn))
            if (field.name == name) offset = field.offsets.first();
        CalImageBytes image = Defaults();
        image[size_t(offset)] = 191;  // 9.55 V, which reads 9.6v as 192 does
        QCOMPARE(shown(image), name + QStringLiteral(": 9.6v (byte 191)"));
        CalImageBytes kept = image, set = image;
        QString refusal;
        QVERIFY(Catalogue::ApplySettings(kept, Product::Quarn, {{name, QStringLiteral("9.6v (byte 191)")}}, &refusal));
        QCOMPARE(kept, image);
        QVERIFY(Catalogue::ApplySettings(set, Product::Quarn, {{name, QStringLiteral("9.6v")}}, &refusal));
        QCOMPARE(int(set[size_t(offset)]), 192);
        QCOMPARE(shown(set), name + QStringLiteral(": 9.6v"));
    }

    // A value the page could not take, or a name it does not have, changes nothing and says so in
    // one line naming the field.
    void aRefusedValueChangesNothing_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("refusal");
        auto row = [](uint8_t product, const char *name, const char *value, const char *refusal) {
            QTest::addRow("%s %s", name, value) << int(product) << QString::fromLatin1(name) << QString::fromLatin1(value)
                                                << QString::fromLatin1(refusal);
        };
        row(Product::Quarn, "Plow Up (Hyd A2) Max", "14.2v", "Plow Up (Hyd A2) Max: 14.2v is above the highest, 12.8v");
        row(Product::Dorsell, "Hoist Up Max", "0.05", "Hoist Up Max: 0.05 is below the lowest, 0.1v");
        row(Product::Quarn, "PWM Frequency", "225 Hertz",
            "PWM Frequency: 225 Hertz is not a value the page can set; the nearest are 220 Hertz and 230 Hertz");
        row(Product::Quarn, "Auto blade up time", "11", "Auto blade up time: 11 is above the highest, 10");
        row(Product::CsCan, "Can-Bus frequency", "300 Kbps",
            "Can-Bus frequency: 300 Kbps is not one of: 100 Kbps, 125 Kbps, 250 Kbps, 500 Kbps, 1000 Kbps");
        row(Product::Quarn, "Safety Latch", "maybe", "Safety Latch: maybe is not one of: off, on");
        row(Product::Dorsell, "Double Acting Float", "on",
            "Double Acting Float: on cannot be set: the page greys it as the image stands");
        row(Product::Quarn, "Enable Stayhand", "off", "Enable Stayhand: off is not one of: on");
        row(Product::Quarn, "Red Button Label", "TOOLONGLABEL",
            "Red Button Label: TOOLONGLABEL is longer than the 8 characters the field holds");
        row(Product::Quarn, "byte 93", "byte:256", "byte 93: byte:256 is not a byte: byte:N takes N from 0 to 255");
        row(Product::Quarn, "Plow Up Max", "9.5v",
            "no setting named 'Plow Up Max' on the Quarn 2 page; did you mean 'Plow Up (Hyd A2) Max'?");
        row(Product::Quarn, "Hoist Up (Hyd A6) Mxa", "9.5v",
            "no setting named 'Hoist Up (Hyd A6) Mxa' on the Quarn 2 page; did you mean 'Hoist Up (Hyd A6) Min' or 'Hoist Up (Hyd A6) Max'?");
        row(Product::Quarn, "Plow Up (Hyd A2) Max", "9.5 %", "Plow Up (Hyd A2) Max: 9.5 % is in %; the field takes v");
        row(Product::Quarn, "Red Button Label", "\"OPEN", "Red Button Label: \"OPEN is no quoted text: \"...\" with \\\", \\\\ and \\xHH inside");
    }
    // Seconds are taken in milliseconds; a unit the field does not take is refused naming its own;
    // a refusal of a long list stays one short line.
    void unitsAndLongListsAreToldShortly()
    {
        const CalImageBytes before = Defaults();
        QString seconds, percent;
        for (const Catalogue::FieldValue &field : Catalogue::Describe(before, Product::Brennic)) {
            if (seconds.isEmpty() && field.value.endsWith(QLatin1String(" s"))) seconds = field.name;
            if (percent.isEmpty() && field.value.endsWith(QLatin1String(" %"))) percent = field.name;
        }
        QVERIFY(!seconds.isEmpty() && !percent.isEmpty());
        CalImageBytes inMs = before, inS = before;
        QString said;
        QVERIFY2(Catalogue::ApplySettings(inMs, Product::Brennic, {{seconds, QStringLiteral("1984 ms")}}, &said), qPrintable(said));
        QVERIFY(Catalogue::ApplySettings(inS, Product::Brennic, {{seconds, QStringLiteral("1.984 s")}}, &said));
        QCOMPARE(inMs, inS);
        QVERIFY(!Catalogue::ApplySettings(inMs, Product::Brennic, {{percent, QStringLiteral("50 Hz")}}, &said));
        QCOMPARE(said, percent + QStringLiteral(": 50 Hz is in hertz; the field takes %"));
        QVERIFY(!Catalogue::ApplySettings(inMs, Product::Quarn, {{QStringLiteral("Red Button Mode"), QStringLiteral("Plough")}}, &said));
        QVERIFY2(said.size() < 120 && said.contains(QLatin1String("set --help 'Red Button Mode'")), qPrintable(said));
    }

    // The result does not depend on the order of the settings: a named field beats another
    // setting's dependents, and a control greyed until another setting is made is made after it.
    void theOrderOfTheSettingsDoesNotMatter_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QStringList>("words");
        QTest::addRow("safety trigger of the third stick")
            << int(Product::Dorsell)
            << QStringList{QStringLiteral("Enable Saftey Triggers: Joystick 3 (Wing)=off"), QStringLiteral("Joystick Setting=3 stick")};
        QTest::addRow("button mode and its label")
            << int(Product::Quarn)
            << QStringList{QStringLiteral("Red Button Label=\"MINE\""), QStringLiteral("Red Button Mode=Plow")};
        QTest::addRow("trim pair")
            << int(Product::Quarn)
            << QStringList{QStringLiteral("Plow Up (Hyd A2) Min=8.0v"), QStringLiteral("PlowUp(HydA2)Max=9.0v"),
                           QStringLiteral("plow up (hyd a2) max=9.0")};
    }
    void theOrderOfTheSettingsDoesNotMatter()
    {
        QFETCH(int, product);
        QFETCH(QStringList, words);
        QList<Setting> settings;
        for (const QString &word : words) settings.append({word.section(QLatin1Char('='), 0, 0), word.section(QLatin1Char('='), 1)});
        CalImageBytes forward = Defaults(), backward = Defaults();
        QList<Setting> reversed(settings.rbegin(), settings.rend());
        QString said;
        QVERIFY2(Catalogue::ApplySettings(forward, uint8_t(product), settings, &said), qPrintable(said));
        QVERIFY2(Catalogue::ApplySettings(backward, uint8_t(product), reversed, &said), qPrintable(said));
        QVERIFY2(forward == backward, qPrintable(Changed(forward, backward)));
        // Each named value holds in the result.
        for (const Setting &setting : settings) {
            CalImageBytes again = forward;
            QVERIFY(Catalogue::ApplySettings(again, uint8_t(product), {setting}, &said));
            QVERIFY2(again == forward, qPrintable(setting.name));
        }
    }

    // Two values that cannot both hold are refused naming both settings: one field set twice to
    // different values, a trim's minimum above its maximum.
    void clashingSettingsAreRefusedNamingBoth()
    {
        const QString min = QStringLiteral("Plow Up (Hyd A2) Min"), max = QStringLiteral("Plow Up (Hyd A2) Max");
        const struct {
            QList<Setting> settings;
            QString text;
        } clashes[] = {
            {{{max, QStringLiteral("9.0v")}, {QStringLiteral("PWM Frequency"), QStringLiteral("150")}, {max, QStringLiteral("9.5v")}},
             max + QStringLiteral(" is set to both 9.0v and 9.5v")},
            {{{min, QStringLiteral("10.0v")}, {QStringLiteral("PWM Frequency"), QStringLiteral("150")}, {max, QStringLiteral("9.0v")}},
             min + QStringLiteral(" 10.0v and ") + max +
                 QStringLiteral(" 9.0v cannot both hold: the page keeps the minimum at or below the maximum")},
        };
        for (const auto &clash : clashes) {
            CalImageBytes image = Defaults();
            Catalogue::SettingsRefusal refusal;
            QVERIFY(!Catalogue::ApplySettings(image, Product::Quarn, clash.settings, &refusal));
            QCOMPARE(refusal.text, clash.text);
            QCOMPARE(std::minmax(refusal.setting, refusal.other), std::minmax(qsizetype(0), qsizetype(2)));
            QCOMPARE(image, Defaults());
        }
        CalImageBytes same = Defaults();
        QString said;
        QVERIFY(Catalogue::ApplySettings(same, Product::Quarn, {{max, QStringLiteral("9.0v")}, {max, QStringLiteral("9.0")}}, &said));
    }

    void aRefusedValueChangesNothing()
    {
        QFETCH(int, product);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, refusal);
        const CalImageBytes before = Defaults();
        CalImageBytes image = before;
        QString said;
        // A good setting of another field before the refused one is not applied either.
        const QList<Catalogue::FieldValue> fields = Catalogue::Describe(before, uint8_t(product));
        const QString first = fields.first().name == name ? fields.last().name : fields.first().name;
        QVERIFY(!Catalogue::ApplySettings(image, uint8_t(product), {{first, QStringLiteral("byte:7")}, {name, value}}, &said));
        QCOMPARE(said, refusal);
        QCOMPARE(image, before);
    }
};

QTEST_MAIN(EditsTest)
#include "test_edits.moc"
