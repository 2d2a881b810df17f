// Where the Quarn page's trim/option tabs and its joystick tabs meet: the output names under the
// trim groups follow the custom axes, the V-plow option hides the joystick controls it takes over,
// and the loader's flag and always-live steps reach the joystick tabs' controls.
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "test_quarn_support.h"

#include <QLabel>

class QuarnSeamsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { SetImageDefaults(); }

    void outputNamesFollowTheCustomAxes()
    {
        auto form = makeQuarnWindow();
        QList<QLabel *> names = form->findChildren<QLabel *>(QRegularExpression(QStringLiteral("NameLabel$")));
        QCOMPARE(names.size(), 20);
        for (QLabel *name : names) QVERIFY2(!name->isHidden(), qPrintable(name->objectName()));

        // One axis of one button set: all twenty names go.
        CalImage[Off::Quarn::RedAxes + 1] = 3;
        reload(form.get());
        for (QLabel *name : names) QVERIFY2(name->isHidden(), qPrintable(name->objectName()));

        CalImage[Off::Quarn::RedAxes + 1] = 0;
        reload(form.get());
        for (QLabel *name : names) QVERIFY(!name->isHidden());
    }

    void vPlowHidesTheJoystickControlsItTakesOver()
    {
        auto form = makeQuarnWindow();
        const char *const takenOver[] = {"GreenButtonCustomGroup", "OrangeButtonCustomGroup", "ComboBox13", "ComboBox3"};
        for (const char *name : takenOver) QVERIFY2(!control<QWidget>(form.get(), name)->isHidden(), name);

        clickBox(box(form.get(), "CheckBox31"));
        QCOMPARE(int(CalImage[218]), 1);
        for (const char *name : takenOver) QVERIFY2(control<QWidget>(form.get(), name)->isHidden(), name);

        clickBox(box(form.get(), "CheckBox31"));
        QCOMPARE(int(CalImage[218]), 0);
        for (const char *name : takenOver) QVERIFY2(!control<QWidget>(form.get(), name)->isHidden(), name);
    }

    void loaderReachesTheJoystickTabsControls()
    {
        auto form = makeQuarnWindow();
        CalImage[Off::Quarn::SafetyLatch] = 1;
        CalImage[Off::Quarn::ModeButtonsAreTrigger] = 1;  // always-live needs the trigger
        CalImage[Off::Quarn::AlwaysLiveMode] = 2;
        reload(form.get());
        QVERIFY(box(form.get(), "CheckBox8")->isChecked());
        QVERIFY(box(form.get(), "CheckBox10")->isChecked());
        QCOMPARE(control<QComboBox>(form.get(), "alwayslive")->currentIndex(), 2);
        QCOMPARE(control<QComboBox>(form.get(), "alwayslive2")->currentIndex(), 2);

        // A safety-latch byte other than 1 is off and is written back as 0.
        CalImage[Off::Quarn::SafetyLatch] = 7;
        reload(form.get());
        QVERIFY(!box(form.get(), "CheckBox8")->isChecked());
        QCOMPARE(int(CalImage[Off::Quarn::SafetyLatch]), 0);
    }
};

QTEST_MAIN(QuarnSeamsTest)
#include "test_quarn_seams.moc"
