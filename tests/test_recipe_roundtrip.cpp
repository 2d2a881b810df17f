// Recipes as a property over random images of every controller: the recipe `show` prints, applied
// to any other image, gives the image shown byte for byte, and `diff X A` applied to X gives A;
// labels holding awkward texts (empty, an arrow, a colon, blanks at the ends, quotes, control
// characters, characters above 126) included.
#include "core/calimage.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/recipe.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

constexpr uint8_t Products[] = {Product::Quarn, Product::Dorsell, Product::Ostrel, Product::Brennic, Product::CsCan, Product::Vintle};
constexpr int ImagesPerProduct = 6;

// Texts a label may hold that a careless recipe would misread.
const QByteArray AwkwardLabels[] = {
    QByteArray(),       QByteArray("->"),         QByteArray("-> PLOW"),  QByteArray("PLOW ->"), QByteArray("A: B"),
    QByteArray(" pad "), QByteArray("\"quoted\""), QByteArray("back\\"),  QByteArray("x -> y"),  QByteArray("9v (byte 3)"),
    QByteArray("tab\tnl\nend"), QByteArray("\x01\x7f"), QByteArray("\xe9t\xe9\xff"), QByteArray("#"),
};

CalImageBytes RandomImage(QRandomGenerator &random)
{
    CalImageBytes image;
    for (uint8_t &b : image) b = uint8_t(random.bounded(256));
    return image;
}

// The image with an awkward text in each label, a different one per label and image.
CalImageBytes WithAwkwardLabels(CalImageBytes image, uint8_t product, int seed)
{
    int k = seed;
    for (const Catalogue::FieldValue &field : Catalogue::Describe(image, product)) {
        if (!field.quoted) continue;
        const QByteArray text = AwkwardLabels[k++ % std::size(AwkwardLabels)].left(field.offsets.size());
        for (qsizetype i = 0; i < field.offsets.size(); ++i) image[size_t(field.offsets[i])] = i < text.size() ? uint8_t(text[i]) : 0;
    }
    return image;
}

// The recipe's text applied to `image` as apply does; an empty string when it was taken, else why not.
QString Apply(const QStringList &lines, CalImageBytes *image, uint8_t product)
{
    Catalogue::Recipe recipe;
    Catalogue::RecipeFault fault;
    if (!Catalogue::ReadRecipe(lines.join(QLatin1Char('\n')).toUtf8(), &recipe, &fault))
        return QStringLiteral("line %1: %2").arg(fault.line).arg(fault.reason);
    QList<Catalogue::Setting> settings;
    for (const Catalogue::RecipeLine &line : recipe.lines) settings << Catalogue::SettingOfLine(line.text, product);
    Catalogue::SettingsRefusal refusal;
    if (!Catalogue::ApplySettings(*image, product, settings, &refusal)) return refusal.text;
    return QString();
}

// The offsets where two images differ, for a failure's message.
QString Differing(const CalImageBytes &a, const CalImageBytes &b)
{
    QStringList offsets;
    for (int i = 0; i < CalImageSize; ++i)
        if (a[size_t(i)] != b[size_t(i)]) offsets << QStringLiteral("%1: %2/%3").arg(i).arg(a[size_t(i)]).arg(b[size_t(i)]);
    return offsets.join(QStringLiteral(", "));
}

}  // namespace

class RecipeRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void showAndDiffGiveTheImageBack_data()
    {
        QTest::addColumn<int>("product");
        for (uint8_t product : Products) QTest::newRow(qPrintable(Catalogue::ProductName(product))) << int(product);
    }
    void showAndDiffGiveTheImageBack()
    {
        QFETCH(int, product);
        QRandomGenerator random(quint32(product) * 7919u);
        for (int n = 0; n < ImagesPerProduct; ++n) {
            const CalImageBytes a = WithAwkwardLabels(RandomImage(random), uint8_t(product), n);
            const CalImageBytes x = n % 2 ? WithAwkwardLabels(RandomImage(random), uint8_t(product), n + 5) : RandomImage(random);

            CalImageBytes shown = x;
            const QStringList recipe = Catalogue::RecipeLines(a, uint8_t(product));
            const QString showRefused = Apply(recipe, &shown, uint8_t(product));
            QVERIFY2(showRefused.isEmpty(), qPrintable(showRefused));
            QVERIFY2(shown == a, qPrintable(Differing(shown, a)));
            // One line per field and the two around them: no text breaks a line.
            QCOMPARE(recipe.join(QLatin1Char('\n')).count(QLatin1Char('\n')) + 1, Catalogue::Describe(a, uint8_t(product)).size() + 2);

            CalImageBytes diffed = x;
            const QString diffRefused = Apply(Catalogue::DiffLines(Catalogue::Differences(x, a, uint8_t(product))), &diffed, uint8_t(product));
            QVERIFY2(diffRefused.isEmpty(), qPrintable(diffRefused));
            QVERIFY2(diffed == a, qPrintable(Differing(diffed, a)));
        }
    }
};

QTEST_GUILESS_MAIN(RecipeRoundTripTest)
#include "test_recipe_roundtrip.moc"
