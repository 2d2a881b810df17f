// The Horner CsCAN page: bus bit rate, output ports and the twenty output ramps, as the loader
// shows them and as each control stores them.
#include "core/calimage.h"
#include "core/conversions.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <initializer_list>
#include <utility>

namespace {
using Bytes = std::initializer_list<std::pair<int, int>>;

// Clicks a check box on its box, as a user does.
void Tick(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

void Drag(QScrollBar *bar, int position)
{
    bar->setSliderDown(true);
    bar->setSliderPosition(position);
    bar->setSliderDown(false);
}
}  // namespace

class CsCanTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    std::unique_ptr<TQuarnForm> m_form;

    template <class T>
    T *control(const QString &name) const
    {
        return findControl<T>(m_form.get(), name);
    }
    QString text(const QString &label) const { return control<QLabel>(label)->text(); }
    QRadioButton *rate(int i) const { return control<QRadioButton>(QStringLiteral("RadioButton%1").arg(i)); }
    int checkedRate() const
    {
        for (int i = 1; i <= 5; ++i)
            if (rate(i)->isChecked()) return i;
        return 0;
    }

    void download(Bytes bytes)
    {
        for (auto [offset, value] : bytes) CalImage[offset] = static_cast<uint8_t>(value);
        ProductCode = Product::CsCan;
        m_form->ImageToControls(true);
    }
    void showTab(int index) { control<QTabWidget>(QStringLiteral("TabbedNotebook3"))->setCurrentIndex(index); }

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

