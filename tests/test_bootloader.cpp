// Programming the flash through the bootloader, against the emulated bootloader on an
// in-process line: packets on the wire, retries, time-outs, verification and what the user sees.
#include "link/bootloader/bootloader.h"
#include "link/bootloader/bootpacket.h"
#include "link/bootloader/bootprotocol.h"
#include "link/bootloader/firmwarefile.h"
#include "core/hex/flashimage.h"
#include "sim_bootloader.h"
#include "support/hexrecords.h"
#include "support/peerlink.h"
#include "support/recordinghost.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <memory>

namespace {

using Colour = BootloaderHost::Colour;

// The emulated bootloader, the line to it, and the programming code, identified as the tests want.
struct Rig {
    explicit Rig(SimBootOptions options = {}) : sim(std::move(options))
    {
        link.WriteByte('I');
        QByteArray line;
        if (!link.ReadLine(line)) qFatal("no identification line");
        boot.IdentifyDevice(line);
    }
    SimBootloader sim;
    PeerLink link{sim};
    RecordingHost host;
    std::unique_ptr<FlashImage> image = std::make_unique<FlashImage>();
    Bootloader boot{link, host, *image};
};

SimBootOptions Chip(const char *name)
{
    SimBootOptions options;
    options.chip = name;
    return options;
}

uint8_t FileByte(int address) { return uint8_t(address * 13 + 7); }

// A HEX file with a byte at every address from 0 to `highest`.
QString WriteHexFile(const QTemporaryDir &dir, int highest)
{
    const QString name = dir.filePath(QStringLiteral("fw%1.hex").arg(highest));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
    file.write(HexFileText(highest, FileByte));
    return name;
}

// Answers every V packet (five bytes) with the same canned bytes.
class CannedReadBack : public BootloaderPeer {
public:
    explicit CannedReadBack(QByteArray answer) : m_answer(std::move(answer)) {}
    QByteArray Receive(uint8_t) override { return ++m_bytes % 5 == 0 ? m_answer : QByteArray(); }
    bool HasFirmware() const override { return true; }
    int Requests() const { return m_bytes / 5; }

private:
    QByteArray m_answer;
    int m_bytes = 0;
};

}  // namespace

