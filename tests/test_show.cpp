// The core's show and edit rules: what each page does to an image it shows, what an edit by field
// brings with it, and how an edit is carried into the kept image.
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/image_layout.h"
#include "core/catalog/edits.h"
#include "core/catalog/show.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
namespace D = Off::Dorsell;
namespace B = Off::Brennic;
namespace C = Off::CsCan;

CalImageBytes Defaults()
{
    CalImageBytes image{};
    SetImageDefaultBytes(image.data());
    return image;
}

CalImageBytes Shown(CalImageBytes image, uint8_t product) { return Catalogue::ShowFor(image, product).image; }

QByteArray One(int b) { return QByteArray(1, char(uint8_t(b))); }
}  // namespace

class ShowTest : public QObject {
    Q_OBJECT

private slots:
    // Showing what a page shows changes nothing, on every page and whatever the bytes.
    void showingIsSettledAfterOnce()
    {
        QRandomGenerator random(33);
        for (uint8_t product : {Product::Quarn, Product::Dorsell, Product::Ostrel, Product::Brennic, Product::CsCan})
            for (int i = 0; i < 200; ++i) {
                CalImageBytes image;
                for (uint8_t &b : image) b = uint8_t(random.bounded(256));
                const Catalogue::Shown once = Catalogue::ShowFor(image, product);
                const Catalogue::Shown twice = Catalogue::ShowFor(once.image, product);
                QVERIFY(twice.image == once.image);
                QVERIFY(twice.adjusted.isEmpty());
            }
    }

    // An erased controller shows as the default image on every page; the blank page shows any
    // image as it is and names nothing.
    void erasedControllerShowsAsDefaultsAndBlankPageShowsBytes()
    {
        CalImageBytes erased;
        erased.fill(0xFF);
        const Catalogue::Shown vintle = Catalogue::ShowFor(erased, Product::Vintle);
        QVERIFY(vintle.image == Defaults());
        QVERIFY(!vintle.adjusted.isEmpty());
        const Catalogue::Shown blank = Catalogue::ShowFor(erased, Product::None);
        QVERIFY(blank.image == erased);
        QVERIFY(blank.adjusted.isEmpty());
    }

    // The Dorsell/Ostrel rules: the family mark; an option off clears its sub-option, an option
    // on leaves it as it is; the cartridge valve wins the CART port; a flag reads on for 1 only;
    // the Ostrel 2 clears the options it lacks; a bar clamps, but leaves a byte below its range
    // where its start place is; a trim pair's min bar, placed first, drags the maximum along.
    void dorsellRules()
    {
        CalImageBytes image = Defaults();
        image[D::PlowFloat] = 1, image[D::DoubleActingFloat] = 5;
        image[D::HoistLimit] = 7, image[D::HoistLimitOverride] = 1;
        image[D::CartridgeValve] = 1, image[D::HoistDownDumpValve] = 1;
        image[D::ToggleVPlow] = 9, image[D::Joy1Safety] = 1;
        image[D::StickSafetySensitivity] = 0, image[D::FloatDelay] = 200;
        image[D::PlowUpMin] = 200, image[D::PlowUpMax] = 100;
        const CalImageBytes dorsell = Shown(image, Product::Dorsell);
        QCOMPARE(int(dorsell[Off::JoystickType]), int(D::JoystickTypeMark));
        QCOMPARE(int(dorsell[D::DoubleActingFloat]), 5);
        QCOMPARE(int(dorsell[D::HoistLimit]), 0);
        QCOMPARE(int(dorsell[D::HoistLimitOverride]), 0);
        QCOMPARE(int(dorsell[D::CartridgeValve]), 1);
        QCOMPARE(int(dorsell[D::HoistDownDumpValve]), 0);
        QCOMPARE(int(dorsell[D::ToggleVPlow]), 0);
        QCOMPARE(int(dorsell[D::Joy1Safety]), 1);
        QCOMPARE(int(dorsell[D::StickSafetySensitivity]), 0);
        QCOMPARE(int(dorsell[D::FloatDelay]), 10);
        QCOMPARE(int(dorsell[D::PlowUpMin]), 200);
        QCOMPARE(int(dorsell[D::PlowUpMax]), 200);
        QCOMPARE(int(Shown(image, Product::Ostrel)[D::Joy1Safety]), 0);
    }

