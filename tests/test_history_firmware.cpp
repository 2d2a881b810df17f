// The firmware copy an upgrade keeps before it programs, through the main window against the
// emulated bootloader: the copy holds the firmware that was replaced, and a flash that cannot be
// read back stops the upgrade before anything is erased.
#include "core/calimage.h"
#include "core/settings.h"
#include "ui/quarnform.h"
#include "history/historystore.h"
#include "core/hex/flashimage.h"
#include "sim_bootloader.h"
#include "support/filedialogs.h"
#include "support/hexrecords.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int Com = 193;
// A small chip keeps the read-back short: 0x3C00 bytes in 128-byte pages.
const QByteArray SmallChip = "ATMEGA16";
constexpr uint32_t SmallChipFlash = 0x3C00;
constexpr int OldHighest = 0x1A0;       // the old application ends inside its fourth page
constexpr int OldKeptEnd = 0x200;       // so the copy runs to the end of that page
constexpr int NewHighest = 0x2FF;
const QString Verified = QStringLiteral("Upload completed and verified!");

uint8_t OldFirmware(int address) { return uint8_t(address * 13 + 5); }
uint8_t NewFirmware(int address) { return uint8_t(address * 7 + 3); }

SimBootOptions SmallChipBoot()
{
    SimBootOptions options;
    options.chip = SmallChip;
    return options;
}

void HoldOldFirmware(SimBootloader &boot)
{
    QByteArray bytes;
    for (int a = 0; a <= OldHighest; ++a) bytes.append(char(OldFirmware(a)));
    boot.LoadFlash(0, bytes);
}

SimOptions Unpaced()
{
    SimOptions options = QuickStart();
    options.pacing = false;
    return options;
}

QList<HistoryEntry> FirmwareCopies()
{
    QList<HistoryEntry> copies;
    for (const HistoryEntry &entry : HistoryStore().Entries())
        if (entry.kind == HistoryKind::Firmware) copies.append(entry);
    return copies;
}
}  // namespace

class HistoryFirmwareTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    QString NewFirmwareFile(int highest = NewHighest)
    {
        const QString name = m_dir.filePath(QStringLiteral("new%1.hex").arg(highest));
        QFile file(name);
        const QByteArray text = HexFileText(highest, NewFirmware);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) qFatal("cannot write %s", qPrintable(name));
        return name;
    }

    // The window connected to `sim`, once an upgrade with the new firmware file has run until
    // `done` holds; nullptr when it never did.
    // With `unit` typed into the Unit box before the upgrade starts.
    std::unique_ptr<TQuarnForm> Upgrade(SimOnCom &sim, ModalAnswerer &boxes, const std::function<bool(TQuarnForm &)> &done,
                                        int newHighest = NewHighest, const QString &unit = {})
    {
        FileDialogTyper dialogs(boxes, NewFirmwareFile(newHighest));
        WriteComPortSetting(sim.com());
        auto form = makeMainWindow();
        if (!waitUntil([&] { return boxes.texts().contains(QStringLiteral("Download Successful!")); }) ||
            !waitFreshlyConnected(sim, *form->comThread()))
            return nullptr;
        findControl<QComboBox>(form.get(), QStringLiteral("UnitBox"))->setEditText(unit);
        findControl<QAction>(form.get(), QStringLiteral("UpgradeFirmware1"))->trigger();
        if (!waitUntil([&] { return done(*form); }, 30000)) return nullptr;
        return form;
    }

private slots:
    void init() { ProductCode = Product::None; }
    void cleanup() { QDir(HistoryStore::DefaultFolder()).removeRecursively(); }

    void upgradeKeepsTheReplacedFirmwareFirst()
    {
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        ModalAnswerer boxes;
        // The unit named before the upgrade is the copy's, and stays once the controller is back.
        const QString truck = QStringLiteral("Truck 47");
        auto form = Upgrade(sim, boxes, [&](TQuarnForm &) { return boxes.texts().contains(Verified); }, NewHighest, truck);
        QVERIFY(form);
        for (int a = 0; a <= NewHighest; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
        auto *panel = findControl<QLabel>(form.get(), QStringLiteral("ConnectedPanel"));
        QVERIFY(waitUntil([&] { return panel->text() == QLatin1String("QUARN 2 v1.1 Connected and Listening"); }));
        QCOMPARE(findControl<QComboBox>(form.get(), QStringLiteral("UnitBox"))->currentText(), truck);

        const QList<HistoryEntry> copies = FirmwareCopies();
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies[0].unit, truck);
        QCOMPARE(copies[0].port, QStringLiteral("COM%1").arg(Com));
        QVERIFY2(copies[0].banner.contains(QString::fromLatin1(SmallChip)), qPrintable(copies[0].banner));
        FlashImage copy;
        QString error;
        QByteArray hex;
        QVERIFY2(HistoryStore().LoadFirmware(copies[0], hex, &error), qPrintable(error));
        QVERIFY2(copy.LoadHexText(hex, SmallChipFlash, &error), qPrintable(error));
        QCOMPARE(copy.HighestAddress(), OldKeptEnd - 1);
        for (int a = 0; a < OldKeptEnd; ++a)
            QCOMPARE(copy.At(uint32_t(a)), a <= OldHighest ? OldFirmware(a) : uint8_t(0xFF));
    }

    void unreadableFlashStopsTheUpgradeBeforeAnyErase()
    {
        SimBootOptions options = SmallChipBoot();
        options.corruptReadbacks = -1;
        SimBootloader boot(options);
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        ModalAnswerer boxes;
        // The reason is told in a box; the application is started again and the link returns.
        auto form = Upgrade(sim, boxes, [&](TQuarnForm &) { return boxes.texts().contains(QStringLiteral("Reading the flash back failed at 0x0000")); });
        QVERIFY(form);
        QCOMPARE(boot.Packets('E'), 0);
        QCOMPARE(boot.PagesWritten(), 0);
        QCOMPARE(boot.Flash(0), OldFirmware(0));
        QVERIFY(FirmwareCopies().isEmpty());
        auto *panel = findControl<QLabel>(form.get(), QStringLiteral("ConnectedPanel"));
        QVERIFY(waitUntil([&] { return panel->text() == QLatin1String("QUARN 2 v1.1 Connected and Listening"); }));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 128, 0));
    }

    void smallerFileErasesWhatTheOldFirmwareLeftAbove()
    {
        // The old application reaches 0x1A0; the new file ends at 0x0FF: the copy taken first
        // says how far the old one went, and its pages above the new end are programmed erased.
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        ModalAnswerer boxes;
        QVERIFY(Upgrade(sim, boxes, [&](TQuarnForm &) { return boxes.texts().contains(Verified); }, 0xFF));
        for (int a = 0; a <= 0xFF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
        for (uint32_t a = 0x100; a < OldKeptEnd; ++a) QCOMPARE(boot.Flash(a), FlashImage::kErased);
    }

    void settingTurnsTheCopyOff()
    {
        OpenSettings(QString::fromLatin1(SettingsSection))
            ->setValue(QStringLiteral("Firmware/BackupBeforeUpgrade"), false);
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        ModalAnswerer boxes;
        QVERIFY(Upgrade(sim, boxes, [&](TQuarnForm &) { return boxes.texts().contains(Verified); }));
        QCOMPARE(boot.Packets('V'), (NewHighest + 1) / 64);
        QVERIFY(FirmwareCopies().isEmpty());
    }
};

QTEST_MAIN(HistoryFirmwareTest)
#include "test_history_firmware.moc"
