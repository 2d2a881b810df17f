// Showing an image: what it stores depends on the image and the product alone, showing it again
// changes nothing, and the frequency bar stores a byte that reads as the position it shows.
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/frequencybar.h"
#include "ui/quarnform.h"
#include "core/files/reportlines.h"
#include "support/filedialogs.h"
#include "support/testsupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Family {
    uint8_t product;
    const char *menu;       // the View menu item that shows it
    const char *hertzLabel;  // the label beside its frequency bar
};
constexpr Family Families[] = {{Product::Quarn, "QuarnMenu1", "HertzLabel"},
                               {Product::Dorsell, "DorsellMenu1", "Hertzlabel2"},
                               {Product::Ostrel, "Ostrel1", "Hertzlabel2"},
                               {Product::Brennic, "BrennicMenu1", "Label230"},
                               {Product::CsCan, "HornerCsCAN1", "Label294"}};
constexpr int RandomImages = 24;

CalImageBytes RandomImage(quint32 seed)
{
    QRandomGenerator random(seed);
    CalImageBytes image;
    for (uint8_t &b : image) b = uint8_t(random.bounded(256));
    return image;
}

// Shows `image` through the View menu item of `family`, as the technician does once the image
// is in the window.
CalImageBytes Show(TQuarnForm &form, const Family &family, const CalImageBytes &image)
{
    CalImage = image;
    form.ImageToControls(true);
    findControl<QAction>(&form, QString::fromLatin1(family.menu))->trigger();
    return CalImage;
}

QString Changed(const CalImageBytes &a, const CalImageBytes &b)
{
    QStringList out;
    for (int i = 0; i < CalImageSize; ++i)
        if (a[i] != b[i]) out << QStringLiteral("%1: %2/%3").arg(i).arg(a[i]).arg(b[i]);
    return out.join(QStringLiteral(", "));
}

bool WriteImageFile(const QString &path, const CalImageBytes &image)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char *>(image.data()), CalImageSize) == CalImageSize && file.flush();
}
}  // namespace

class ShowingTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }

    // Showing what was shown stores nothing new, for every family and whatever the bytes.
    void showingTwiceStoresWhatShowingOnceStores()
    {
        auto form = makeMainWindow();
        for (const Family &family : Families)
            for (quint32 seed = 1; seed <= RandomImages; ++seed) {
                const CalImageBytes once = Show(*form, family, RandomImage(seed));
                const CalImageBytes twice = Show(*form, family, once);
                QVERIFY2(once == twice, qPrintable(QStringLiteral("%1 seed %2: %3").arg(family.menu).arg(seed).arg(Changed(once, twice))));
            }
    }

    // An image shows the same way whatever the window showed before: as a freshly started window
    // shows it.
    void showingDoesNotDependOnWhatWasShownBefore()
    {
        auto used = makeMainWindow();
        for (const Family &family : Families)
            for (quint32 seed = 100; seed < 100 + RandomImages / 3; ++seed) {
                const CalImageBytes image = RandomImage(seed);
                Show(*used, family, RandomImage(seed + 5000));
                const CalImageBytes afterOther = Show(*used, family, image);
                auto fresh = makeMainWindow();
                const CalImageBytes first = Show(*fresh, family, image);
                QVERIFY2(afterOther == first,
                         qPrintable(QStringLiteral("%1 seed %2: %3").arg(family.menu).arg(seed).arg(Changed(first, afterOther))));
            }
    }

    // Every bar position stores a byte that reads as that position wherever one exists; where none
    // does, the nearest reading; and a byte already reading as a position is kept by showing.
    void frequencyPositionsStoreBytesThatReadAsThem()
    {
        struct Curve {
            const FrequencyBar &bar;
            int positionsWithoutByte;
        };
        for (const Curve &curve : {Curve{CurveABar(), 31}, Curve{CurveBBar(), 19}}) {
            int without = 0;
            for (int p = curve.bar.minHz; p <= curve.bar.maxHz; p += 5) {
                bool exists = false;
                for (int b = 0; b < 256; ++b) exists |= FrequencyReading(curve.bar, uint8_t(b)) == p;
                const uint8_t stored = FrequencyByteForPosition(curve.bar, p);
                if (exists) QCOMPARE(FrequencyReading(curve.bar, stored), p);
                else ++without;
                QCOMPARE(ShownFrequencyByte(curve.bar, stored), stored);
            }
            QCOMPARE(without, curve.positionsWithoutByte);
        }
        // Out of the bar's range: stored as the nearer end.
        QCOMPARE(FrequencyPosition(CurveABar(), ShownFrequencyByte(CurveABar(), 0)), 450);
        QCOMPARE(FrequencyReading(CurveBBar(), ShownFrequencyByte(CurveBBar(), 255)), FrequencyPosition(CurveBBar(), 255));
        QVERIFY(FrequencyReading(CurveBBar(), 255) > 325);
    }

    // A Dorsell set to 85 Hz by its bar keeps 85 Hz through show after show, and a position no
    // byte reads as moves the bar to what the stored byte reads.
    void dorsellFrequencyStaysThroughShows()
    {
        auto form = makeMainWindow();
        const Family &dorsell = Families[1];
        Show(*form, dorsell, RandomImage(7));
        auto *bar = findControl<QScrollBar>(form.get(), QStringLiteral("freqbar"));
        auto *label = findControl<QLabel>(form.get(), QStringLiteral("Hertzlabel2"));
        bar->setValue(85);
        const uint8_t chosen = CalImage[Off::Frequency];
        for (int cycle = 0; cycle < 10; ++cycle) Show(*form, dorsell, CalImage);
        QCOMPARE(int(CalImage[Off::Frequency]), int(chosen));
        QCOMPARE(label->text(), QStringLiteral("85 Hertz"));

        bar->setValue(325 - 5);  // one byte step at the top is more than 5 Hz
        QCOMPARE(bar->value(), FrequencyPosition(CurveBBar(), CalImage[Off::Frequency]));
        QCOMPARE(label->text(), HertzText(bar->value()));
    }

    // The page, `show` and the printed report read the frequency byte the same way.
    void pageShowAndReportAgreeOnTheFrequency()
    {
        auto form = makeMainWindow();
        for (const Family &family : Families)
            for (quint32 seed = 200; seed < 200 + RandomImages; ++seed) {
                Show(*form, family, RandomImage(seed));
                const QString page = findControl<QLabel>(form.get(), QString::fromLatin1(family.hertzLabel))->text();
                QString shown;
                for (const Catalogue::FieldValue &field : Catalogue::Describe(CalImage, family.product))
                    if (field.offsets == QList<int>{Off::Frequency}) shown = field.value;
                QCOMPARE(shown, page);
                const QString printed = ReportLines(CalImage, family.product).filter(QStringLiteral("Frequency:")).value(0);
                QCOMPARE(printed.section(QLatin1Char(':'), 1).trimmed() + QStringLiteral(" Hertz"), page);
            }
    }

    // An opened file whose bytes the page rewrites is named in the log window in one line, and
    // open -> save -> open gives the same bytes.
    void openedImageAdjustmentsAreLogged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("truck.joy"));
        CalImageBytes raw = RandomImage(42);
        raw[Off::JoystickType] = 2;
        QVERIFY(WriteImageFile(path, raw));
        auto form = makeMainWindow();
        findControl<QAction>(form.get(), QStringLiteral("QuarnMenu1"))->trigger();
        ModalAnswerer answer;
        FileDialogTyper typer(answer, path);
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        const int count = int(Catalogue::Differences(raw, CalImage, Product::Quarn).size());
        QVERIFY(count > 1);
        // The last line: choosing the page logged its own for the image shown before.
        const QString whole = findControl<QPlainTextEdit>(form.get(), QStringLiteral("Memo1"))->toPlainText();
        const QString log = whole.split(QLatin1Char('\n')).last();
        QCOMPARE(log, QStringLiteral("Shown as the page allows: %1 settings adjusted; File > Compare lists them").arg(count));

        const CalImageBytes shown = CalImage;
        QVERIFY(WriteImageFile(path, shown));
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        QVERIFY(CalImage == shown);
        QCOMPARE(findControl<QPlainTextEdit>(form.get(), QStringLiteral("Memo1"))->toPlainText(), whole);
    }
};

QTEST_MAIN(ShowingTest)
#include "test_showing.moc"
