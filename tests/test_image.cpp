// The calibration image: defaults and the conversions between bytes and shown values.
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"

#include <QTest>

class ImageTest : public QObject {
    Q_OBJECT
private slots:
    void curveA_data()
    {
        QTest::addColumn<int>("hertz");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("shownHertz");
        QTest::newRow("120 Hz default") << 120 << 49 << 119;
        QTest::newRow("25 Hz") << 25 << 255 << 30;
        QTest::newRow("60 Hz") << 60 << 128 << 60;
        QTest::newRow("180 Hz") << 180 << 25 << 182;
    }
    void curveA()
    {
        QFETCH(int, hertz);
        QFETCH(int, byte);
        QFETCH(int, shownHertz);
        QCOMPARE(int(HertzToFreqByteA(hertz)), byte);
        QCOMPARE(FreqByteToHertzA(uint8_t(byte)), shownHertz);
    }
    void curveAEnds()
    {
        QCOMPARE(FreqByteToHertzA(1), 451);
        QCOMPARE(FreqByteToHertzA(0), 483);
        QCOMPARE(FrequencySliderPosition(FreqByteToHertzA(49)), 115);
    }
    void curveB_data()
    {
        QTest::addColumn<int>("hertz");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("shownHertz");
        QTest::newRow("45 Hz") << 45 << 81 << 67;
        QTest::newRow("200 Hz") << 200 << 8 << 200;
        QTest::newRow("325 Hz") << 325 << 0 << 325;
    }
    void curveB()
    {
        QFETCH(int, hertz);
        QFETCH(int, byte);
        QFETCH(int, shownHertz);
        QCOMPARE(int(HertzToFreqByteB(hertz)), byte);
        QCOMPARE(FreqByteToHertzB(uint8_t(byte)), shownHertz);
    }
    void formatFixed()
    {
        QCOMPARE(FormatFixed(1, 12), QStringLiteral("12.0"));
        QCOMPARE(FormatFixed(1, 12.7), QStringLiteral("12.7"));
        QCOMPARE(FormatFixed(1, 100), QStringLiteral("100.0"));
        QCOMPARE(FormatFixed(1, 0.25), QStringLiteral("0.2"));
        QCOMPARE(FormatFixed(1, 0), QStringLiteral("0.0"));
        QCOMPARE(FormatFixed(1, -1.5), QStringLiteral("-1.5"));
        QCOMPARE(FormatFixed(3, 0.032), QStringLiteral("0.032"));
        QCOMPARE(FormatFixed(0, 100), QStringLiteral("100"));
        QCOMPARE(FormatFixed(0, 0), QStringLiteral("0"));
    }
    void trimVolts_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        const std::pair<int, const char *> rows[] = {{1, "0.1v"},  {3, "0.1v"},  {5, "0.2v"},   {7, "0.3v"},
                                                     {9, "0.5v"},  {13, "0.7v"}, {17, "0.8v"},  {19, "0.9v"},
                                                     {21, "1.1v"}, {240, "12.0v"}, {254, "12.7v"}};
        for (auto [b, t] : rows) QTest::addRow("byte %d", b) << b << QString::fromLatin1(t);
    }
    void trimVolts()
    {
        QFETCH(int, byte);
        QFETCH(QString, text);
        QCOMPARE(TrimVoltsText(uint8_t(byte)), text);
    }
    void modeCodes()
    {
        QCOMPARE(ModeCodeToIndex(14), 9);
        QCOMPARE(ModeCodeToIndex(5), 5);
        for (int index = 0; index < 10; ++index) QCOMPARE(ModeCodeToIndex(ModeIndexToCode(index)), index);
    }
    void textFields()
    {
        QCOMPARE(TrimText(QStringLiteral("\t  HOIST \x01")), QStringLiteral("HOIST"));
        const uint8_t field[9] = {' ', ' ', 'H', 'O', 'I', 'S', 'T', ' ', 0};
        QCOMPARE(ReadTextField(field, 0, 9), QStringLiteral("HOIST"));
        const uint8_t noNul[5] = {'A', 'B', 'C', 'D', 'E'};
        QCOMPARE(ReadTextField(noNul, 0, 5), QStringLiteral("ABCDE"));
    }
    void defaults()
    {
        CalImage.fill(0xAA);
        GlobalMinTrim = 7;
        GlobalMaxTrim = 8;
        SetImageDefaults();
        QCOMPARE(int(CalImage[0]), 49);
        for (int k = 1; k <= 32; ++k) QCOMPARE(int(CalImage[k]), k % 2 ? 1 : 254);
        QCOMPARE(int(CalImage[Off::JoystickType]), 1);
        for (int field : Off::LabelFields) {
            for (int i = 0; i < 8; ++i) QCOMPARE(int(CalImage[field + i]), int(' '));
            QCOMPARE(int(CalImage[field + 8]), 0);
        }
        for (const auto &pair : Off::RemotePairs) {
            QCOMPARE(int(CalImage[pair[0]]), 0);
            QCOMPARE(int(CalImage[pair[1]]), 1);
        }
        QCOMPARE(int(CalImage[200]), 0);  // untouched bytes are cleared
        QCOMPARE(int(GlobalMinTrim), 1);
        QCOMPARE(int(GlobalMaxTrim), 254);
    }
};

QTEST_GUILESS_MAIN(ImageTest)
#include "test_image.moc"
