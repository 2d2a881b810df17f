// The other options dialog (summer/winter outputs) and the always-live warning.
#include "core/calimage.h"
#include "ui/dialogs/taliveform.h"
#include "ui/dialogs/taxisscreen.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {
constexpr int Summer = 215, Winter = 216, Season = 217;
const char *const Captions[] = {"A1 / A2", "A3 / A4", "A5 / A6", "A7 / A8", "B1 / B2",
                                "B3 / B4", "B5 / B6", "B7 / B8", "C1 / C2", "C3 / C4"};

QStringList Ticked(QWidget *dialog, const char *group)
{
    QStringList ticked;
    for (int i = 1; i <= 10; ++i) {
        auto *box = findControl<QCheckBox>(dialog, QString::fromLatin1(group) + QString::number(i));
        if (box->isChecked()) ticked << box->text();
    }
    return ticked;
}
}  // namespace

class QuarnDialogsTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void opensOnTheImageAndChangesOneBitPerClick()
    {
        CalImage.fill(0);
        CalImage[Summer] = 0x05;
        CalImage[Winter] = 0x80;
        CalImage[Season] = 0x12 | 0xE0;  // the top bits belong to nobody here
        const CalImageBytes before = CalImage;
        {
            TAxisScreen dialog;
            QCOMPARE(CalImage, before);  // opening writes back what it read
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Other Options"));
            QCOMPARE(dialog.size(), QSize(553, 503));
            auto *notebook = dialog.findChild<QTabWidget *>();
            QCOMPARE(notebook->count(), 1);
            QCOMPARE(notebook->tabText(0), QStringLiteral("Winter / Summer"));
            QCOMPARE(Ticked(&dialog, "SummerOutput"), QStringList({"A1 / A2", "A5 / A6", "C3 / C4"}));
            QCOMPARE(Ticked(&dialog, "WinterOutput"), QStringList({"B7 / B8"}));
            QVERIFY(findControl<QRadioButton>(&dialog, "SeasonYes")->isChecked());
            for (int i = 0; i < 10; ++i)
                QCOMPARE(findControl<QCheckBox>(&dialog, "SummerOutput" + QString::number(i + 1))->text(),
                         QString::fromLatin1(Captions[i]));

            findControl<QCheckBox>(&dialog, "SummerOutput1")->click();
            QCOMPARE(int(CalImage[Summer]), 0x04);
            QCOMPARE(int(CalImage[Winter]), 0x80);
            QCOMPARE(int(CalImage[Season]), 0xF2);
            findControl<QCheckBox>(&dialog, "WinterOutput9")->click();
            QCOMPARE(int(CalImage[Season]), 0xF6);
            findControl<QCheckBox>(&dialog, "WinterOutput10")->click();
            QCOMPARE(int(CalImage[Season]), 0xFE);
            findControl<QCheckBox>(&dialog, "SummerOutput10")->click();
            QCOMPARE(int(CalImage[Season]), 0xFC);
            findControl<QRadioButton>(&dialog, "SeasonNo")->click();
            QCOMPARE(int(CalImage[Season]), 0xEC);
            findControl<QRadioButton>(&dialog, "SeasonYes")->click();
            QCOMPARE(int(CalImage[Season]), 0xFC);
            findControl<QCheckBox>(&dialog, "WinterOutput8")->click();
            QCOMPARE(int(CalImage[Winter]), 0x00);
            QCOMPARE(int(CalImage[Summer]), 0x04);
        }
        // Closing keeps what was clicked; reopening shows it.
        TAxisScreen again;
        QCOMPARE(Ticked(&again, "SummerOutput"), QStringList({"A5 / A6"}));
        QCOMPARE(Ticked(&again, "WinterOutput"), QStringList({"C1 / C2", "C3 / C4"}));
    }

    void otherOptionsButtonOpensTheDialogModally()
    {
        auto form = makeMainWindow();
        CalImage[Summer] = 0;
        bool seen = false;
        ModalAnswerer answer;
        answer.setDialogHandler([&](QWidget *dialog) {
            if (!qobject_cast<TAxisScreen *>(dialog)) return;
            seen = true;
            findControl<QCheckBox>(dialog, "SummerOutput2")->click();
            findControl<QPushButton>(dialog, "CloseButton")->click();
        });
        findControl<QPushButton>(form.get(), "axisswitches")->click();
        QVERIFY(seen);
        QCOMPARE(int(CalImage[Summer]), 0x02);
    }

    void warningTextsAndShape()
    {
        TaliveForm warning;
        QCOMPARE(warning.windowTitle(), QStringLiteral("Always Live Mode Warning"));
        QCOMPARE(warning.size(), QSize(237, 239));
        QVERIFY(!(warning.windowFlags() & Qt::WindowCloseButtonHint));
        auto *heading = findControl<QLabel>(&warning, "HeadingLabel");
        QCOMPARE(heading->text(), QStringLiteral("Always Live Mode"));
        QVERIFY(heading->font().bold() && heading->font().underline());
        QCOMPARE(heading->font().pixelSize(), 19);
        QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(128, 0, 128));
        QCOMPARE(findControl<QLabel>(&warning, "CautionLabel")->text(),
                 QStringLiteral("Caution:  Activating this feature disables the safety trigger and makes the Palmet "
                                "joystick active in the mode you have chosen.  Any joystick motion will move the "
                                "device selected."));
        QCOMPARE(findControl<QLabel>(&warning, "AdviceLabel")->text(),
                 QStringLiteral("Halvern recommends leaving the \"Always Live Mode\" INACTIVE for maximum operator safety,"));
        // Both paragraphs fit above the button.
        for (const char *name : {"CautionLabel", "AdviceLabel"}) {
            auto *label = findControl<QLabel>(&warning, name);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        }
        QVERIFY(findControl<QLabel>(&warning, "AdviceLabel")->geometry().bottom() <
                findControl<QPushButton>(&warning, "OKButton")->geometry().top());
        if (const QString shots = qEnvironmentVariable("QUARN_JOY_SHOTS"); !shots.isEmpty()) {
            warning.grab().save(QDir(shots).filePath("alive.png"));
            TAxisScreen options;
            options.grab().save(QDir(shots).filePath("axisscreen.png"));
        }
    }
};

QTEST_MAIN(QuarnDialogsTest)
#include "test_quarn_dialogs.moc"
