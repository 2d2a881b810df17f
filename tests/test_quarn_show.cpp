// The Quarn 2 page's show rules: what showing an image stores, read from the core alone.
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/catalog/edits.h"
#include "core/catalog/joysticktables.h"
#include "core/catalog/quarn_rules.h"
#include "core/catalog/show.h"

#include <QRandomGenerator>
#include <QtTest>

#include <initializer_list>
#include <utility>

using namespace Off::Quarn;

namespace {
using Bytes = std::initializer_list<std::pair<int, int>>;

CalImageBytes Defaults()
{
    CalImageBytes image;
    SetImageDefaultBytes(image.data());
    return image;
}

// The defaults with `set` written over them, as shown.
CalImageBytes Shown(Bytes set, CalImageBytes image = Defaults())
{
    for (auto [offset, value] : set) image[size_t(offset)] = uint8_t(value);
    Catalogue::ShowQuarnRules(image, Product::Quarn);
    return image;
}

QString Text(const CalImageBytes &image, int offset, int width)
{
    return QString::fromLatin1(reinterpret_cast<const char *>(image.data() + offset), width);
}
}  // namespace

class QuarnShowTest : public QObject {
    Q_OBJECT

private slots:
    // A trim is brought into its bar, and a bar that moved pairs the other side; a side at the top
    // of its bar (where the bar starts) pairs nothing.
    void trimsComeIntoTheirBars()
    {
        const CalImageBytes defaults = Shown({});
        QCOMPARE(int(defaults[PlowUpMin]), 3);  // 0.05v is below the bar
        QCOMPARE(int(defaults[PlowUpMin + 1]), 254);
        auto pair = [](int min, int max) {
            const CalImageBytes image = Shown({{PlowUpMin, min}, {PlowUpMin + 1, max}});
            return std::make_pair(int(image[PlowUpMin]), int(image[PlowUpMin + 1]));
        };
        QCOMPARE(pair(0, 0), std::make_pair(3, 3));
        QCOMPARE(pair(100, 50), std::make_pair(100, 100));  // the minimum drags the maximum up
        QCOMPARE(pair(255, 100), std::make_pair(100, 100));  // the maximum drags the minimum down
        QCOMPARE(pair(255, 255), std::make_pair(255, 255));
        QCOMPARE(pair(20, 200), std::make_pair(20, 200));
        // The extra trim groups of the Quarn 2 follow the same bars.
        QCOMPARE(int(Shown({{Blade2RightMin, 1}})[Blade2RightMin]), 3);
    }

    // Float one is double acting while it is a force float block; flags other than 1 are off.
    void floatOneForceBlock()
    {
        CalImageBytes image = Shown({{Float1ForceBlock, 1}, {Float1DoubleActing, 0}});
        QCOMPARE(int(image[Float1DoubleActing]), 1);
        image = Shown({{Float1ForceBlock, 7}, {Float1DoubleActing, 7}});
        QCOMPARE(int(image[Float1ForceBlock]), 0);
        QCOMPARE(int(image[Float1DoubleActing]), 0);
    }

    // Options that exclude each other: the hoist limit switch is closed or open (closed wins), the
    // cartridge port has one use (the first found).
    void exclusiveOptions()
    {
        CalImageBytes image = Shown({{HoistLimitNC, 1}, {HoistLimitNO, 1}});
        QCOMPARE(std::make_pair(int(image[HoistLimitNC]), int(image[HoistLimitNO])), std::make_pair(1, 0));
        image = Shown({{HoistLimitNC, 5}, {HoistLimitNO, 1}});
        QCOMPARE(std::make_pair(int(image[HoistLimitNC]), int(image[HoistLimitNO])), std::make_pair(0, 1));

        image = Shown({{CartridgeValve, 1}, {PlowFloatLight, 1}});
        QCOMPARE(int(image[CartridgeValve]), 1);
        QCOMPARE(int(image[PlowFloatLight]), 0);
        image = Shown({{CameraPowerTrigger, 1}, {HoistLimitLight, 1}, {Float4DoubleActing, 1}, {HoistDownDumpValve, 3}});
        QCOMPARE(int(image[CameraPowerTrigger]), 1);
        for (int offset : {HoistLimitLight, Float4DoubleActing, HoistDownDumpValve}) QCOMPARE(int(image[size_t(offset)]), 0);
    }

