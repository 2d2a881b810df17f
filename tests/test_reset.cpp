// "&Reset Cal File": the reset image, the page reload, the float drop-downs and the untouched
// global trims. (The upload to a connected controller is the link worker's and is checked with it.)
#include "core/calimage.h"
#include "ui/quarnform.h"
#include "core/files/resetimage.h"
#include "support/filedialogs.h"
#include "support/testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The reset image as the technicians' reference table gives it, row by row.
CalImageBytes ReferenceTable()
{
    CalImageBytes table{};
    table[0] = 49;
    for (int b = 1; b <= 32; ++b) table[b] = (b % 2) ? 1 : 254;
    table[33] = 1;
    for (int start : {39, 48, 57, 66, 75, 84, 102, 185})
        for (int b = start; b <= start + 7; ++b) table[b] = 0x20;
    for (int b : {150, 152, 154, 156, 158, 160}) table[b] = 1;
    for (int b = 163; b <= 182; ++b) table[b] = 0x20;
    return table;
}

void Scribble()
{
    for (int i = 0; i < CalImageSize; ++i) CalImage[i] = static_cast<uint8_t>(0xA5 ^ i);
    GlobalMinTrim = 30;
    GlobalMaxTrim = 200;
}
}  // namespace

class ResetTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

private slots:
    void resetImageMatchesTheTable()
    {
        CalImageBytes image;
        image.fill(0x77);
        MakeResetImage(image);
        for (int i = 0; i < CalImageSize; ++i) QVERIFY2(image[i] == ReferenceTable()[i], qPrintable(QString::number(i)));
    }

    void menuResetThenSaveWritesTheTable()
    {
        auto form = makeMainWindow();  // nothing connected, no product picked
        Scribble();
        findControl<QAction>(form.get(), QStringLiteral("ResetCalFile1"))->trigger();
        QVERIFY(CalImage == ReferenceTable());
        QCOMPARE(int(GlobalMinTrim), 30);
        QCOMPARE(int(GlobalMaxTrim), 200);

        ModalAnswerer answer;
        FileDialogTyper typer(answer, m_dir.filePath(QStringLiteral("reset.joy")));
        findControl<QAction>(form.get(), QStringLiteral("Save1"))->trigger();
        QFile file(m_dir.filePath(QStringLiteral("reset.joy")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const CalImageBytes table = ReferenceTable();
        QCOMPARE(file.readAll(), QByteArray(reinterpret_cast<const char *>(table.data()), CalImageSize));
        QVERIFY(answer.texts().isEmpty());  // asks nothing, reports nothing
    }

    void menuResetReloadsTheCurrentPage()
    {
        auto form = makeMainWindow();
        findControl<QAction>(form.get(), QStringLiteral("DorsellMenu1"))->trigger();
        Scribble();
        findControl<QAction>(form.get(), QStringLiteral("ResetCalFile1"))->trigger();
        // The Dorsell load writes its joystick-type mark and shows the reset frequency (byte 49 on
        // curve B reads 85 Hertz), so the page was reloaded from the reset image.
        QCOMPARE(int(CalImage[33]), 20);
        QCOMPARE(findControl<QLabel>(form.get(), QStringLiteral("Hertzlabel2"))->text(), QStringLiteral("85 Hertz"));
        for (int b = 163; b <= 182; ++b) QCOMPARE(int(CalImage[b]), 0x20);
        QCOMPARE(findControl<QStackedWidget>(form.get(), QStringLiteral("ProductNotebook"))->currentIndex(),
                 int(TQuarnForm::DorsellPageIndex));
    }

    void menuResetPutsTheFloatDropDownsBack()
    {
        auto form = makeMainWindow();
        findControl<QAction>(form.get(), QStringLiteral("QuarnMenu1"))->trigger();
        const QStringList names{"PlowFloatSelect", "WingFloatSelect", "BladeFloatSelect", "ToeFloatSelect"};
        QList<QComboBox *> selects;
        // A drop-down missing from the page is a fault of the page, not a reason to skip.
        for (const QString &name : names) {
            auto *select = form->findChild<QComboBox *>(name);
            QVERIFY2(select, qPrintable(name + QStringLiteral(" is missing from the Quarn page")));
            selects << select;
        }
        for (QComboBox *select : selects) select->setCurrentIndex(select->count() - 1);
        findControl<QAction>(form.get(), QStringLiteral("ResetCalFile1"))->trigger();
        for (QComboBox *select : selects) QCOMPARE(select->currentIndex(), 0);
    }
};

QTEST_MAIN(ResetTest)
#include "test_reset.moc"
