// The core's show rules against the pages' loaders: every image shown by the loader of a page (as
// the window showed images until now: a blank controller as the defaults, the Dorsell mark, then
// the loader storing what its controls show) gives the bytes ShowFor gives.
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/files/resetimage.h"
#include "core/catalog/show.h"
#include "ui/editorhost.h"
#include "ui/pages/brennic/brennicpage.h"
#include "ui/pages/cscan/cscanpage.h"
#include "ui/pages/dorsell/dorsellpage.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>

namespace {
// Runs a page's loader under the update latch, as the window did.
class LatchHost : public EditorHost {
public:
    void ImageToControls(bool) override
    {
        if (loading || !page) return;
        loading = true;
        page->LoadImage();
        loading = false;
    }
    bool Loading() const override { return loading; }
    void TestPress(uint8_t, uint8_t) override {}
    void TestReleaseImmediate() override {}
    void TestReleaseZeroLevel(uint8_t) override {}
    void ShowHelp() override {}
    ProductPage *page = nullptr;
    bool loading = false;
};

// Bytes the pages' rules turn on: flags, ends of ranges, the erased byte.
constexpr uint8_t EdgeBytes[] = {0, 1, 2, 3, 9, 10, 11, 20, 59, 60, 61, 124, 232, 250, 251, 252, 253, 254, 255};

QList<CalImageBytes> Images()
{
    QList<CalImageBytes> images;
    CalImageBytes image{};
    images << image;
    image.fill(0xFF);
    images << image;
    SetImageDefaultBytes(image.data());
    images << image;
    MakeResetImage(image);
    images << image;
    QRandomGenerator random(20261210);
    for (int i = 0; i < 600; ++i) {
        for (uint8_t &b : image)
            b = i % 2 ? uint8_t(random.bounded(256)) : EdgeBytes[random.bounded(int(std::size(EdgeBytes)))];
        // Half of them not blank, so the pages' own rules are what is compared.
        if (i % 4 < 2 && image[Off::JoystickType] == Off::ErasedJoystickType) image[Off::JoystickType] = 0;
        images << image;
    }
    return images;
}

QString Changed(const CalImageBytes &page, const CalImageBytes &core)
{
    QStringList out;
    for (int i = 0; i < CalImageSize; ++i)
        if (page[size_t(i)] != core[size_t(i)]) out << QStringLiteral("byte %1: page %2, core %3").arg(i).arg(page[size_t(i)]).arg(core[size_t(i)]);
    return out.join(QStringLiteral(", "));
}
}  // namespace

class ShowDifferentialTest : public QObject {
    Q_OBJECT

    void Compare(ProductPage &page, LatchHost &host, uint8_t product)
    {
        page.StartUp();
        page.CaptureStartState();
        host.page = &page;
        int index = 0;
        for (const CalImageBytes &image : Images()) {
            CalImageBytes loaded = image;
            if (loaded[Off::JoystickType] == Off::ErasedJoystickType) SetImageDefaultBytes(loaded.data());
            if (product == Product::Dorsell || product == Product::Ostrel) loaded[Off::JoystickType] = Off::Dorsell::JoystickTypeMark;
            page.RestoreStartState();
            ProductCode = product;
            CalImage = loaded;
            host.ImageToControls(true);
            const CalImageBytes core = Catalogue::ShowFor(image, product).image;
            QVERIFY2(CalImage == core, qPrintable(QStringLiteral("image %1: %2").arg(index).arg(Changed(CalImage, core))));
            ++index;
        }
    }

private slots:
    void dorsell()
    {
        LatchHost host;
        DorsellPage page(host);
        Compare(page, host, Product::Dorsell);
    }
    void ostrel()
    {
        LatchHost host;
        DorsellPage page(host);
        Compare(page, host, Product::Ostrel);
    }
    void brennic()
    {
        LatchHost host;
        BrennicPage page(host);
        Compare(page, host, Product::Brennic);
    }
    void cscan()
    {
        LatchHost host;
        CsCanPage page(host);
        Compare(page, host, Product::CsCan);
    }
};

QTEST_MAIN(ShowDifferentialTest)
#include "test_show_differential.moc"