    // Flags, spin boxes and lists the page cannot show as they stand.
    void valuesComeIntoTheirControls()
    {
        const CalImageBytes image = Shown({{BodyLock, 2},
                                           {StickSafetyDisabled, 2},
                                           {ModeButtonsAreTrigger, 7},
                                           {MultiMode, 3},
                                           {FloatLockout, 5},
                                           {FloatDelay, 0},
                                           {BladeUpTime, 11},
                                           {StartupDelay, 50},
                                           {StickSafetySensitivity, 61},
                                           {Off::ToeFloatPort, 21},
                                           {Off::JoystickType, 250}});
        QCOMPARE(int(image[BodyLock]), 0);
        QCOMPARE(int(image[StickSafetyDisabled]), 0);
        QCOMPARE(int(image[ModeButtonsAreTrigger]), 1);
        QCOMPARE(int(image[MultiMode]), 1);
        QCOMPARE(int(image[FloatLockout]), 5);  // its box starts unticked and stores nothing
        QCOMPARE(int(image[FloatDelay]), 1);
        QCOMPARE(int(image[BladeUpTime]), 0);
        QCOMPARE(int(image[StartupDelay]), 20);
        QCOMPARE(int(image[StickSafetySensitivity]), 60);
        QCOMPARE(int(image[Off::ToeFloatPort]), 0);
        QCOMPARE(int(image[Off::JoystickType]), Joy::JoystickPages[Joy::FourButtonPage].type);
        QCOMPARE(int(Shown({{StartupDelay, 81}})[StartupDelay]), 1);
        QCOMPARE(int(Shown({{FloatDelay, 11}})[FloatDelay]), 10);
    }

    // The four-stick page: each stick's option is safety or nothing; a mode changed so settles its
    // remote pair.
    void fourStickSafetyAndRemotePairs()
    {
        const CalImageBytes image = Shown({{Off::JoystickType, Joy::Type::FourStick},
                                           {Off::RedMode, Joy::Code::RemoteButton},
                                           {Off::GreenMode, Joy::Code::Safety},
                                           {Off::RemotePairs[0][0], 40},
                                           {Off::RemotePairs[0][1], 40}});
        QCOMPARE(int(image[Off::RedMode]), 0);
        QCOMPARE(int(image[Off::GreenMode]), Joy::Code::Safety);
        QCOMPARE(int(image[Off::RemotePairs[0][0]]), 255);
        QCOMPARE(int(image[Off::RemotePairs[0][1]]), 255);

        const CalImageBytes remote = Shown({{Off::RedMode, Joy::Code::RemoteButton}, {Off::RemotePairs[0][0], 40}, {Off::RemotePairs[0][1], 40}});
        QCOMPARE(int(remote[Off::RemotePairs[0][0]]), 11);
        QCOMPARE(int(remote[Off::RemotePairs[0][1]]), 101);
    }