    // A deceleration start point never lies past its run time; the CsCAN bit rate known by its
    // first byte is stored whole.
    void brennicAndCsCanRules()
    {
        CalImageBytes image = Defaults();
        image[B::DumpRunTime] = 20, image[B::DumpDecelStart] = 90;
        QCOMPARE(int(Shown(image, Product::Brennic)[B::DumpDecelStart]), 20);
        image[C::CanBitTiming1] = 2, image[C::CanBitTiming2] = 0, image[C::CanBitTiming3] = 0;
        const CalImageBytes cscan = Shown(image, Product::CsCan);
        QCOMPARE(int(cscan[C::CanBitTiming2]), 12);
        QCOMPARE(int(cscan[C::CanBitTiming3]), 55);
    }

    // An edit by field stores the control's bytes with the field's rule, or refuses and leaves
    // the image as it was.
    void editFieldAppliesTheRuleOrRefuses()
    {
        CalImageBytes image = Shown(Defaults(), Product::Dorsell);
        QVERIFY(Catalogue::EditField(image, Product::Dorsell, D::PlowUpMax, One(100)));
        QVERIFY(Catalogue::EditField(image, Product::Dorsell, D::PlowUpMin, One(150)));
        QCOMPARE(int(image[D::PlowUpMax]), 150);  // the maximum dragged along
        QVERIFY(Catalogue::EditField(image, Product::Dorsell, D::PlowFloat, One(1)));
        QVERIFY(Catalogue::EditField(image, Product::Dorsell, D::DoubleActingFloat, One(1)));
        QVERIFY(Catalogue::EditField(image, Product::Dorsell, D::PlowFloat, One(0)));
        QCOMPARE(int(image[D::DoubleActingFloat]), 0);  // unticking the option unticks its sub-option

        const CalImageBytes before = image;
        QString why;
        QVERIFY(!Catalogue::EditField(image, Product::Dorsell, D::DoubleActingFloat, One(1), &why));  // greyed
        QVERIFY(!why.isEmpty());
        QVERIFY(!Catalogue::EditField(image, Product::Dorsell, D::FloatDelay, One(11), &why));
        QVERIFY(!Catalogue::EditField(image, Product::Dorsell, D::PlowUpMax, QByteArray(2, 'x'), &why));
        QVERIFY(image == before);

        // Several fields at once, each through its rule.
        CalImageBytes target = image;
        target[D::PlowUpMin] = 40, target[D::PlowUpMax] = 60;
        QVERIFY(Catalogue::EditFields(image, Product::Dorsell, target));
        QVERIFY(image == target);
    }

    // An edit carried into the kept image shows again as edited, even where the kept image held
    // a byte the page had shown otherwise (a sub-option the option off had cleared).
    void carriedEditShowsAsEdited()
    {
        CalImageBytes kept = Defaults();
        kept[D::PlowFloat] = 0, kept[D::DoubleActingFloat] = 1;
        const CalImageBytes shown = Shown(kept, Product::Dorsell);
        CalImageBytes edited = shown;
        QVERIFY(Catalogue::EditField(edited, Product::Dorsell, D::PlowFloat, One(1)));
        Catalogue::CarryEdit(kept, shown, edited, Product::Dorsell);
        QCOMPARE(int(kept[D::PlowFloat]), 1);
        QVERIFY(Shown(kept, Product::Dorsell) == edited);
    }
};

QTEST_MAIN(ShowTest)
#include "test_show.moc"
