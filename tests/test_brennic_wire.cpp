// The Brennic and CsCAN pages against the controller emulator: a controller announcing 'd' or 'z'
// is downloaded into its page, and the Brennic grip test buttons put each grip's own channel and
// trim on the line. Needs the link worker and the emulator engine; without them it skips.
#include "support/testsupport.h"

#include <QTest>

#if __has_include("sim_controller.h") && __has_include("link/serialdevicemap.h") && __has_include("link/linkprotocol.h")
#define QUARN_HAVE_EMULATOR 1
#include "core/calimage.h"
#include "core/settings.h"
#include "ui/quarnform.h"
#include "link/comthread.h"
#include "link/linkprotocol.h"
#include "link/serialdevicemap.h"
#include "sim_controller.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

// An emulated controller registered as COM<port> and chosen as the tool's port while it lives.
class Controller {
public:
    Controller(char product, int port, const CalImageBytes &image) : m_sim(Options(product)), m_port(port)
    {
        QString error;
        m_started = m_sim.Start(error);
        if (!m_started) qWarning("emulator: %s", qPrintable(error));
        m_sim.SetImage(image);
        SerialDeviceMap::Register(port, m_sim.DevicePath());
        WriteComPortSetting(port);
    }
    ~Controller()
    {
        SerialDeviceMap::Unregister(m_port, m_sim.DevicePath());
        m_sim.Stop();
    }
    bool started() const { return m_started; }
    SimController &sim() { return m_sim; }

private:
    static SimOptions Options(char product)
    {
        SimOptions options;
        options.product = product;
        return options;
    }
    SimController m_sim;
    int m_port;
    bool m_started = false;
};

// Waits for the tool to report the automatic download after the controller's identification.
bool DownloadShown(const ModalAnswerer &answer)
{
    return waitUntil([&] { return answer.texts().contains(QStringLiteral("Download Successful!")); });
}

// True once the tool has sent (code, level) on the line at least twice in a row.
bool Streams(SimController &sim, int code, int level)
{
    const std::vector<WireByte> wire = sim.WireLog();
    int pairs = 0;
    for (size_t i = 0; i + 1 < wire.size(); ++i)
        if (wire[i].fromTool && wire[i + 1].fromTool && wire[i].byte == code && wire[i + 1].byte == level) ++pairs;
    return pairs >= 2;
}
}  // namespace
#endif

class BrennicWireTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void brennicDownloadAndGripButtonsOnTheWire()
    {
#ifndef QUARN_HAVE_EMULATOR
        QSKIP("needs the link worker and the controller emulator");
#else
        CalImageBytes image{};
        image[0] = 49;
        for (int offset = 1; offset <= 16; ++offset) image[offset] = static_cast<uint8_t>(100 + offset);
        image[33] = 1;
        image[196] = 50;  // dump run time below its deceleration start point
        image[213] = 80;
        Controller controller('d', 7, image);
        QVERIFY(controller.started());
        ModalAnswerer answer;
        auto form = makeMainWindow();
        QVERIFY(DownloadShown(answer));
        auto *stack = findControl<QStackedWidget>(form.get(), QStringLiteral("ProductNotebook"));
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::BrennicPageIndex));
        QCOMPARE(int(CalImage[1]), 101);
        QCOMPARE(findControl<QScrollBar>(form.get(), QStringLiteral("ScrollBar21"))->value(), 50);
        QCOMPARE(int(CalImage[196]), 50);
        QCOMPARE(int(CalImage[213]), 50);

        findControl<QTabWidget>(form.get(), QStringLiteral("TabbedNotebook2"))->setCurrentIndex(3);
        struct Case {
            const char *button;
            int code, level;
        };
        // Grip Close is output A5 on channel 2 with its trims at 1/2; Grip Open is A6 on channel 1 at 3/4.
        const Case cases[] = {{"GripCloseMinButton", 2, 101},
                              {"GripCloseMaxButton", 2, 102},
                              {"GripOpenMinButton", 1, 103},
                              {"GripOpenMaxButton", 1, 104}};
        for (const Case &c : cases) {
            controller.sim().ClearWire();
            auto *button = findControl<QPushButton>(form.get(), QString::fromLatin1(c.button));
            // A press counts only while the link is connected (not while a transfer finishes).
            QVERIFY(waitUntil([&] { return form->comThread()->LockedState() == LinkState::Connected; }));
            QTest::mousePress(button, Qt::LeftButton);
            QVERIFY2(waitUntil([&] { return Streams(controller.sim(), c.code, c.level); }), c.button);
            QTest::mouseRelease(button, Qt::LeftButton);
            QCOMPARE(form->testPressStamp(), 0u);
        }
        form.reset();
#endif
    }

    void csCanDownloadShowsItsPage()
    {
#ifndef QUARN_HAVE_EMULATOR
        QSKIP("needs the link worker and the controller emulator");
#else
        CalImageBytes image{};
        image[0] = 49;
        image[1] = 6;  // 250 kbit/s
        image[2] = 12;
        image[3] = 55;
        image[4] = 255;  // above the highest network ID
        image[33] = 1;
        image[238] = 138;
        image[239] = 59;  // above the largest increase
        Controller controller('z', 8, image);
        QVERIFY(controller.started());
        ModalAnswerer answer;
        auto form = makeMainWindow();
        QVERIFY(DownloadShown(answer));
        auto *stack = findControl<QStackedWidget>(form.get(), QStringLiteral("ProductNotebook"));
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::CsCanPageIndex));
        QVERIFY(findControl<QRadioButton>(form.get(), QStringLiteral("RadioButton3"))->isChecked());
        QCOMPARE(int(CalImage[4]), 253);
        QCOMPARE(findControl<QLabel>(form.get(), QStringLiteral("Label342"))->text(),
                 QStringLiteral("Time Between Increases 138 ms"));
        QCOMPARE(findControl<QLabel>(form.get(), QStringLiteral("Label343"))->text(), QStringLiteral("Increase Amount 50"));
        QCOMPARE(int(CalImage[239]), 50);
        form.reset();
#endif
    }
};

QTEST_MAIN(BrennicWireTest)
#include "test_brennic_wire.moc"
