// Pages as views of the kept image: looking at another page loses nothing, edits made there are
// kept, an image opened before any variant shows through the page chosen, and "&Send Cal" from a
// page that is not the controller's variant asks first.
#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/show.h"
#include "ui/quarnform.h"
#include "support/wirewindow.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int ViewsCom = 173;
const QString ShownLine = QStringLiteral("Shown as the page allows");

void Trigger(TQuarnForm &form, const char *action) { findControl<QAction>(&form, QString::fromLatin1(action))->trigger(); }

QString Log(TQuarnForm &form) { return findControl<QPlainTextEdit>(&form, QStringLiteral("Memo1"))->toPlainText(); }

CalImageBytes RandomImage(quint32 seed)
{
    QRandomGenerator random(seed);
    CalImageBytes image;
    for (uint8_t &b : image) b = uint8_t(random.bounded(256));
    image[Off::JoystickType] = 1;  // not an erased controller
    return image;
}
}  // namespace

class PageViewsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }

    // Quarn -> Dorsell -> Quarn shows every byte as before and logs what the Dorsell page
    // adjusted; an edit made on the Dorsell page is kept through a look at another page.
    void viewRoundTripKeepsEveryByteAndTheEdits()
    {
        auto form = makeMainWindow();
        ProductCode = Product::Quarn;
        const CalImageBytes kept = RandomImage(7);
        CalImage = kept;
        form->ImageToControls(true);
        const CalImageBytes onQuarn = CalImage;

        // The Dorsell page shows the kept image, not what the Quarn page made of it.
        Trigger(*form, "DorsellMenu1");
        const CalImageBytes onDorsell = Catalogue::ShowFor(kept, Product::Dorsell).image;
        QVERIFY(CalImage == onDorsell);
        QVERIFY(CalImage != onQuarn);
        QVERIFY(Log(*form).contains(ShownLine));
        Trigger(*form, "QuarnMenu1");
        QVERIFY2(CalImage == onQuarn, "the Quarn page lost bytes");

        Trigger(*form, "DorsellMenu1");
        auto *vplow = findControl<QCheckBox>(form.get(), QStringLiteral("togglevplow"));
        vplow->setChecked(!vplow->isChecked());
        const int edited = CalImage[Off::Dorsell::ToggleVPlow];
        QCOMPARE(edited, vplow->isChecked() ? 1 : 0);
        QVERIFY(onDorsell[Off::Dorsell::ToggleVPlow] != edited);

        Trigger(*form, "QuarnMenu1");
        Trigger(*form, "DorsellMenu1");
        QCOMPARE(int(CalImage[Off::Dorsell::ToggleVPlow]), edited);
    }

    // A file opened before any variant is shown as it is; choosing a page shows it through that
    // page's rules with the log line, and the file's bytes stay kept for the next page.
    void fileOpenedBeforeAnyVariantThenShown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unit.joy"));
        const CalImageBytes file = RandomImage(11);
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char *>(file.data()), CalImageSize);
        out.close();
        auto form = makeMainWindow();
        form->OpenJoyFile(path);
        QVERIFY(CalImage == file);
        Trigger(*form, "BrennicMenu1");
        QVERIFY(CalImage == Catalogue::ShowFor(file, Product::Brennic).image);
        QVERIFY(Log(*form).contains(ShownLine));
        Trigger(*form, "HornerCsCAN1");
        QVERIFY(CalImage == Catalogue::ShowFor(file, Product::CsCan).image);
    }

    // "&Send Cal" from the Dorsell page with a Quarn 2 on the line asks; No sends nothing, and
    // from the controller's own page it sends without asking.
    void sendFromAnotherPageAsks()
    {
        SimOnCom sim(ViewsCom, ControllerOf('j'));
        ModalAnswerer boxes;
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form);
        Trigger(*form, "DorsellMenu1");
        boxes.clear();
        boxes.setButton(QMessageBox::No);
        Trigger(*form, "SendCal");
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().contains(QStringLiteral("Dorsell")), qPrintable(boxes.texts().first()));

        boxes.setButton(QMessageBox::Ok);
        Trigger(*form, "QuarnMenu1");
        const CalImageBytes onQuarn = CalImage;
        Trigger(*form, "SendCal");
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Upload Successful!"), 1));
        QVERIFY(WaitReadyForRequest(sim, *form));
        QCOMPARE(sim.sim().UploadsCompleted(), 1);
        QVERIFY(sim.sim().Image() == onQuarn);
    }
};

QTEST_MAIN(PageViewsTest)
#include "test_page_views.moc"
