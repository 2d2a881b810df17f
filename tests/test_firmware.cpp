// The firmware upgrade end to end: the real link worker and the emulated controller on a
// pseudo-terminal, the file chosen in the window's dialog, the flash programmed and read back,
// and the new application announcing itself.
#include "core/calimage.h"
#include "core/settings.h"
#include "core/startfolder.h"
#include "ui/endrequest.h"
#include "ui/quarnform.h"
#include "link/comthread.h"
#include "sim_bootloader.h"
#include "sim_options.h"
#include "support/filedialogs.h"
#include "support/hexrecords.h"
#include "support/simlink.h"
#include "support/wirewindow.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
constexpr int Com = 171;
const QString Banner = QStringLiteral("QUARN 2 v1.1 Connected and Listening");
const QString Verified = QStringLiteral("Upload completed and verified!");
// Programming and reading back every page, byte by byte through the worker's passes.
constexpr int ProgrammingDeadlineMs = 3 * WaitDeadlineMs;

uint8_t FirmwareByte(int address) { return uint8_t(address * 7 + 3); }

QString WriteFirmware(const QTemporaryDir &dir, int highest)
{
    const QString name = dir.filePath(QStringLiteral("firmware.hex"));
    QFile file(name);
    const QByteArray text = HexFileText(highest, FirmwareByte);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) qFatal("cannot write %s", qPrintable(name));
    return name;
}

// True when the emulated flash holds the firmware from address 0 to `highest`.
bool FlashHolds(const SimBootloader &boot, int highest)
{
    for (int a = 0; a <= highest; ++a)
        if (boot.Flash(uint32_t(a)) != FirmwareByte(a)) return false;
    return true;
}
}  // namespace

class FirmwareTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    static QString panelText(TQuarnForm &form) { return findControl<QLabel>(&form, QStringLiteral("ConnectedPanel"))->text(); }
    static QColor panelColour(TQuarnForm &form)
    {
        return findControl<QLabel>(&form, QStringLiteral("ConnectedPanel"))->palette().color(QPalette::Window);
    }

