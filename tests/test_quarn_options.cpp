// The Quarn page's floats, cartridge-port uses, hoist limit, option flags, V-plow, timings,
// panic outputs and output linking, and what the loader normalises, driven through the controls.
#include "core/image_defaults.h"
#include "test_quarn_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTabBar>

namespace {
// The cartridge-port uses and their bytes.
const std::pair<const char *, int> CartridgeUses[] = {{"cartridgebox", 235}, {"CheckBox20", 208}, {"CheckBox30", 214},
                                                      {"CheckBox1", 233},    {"CheckBox21", 232}, {"CheckBox28", 212}};
// Plain flags of this page and their bytes.
const std::pair<const char *, int> Flags[] = {
    {"hoistlimitkey", 244}, {"bodylockenable", 243}, {"screen_to_SS", 239}, {"CheckBox3", 245}, {"CheckBox27", 209},
    {"CheckBox29", 213},    {"CheckBox26", 210},     {"CheckBox4", 247},    {"CheckBox5", 248}, {"CheckBox6", 249},
    {"CheckBox7", 250},     {"CheckBox9", 253},      {"CheckBox17", 251},   {"CheckBox18", 252}, {"CheckBox23", 230},
    {"CheckBox24", 231},    {"CheckBox25", 254},     {"CheckBox32", 219},   {"CheckBox33", 220}, {"CheckBox35", 222},
};

std::unique_ptr<TQuarnForm> loadWith(std::initializer_list<std::pair<int, int>> bytes)
{
    auto form = makeMainWindow();
    for (auto [offset, value] : bytes) CalImage[offset] = uint8_t(value);
    ProductCode = Product::Quarn;
    reload(form.get());
    return form;
}

QSpinBox *spin(QObject *root, const char *name) { return control<QSpinBox>(root, name); }
QComboBox *list(QObject *root, const char *name) { return control<QComboBox>(root, name); }

// The checked boxes of the cartridge group, and the enabled ones.
QString cartridgeState(QObject *root)
{
    QString checked, enabled;
    for (auto [name, offset] : CartridgeUses) {
        checked += box(root, name)->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
        enabled += box(root, name)->isEnabled() ? QLatin1Char('e') : QLatin1Char('-');
        if (CalImage[offset] != (box(root, name)->isChecked() ? 1 : 0)) return QStringLiteral("byte %1 differs").arg(offset);
    }
    return checked + QLatin1Char(' ') + enabled;
}
}  // namespace

class QuarnOptionsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void startUpAndDefaults()
    {
        auto form = makeMainWindow();
        QCOMPARE(control<QTabWidget>(form.get(), "TabbedNotebook1")->currentIndex(), 0);
        QCOMPARE(list(form.get(), "ValveComboBox")->currentIndex(), 0);
        QVERIFY(control<QPlainTextEdit>(form.get(), "ValveMemo")->isHidden());
        ProductCode = Product::Quarn;
        reload(form.get());
        choose(list(form.get(), "ToeFloatSelect"), 5);
        QCOMPARE(int(CalImage[161]), 5);
        form->SetImageDefaults();
        for (const char *name : {"PlowFloatSelect", "WingFloatSelect", "BladeFloatSelect", "ToeFloatSelect"})
            QCOMPARE(list(form.get(), name)->currentIndex(), 0);
        QCOMPARE(int(CalImage[161]), 0);
    }

    void defaultImageLoadsAsDocumented()
    {
        auto form = loadWith({});
        QVERIFY(box(form.get(), "stayhandbox")->isChecked());
        QCOMPARE(int(CalImage[183]), 0);
        QCOMPARE(cartridgeState(form.get()), QStringLiteral("...... eeeeee"));
        QCOMPARE(spin(form.get(), "startupdelay")->value(), 1);
        QCOMPARE(int(CalImage[242]), 1);  // the box stores what it shows
        QCOMPARE(spin(form.get(), "floatdelay")->value(), 1);
        QCOMPARE(int(CalImage[237]), 1);
        QCOMPARE(spin(form.get(), "bladeuptime")->value(), 0);
        for (auto [name, offset] : Flags) QVERIFY2(!box(form.get(), name)->isChecked(), name);
        QCOMPARE(list(form.get(), "AutoBladePort")->currentText(), QStringLiteral("None"));
        QCOMPARE(list(form.get(), "ComboBox23")->currentText(), QStringLiteral("None"));
        for (int i = 1; i <= 6; ++i)
            QVERIFY(control<QLabel>(form.get(), QByteArray("VPlowNote").append(QByteArray::number(i)).constData())->isHidden());
    }

    void cartridgeUsesSettleOnLoad()
    {
        // Cartridge valve and plow float light both on: the cartridge valve wins, and with float
        // four off the other boxes end enabled (the camera trigger stays greyed).
        auto form = loadWith({{235, 1}, {232, 1}});
        QCOMPARE(cartridgeState(form.get()), QStringLiteral("x..... ee-eee"));
        QCOMPARE(int(CalImage[232]), 0);

        // Float four alone: the only ticked box; the other four greyed, the camera trigger free.
        CalImage[235] = 0;
        CalImage[212] = 1;
        reload(form.get());
        QCOMPARE(cartridgeState(form.get()), QStringLiteral(".....x --e--e"));

        // The camera trigger wins over the later uses; float four being off, the others end
        // enabled again (a click on one of them then moves the use, see below).
        auto camera = loadWith({{214, 1}, {233, 1}, {212, 1}});
        QCOMPARE(cartridgeState(camera.get()), QStringLiteral("..x... eeeeee"));
        QCOMPARE(int(CalImage[233]), 0);
        QCOMPARE(int(CalImage[212]), 0);
    }

    void cartridgeUsesExcludeEachOtherWhenTicked()
    {
        auto form = loadWith({});
        clickBox(box(form.get(), "CheckBox20"));
        QCOMPARE(cartridgeState(form.get()), QStringLiteral(".x.... -e----"));
        QCOMPARE(int(CalImage[208]), 1);
        clickBox(box(form.get(), "CheckBox20"));
        QCOMPARE(cartridgeState(form.get()), QStringLiteral("...... eeeeee"));

        // Float four leaves the camera trigger alone; the camera trigger does not leave float four.
        clickBox(box(form.get(), "CheckBox28"));
        QCOMPARE(cartridgeState(form.get()), QStringLiteral(".....x --e--e"));
        clickBox(box(form.get(), "CheckBox30"));
        QCOMPARE(cartridgeState(form.get()), QStringLiteral("..x... --e---"));
        QCOMPARE(int(CalImage[212]), 0);
        QCOMPARE(int(CalImage[214]), 1);
        clickBox(box(form.get(), "CheckBox30"));
        QCOMPARE(cartridgeState(form.get()), QStringLiteral("...... eeeeee"));

        // Ticking one while another is ticked (it was left enabled by the loader) moves the use.
        auto both = loadWith({{235, 1}});
        clickBox(box(both.get(), "CheckBox21"));
        QCOMPARE(cartridgeState(both.get()), QStringLiteral("....x. ----e-"));
    }

    void hoistLimitIsNormallyClosedOrOpen()
    {
        auto form = loadWith({{236, 1}, {234, 1}});
        QVERIFY(box(form.get(), "hoistlimitenable")->isChecked());
        QVERIFY(!box(form.get(), "hoistNO")->isChecked());
        QCOMPARE(int(CalImage[234]), 0);
        QCOMPARE(int(CalImage[236]), 1);

        clickBox(box(form.get(), "hoistNO"));
        QVERIFY(!box(form.get(), "hoistlimitenable")->isChecked());
        QCOMPARE(int(CalImage[234]), 1);
        QCOMPARE(int(CalImage[236]), 0);
        clickBox(box(form.get(), "hoistNO"));
        QCOMPARE(int(CalImage[234]), 0);

        auto open = loadWith({{234, 1}, {236, 2}});
        QVERIFY(box(open.get(), "hoistNO")->isChecked());
        QCOMPARE(int(CalImage[236]), 0);
    }

    void floatOneBoxes()
    {
        // A force float block needs float one double acting.
        auto form = loadWith({{221, 1}, {238, 0}});
        QVERIFY(box(form.get(), "CheckBox34")->isChecked());
        QVERIFY(box(form.get(), "doubleactingfloat")->isChecked());
        QCOMPARE(int(CalImage[238]), 1);

        clickBox(box(form.get(), "CheckBox34"));
        QCOMPARE(int(CalImage[221]), 0);
        QCOMPARE(int(CalImage[238]), 1);  // unticking leaves double acting as it was
        clickBox(box(form.get(), "doubleactingfloat"));
        QCOMPARE(int(CalImage[238]), 0);
        clickBox(box(form.get(), "CheckBox34"));
        QCOMPARE(int(CalImage[221]), 1);
        QCOMPARE(int(CalImage[238]), 1);
        QVERIFY(box(form.get(), "doubleactingfloat")->isChecked());

        clickBox(box(form.get(), "minfloat"));
        QCOMPARE(int(CalImage[240]), 1);
        clickBox(box(form.get(), "CheckBox19"));
        QCOMPARE(int(CalImage[207]), 1);

        auto odd = loadWith({{240, 7}, {207, 2}});
        QVERIFY(!box(odd.get(), "minfloat")->isChecked());
        QCOMPARE(int(CalImage[240]), 0);
        QVERIFY(!box(odd.get(), "CheckBox19")->isChecked());
        QCOMPARE(int(CalImage[207]), 2);  // the lockout byte is shown, not rewritten
    }

    void floatPortsAndNames()
    {
        auto form = loadWith({{138, 21}, {139, 20}, {140, 255}, {161, 3}, {168, 'A'}, {169, 'B'}, {170, ' '}});
        QCOMPARE(list(form.get(), "PlowFloatSelect")->currentText(), QStringLiteral("None"));
        QCOMPARE(int(CalImage[138]), 0);
        QCOMPARE(list(form.get(), "WingFloatSelect")->currentText(), QStringLiteral("PORT C3"));
        QCOMPARE(int(CalImage[140]), 0);
        QCOMPARE(list(form.get(), "ToeFloatSelect")->currentText(), QStringLiteral("PORT A2"));
        QCOMPARE(control<QLineEdit>(form.get(), "float2")->text(), QStringLiteral("AB"));
        // The name rows: the second row edits float 3's name, the third float 2's.
        auto *float2 = control<QLineEdit>(form.get(), "float2");
        auto *float3 = control<QLineEdit>(form.get(), "float3");
        QVERIFY(float3->y() < float2->y());

        choose(list(form.get(), "BladeFloatSelect"), 13);
        QCOMPARE(int(CalImage[140]), 13);

        showTabOf(float2);
        float2->clear();
        QTest::keyClicks(float2, QStringLiteral("ab"));
        QCOMPARE(float2->text(), QStringLiteral("AB"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&CalImage[168]), 5), QByteArray("AB\0\0\0", 5));
        float2->clear();
        QTest::keyClicks(float2, QStringLiteral("ABCDEFG"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&CalImage[168]), 5), QByteArray("ABCDE"));
        QCOMPARE(int(CalImage[173]), 0);  // the next field is untouched

        // Float one's name is stored when the user leaves the edit.
        auto *float1 = control<QLineEdit>(form.get(), "float1");
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        float1->setFocus();
        QTest::keyClicks(float1, QStringLiteral("plow"));
        QCOMPARE(int(CalImage[163]), 0);
        QTest::keyClick(float1, Qt::Key_Return);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&CalImage[163]), 5), QByteArray("PLOW\0", 5));
        // Going to another tab leaves the edit too.
        QTest::keyClicks(float1, QStringLiteral("s"));
        auto *tabs = control<QTabWidget>(form.get(), "TabbedNotebook1");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(QuarnPage::GlobalTab).center());
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&CalImage[163]), 5), QByteArray("PLOWS", 5));
    }

    void timingsAreClampedAndStored()
    {
        auto form = loadWith({{242, 81}, {241, 11}, {237, 12}});
        QCOMPARE(int(CalImage[242]), 1);
        QCOMPARE(spin(form.get(), "startupdelay")->value(), 1);
        QCOMPARE(int(CalImage[241]), 0);
        QCOMPARE(spin(form.get(), "floatdelay")->value(), 10);
        QCOMPARE(int(CalImage[237]), 10);

        CalImage[242] = 50;
        reload(form.get());
        QCOMPARE(spin(form.get(), "startupdelay")->value(), 20);
        QCOMPARE(int(CalImage[242]), 20);
        // Also when the box already showed 20: it stores what it shows.
        CalImage[242] = 50;
        reload(form.get());
        QCOMPARE(int(CalImage[242]), 20);

        auto *blade = spin(form.get(), "bladeuptime");
        showTabOf(blade);
        blade->setFocus();
        QTest::keyClick(blade, Qt::Key_Up);
        QCOMPARE(int(CalImage[241]), 1);
        QTest::keyClick(spin(form.get(), "startupdelay"), Qt::Key_Down);
        QCOMPARE(int(CalImage[242]), 19);
    }

    void stickSafety()
    {
        for (int value : {0, 2}) {
            auto form = loadWith({{183, value}});
            QVERIFY(box(form.get(), "stayhandbox")->isChecked());
            QCOMPARE(int(CalImage[183]), 0);
        }
        auto form = loadWith({{183, 1}});
        QCOMPARE(int(CalImage[183]), 1);
        QCheckBox *stayhand = box(form.get(), "stayhandbox");
        QVERIFY(!stayhand->isChecked());
        clickBox(stayhand);
        QVERIFY(stayhand->isChecked());
        QVERIFY(!stayhand->isEnabled());
        QCOMPARE(int(CalImage[183]), 0);

        auto *sensitivity = control<QScrollBar>(form.get(), "ScrollBar81");
        QCOMPARE(sensitivity->maximum(), 60);
        sensitivity->setValue(42);
        QCOMPARE(int(CalImage[120]), 42);
    }

    void vPlowShowsItsNotes()
    {
        auto form = loadWith({{218, 1}});
        auto *note = control<QLabel>(form.get(), "VPlowNote5");
        QCOMPARE(note->text(), QStringLiteral("MUST BE JS2 PORT"));
        QVERIFY(!note->isHidden());
        clickBox(box(form.get(), "CheckBox31"));
        QCOMPARE(int(CalImage[218]), 0);
        QVERIFY(note->isHidden());
        clickBox(box(form.get(), "CheckBox31"));
        QCOMPARE(int(CalImage[218]), 1);
        QVERIFY(!note->isHidden());
        CalImage[218] = 5;
        reload(form.get());
        QCOMPARE(int(CalImage[218]), 0);
        QVERIFY(note->isHidden());
    }

    void flagsFollowTheirBytes()
    {
        auto form = loadWith({});
        for (auto [name, offset] : Flags) {
            clickBox(box(form.get(), name));
            QVERIFY2(CalImage[offset] == 1, name);
        }
        for (auto [name, offset] : Flags) {
            CalImage[offset] = (offset % 2) ? 1 : 9;
        }
        reload(form.get());
        for (auto [name, offset] : Flags) {
            QCOMPARE(box(form.get(), name)->isChecked(), offset % 2 == 1);
            QCOMPARE(int(CalImage[offset]), offset % 2);
        }
        clickBox(box(form.get(), "CheckBox25"));
        QCOMPARE(int(CalImage[254]), 1);
        QCOMPARE(box(form.get(), "CheckBox25")->text(), QStringLiteral("Pause Spreader"));
        QCOMPARE(box(form.get(), "CheckBox33")->text(), QStringLiteral("Plow Proirity over Tallow In"));
    }

    void outputLinksAndAutoBladePort()
    {
        auto form = loadWith({{199, 20}, {206, 21}, {211, 25}});
        QCOMPARE(list(form.get(), "ComboBox16")->currentText(), QStringLiteral("J1C blade2 DOWN"));
        QCOMPARE(list(form.get(), "ComboBox23")->currentIndex(), -1);
        QCOMPARE(list(form.get(), "AutoBladePort")->currentIndex(), -1);
        QCOMPARE(int(CalImage[211]), 25);  // shown as no selection, not rewritten
        choose(list(form.get(), "ComboBox19"), 12);
        QCOMPARE(int(CalImage[202]), 12);
        QCOMPARE(list(form.get(), "ComboBox19")->currentText(), QStringLiteral("J4B wing slide in"));
        choose(list(form.get(), "AutoBladePort"), 15);
        QCOMPARE(int(CalImage[211]), 15);
        reload(form.get());
        QCOMPARE(list(form.get(), "AutoBladePort")->currentText(), QStringLiteral("PORT B8"));
    }

    void randomImagesAreNormalised()
    {
        auto form = makeMainWindow();
        ProductCode = Product::Quarn;
        QRandomGenerator random(4711);
        for (int round = 0; round < 20; ++round) {
            for (uint8_t &b : CalImage) b = uint8_t(random.bounded(256));
            // Flags are mostly 0 or 1 in a real image; give each a fair chance of being on.
            for (int offset = 207; offset < 256; ++offset)
                if (random.bounded(3) == 0) CalImage[offset] = 1;
            reload(form.get());
            const CalImageBytes first = CalImage;

            for (int min : {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 111, 113, 115, 117}) {
                QVERIFY(CalImage[min] <= CalImage[min + 1]);
                QVERIFY(CalImage[min] >= 3);
            }
            for (int port : {138, 139, 140, 161}) QVERIFY(CalImage[port] <= 20);
            QVERIFY(CalImage[241] <= 10);
            QVERIFY(CalImage[242] >= 1 && CalImage[242] <= 20);
            QVERIFY(CalImage[237] >= 1 && CalImage[237] <= 10);
            QVERIFY(CalImage[183] <= 1);
            int cartridge = 0;
            for (auto [name, offset] : CartridgeUses) {
                QVERIFY(CalImage[offset] <= 1);
                cartridge += CalImage[offset];
                QCOMPARE(box(form.get(), name)->isChecked(), CalImage[offset] == 1);
            }
            QVERIFY(cartridge <= 1);
            QVERIFY(CalImage[234] + CalImage[236] <= 1);
            for (auto [name, offset] : Flags) {
                QVERIFY(CalImage[offset] <= 1);
                QCOMPARE(box(form.get(), name)->isChecked(), CalImage[offset] == 1);
            }
            if (CalImage[221] == 1) QCOMPARE(int(CalImage[238]), 1);

            // A second load finds nothing more to put right (the frequency steps by 5 Hz apart).
            reload(form.get());
            for (int offset = 1; offset < CalImageSize; ++offset)
                QVERIFY2(CalImage[offset] == first[offset], qPrintable(QStringLiteral("byte %1").arg(offset)));
        }
    }
};

QTEST_MAIN(QuarnOptionsTest)
#include "test_quarn_options.moc"
