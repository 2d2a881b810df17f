// The Intel HEX reader: every record check with its message, the flash image it fills, and how
// a whole file is read.
#include "link/hex/flashimage.h"
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

    void recordsOtherThanDataChangeNothing()
    {
        // Their length, data and checksum are not even looked at.
        for (int type = 1; type <= 6; ++type)
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

    void addressWrapsAt16Bits()
    {
        const QByteArray data = Pattern(32, 5);
        QVERIFY(m_image->ParseHexRecord(HexRecord(0xFFF0, data), kLargeLimit, &m_error));
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(m_image->At(0xFFF0 + i), uint8_t(data[i]));
            QCOMPARE(m_image->At(i), uint8_t(data[16 + i]));
        }
        QCOMPARE(m_image->At(0x10000), uint8_t(0));
        QCOMPARE(m_image->HighestAddress(), 0xFFFF);
    }

    void filesWithoutData()
    {
        QVERIFY(Load(""));
        QCOMPARE(m_image->HighestAddress(), 0);
        QVERIFY(Load(":00000001FF\r\n"));
        QCOMPARE(m_image->HighestAddress(), 0);
        QVERIFY(!m_image->HasData());
    }

    void fileLinesAndBlanks()
    {
        // CR, LF and CR LF end lines; blank lines and blanks around records are skipped; lines after
        // the end-of-file record are still read.
        const QByteArray text = "\r\n   \n\t" + HexRecord(0x10, "\x01\x02").toLatin1() + " \t\r" +
                                HexRecord(0x20, "\x03").toLatin1() + "\r\n:00000001FF\n" +
                                HexRecord(0x30, "\x04").toLatin1();
        QVERIFY2(Load(text), qPrintable(m_error));
        QCOMPARE(m_image->At(0x11), uint8_t(2));
        QCOMPARE(m_image->At(0x20), uint8_t(3));
        QCOMPARE(m_image->At(0x30), uint8_t(4));
        QCOMPARE(m_image->HighestAddress(), 0x30);
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
        QCOMPARE(m_image->At(0x50), uint8_t(0));                     // line 6 never read
        QCOMPARE(m_image->HighestAddress(), 0x4F);
    }

    void laterFileKeepsBytesItDoesNotName()
    {
        QVERIFY(Load(HexRecord(0x100, Pattern(16, 3)).toLatin1()));
        QVERIFY(Load(HexRecord(0x000, "\x7E").toLatin1()));
        QCOMPARE(m_image->HighestAddress(), 0);
        QVERIFY(m_image->HasData());
        QCOMPARE(m_image->At(0x105), uint8_t(Pattern(16, 3)[5]));
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