private slots:
    void init()
    {
        ProductCode = Product::None;
        // These runs are about programming; the copy taken before it is tested on its own.
        OpenSettings(QString::fromLatin1(SettingsSection))
            ->setValue(QStringLiteral("Firmware/BackupBeforeUpgrade"), false);
    }

    void upgradeFromTheMenuProgramsAndTheApplicationReturns()
    {
        const int highest = 0x2FF;   // three 256-byte pages
        const QString hex = WriteFirmware(m_dir, highest);
        SimBootloader boot;
        SimOnCom sim(Com, QuickStart(), boot);
        ModalAnswerer boxes;
        FileDialogTyper dialogs(boxes, hex);
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form && waitFreshlyConnected(sim, *form->comThread()));
        sim.sim().ClearWire();

        const QString startFolder = StartFolder(FolderKind::Firmware);
        findControl<QAction>(form.get(), QStringLiteral("UpgradeFirmware1"))->trigger();
        QVERIFY(waitUntil([&] { return boxes.texts().contains(Verified); }, ProgrammingDeadlineMs));
        QCOMPARE(dialogs.seen().size(), 1);
        const FileDialogSeen &seen = dialogs.seen().first();
        QCOMPARE(seen.title, QStringLiteral("Select Quarn Firmware File"));
        QCOMPARE(seen.nameFilters, QStringList{QStringLiteral("ATMega16 CPU files (*.hex)")});
        QCOMPARE(seen.directory, startFolder);
        QVERIFY(seen.directory != QCoreApplication::applicationDirPath());
        QCOMPARE(StartFolder(FolderKind::Firmware), QFileInfo(hex).absolutePath());
        QCOMPARE(boot.PagesWritten(), 3);
        QVERIFY(FlashHolds(boot, highest));

        // 'R' starts the new application, which announces itself and is acknowledged.
        QVERIFY(waitUntil([&] { return panelText(*form) == Banner; }));
        QCOMPARE(panelColour(*form), QColor(0, 128, 0));
        // The probe, the restart into the bootloader, its hook and the order to name its chip.
        QVERIFY(sim.toolBytes().startsWith("\xff" "RuI"));
    }

    void controllerWithoutFirmwareAsksForItAtConnection()
    {
        // Nothing to start: the bootloader comes back after 'R', the user is told, and the dialog
        // follows. Cancelled, nothing is programmed, the bootloader is told to start (it has
        // nothing to start) and is left announcing itself; Reset asks again.
        const int highest = 0x13F;
        const QString hex = WriteFirmware(m_dir, highest);
        SimBootOptions bootOptions;
        bootOptions.hasFirmware = false;
        SimBootloader boot(bootOptions);
        SimOnCom sim(Com, SimOptions{}, boot);
        ModalAnswerer boxes;
        FileDialogTyper dialogs(boxes, QString());
        WriteComPortSetting(Com);
        auto form = makeMainWindow();

        QVERIFY(waitUntil([&] { return panelText(*form) == QLatin1String("Error installing firmware"); }));
        QCOMPARE(panelColour(*form), QColor(255, 0, 0));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("This system has no firmware, please select firmware now.")});
        QCOMPARE(dialogs.seen().size(), 1);
        QCOMPARE(boot.PagesWritten(), 0);
        QVERIFY(waitUntil([&] { return sim.toolBytes().endsWith('R') && sim.toolBytes().count('I') == 1; }));
        // It announces itself again and again, and is not hooked for the same question.
        const auto announcementsAfterRelease = [&] {
            int count = 0;
            for (const WireByte &b : sim.sim().WireLog()) count = b.fromTool ? 0 : count + (b.byte == 'B');
            return count;
        };
        QVERIFY(waitUntil([&] { return announcementsAfterRelease() >= 2; }));
        QCOMPARE(dialogs.seen().size(), 1);
        QCOMPARE(panelText(*form), QStringLiteral("Error installing firmware"));

        dialogs.setPath(hex);
        findControl<QPushButton>(form.get(), QStringLiteral("ResetButton"))->click();
        QVERIFY(waitUntil([&] { return boxes.texts().contains(Verified); }, ProgrammingDeadlineMs));
        QCOMPARE(dialogs.seen().size(), 2);
        QVERIFY(FlashHolds(boot, highest));
        // Programmed, the controller has an application to start.
        QVERIFY(waitUntil([&] { return panelText(*form) == Banner; }));
        QCOMPARE(panelColour(*form), QColor(0, 128, 0));
    }

    void smallPagesProgramAndVerifyEveryPageUpToTheHighestAddress()
    {
        // 0x1234 is the highest address: pages 0x0000 to 0x1200 of 128 bytes, 37 in all, each
        // written once and read back in two blocks.
        const int highest = 0x1234;
        const QString hex = WriteFirmware(m_dir, highest);
        SimBootOptions bootOptions;
        bootOptions.chip = "ATmega32";
        SimBootloader boot(bootOptions);
        SimOptions options = QuickStart();
        options.pacing = false;   // the page count is the point here, not the line's pace
        SimOnCom sim(Com, options, boot);
        RecordingLinkHost host;
        host.firmwareFile = hex;
        TCOMThread worker(host, Com);
        QVERIFY(waitUntil([&] { return host.statusTexts().contains(Banner); }));
        QVERIFY(waitFreshlyConnected(sim, worker));

        worker.SetRequest(Request::Upgrade, 0);
        QVERIFY(waitUntil([&] { return host.boxes().contains(QStringLiteral("info: ") + Verified); }, ProgrammingDeadlineMs));
        QCOMPARE(boot.PagesWritten(), 37);
        QVERIFY(FlashHolds(boot, highest));
        QCOMPARE(boot.Flash(0x1280), uint8_t(0xFF));   // the page after the last is left erased
        const QStringList texts = host.statusTexts();
        QVERIFY(texts.contains(QStringLiteral("Quarn boot 1.2 ATmega32")));
        QVERIFY(texts.indexOf(QStringLiteral("Sending update...")) < texts.indexOf(QStringLiteral("Verifying flash...")));
        QVERIFY(waitUntil([&] { return host.lastStatus().text == Banner && host.lastStatus().colour == LinkColor::Green; }));
    }

    void closingTheLinkInTheMiddleOfProgrammingLeavesTheControllerWaitingForTheNextLink()
    {
        const QString hex = WriteFirmware(m_dir, 0x1FFF);   // seconds at the line's pace
        SimBootloader boot;
        SimOnCom sim(Com, QuickStart(), boot);
        RecordingLinkHost host;
        host.firmwareFile = hex;
        auto worker = std::make_unique<TCOMThread>(host, Com);
        QVERIFY(waitUntil([&] { return host.statusTexts().contains(Banner); }));
        QVERIFY(waitFreshlyConnected(sim, *worker));
        worker->SetRequest(Request::Upgrade, 0);
        QVERIFY(waitUntil([&] { return boot.Packets('D') > 2; }));
        worker.reset();   // the window closes
        // Half a program is never started: no order to start, and no reset vector to start from.
        QCOMPARE(boot.StartOrders(), 0);
        QVERIFY(!boot.HasFirmware());
        QVERIFY(host.runEndings().last().startsWith(QLatin1String(FirmwareIncompleteText)));
        // The next link finds the controller waiting silently in its bootloader and programs it.
        RecordingLinkHost next;
        next.firmwareFile = WriteFirmware(m_dir, 0x2FF);
        next.findWaitingBootloader = true;
        TCOMThread again(next, Com);
        QVERIFY(waitUntil([&] { return next.boxes().contains(QStringLiteral("info: ") + Verified); }, ProgrammingDeadlineMs));
        QVERIFY(FlashHolds(boot, 0x2FF));
        QVERIFY(waitUntil([&] { return next.lastStatus().text == Banner; }));
        QCOMPARE(boot.StartOrders(), 1);
    }

    void windowEndedBySigtermDuringProgrammingDoesNotStartIt()
    {
        const QString hex = WriteFirmware(m_dir, 0x1FFF);
        SimBootloader boot;
        SimOnCom sim(Com, QuickStart(), boot);
        ModalAnswerer boxes;
        FileDialogTyper dialogs(boxes, hex);
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form && waitFreshlyConnected(sim, *form->comThread()));
        const EndRequestWatcher endRequests([&form] { form->EndForSystem(); });
        findControl<QAction>(form.get(), QStringLiteral("UpgradeFirmware1"))->trigger();
        QVERIFY(waitUntil([&] { return boot.Packets('D') > 2; }));
        const qsizetype boxesBefore = boxes.texts().size();
        ::raise(SIGTERM);
        QVERIFY(waitUntil([&] { return !form->comThread() && !form->isVisible(); }));
        QCOMPARE(boot.StartOrders(), 0);
        QCOMPARE(boxes.texts().size(), boxesBefore);   // ending, the window shows no box
    }

    void fileBeyondSixtyFourKiBIsRefusedBeforeAnyPacket()
    {
        SimBootloader boot;
        SimOnCom sim(Com, QuickStart(), boot);
        RecordingLinkHost host;
        host.firmwareFile = QFINDTESTDATA("data/firmware/large.hex");
        TCOMThread worker(host, Com);
        QVERIFY(waitUntil([&] { return host.statusTexts().contains(Banner); }));
        QVERIFY(waitFreshlyConnected(sim, worker));

        worker.SetRequest(Request::Upgrade, 0);
        const QString refused = QStringLiteral("Error parsing file: data beyond 64 KiB address space");
        // The run's ending carries the refusal; the sampled status line may have moved on already.
        QVERIFY(waitUntil([&] { return host.runEndings().contains(refused); }));
        QVERIFY(host.statusTexts().contains(QStringLiteral("Quarn boot 1.2 AT90CAN128")));
        // The chip was asked for its name; no set-address packet ever followed.
        QVERIFY(sim.toolBytes().contains("RuI"));
        QVERIFY(!sim.toolBytes().contains("\x41\x05"));
        QCOMPARE(boot.PagesWritten(), 0);
    }

    void emulatorCommandLineCarriesTheBootloadersWords()
    {
        // The bootloader's words and the application's share one command line and one --help.
        SimOptions options;
        bool help = false;
        QString error;
        QVERIFY(ParseSimOptions({"--product", "b", "--chip", "at90can64", "--no-firmware", "--nak", "2", "--fast-start"},
                                options, help, error));
        QCOMPARE(options.product, 'b');
        QVERIFY(options.fastStart);
        QCOMPARE(options.boot.chip, QByteArray("at90can64"));
        QVERIFY(!options.boot.hasFirmware);
        QCOMPARE(options.boot.naks, 2);
        QVERIFY(!ParseSimOptions({"--flip-flash"}, options, help, error));
        QVERIFY(!ParseSimOptions({"--bogus"}, options, help, error));
        for (const char *word : {"--chip", "--no-firmware", "--nak", "--silent-on", "--corrupt-readback", "--flip-flash"})
            QVERIFY2(SimUsage().contains(QLatin1String(word)), word);
    }
};

QTEST_MAIN(FirmwareTest)
#include "test_firmware.moc"