    // Labels are shown upper case and centred; float names upper case, but float one's only once
    // the technician leaves its edit; without the trigger a button joystick blanks the always-live
    // label.
    void labelsAndNames()
    {
        CalImageBytes start = Defaults();
        std::memcpy(start.data() + RedLabel, "ab\0", 3);
        std::memcpy(start.data() + Float1Name, "ab\0", 3);
        std::memcpy(start.data() + Float2Name, "wng\0", 4);
        std::memcpy(start.data() + AlwaysLiveLabel, "LIVE\0", 5);
        const CalImageBytes image = Shown({}, start);
        QCOMPARE(Text(image, RedLabel, Off::LabelWidth), QStringLiteral("   AB   ") + QChar(0));
        QCOMPARE(Text(image, Float1Name, 3), QStringLiteral("ab") + QChar(0));
        QCOMPARE(Text(image, Float2Name, Off::FloatNameWidth), QStringLiteral("WNG") + QString(2, QChar(0)));
        QCOMPARE(Text(image, AlwaysLiveLabel, Off::LabelWidth), QString(8, QLatin1Char(' ')) + QChar(0));
        // With the trigger the label stays as a label.
        const CalImageBytes trigger = Shown({{ModeButtonsAreTrigger, 1}}, start);
        QCOMPARE(Text(trigger, AlwaysLiveLabel, Off::LabelWidth), QStringLiteral("  LIVE  ") + QChar(0));
        // A letter whose upper case is two pushes the last one out: the label settles at once.
        std::memcpy(start.data() + RedLabel, "\xdf" "ABCDE\x1b" "F", 8);
        const CalImageBytes long_ = Shown({}, start);
        QCOMPARE(Text(long_, RedLabel, Off::LabelWidth), QStringLiteral("SSABCDE ") + QChar(0));
    }

    // A mode byte set by a stick's option list or safety box keeps the button's label, while the
    // mode list gives the mode's label; both settle the remote pair.
    void stickOptionsKeepTheLabel()
    {
        CalImageBytes image = Shown({{Off::RedMode, Joy::Code::RemoteButton}});
        QuarnRules::StoreLabel(image, RedLabel, QStringLiteral("SALT"));
        CalImageBytes option = image;
        QuarnRules::SetButtonOption(option, Off::RedMode, Joy::Code::Inactive);
        QCOMPARE(Text(option, RedLabel, Off::LabelWidth), QStringLiteral("  SALT  ") + QChar(0));
        QCOMPARE(int(option[Off::RemotePairs[0][0]]), 255);
        CalImageBytes list = image;
        QVERIFY(Catalogue::EditField(list, Product::Quarn, Off::RedMode, QByteArray(1, char(Joy::Code::Inactive))));
        QCOMPARE(Text(list, RedLabel, Off::LabelWidth), QString(8, QLatin1Char(' ')) + QChar(0));
        QCOMPARE(int(list[Off::RemotePairs[0][1]]), 255);
    }

    // The always-live list stores typed text that names no item as 255, and nothing without the
    // trigger (its list is greyed).
    void alwaysLiveTakesTypedText()
    {
        const QByteArray typed(1, char(255));
        CalImageBytes image = Shown({{ModeButtonsAreTrigger, 1}});
        QVERIFY(Catalogue::EditField(image, Product::Quarn, AlwaysLiveMode, typed));
        QCOMPARE(int(image[AlwaysLiveMode]), 255);
        image = Shown({});
        QVERIFY(!Catalogue::EditField(image, Product::Quarn, AlwaysLiveMode, typed));
        QVERIFY(!Catalogue::EditField(image, Product::Quarn, AlwaysLiveMode, QByteArray(1, 1)));
    }

    // Showing what was shown changes nothing, whatever the bytes.
    void showingTwiceChangesNothing()
    {
        for (quint32 seed = 1; seed <= 500; ++seed) {
            QRandomGenerator random(seed);
            CalImageBytes image;
            for (uint8_t &b : image) b = uint8_t(random.bounded(256));
            if (seed % 2) image[Off::JoystickType] = uint8_t(Joy::JoystickPages[seed % Joy::JoystickPageCount].type);
            Catalogue::ShowQuarnRules(image, Product::Quarn);
            CalImageBytes again = image;
            Catalogue::ShowQuarnRules(again, Product::Quarn);
            QVERIFY2(again == image, qPrintable(QStringLiteral("seed %1").arg(seed)));
        }
    }
};

QTEST_APPLESS_MAIN(QuarnShowTest)
#include "test_quarn_show.moc"
