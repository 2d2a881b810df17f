// The Intel HEX writer for flash read-backs: what it keeps, and that the HEX reader takes it back.
#include "core/hex/flashimage.h"
#include "core/hex/hexwriter.h"

#include <QtTest>

class HexWriterTest : public QObject {
    Q_OBJECT

private slots:
    void keepsWholePagesUpToTheLastProgrammedByte()
    {
        QByteArray flash(0x400, char(0xFF));
        flash[0x10] = 0x00;   // an erased gap before the last programmed byte is kept
        flash[0x181] = 0x42;  // in the fourth 128-byte page
        QCOMPARE(HexWriter::KeptBytes(flash, 128), 0x200);
        QCOMPARE(HexWriter::KeptBytes(QByteArray(0x400, char(0xFF)), 128), 0);
        QCOMPARE(HexWriter::FlashToHex(QByteArray(0x400, char(0xFF)), 128), QByteArray(":00000001FF\r\n"));
    }

    void readsBackToTheSameBytes()
    {
        QByteArray flash(0x10000, char(0xFF));
        for (int a = 0; a < 0xFFF3; ++a) flash[a] = char(a * 13 + (a >> 8));
        FlashImage image;
        QString error;
        QVERIFY2(image.LoadHexText(HexWriter::FlashToHex(flash, 256), FlashImage::kSize, &error), qPrintable(error));
        QCOMPARE(image.HighestAddress(), 0xFFFF);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(image.Data()), 0x10000), flash);
    }
};

QTEST_GUILESS_MAIN(HexWriterTest)
#include "test_hexwriter.moc"