    void pageTabsAndNote()
    {
        download({});
        auto *stack = control<QStackedWidget>(QStringLiteral("ProductNotebook"));
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::CsCanPageIndex));
        QCOMPARE(stack->currentWidget()->windowTitle(), QStringLiteral("Horner CsCAN"));
        auto *tabs = control<QTabWidget>(QStringLiteral("TabbedNotebook3"));
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
        QCOMPARE(captions, QStringList({"Global", "Port A", "Port B", "Port C"}));
        const QString note = text(QStringLiteral("PinoutNote"));
        QVERIFY(note.startsWith(QStringLiteral("M12 Can-Bus pinout:\n1. CAN_H\n")));
        QVERIFY(note.endsWith(QStringLiteral("JUMPER UNDER RIBBON CABLE.")));
        const QStringList rates = {"100 Kbps", "125 Kbps", "250 Kbps", "500 Kbps", "1000 Kbps"};
        for (int i = 1; i <= 5; ++i) QCOMPARE(rate(i)->text(), rates[i - 1]);
    }

    void loaderShowsBitRate()
    {
        download({{1, 6}, {2, 0}, {3, 0}});
        QCOMPARE(checkedRate(), 3);
        QCOMPARE(int(CalImage[2]), 12);
        QCOMPARE(int(CalImage[3]), 55);

        download({{1, 0}, {2, 0}, {3, 0}});
        QCOMPARE(checkedRate(), 5);
        QCOMPARE(int(CalImage[1]), 0);
        QCOMPARE(int(CalImage[2]), 12);
        QCOMPARE(int(CalImage[3]), 54);

        // A byte of no known rate checks nothing new and is left in the image.
        download({{1, 1}});
        QCOMPARE(checkedRate(), 5);
        QCOMPARE(int(CalImage[1]), 1);
    }

    void bitRateButtonsWriteTiming()
    {
        download({{1, 0}});
        const int expected[5][3] = {{18, 12, 55}, {14, 12, 55}, {6, 12, 55}, {2, 12, 55}, {0, 12, 54}};
        for (int i = 1; i <= 5; ++i) {
            int other = i == 5 ? 1 : 5;
            QTest::mouseClick(rate(other), Qt::LeftButton);
            CalImage[2] = CalImage[3] = 99;
            QTest::mouseClick(rate(i), Qt::LeftButton);
            QCOMPARE(checkedRate(), i);
            QCOMPARE(int(CalImage[1]), expected[i - 1][0]);
            QCOMPARE(int(CalImage[2]), expected[i - 1][1]);
            QCOMPARE(int(CalImage[3]), expected[i - 1][2]);
        }
    }

    void portsIdAndActive()
    {
        download({{4, 255}, {5, 7}, {6, 17}, {7, 1}, {8, 0}, {9, 1}});
        QCOMPARE(control<QScrollBar>(QStringLiteral("portaID"))->value(), 253);
        QCOMPARE(text(QStringLiteral("Label299")), QStringLiteral("ID 253"));
        QCOMPARE(int(CalImage[4]), 253);
        QCOMPARE(text(QStringLiteral("Label301")), QStringLiteral("ID 17"));
        QCOMPARE(text(QStringLiteral("Label303")), QStringLiteral("ID 0"));
        QVERIFY(!control<QCheckBox>(QStringLiteral("CheckBox11"))->isChecked());
        QCOMPARE(int(CalImage[5]), 0);
        QVERIFY(control<QCheckBox>(QStringLiteral("CheckBox12"))->isChecked());
        QVERIFY(control<QCheckBox>(QStringLiteral("CheckBox13"))->isChecked());
        QCOMPARE(control<QCheckBox>(QStringLiteral("CheckBox11"))->text(), QStringLiteral("Port A Active"));
        QCOMPARE(control<QGroupBox>(QStringLiteral("portaIDGroup"))->title(), QStringLiteral(" Port A Network Settings"));

        Tick(control<QCheckBox>(QStringLiteral("CheckBox11")));
        QCOMPARE(int(CalImage[5]), 1);
        Tick(control<QCheckBox>(QStringLiteral("CheckBox13")));
        QCOMPARE(int(CalImage[9]), 0);
        Drag(control<QScrollBar>(QStringLiteral("portcID")), 99);
        QCOMPARE(int(CalImage[8]), 99);
        QCOMPARE(text(QStringLiteral("Label303")), QStringLiteral("ID 99"));
    }

    void outputRampsLoadAndStore()
    {
        download({{200, 30}, {201, 30}});
        QCOMPARE(text(QStringLiteral("Label304")), QStringLiteral("Time Between Increases 30 ms"));
        QCOMPARE(text(QStringLiteral("Label305")), QStringLiteral("Increase Amount 30"));
        // Out of range: a step size of 0 shows and stores 1, one above 50 shows and stores 50.
        download({{200, 0}, {201, 0}, {203, 200}});
        QCOMPARE(control<QScrollBar>(QStringLiteral("ScrollBar38"))->value(), 1);
        QCOMPARE(text(QStringLiteral("Label305")), QStringLiteral("Increase Amount 1"));
        QCOMPARE(int(CalImage[201]), 0);  // the bar shows 1 where it starts: it did not move, so stored nothing
        QCOMPARE(text(QStringLiteral("Label304")), QStringLiteral("Time Between Increases 1 ms"));
        QCOMPARE(int(CalImage[203]), 50);

        // Bar k stores byte 200 + k and relabels itself; each sits in its output's group and tab.
        auto *tabs = control<QTabWidget>(QStringLiteral("TabbedNotebook3"));
        const QString ports = QStringLiteral("AAAAAAAABBBBBBBBCCCC");
        const int numbers[20] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4};
        for (int k = 0; k < 40; ++k) {
            auto *bar = control<QScrollBar>(QStringLiteral("ScrollBar%1").arg(37 + k));
            auto *group = qobject_cast<QGroupBox *>(bar->parentWidget());
            QVERIFY(group);
            const int output = k / 2;
            QCOMPARE(group->title(), QStringLiteral("Output %1%2").arg(ports[output]).arg(numbers[output]));
            QCOMPARE(tabs->indexOf(group->parentWidget()), 1 + QStringLiteral("ABC").indexOf(ports[output]));
            QCOMPARE(bar->maximum(), k % 2 ? 50 : 250);
            tabs->setCurrentWidget(group->parentWidget());
            Drag(bar, 10 + k);
            QCOMPARE(int(CalImage[200 + k]), 10 + k);
            const QString label = text(QStringLiteral("Label%1").arg(304 + k));
            QCOMPARE(label, k % 2 ? QStringLiteral("Increase Amount %1").arg(10 + k)
                                  : QStringLiteral("Time Between Increases %1 ms").arg(10 + k));
        }
        QCOMPARE(int(CalImage[199]), 0);
        QCOMPARE(int(CalImage[240]), 0);
    }

    void frequencyBar()
    {
        download({{0, 49}});
        QCOMPARE(control<QScrollBar>(QStringLiteral("ScrollBar32"))->value(), 115);
        QCOMPARE(text(QStringLiteral("Label294")), QStringLiteral("115 Hertz"));
        Drag(control<QScrollBar>(QStringLiteral("ScrollBar32")), 50);
        QCOMPARE(int(CalImage[0]), 160);
        QCOMPARE(text(QStringLiteral("Label294")), QStringLiteral("50 Hertz"));
    }
};

QTEST_MAIN(CsCanTest)
#include "test_cscan.moc"
