// The Intel HEX reader: every record check with its message, the flash image it fills, and how
// a whole file is read.
#include "core/hex/flashimage.h"
#include "support/hexrecords.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr uint32_t kSmallLimit = 0x3C00;
constexpr uint32_t kLargeLimit = 0x1F800;

QByteArray Pattern(int size, int seed)
{
    QByteArray data;
    for (int i = 0; i < size; ++i) data.append(char((i * 7 + seed) & 0xFF));
    return data;
}

}  // namespace

class TestHexFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<FlashImage> m_image;
    QString m_error;

    QString WriteFile(const QByteArray &contents)
    {
        static int n = 0;
        const QString name = m_dir.filePath(QStringLiteral("f%1.hex").arg(++n));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
        file.write(contents);
        return name;
    }
    bool Load(const QByteArray &contents, uint32_t limit = kSmallLimit)
    {
        return m_image->LoadHexFile(WriteFile(contents), limit, &m_error);
    }

private slots:
    void init()
    {
        m_image = std::make_unique<FlashImage>();
        m_error.clear();
    }

    void recordFaults_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const QString data16 = HexRecord(0x0100, Pattern(16, 1));
        QTest::newRow("eight characters") << ":1000000" << "not a valid packet";
        QTest::newRow("semicolon") << ";00000001FF" << "no start marker";
        QTest::newRow("length not hex") << ":G0000000FF" << "bad length byte";
        QTest::newRow("address not hex") << ":100X0000FF" << "bad address";
        QTest::newRow("address with sign") << ":10+1000000" << "bad address";
        QTest::newRow("type not hex") << ":1000000Z00" << "bad rec type byte";
        QTest::newRow("truncated") << ":10000000" + QString(30, QLatin1Char('0')) + "F0" << "packet truncated";
        QTest::newRow("bad data") << QString(data16).replace(13, 1, QLatin1Char('g')) << "bad packet data";
        QTest::newRow("bad checksum format") << QString(data16).replace(41, 1, QLatin1Char(' ')) << "bad checksum format";
        QTest::newRow("checksum failed") << QString(data16).replace(42, 1, QLatin1Char(data16[42] == QLatin1Char('0') ? '1' : '0'))
                                         << "checksum failed";
    }
    void recordFaults()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        QVERIFY(!m_image->ParseHexRecord(line, kSmallLimit, &m_error));
        QCOMPARE(m_error, message);
    }

    void dataRecordsFillTheImage()
    {
        // Lower-case digits are read; characters after the checksum are ignored.
        QVERIFY(m_image->ParseHexRecord(HexRecord(0x0200, Pattern(4, 9)).toLower() + "xyz", kSmallLimit, &m_error));
        for (int i = 0; i < 4; ++i) QCOMPARE(m_image->At(0x0200 + i), uint8_t(Pattern(4, 9)[i]));
        QCOMPARE(m_image->HighestAddress(), 0x0203);
        // The data of a record whose checksum fails is stored all the same.
        QString bad = HexRecord(0x0300, QByteArray("\x11\x22", 2));
        bad.chop(2);
        QVERIFY(!m_image->ParseHexRecord(bad + "00", kSmallLimit, &m_error));
        QCOMPARE(m_image->At(0x0301), uint8_t(0x22));
    }

    void recordsOtherThanDataAndAddressBaseChangeNothing()
    {
        // Their length, data and checksum are not even looked at.
        for (int type : {1, 3, 5, 6})
            QVERIFY2(m_image->ParseHexRecord(QStringLiteral(":041234%1zz").arg(type, 2, 16, QLatin1Char('0')),
                                             kSmallLimit, &m_error), qPrintable(m_error));
        QVERIFY(m_image->ParseHexRecord(":00000001FE", kSmallLimit, &m_error));   // wrong EOF checksum
        QCOMPARE(m_image->HighestAddress(), 0);
        QVERIFY(!m_image->HasData());
    }

    void writableFlashLimit()
    {
        QVERIFY(m_image->ParseHexRecord(HexRecord(0x3BF0, Pattern(16, 2)), kSmallLimit, &m_error));
        QCOMPARE(m_image->HighestAddress(), 0x3BFF);
        QVERIFY(!m_image->ParseHexRecord(HexRecord(0x3BF1, Pattern(16, 2)), kSmallLimit, &m_error));
        QCOMPARE(m_error, QStringLiteral("data exceeds writeable flash space"));
    }

    void dataPastSixtyFourKiBIsRefusedNotWrapped()
    {
        // A record running past 0xFFFF would otherwise land over the vector table at 0.
        QVERIFY(!Load(HexRecord(0xFFF0, Pattern(32, 5)).toLatin1(), kLargeLimit));
        QCOMPARE(m_error, QStringLiteral("Error parsing file: data beyond 64 KiB address space"));
        QCOMPARE(m_image->At(0), FlashImage::kErased);
        QVERIFY(Load(HexRecord(0xFFF0, Pattern(16, 5)).toLatin1() + "\n:00000001FF", kLargeLimit));
        QCOMPARE(m_image->HighestAddress(), 0xFFFF);
    }

    void addressBaseRecords()
    {
        const QByteArray byte("\xA7");
        // A linear base of 0 reads as no base; a segment base counts in 16-byte steps.
        QVERIFY2(Load(HexRecord(0, QByteArray(2, 0), 4).toLatin1() + "\n" + HexRecord(0x10, byte).toLatin1() + "\n" +
                      HexRecord(0, QByteArray("\x01\x00", 2), 2).toLatin1() + "\n" + HexRecord(0x34, byte).toLatin1() + "\n:00000001FF"),
                 qPrintable(m_error));
        QCOMPARE(m_image->At(0x10), uint8_t(0xA7));
        QCOMPARE(m_image->At(0x1034), uint8_t(0xA7));
        QCOMPARE(m_image->HighestAddress(), 0x1034);
        // The base counts against the writable limit too.
        QVERIFY(!Load(HexRecord(0, QByteArray("\x03\xC0", 2), 2).toLatin1() + "\n" + HexRecord(0, byte).toLatin1()));
        QCOMPARE(m_error, QStringLiteral("Error parsing file: data exceeds writeable flash space"));
        // Any non-zero linear base is beyond the bootloader's reach; an empty data record places nothing.
        QVERIFY(m_image->ParseHexRecord(HexRecord(0, QByteArray("\x00\x01", 2), 4), kLargeLimit, &m_error));
        QVERIFY(m_image->ParseHexRecord(HexRecord(0, QByteArray()), kLargeLimit, &m_error));
        QVERIFY(!m_image->ParseHexRecord(HexRecord(0, byte), kLargeLimit, &m_error));
        QCOMPARE(m_error, QStringLiteral("data beyond 64 KiB address space"));
    }

    void damagedAddressBaseRecordsFail_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const QString linear = HexRecord(0, QByteArray("\x00\x01", 2), 4);
        QTest::newRow("three bytes") << HexRecord(0, QByteArray(3, 0), 4) << "bad address record length";
        QTest::newRow("truncated") << linear.left(13) << "packet truncated";
        QTest::newRow("not hex") << QString(linear).replace(10, 1, QLatin1Char('x')) << "bad packet data";
        QTest::newRow("checksum") << QString(linear).replace(14, 1, QLatin1Char('0')) << "checksum failed";
    }
    void damagedAddressBaseRecordsFail()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        QVERIFY(!m_image->ParseHexRecord(line, kLargeLimit, &m_error));
        QCOMPARE(m_error, message);
        // The damaged base was not taken.
        QVERIFY(m_image->ParseHexRecord(HexRecord(0x20, "\x01"), kLargeLimit, &m_error));
    }

    void filesFromTheAvrToolchain()
    {
        // Built by tests/data/firmware/make-firmware.sh.
        const QString folder = QFINDTESTDATA("data/firmware");
        QVERIFY(!folder.isEmpty());
        const auto load = [&](const char *name) { return m_image->LoadHexFile(folder + "/" + name, kLargeLimit, &m_error); };

        QVERIFY(!load("large.hex"));   // more than 64 KiB: an extended segment address record
        QCOMPARE(m_error, QStringLiteral("Error parsing file: data beyond 64 KiB address space"));
        QVERIFY(!load("small-eeprom.hex"));   // EEPROM section at extended linear address 0x0081
        QCOMPARE(m_error, QStringLiteral("Error parsing file: data exceeds writeable flash space"));

        // 32-byte records after a linear base of 0, CR LF, lower case: every byte where it belongs.
        QVERIFY2(load("small.hex"), qPrintable(m_error));
        QFile bin(folder + "/small.bin");
        QVERIFY(bin.open(QIODevice::ReadOnly));
        const QByteArray flash = bin.readAll();
        QVERIFY(flash.size() > 64);
        QCOMPARE(m_image->HighestAddress(), flash.size() - 1);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(m_image->Data()), flash.size()), flash);
        QCOMPARE(m_image->At(flash.size()), FlashImage::kErased);
    }

    void filesWithoutData()
    {
        QVERIFY(Load(":00000001FF\r\n"));
        QCOMPARE(m_image->HighestAddress(), 0);
        QVERIFY(!m_image->HasData());
    }

    void fileLinesAndBlanks()
    {
        // CR, LF and CR LF end lines; blank lines and blanks around records are skipped; nothing
        // after the end-of-file record is read, not even a broken line.
        const QByteArray text = "\r\n   \n\t" + HexRecord(0x10, "\x01\x02").toLatin1() + " \t\r" +
                                HexRecord(0x20, "\x03").toLatin1() + "\r\n:00000001FF\n" +
                                HexRecord(0x30, "\x04").toLatin1() + "\n:garbage";
        QVERIFY2(Load(text), qPrintable(m_error));
        QCOMPARE(m_image->At(0x11), uint8_t(2));
        QCOMPARE(m_image->At(0x20), uint8_t(3));
        QCOMPARE(m_image->At(0x30), FlashImage::kErased);
        QCOMPARE(m_image->HighestAddress(), 0x20);
    }

    void fileWithoutEndRecordIsRefused()
    {
        // An empty file, a lone data record, and a file cut off at a line boundary.
        const QByteArray whole = HexFileText(0x3F, [](int a) { return uint8_t(a); });
        for (const QByteArray &text : {QByteArray(), QByteArray(":0400000001020304F2\n"), whole.left(whole.indexOf(":00000001"))}) {
            QVERIFY(!Load(text));
            QCOMPARE(m_error, QStringLiteral("Error parsing file: no end-of-file record"));
        }
    }

    void faultOnFifthLine()
    {
        QByteArray text;
        for (int line = 0; line < 5; ++line) text += HexRecord(line * 16, Pattern(16, line)).toLatin1() + "\r\n";
        text[text.size() - 4] = text[text.size() - 4] == '0' ? '1' : '0';   // break the fifth checksum
        text += HexRecord(0x50, Pattern(16, 9)).toLatin1() + "\r\n";
        QVERIFY(!Load(text));
        QCOMPARE(m_error, QStringLiteral("Error parsing file: checksum failed"));
        QCOMPARE(m_image->At(0x4F), uint8_t(Pattern(16, 4)[15]));   // line 5's data is in
        QCOMPARE(m_image->At(0x50), FlashImage::kErased);            // line 6 never read
        QCOMPARE(m_image->HighestAddress(), 0x4F);
    }

    void everyFileStartsFromErasedFlash()
    {
        // No byte of an earlier file, refused or not, and no zero stands where a file names nothing.
        QCOMPARE(m_image->At(0x1234), FlashImage::kErased);
        const QByteArray end = "\n:00000001FF\n";
        QVERIFY(Load(HexRecord(0x100, Pattern(16, 3)).toLatin1() + end));
        QVERIFY(!Load(HexRecord(0x200, Pattern(16, 4)).toLatin1() + "\n:bad" + end));
        QVERIFY(Load(HexRecord(0x000, "\x7E").toLatin1() + "\n" + HexRecord(0x002, "\x7F").toLatin1() + end));
        QCOMPARE(m_image->HighestAddress(), 2);
        QCOMPARE(m_image->At(0x001), FlashImage::kErased);
        QCOMPARE(m_image->At(0x105), FlashImage::kErased);
        QCOMPARE(m_image->At(0x205), FlashImage::kErased);
        QVERIFY(m_image->HasData());
    }

    void missingFile()
    {
        const QString name = m_dir.filePath(QStringLiteral("absent.hex"));
        QVERIFY(!m_image->LoadHexFile(name, kSmallLimit, &m_error));
        QCOMPARE(m_error, QStringLiteral("Failed to read input file <") + name + QStringLiteral(">"));
    }
};

QTEST_GUILESS_MAIN(TestHexFile)
#include "test_hexfile.moc"