class TestBootloader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void chipTable_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<uint>("limit");
        QTest::addColumn<int>("pageSize");
        QTest::newRow("lower-case CAN64") << QByteArray("boot at90can64 v2\r\n") << 0xF800u << 256;
        QTest::newRow("CAN128") << QByteArray("AT90CAN128\r\n") << 0x1F800u << 256;
        QTest::newRow("other CAN part") << QByteArray("AT90CAN32\r\n") << 0x1F800u << 256;
        QTest::newRow("mega32") << QByteArray("ATmega32\r\n") << 0x7C00u << 128;
        QTest::newRow("unknown") << QByteArray("ATmega16\r\n") << 0x3C00u << 128;
    }
    void chipTable()
    {
        QFETCH(QByteArray, line);
        QFETCH(uint, limit);
        QFETCH(int, pageSize);
        const ChipInfo chip = ChipFromIdentification(line);
        QCOMPARE(chip.flashLimit, limit);
        QCOMPARE(int(chip.pageSize), pageSize);
        QCOMPARE(int(chip.BlocksPerPage()), pageSize / 64);
    }

    void packetsOnTheWire()
    {
        Rig rig;
        const qsizetype before = rig.link.Sent().size();
        QVERIFY(rig.boot.SetPageAddress(0x1280));
        QVERIFY(rig.boot.ErasePage());
        QCOMPARE(rig.link.Sent().mid(before), QByteArray("\x41\x05\x80\x12\x92" "\x45\x03\x00", 8));
        QCOMPARE(rig.link.Received().right(2), QByteArray("\x06\x06"));
    }

    void receptionNeverPassesTheBuffer()
    {
        // A length beyond the buffer, and a length that never ends the packet, both fail the
        // reception at once; each block is asked for four times, then counts as different.
        const QByteArray oversized = QByteArray("V\xC8", 2) + QByteArray(198, '\x01');
        const QByteArray endless = QByteArray("V\x02", 2) + QByteArray(120, '\x00');
        for (const QByteArray &answer : {oversized, endless}) {
            CannedReadBack peer(answer);
            PeerLink link(peer);
            RecordingHost host;
            auto image = std::make_unique<FlashImage>();
            Bootloader boot(link, host, *image);
            QCOMPARE(boot.VerifyBlock(0), Bootloader::Check::Unreadable);
            QCOMPARE(peer.Requests(), 4);
        }
    }

    void programsAndVerifiesEveryPageUpToTheHighestAddress()
    {
        Rig rig(Chip("ATMEGA32"));
        QCOMPARE(rig.boot.Chip().pageSize, uint16_t(128));
        // Bytes the file does not name go out erased, whatever an earlier file left there.
        QVERIFY(rig.image->ParseHexRecord(HexRecord(0x1270, "\x5A\xA5"), 0x7C00, nullptr));
        QVERIFY(rig.boot.ProgramFlash(WriteHexFile(m_dir, 0x1234)));

        QCOMPARE(rig.sim.PagesWritten(), 37);
        QCOMPARE(rig.sim.Packets('A'), 38);   // page 0: erased first, written last
        QCOMPARE(rig.sim.Packets('E'), 37);
        QCOMPARE(rig.sim.Packets('D'), 74);
        QCOMPARE(rig.sim.Packets('V'), 74);
        for (int a = 0; a <= 0x1234; ++a) QCOMPARE(rig.sim.Flash(a), FileByte(a));
        QCOMPARE(rig.sim.Flash(0x1270), FlashImage::kErased);
        QCOMPARE(rig.sim.Flash(0x1271), FlashImage::kErased);
        QCOMPARE(rig.sim.Flash(0x1280), uint8_t(0xFF));   // page 0x1280 untouched

        QCOMPARE(rig.host.statusTexts,
                 QStringList({"Sending update...", "Verifying flash...", "Completed"}));
        QCOMPARE(rig.host.infoBoxes, QStringList("Upload completed and verified!"));
        QVERIFY(rig.host.errorBoxes.isEmpty());
        QCOMPARE(rig.host.progress.size(), 2 * 37 + 1);
        QCOMPARE(rig.host.progress[36], 0x1200 * 100 / 0x1234);
        QCOMPARE(rig.host.progress.back(), 100);
        QVERIFY(std::is_sorted(rig.host.progress.begin(), rig.host.progress.begin() + 37));
        QCOMPARE(rig.host.returnsToConnected, 0);
    }

    void resetVectorPageIsErasedFirstAndWrittenLast()
    {
        Rig rig(Chip("ATMEGA32"));
        const qsizetype identified = rig.link.Sent().size();
        QVERIFY(rig.boot.ProgramFlash(WriteHexFile(m_dir, 0x17F)));
        const QByteArray sent = rig.link.Sent().mid(identified);
        const QByteArray addressZero("\x41\x05\x00\x00\x00", 5);
        const QByteArray erase("\x45\x03\x00", 3), write("\x46\x03\x00", 3);
        QVERIFY(sent.startsWith(addressZero + erase));
        // Pages 0x080 and 0x100 are written before page 0 is addressed again, and its write is the last.
        const qsizetype lastAddressZero = sent.lastIndexOf(addressZero);
        QVERIFY(lastAddressZero > sent.indexOf(QByteArray("\x41\x05\x00\x01\x01", 5)));
        QCOMPARE(sent.indexOf(erase, lastAddressZero), -1);
        QCOMPARE(sent.lastIndexOf(write), sent.indexOf(QByteArray("\x56\x05\x00\x00\x00", 5)) - write.size());
        QVERIFY(sent.lastIndexOf(write) > lastAddressZero);
        QVERIFY(rig.sim.HasFirmware());
    }

    void programmingThatStopsPartWayLeavesNoApplication()
    {
        // Writes refused from the second page on: page 0 was erased and never written again, so
        // the bootloader holds no application to start, whatever it is told.
        SimBootOptions refuse = Chip("ATMEGA32");
        refuse.nakCommand = 'F';
        refuse.naks = 1000;
        Rig rig(refuse);
        rig.sim.LoadFlash(0, QByteArray(0x180, '\x5A'));
        QVERIFY(rig.sim.HasFirmware());
        QVERIFY(!rig.boot.ProgramFlash(WriteHexFile(m_dir, 0x17F)));
        QVERIFY(rig.boot.FlashTouched());
        QVERIFY(!rig.sim.HasFirmware());
        // A run refused before its first erase leaves the flash as it was.
        SimBootOptions silentAddress = Chip("ATMEGA32");
        silentAddress.nakCommand = 'A';
        silentAddress.naks = 1000;
        Rig untouched(silentAddress);
        untouched.sim.LoadFlash(0, QByteArray(0x180, '\x5A'));
        QVERIFY(!untouched.boot.ProgramFlash(WriteHexFile(m_dir, 0x17F)));
        QVERIFY(!untouched.boot.FlashTouched());
        QVERIFY(untouched.sim.HasFirmware());
    }

    void fillerCompletesEveryPartialPacketWithoutChangingTheFlash()
    {
        // Every packet the tool sends, cut after each of its bytes (its sender killed there): the
        // filler completes it as a packet the bootloader refuses, or as an address or read-back,
        // and the order after it starts the application.
        BootPacket address, erase, block, write, readBack;
        const auto build = [](BootPacket &packet, uint8_t command, const QByteArray &payload) {
            packet.BeginPacket(command);
            for (char c : payload) packet.AddPacketByte(uint8_t(c));
            packet.EndPacket();
        };
        build(address, Boot::SetAddress, QByteArray("\x80\x12", 2));
        build(erase, Boot::EraseOne, {});
        QByteArray data;
        for (int i = 0; i < Boot::kBlockBytes; ++i) data.append(char(FileByte(i)));
        build(block, Boot::LoadBlock, data);
        build(write, Boot::WriteOne, {});
        build(readBack, Boot::ReadBlock, QByteArray("\x40\x00", 2));
        for (const BootPacket *packet : {&address, &erase, &block, &write, &readBack}) {
            for (int cut = 1; cut < packet->Length(); ++cut) {
                SimBootloader sim;
                sim.LoadFlash(0, QByteArray(0x100, '\x5A'));
                for (int position = 1; position <= cut; ++position) sim.Receive(packet->At(position));
                for (int i = 0; i < Boot::kFillerBytes; ++i) sim.Receive(Boot::kFiller);
                sim.Receive(Boot::Restart);
                QVERIFY2(sim.TakeRestart(), qPrintable(QStringLiteral("packet %1 cut after %2 bytes").arg(QChar(packet->At(1))).arg(cut)));
                QCOMPARE(sim.PagesWritten(), 0);
                QCOMPARE(sim.Flash(0), uint8_t(0x5A));   // no erase carried out at the address it holds
            }
        }
    }

    void nakedPacketIsSentAgainUpToSixTimes()
    {
        SimBootOptions five;
        five.naks = 5;
        Rig patient(five);
        QVERIFY(patient.boot.ProgramFlash(WriteHexFile(m_dir, 0x7F)));
        QCOMPARE(patient.sim.Packets('D'), 4 + 5);   // one 256-byte page: four blocks
        QCOMPARE(patient.host.infoBoxes, QStringList("Upload completed and verified!"));

        SimBootOptions six;
        six.naks = 6;
        Rig refused(six);
        QVERIFY(!refused.boot.ProgramFlash(WriteHexFile(m_dir, 0x7F)));
        QCOMPARE(refused.sim.Packets('D'), 6);
        QCOMPARE(refused.sim.Packets('F'), 0);
        QCOMPARE(refused.host.LastStatus(), QStringLiteral("Upload failed!"));
        QCOMPARE(refused.host.colour, Colour::Red);
        QCOMPARE(refused.host.returnsToConnected, 1);
        QVERIFY(refused.host.infoBoxes.isEmpty() && refused.host.errorBoxes.isEmpty());
    }

    void silentBootloaderEndsTheRunAfterFiveSeconds()
    {
        SimBootOptions silent;
        silent.silentOn = 'A';
        Rig rig(silent);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!rig.boot.ProgramFlash(WriteHexFile(m_dir, 0x300)));
        // The run's own clock gives up after 5 s of silence; a bound far above that, below the
        // 10 s of a response, tells the limits apart without depending on the machine's load.
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= Boot::kAckTimeoutMs && elapsed < Boot::kResponseSilenceMs, qPrintable(QString::number(elapsed)));
        QCOMPARE(rig.sim.Packets('A'), 1);   // silence is not answered by sending again
        QCOMPARE(rig.sim.Packets('E') + rig.sim.Packets('D') + rig.sim.Packets('F'), 0);
        QCOMPARE(rig.host.LastStatus(), QStringLiteral("Upload failed!"));
    }

    void corruptReadBackIsAskedForAgain()
    {
        SimBootOptions three;
        three.corruptReadbacks = 3;
        Rig recovers(three);
        QVERIFY(recovers.boot.ProgramFlash(WriteHexFile(m_dir, 0xFF)));
        QCOMPARE(recovers.sim.Packets('V'), 4 + 3);
        QCOMPARE(recovers.host.infoBoxes, QStringList("Upload completed and verified!"));

        // A block that never comes whole is a failed read, never a difference: the flash is
        // probably right. A refused read (NAK) is not asked for again.
        SimBootOptions always;
        always.corruptReadbacks = -1;
        SimBootOptions refused;
        refused.nakCommand = 'V';
        refused.naks = 100;
        for (const auto &[options, requests] : {std::pair{always, 4}, std::pair{refused, 1}}) {
            Rig fails(options);
            QVERIFY(fails.boot.ProgramFlash(WriteHexFile(m_dir, 0xFF)));
            QCOMPARE(fails.sim.Packets('V'), requests);
            QVERIFY(fails.boot.LastRunReadBackFailed() && !fails.boot.LastRunVerified());
            QCOMPARE(fails.host.errorBoxes, QStringList("Reading the flash back failed at 0x0000"));
            QCOMPARE(fails.host.LastStatus(), QStringLiteral("Reading the flash back failed at 0x0000"));
            QCOMPARE(fails.host.colour, Colour::Red);
        }
    }

    void backupReadRefusedEndsAtOnce()
    {
        SimBootOptions refused;
        refused.nakCommand = 'V';
        refused.naks = 100;
        Rig rig(refused);
        QByteArray flash;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!rig.boot.ReadFlash(0x10000, &flash));
        QVERIFY2(clock.elapsed() < Boot::kResponseSilenceMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(rig.sim.Packets('V'), 1);
        QCOMPARE(rig.host.LastStatus(), QStringLiteral("Reading the flash back failed at 0x0000"));
    }

    void oldFirmwareAboveTheNewFileIsErased()
    {
        // What a backup found above the new file's end is programmed erased, so none of the old
        // application stays behind the new one.
        Rig rig;
        rig.sim.LoadFlash(0, QByteArray(0x500, '\x5A'));
        QVERIFY(rig.boot.LoadFirmware(WriteHexFile(m_dir, 0xD3)));
        rig.boot.EraseOldFirmwareBelow(0x500);
        QVERIFY(rig.boot.ProgramLoaded());
        QVERIFY(rig.boot.LastRunVerified());
        QCOMPARE(rig.sim.PagesWritten(), 5);
        QCOMPARE(rig.sim.Flash(0xD3), FileByte(0xD3));
        for (uint32_t a : {0xD4u, 0x100u, 0x4FFu}) QCOMPARE(rig.sim.Flash(a), FlashImage::kErased);
        QCOMPARE(rig.host.progress.back(), 100);
    }

    void changedFlashByteIsReportedWithTheGaugeRunningToTheEnd()
    {
        SimBootOptions flip;
        flip.chip = "ATMEGA32";
        flip.flipFlashAddress = 0x0150;
        Rig rig(flip);
        QVERIFY(rig.boot.ProgramFlash(WriteHexFile(m_dir, 0x3FF)));
        QCOMPARE(rig.sim.Packets('V'), 6);   // blocks 0 to 5; block 5 holds 0x150
        QCOMPARE(rig.host.errorBoxes, QStringList("Contents of flash doesn't match file"));
        QVERIFY(rig.host.infoBoxes.isEmpty());
        QCOMPARE(rig.host.progress.size(), 2 * 8 + 1);
        QCOMPARE(rig.host.progress[2 * 8 - 1], 0x380 * 100 / 0x3FF);
        QCOMPARE(rig.host.progress.back(), 100);
        QCOMPARE(rig.host.LastStatus(), QStringLiteral("Completed"));
    }

    // The comparison alone: nothing is erased or written, no box is shown, and the status line
    // names the first byte that differs.
    void verificationAloneProgramsNothingAndNamesTheFirstDifference()
    {
        QByteArray flash;
        for (int a = 0; a <= 0x3FF; ++a) flash.append(char(FileByte(a)));
        Rig same;
        same.sim.LoadFlash(0, flash);
        QVERIFY(same.boot.LoadFirmware(WriteHexFile(m_dir, 0x3FF)));
        QVERIFY(same.boot.VerifyLoaded());
        QVERIFY(same.boot.LastRunVerified());
        flash[0x151] = char(~flash[0x151]);
        Rig differs;
        differs.sim.LoadFlash(0, flash);
        QVERIFY(differs.boot.LoadFirmware(WriteHexFile(m_dir, 0x3FF)));
        QVERIFY(!differs.boot.VerifyLoaded());
        QVERIFY(!differs.boot.LastRunVerified() && !differs.boot.LastRunReadBackFailed());
        QCOMPARE(differs.host.LastStatus(), QStringLiteral("Contents of flash doesn't match file at 0x0151"));
        for (const Rig *rig : {&same, &differs}) {
            QCOMPARE(rig->sim.Packets('E'), 0);
            QCOMPARE(rig->sim.PagesWritten(), 0);
            QVERIFY(rig->host.errorBoxes.isEmpty() && rig->host.infoBoxes.isEmpty());
        }
    }

    void refusedFilesSendNothing()
    {
        Rig empty;
        const qsizetype identified = empty.link.Sent().size();
        QVERIFY(!empty.boot.ProgramFlash(WriteHexFile(m_dir, -1)));   // end-of-file record only
        QCOMPARE(empty.host.LastStatus(), QStringLiteral("Firmware file holds no data"));
        QCOMPARE(empty.host.colour, Colour::Red);
        QCOMPARE(empty.host.returnsToConnected, 1);

        Rig missing;
        const QString name = m_dir.filePath(QStringLiteral("gone.hex"));
        QVERIFY(!missing.boot.ProgramFlash(name));
        QCOMPARE(missing.host.LastStatus(), "Failed to read input file <" + name + ">");
        QCOMPARE(missing.host.colour, Colour::Red);

        // More than 64 KiB from the AVR toolchain: the whole file is read before a page is sent.
        Rig large;
        QVERIFY(!large.boot.ProgramFlash(QFINDTESTDATA("data/firmware/large.hex")));
        QCOMPARE(large.host.LastStatus(), QStringLiteral("Error parsing file: data beyond 64 KiB address space"));
        QCOMPARE(large.host.colour, Colour::Red);
        QVERIFY(large.host.infoBoxes.isEmpty() && large.host.errorBoxes.isEmpty());

        QCOMPARE(empty.link.Sent().size(), identified);
        QCOMPARE(missing.link.Sent().size(), identified);
        QCOMPARE(large.link.Sent().size(), identified);
    }

    void gapsAreProgrammedErased()
    {
        Rig rig;
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(HexRecord(0x000, "\x11").toLatin1() + "\n" + HexRecord(0x180, "\x22").toLatin1() + "\n:00000001FF\n");
        file.close();
        QVERIFY(rig.boot.ProgramFlash(file.fileName()));
        QCOMPARE(rig.sim.Flash(0x000), uint8_t(0x11));
        QCOMPARE(rig.sim.Flash(0x180), uint8_t(0x22));
        for (uint32_t a : {0x001u, 0x0FFu, 0x100u, 0x17Fu, 0x181u, 0x1FFu})
            QCOMPARE(rig.sim.Flash(a), FlashImage::kErased);
        QCOMPARE(rig.host.infoBoxes, QStringList("Upload completed and verified!"));
    }

    void singleByteAtAddressZeroIsProgrammed()
    {
        Rig rig;
        QVERIFY(rig.boot.ProgramFlash(WriteHexFile(m_dir, 0)));
        QCOMPARE(rig.sim.PagesWritten(), 1);
        QCOMPARE(rig.sim.Flash(0), FileByte(0));
        QCOMPARE(rig.host.progress.back(), 100);
    }

    void firmwareFileChoice()
    {
        const QString hex = WriteHexFile(m_dir, 0x10);
        QCOMPARE(FirmwareFile::Accept(true, hex), hex);
        QVERIFY(FirmwareFile::Accept(false, hex).isEmpty());   // dialog cancelled
        QVERIFY(FirmwareFile::Accept(true, m_dir.filePath(QStringLiteral("none.hex"))).isEmpty());
        QVERIFY(FirmwareFile::Accept(true, m_dir.filePath(QStringLiteral("*.hex"))).isEmpty());
        QCOMPARE(FirmwareFile::PresetName(QStringLiteral("/opt/quarn")), QStringLiteral("/opt/quarn/*.hex"));
    }

    void restartIsAnOrderOnlyOutsidePackets()
    {
        SimBootOptions bare;
        bare.hasFirmware = false;
        SimBootloader sim(bare);
        QVERIFY(!sim.HasFirmware());
        for (char c : QByteArray("\x41\x05\x52\x00\x52", 5)) sim.Receive(uint8_t(c));   // A to 0x0052
        QVERIFY(!sim.TakeRestart());
        sim.Receive('R');
        QVERIFY(sim.TakeRestart());
        QVERIFY(!sim.TakeRestart());
    }

    void emulatorOptionsFromTheCommandLine()
    {
        QStringList words{"--com", "7", "--chip", "at90can64", "--no-firmware", "--nak", "3",
                          "--silent-on", "E", "--corrupt-readback", "--flip-flash", "0x1F0", "-x"};
        SimBootOptions options;
        QString error;
        QVERIFY(ParseSimBootOptions(words, options, &error));
        QCOMPARE(words, QStringList({"--com", "7", "-x"}));
        QCOMPARE(options.chip, QByteArray("at90can64"));
        QVERIFY(!options.hasFirmware);
        QCOMPARE(options.naks, 3);
        QCOMPARE(options.silentOn, 'E');
        QCOMPARE(options.corruptReadbacks, -1);
        QCOMPARE(options.flipFlashAddress, int64_t(0x1F0));

        QStringList counted{"--corrupt-readback", "2"};
        QVERIFY(ParseSimBootOptions(counted, options, &error));
        QCOMPARE(options.corruptReadbacks, 2);
        QStringList bad{"--nak"};
        QVERIFY(!ParseSimBootOptions(bad, options, &error));
        QCOMPARE(error, QStringLiteral("missing or bad value after --nak"));
    }
};

QTEST_GUILESS_MAIN(TestBootloader)
#include "test_bootloader.moc"
