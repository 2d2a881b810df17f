// The named-field catalogue: every byte of each family's image accounted for once, names unique,
// values in the page's words, differences by name, and the JSON documents for scripts.
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/variants.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/edits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

using namespace Catalogue;

namespace {
CalImageBytes DefaultImage()
{
    CalImageBytes image;
    SetImageDefaultBytes(image.data());
    return image;
}

// The value the description of `image` gives the field `name` ("" when there is none).
QString ValueOf(const CalImageBytes &image, uint8_t product, const QString &name)
{
    for (const FieldValue &field : Describe(image, product))
        if (field.name == name) return field.value;
    return QStringLiteral("<no field %1>").arg(name);
}

const uint8_t AllProducts[] = {Product::Quarn, Product::Dorsell, Product::Ostrel, Product::Brennic, Product::CsCan,
                               Product::Vintle};
}  // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void everyByteOnceAndNamesUnique()
    {
        const CalImageBytes image = DefaultImage();
        for (uint8_t product : AllProducts) {
            const QList<FieldValue> fields = Describe(image, product);
            QList<int> seen(CalImageSize, 0);
            QSet<QString> names;
            int previous = -1;
            for (const FieldValue &field : fields) {
                QVERIFY2(!names.contains(field.name), qPrintable(field.name));
                names.insert(field.name);
                QVERIFY(!field.offsets.isEmpty());
                QVERIFY(field.offsets.first() >= previous);  // ordered by first offset
                previous = field.offsets.first();
                QCOMPARE(field.raw.size(), field.offsets.size());
                for (int i = 0; i < field.offsets.size(); ++i) {
                    ++seen[field.offsets[i]];
                    QCOMPARE(uint8_t(field.raw[i]), image[size_t(field.offsets[i])]);
                }
            }
            QCOMPARE(seen, QList<int>(CalImageSize, 1));
            const auto named = std::count_if(fields.begin(), fields.end(), [](const FieldValue &field) {
                return !field.name.startsWith(QStringLiteral("byte "));
            });
            QVERIFY2(product == Product::Vintle ? named == 0 : named > 20, qPrintable(ProductName(product)));
        }
    }

    void vintleShowsRawBytes()
    {
        CalImageBytes image = DefaultImage();
        image[200] = 17;
        const QStringList lines = ShowLines(Describe(image, Product::Vintle));
        QCOMPARE(lines.size(), CalImageSize);
        QCOMPARE(lines[0], QStringLiteral("byte 0: 49"));
        QCOMPARE(lines[200], QStringLiteral("byte 200: 17"));
    }

    void aTrimChangeIsThatOneField()
    {
        const struct {
            uint8_t product;
            int offset;
            const char *line;
        } cases[] = {
            {Product::Quarn, 1, "Hoist Up (Hyd A6) Min: 0.1v (byte 1) -> 10.0v"},
            {Product::Quarn, 26, "Blade Left (Hyd B8) Max: 12.7v -> 10.0v"},
            {Product::Dorsell, 9, "Plow Up Min: 0.1v (byte 1) -> 10.0v"},
            {Product::Brennic, 3, "Grip Open (Hyd A6) Min: 0.1v (byte 1) -> 10.0v"},
        };
        for (const auto &c : cases) {
            const CalImageBytes a = DefaultImage();
            CalImageBytes b = a;
            b[size_t(c.offset)] = 200;
            const QList<FieldDifference> diffs = Differences(a, b, c.product);
            QCOMPARE(DiffLines(diffs), QStringList{QString::fromLatin1(c.line)});
            QCOMPARE(diffs[0].offsets, QList<int>{c.offset});
            QCOMPARE(uint8_t(diffs[0].rawB[0]), uint8_t(200));
        }
        QVERIFY(Differences(DefaultImage(), DefaultImage(), Product::Quarn).isEmpty());
    }

    // Two bytes that read the same in the page's units are told apart by their bytes.
    void aDifferenceThatReadsTheSameShowsItsBytes()
    {
        CalImageBytes a = DefaultImage(), b = DefaultImage();
        a[0] = 49;
        b[0] = 50;
        QCOMPARE(DiffLines(Differences(a, b, Product::Quarn)),
                 QStringList{QStringLiteral("PWM Frequency: 115 Hertz (byte 49) -> 115 Hertz (byte 50)")});
        b[0] = 60;
        // Each value carries its bytes wherever show would print them.
        QCOMPARE(DiffLines(Differences(a, b, Product::Quarn)),
                 QStringList{QStringLiteral("PWM Frequency: 115 Hertz (byte 49) -> 100 Hertz (byte 60)")});
    }

    // A label is written in quotes, with escapes for a quote, a backslash and any character that
    // is not plain printable ASCII, so that no content reads as anything else; diff writes it so
    // too.
    void labelsAreQuoted()
    {
        const CalImageBytes a = DefaultImage();
        CalImageBytes b = a;
        // The page stores a label in capitals.
        const QString quoted = QStringLiteral("\"A\\\"\\\\\\x01\\xc9:\"");
        QString said;
        QVERIFY2(ApplySettings(b, Product::Quarn, {{QStringLiteral("Red Button Label"), quoted}}, &said), qPrintable(said));
        QCOMPARE(ValueOf(b, Product::Quarn, "Red Button Label"), QStringLiteral("A\"\\\x01\u00c9:"));
        const QString name = QStringLiteral("Red Button Label: ");
        QCOMPARE(ShowLines(Describe(b, Product::Quarn)).filter(QRegularExpression(QStringLiteral("^") + name)), QStringList{name + quoted});
        QCOMPARE(DiffLines(Differences(a, b, Product::Quarn)), QStringList{QStringLiteral("Red Button Label: \"\" -> ") + quoted});
    }

    void listsAndModesShowTheirText()
    {
        CalImageBytes image = DefaultImage();
        image[36] = 14;
        image[37] = 6;
        image[38] = 20;
        image[138] = 20;
        image[33] = 22;
        QCOMPARE(ValueOf(image, Product::Quarn, "Green Button Mode"), QStringLiteral("Panic Button"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Blue Button Mode"), QStringLiteral("Primary / Button Secondary"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Yellow Button Mode"), QStringLiteral("code 20"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Float One"), QStringLiteral("PORT C3"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Joystick Type"),
                 QStringLiteral("2 Sarix: JS1 Plow/Hoist / JS2 Wing or Blade"));
        QCOMPARE(ValueOf(image, Product::Quarn, "PWM Frequency"), QStringLiteral("115 Hertz"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Enable Stayhand"), QStringLiteral("on"));

        image[19] = 10;
        image[35] = 3;
        QCOMPARE(ValueOf(image, Product::Dorsell, "Joystick Setting"), QStringLiteral("Groups of 2"));
        QCOMPARE(ValueOf(image, Product::Dorsell, "Red Button Mode"), QStringLiteral("Wing"));
        QCOMPARE(ValueOf(image, Product::Dorsell, "PWM Frequency"), QStringLiteral("85 Hertz"));
        image[19] = 7;
        QCOMPARE(ValueOf(image, Product::Ostrel, "Joystick Setting"), QStringLiteral("4-Button"));
        image[19] = 99;
        QCOMPARE(ValueOf(image, Product::Dorsell, "Joystick Setting"), QStringLiteral("no selection (99)"));

        image[1] = 6;
        QCOMPARE(ValueOf(image, Product::CsCan, "Can-Bus frequency"), QStringLiteral("250 Kbps"));
        QCOMPARE(ValueOf(image, Product::CsCan, "Output A1 Step Size"), QStringLiteral("Increase Amount 1"));
    }

    void brennicTimesInSeconds()
    {
        CalImageBytes image = DefaultImage();
        image[196] = 25;
        image[216] = 0;  // the shake time bar starts at 1
        image[237] = 100;
        QCOMPARE(ValueOf(image, Product::Brennic, "Dump Cylinder Run Time"), QStringLiteral("0.8 s"));
        QCOMPARE(ValueOf(image, Product::Brennic, "Shake Time"), QStringLiteral("0.032 s"));
        QCOMPARE(ValueOf(image, Product::Brennic, "Ratio When Arm Up / In Active"), QStringLiteral("100 %"));
    }

    void labelsAndFlags()
    {
        CalImageBytes image = DefaultImage();
        const char hoist[] = "  HOIST ";
        std::copy(hoist, hoist + 9, image.begin() + 39);
        image[233] = 1;
        image[183] = 1;
        QCOMPARE(ValueOf(image, Product::Quarn, "Red Button Label"), QStringLiteral("HOIST"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Enable Hoist Limit Light"), QStringLiteral("on"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Enable Stayhand"), QStringLiteral("off"));
    }

    void productsOfFilesAndLetters()
    {
        CalImageBytes image = DefaultImage();
        QCOMPARE(ProductOfFile(image), Product::Quarn);
        image[33] = 20;
        QCOMPARE(ProductOfFile(image), Product::Dorsell);
        uint8_t product = 0;
        const std::pair<const char *, uint8_t> letters[] = {{"j", Product::Quarn}, {"b", Product::Dorsell},
                                                            {"a", Product::Ostrel}, {"d", Product::Brennic},
                                                            {"z", Product::CsCan}, {"c", Product::Vintle}};
        for (auto [letter, code] : letters) {
            QVERIFY(ProductFromLetter(QString::fromLatin1(letter), &product));
            QCOMPARE(product, code);
            QCOMPARE(ProductLetter(code), QString::fromLatin1(letter));
        }
        for (const char *bad : {"", "x", "jb", "J"}) QVERIFY(!ProductFromLetter(QString::fromLatin1(bad), &product));
        QCOMPARE(ProductName(Product::CsCan), QStringLiteral("Quarn 2 CsCAN"));
    }

    void variantTableHasEachOnce()
    {
        QSet<uint8_t> codes, letters;
        QSet<QString> names, banners;
        for (const Variant &variant : Variants()) {
            codes.insert(variant.code);
            letters.insert(uint8_t(variant.letter));
            names.insert(QString::fromLatin1(variant.name));
            banners.insert(QString::fromLatin1(variant.banner));
            QCOMPARE(VariantOfLetter(uint8_t(variant.letter)), &variant);
            QCOMPARE(VariantOfCode(variant.code), &variant);
            // The Dorsell page (Dorsell and Ostrel 2) reads its frequency on curve B and marks the
            // image as a Dorsell file; every other page uses curve A.
            const bool dorsellPage = variant.page == VariantPage::Dorsell;
            QCOMPARE(&FrequencyBarOf(variant.code), dorsellPage ? &CurveBBar() : &CurveABar());
            QCOMPARE(variant.marksJoystickType, dorsellPage);
        }
        const auto count = qsizetype(Variants().size());
        QCOMPARE(codes.size(), count);
        QCOMPARE(letters.size(), count);
        QCOMPARE(names.size(), count);
        QCOMPARE(banners.size(), count);
        QVERIFY(!VariantOfCode(Product::None) && !VariantOfLetter('x') && !VariantOfLetter(0));
        QVERIFY(FieldsOf(Product::None).isEmpty() && FieldsOf(Product::Vintle).isEmpty());
        QVERIFY(ShowsOstrelSubset(Product::Ostrel) && !ShowsOstrelSubset(Product::Dorsell));
    }

    void seasonBytesAreNamedAndSettable()
    {
        CalImageBytes image = DefaultImage();
        image[215] = 0x81;        // summer A1 / A2 and B7 / B8
        image[216] = 0;           // no winter group
        image[217] = 0x10 | 0x1 | 0x8;  // active, summer C1 / C2, winter C3 / C4
        QCOMPARE(ValueOf(image, Product::Quarn, "Summer Outputs"), QStringLiteral("A1 / A2, B7 / B8"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Winter Outputs"), QStringLiteral("none"));
        QCOMPARE(ValueOf(image, Product::Quarn, "Summer / Winter Mode Active"),
                 QStringLiteral("Yes; Summer Outputs C1 / C2; Winter Outputs C3 / C4"));
        for (const QString &line : ShowLines(Describe(image, Product::Quarn)))
            QVERIFY2(!line.startsWith(QStringLiteral("byte 21")), qPrintable(line));

        // The lines show prints set the same bytes back; an unused bit of the mode byte is carried.
        image[217] |= 0x80;
        CalImageBytes again = DefaultImage();
        QList<Setting> settings;
        for (const QString &line : ShowLines(Describe(image, Product::Quarn))) {
            Setting setting;
            QVERIFY2(SplitSettingLine(line, Product::Quarn, &setting), qPrintable(line));
            settings << setting;
        }
        QString refusal;
        QVERIFY2(ApplySettings(again, Product::Quarn, settings, &refusal), qPrintable(refusal));
        QVERIFY(again == image);

        // By the new names in words, and a recipe written before they had names.
        QVERIFY(ApplySettings(again, Product::Quarn, {{QStringLiteral("winter outputs"), QStringLiteral("a3 / a4,  B1 / B2")}}, &refusal));
        QCOMPARE(again[216], uint8_t(0x12));
        Setting old;
        QVERIFY(SplitSettingLine(QStringLiteral("byte 215: 6"), Product::Quarn, &old));
        QVERIFY2(ApplySettings(again, Product::Quarn, {old}, &refusal), qPrintable(refusal));
        QCOMPARE(again[215], uint8_t(6));
    }

    void jsonDocuments()
    {
        const CalImageBytes a = DefaultImage();
        CalImageBytes b = a;
        b[1] = 200;
        const QJsonObject show = QJsonDocument::fromJson(ShowJson(Describe(a, Product::Quarn), Product::Quarn)).object();
        QCOMPARE(show[QStringLiteral("product")].toString(), QStringLiteral("j"));
        const QJsonArray fields = show[QStringLiteral("fields")].toArray();
        QCOMPARE(fields.size(), Describe(a, Product::Quarn).size());
        const QJsonObject frequency = fields[0].toObject();
        QCOMPARE(frequency[QStringLiteral("name")].toString(), QStringLiteral("PWM Frequency"));
        QCOMPARE(frequency[QStringLiteral("raw")].toArray(), QJsonArray{49});
        QCOMPARE(frequency[QStringLiteral("offsets")].toArray(), QJsonArray{0});

        const QJsonObject diff =
            QJsonDocument::fromJson(DiffJson(Differences(a, b, Product::Quarn), Product::Quarn)).object();
        const QJsonObject one = diff[QStringLiteral("differences")].toArray().at(0).toObject();
        QCOMPARE(one[QStringLiteral("rawA")].toArray(), QJsonArray{1});
        QCOMPARE(one[QStringLiteral("rawB")].toArray(), QJsonArray{200});
        QCOMPARE(one[QStringLiteral("valueB")].toString(), QStringLiteral("10.0v"));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "test_catalogue.moc"
