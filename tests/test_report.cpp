// The printed configuration report: its lines for the Dorsell and Quarn layouts, the controls it
// reads, the font, the line printer, and "&Print" to a PDF file read back with pdftotext (Linux).
#include "core/calimage.h"
#include "core/image_defaults.h"
#include "core/catalog/frequencybar.h"
#include "ui/quarnform.h"
#include "core/files/reportlines.h"
#include "ui/reportprinting.h"
#include "report/lineprinter.h"
#include "report/reportwriter.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {
CalImageBytes DefaultImage()
{
    CalImageBytes image;
    SetImageDefaultBytes(image.data());
    return image;
}

// The lines from `first` on, `count` of them.
QStringList Slice(const QStringList &lines, int first, int count) { return lines.mid(first, count); }

QString PdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF's pages, counted from its page objects (the toolkit writes its files uncompressed at
// that level), so that the count needs no Linux tool.
int PdfPages(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

// The document information's title: a literal string, in UTF-16 when it starts with its mark.
QString PdfTitle(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    const qsizetype at = data.indexOf("/Title (");
    if (at < 0) return {};
    QByteArray raw;
    for (qsizetype i = at + 8; i < data.size() && data[i] != ')'; ++i) raw += data[i] == '\\' ? data[++i] : data[i];
    if (!raw.startsWith("\xFE\xFF")) return QString::fromLatin1(raw);
    QString title;
    for (qsizetype i = 2; i + 1 < raw.size(); i += 2) title += QChar(char16_t(uint8_t(raw[i]) << 8 | uint8_t(raw[i + 1])));
    return title;
}

// pdftotext, which reads a PDF's text back, is a Linux program: on Windows a test ends here.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_PDFTOTEXT() QSKIP("pdftotext reads the PDF's text back only on Linux")
#else
#define SKIP_WITHOUT_PDFTOTEXT() \
    do {                         \
    } while (false)
#endif

QString Squeezed(const QString &text) { return text.simplified(); }

// True when every non-blank line appears in `text`, in order (blank runs compared as one blank:
// the first installed family need not be fixed pitch, so columns may not survive extraction).
bool HoldsInOrder(const QString &text, const QStringList &lines, QString *missing)
{
    const QString flat = Squeezed(text);
    qsizetype from = 0;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty()) continue;
        const qsizetype at = flat.indexOf(Squeezed(line), from);
        if (at < 0) {
            *missing = line;
            return false;
        }
        from = at + Squeezed(line).size();
    }
    return true;
}

// Counts the "Printing...." window's appearances and notes the cursor it appeared under.
class NoticeWatcher : public QObject {
public:
    NoticeWatcher() { qApp->installEventFilter(this); }
    ~NoticeWatcher() override { qApp->removeEventFilter(this); }
    int shown = 0;
    bool hourglass = false;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && object->objectName() == QStringLiteral("PrintForm")) {
            ++shown;
            const QCursor *cursor = QApplication::overrideCursor();
            hourglass = cursor && cursor->shape() == Qt::WaitCursor;
        }
        return false;
    }
};

// Sends the printer set-up dialog's output to `pdf` and confirms it, or cancels when `pdf` is "".
void AnswerPrintDialog(ModalAnswerer &answer, const QString &pdf)
{
    answer.setDialogHandler([pdf](QWidget *dialog) {
        if (!qobject_cast<QPrintDialog *>(dialog) || pdf.isEmpty()) {
            static_cast<QDialog *>(dialog)->reject();
            return;
        }
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        QVERIFY(printers && fileName);
        printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
        fileName->setText(pdf);
        QMetaObject::invokeMethod(static_cast<QDialog *>(dialog), &QDialog::accept, Qt::QueuedConnection);
    });
}

const QString OffText = QStringLiteral("Off");
}  // namespace

class ReportTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

private slots:
    void dorsellLayout()
    {
        CalImageBytes image = DefaultImage();
        image[33] = 20;
        image[19] = 5;
        image[9] = 50;
        image[10] = 200;
        image[5] = 0;
        image[6] = 255;
        image[7] = 3;
        image[8] = 5;
        ReportControls controls;
        controls.freqbarPosition = 85;
        const QStringList expected{
            "DorSell Trim/Configuration Settings",
            "",
            "Joystick Configuration:     ",
            "",
            "Frequency:                  85",
            "",
            "Trims:",
            "",
            "Plow Up:                            Min:  2.5v    Max: 10.0v",
            "Plow Down:                          Min:  0.1v    Max: 12.7v",
            "Plow Left / V-Plow Left Wing Out:   Min:  0.1v    Max: 12.7v",
            "Plow Right / V-Plow Left Wing In:   Min:  0.1v    Max: 12.7v",
            "Hoist Up:                           Min:  0.1v    Max: 12.7v",
            "Hoist Down:                         Min:  0.1v    Max: 12.7v",
            "Hoist left / V-Plow Right Wing out: Min:  0.0v    Max: 12.8v",
            "Hoist Right / V-Plow Right Wing In: Min:  0.1v    Max:  0.2v",
        };
        QCOMPARE(ReportLines(image, controls), expected);

        const std::pair<int, const char *> settings[] = {
            {0, "Single Stick"}, {1, "Dual Stick"}, {2, "Dual Stick (V-PLOW)"}, {3, ""}, {255, ""}};
        for (auto [setting, text] : settings) {
            image[19] = static_cast<uint8_t>(setting);
            QCOMPARE(ReportLines(image, controls)[2], QStringLiteral("Joystick Configuration:     ") + text);
        }
    }

    void quarnLayoutOfTheDefaultImage()
    {
        ReportControls controls;
        controls.modeTexts[Joy::NoButton] = QStringLiteral("Hoist ");
        controls.modeTexts[Joy::Red] = QStringLiteral("Plow ");
        controls.modeTexts[Joy::Green] = QStringLiteral("Primary / Button Secondary");
        controls.modeTexts[Joy::Blue] = QStringLiteral("Wing ");  // not on the four-button grip
        controls.freqbarPosition = 115;
        const QStringList expected{
            "Quarn Trim/Configuration Settings",
            "",
            "Joystick Configuration:     4 button Vexa",
            "",
            "Default mode:                    Hoist ",
            "Red button mode:                  Plow ",
            "Green button mode: Primary / Button Secondary",
            "",
            "Frequency:                          115",
            "",
            "Trims:",
            "",
            "Hoist Up:      Min:  0.1v    Max: 12.7v",
            "Hoist Down:    Min:  0.1v    Max: 12.7v",
            "Plow Up:       Min:  0.1v    Max: 12.7v",
            "Plow Down:     Min:  0.1v    Max: 12.7v",
            "Plow Left:     Min:  0.1v    Max: 12.7v",
            "Plow Right:    Min:  0.1v    Max: 12.7v",
            "Wing Toe Up    Min:  0.1v    Max: 12.7v",
            "Wing Toe Down: Min:  0.1v    Max: 12.7v",
            "Heel Up:       Min:  0.1v    Max: 12.7v",
            "Heel Down:     Min:  0.1v    Max: 12.7v",
            "Wing Slide In: Min:  0.1v    Max: 12.7v",
            "Wing Slide Out:Min:  0.1v    Max: 12.7v",
            "Blade Up:      Min:  0.1v    Max: 12.7v",
            "Blade Down:    Min:  0.1v    Max: 12.7v",
            "Blade Left:    Min:  0.1v    Max: 12.7v",
            "Blade Right:   Min:  0.1v    Max: 12.7v",
        };
        QCOMPARE(ReportLines(DefaultImage(), controls), expected);
    }

    void quarnButtonJoysticks()
    {
        ReportControls controls;
        for (int b = 0; b < Joy::ButtonCount; ++b) controls.modeTexts[size_t(b)] = QString::fromLatin1(Joy::Buttons[b].name);
        CalImageBytes image = DefaultImage();

        image[33] = 2;
        QStringList lines = ReportLines(image, controls);
        QCOMPARE(lines[2], QStringLiteral("Joystick Configuration:     6 button Vexa"));
        QCOMPARE(Slice(lines, 4, 6), QStringList({"Default mode:                        No",
                                                  "Red button mode:                    Red",
                                                  "Green button mode:                Green",
                                                  "Blue button mode:                  Blue",
                                                  "Yellow button mode:              Yellow", ""}));

        image[33] = 3;
        lines = ReportLines(image, controls);
        QCOMPARE(lines[2], QStringLiteral("Joystick Configuration:     8 button Vexa"));
        QCOMPARE(lines[9], QStringLiteral("Orange button mode:              Orange"));
        QCOMPARE(lines[10], QStringLiteral("Purple button mode:              Purple"));
        QCOMPARE(lines[11], QString());

        image[33] = 19;
        lines = ReportLines(image, controls);
        QCOMPARE(lines[2], QStringLiteral("Joystick Configuration:      Slave Mode"));
        QCOMPARE(Slice(lines, 4, 5), QStringList({"Red mode:                           Red",
                                                  "Green mode:                       Green",
                                                  "Blue mode:                         Blue",
                                                  "Yellow mode:                     Yellow", ""}));
    }

    void quarnStickJoysticks()
    {
        CalImageBytes image = DefaultImage();
        const ReportControls none;

        image[33] = 21;
        image[35] = 0;
        image[36] = 7;
        QStringList lines = ReportLines(image, none);
        QCOMPARE(lines[2], QStringLiteral("Joystick Configuration:        Twin Sarix"));
        QCOMPARE(Slice(lines, 4, 5), QStringList({"Stick Configuration:       Plow + Hoist", "",
                                                  "Plow Stick Safety:                   On",
                                                  "Hoist Stick Safety:                 Off", ""}));

        image[33] = 22;
        image[35] = 5;
        lines = ReportLines(image, none);
        QCOMPARE(lines[2], QStringLiteral("Joystick Configuration:        Twin Sarix"));
        QCOMPARE(Slice(lines, 4, 5), QStringList({"Stick Configuration: Plow/Hoist + Blade", "",
                                                  "Plow/Hoist Stick Button:    Switch Mode",
                                                  "Blade Stick Safety:                  On", ""}));

        image[33] = 23;
        image[35] = 0;
        image[36] = 1;
        image[37] = 6;
        lines = ReportLines(image, none);
        QCOMPARE(lines[2], QStringLiteral("Joystick Configuration:      Triple Sarix"));
        QCOMPARE(Slice(lines, 4, 6), QStringList({"Configuration:Plow + Blade/Wing + Hoist", "",
                                                  "Plow Stick Safety:                   On",
                                                  "Blade/Wing Stick Button:    Switch Mode",
                                                  "Hoist Stick Safety:                 Off", ""}));
        image[37] = 0;
        lines = ReportLines(image, none);
        QCOMPARE(lines[4], QStringLiteral("Configuration:     Plow + Blade + Hoist"));
        QCOMPARE(lines[7], QStringLiteral("Blade Stick Safety:                 ") + OffText);
    }

    void otherJoystickTypesAndFrequencies()
    {
        // A Brennic image carries no joystick type of the Quarn lists: Quarn layout, no joystick
        // lines, whatever the product.
        CalImageBytes image = DefaultImage();
        image[33] = 0;
        image[0] = 128;  // 60 Hz
        QStringList lines = ReportLines(image, Product::Brennic);
        QCOMPARE(Slice(lines, 0, 7), QStringList({"Quarn Trim/Configuration Settings", "", "Joystick Configuration:     ",
                                                  "", "", "Frequency:                           60", ""}));
        QCOMPARE(lines.size(), 25);
        QCOMPARE(lines.last(), QStringLiteral("Blade Right:   Min:  0.1v    Max: 12.7v"));

        // Curve A rounded down to a multiple of 5 and held within the page's bar: byte 0 gives
        // 483 Hz, shown at the bar's end, 450; byte 255 gives 30 Hz.
        image[0] = 0;
        QCOMPARE(ReportLines(image, Product::Brennic)[5], QStringLiteral("Frequency:                          450"));
        image[0] = 255;
        QCOMPARE(ReportLines(image, Product::Brennic)[5], QStringLiteral("Frequency:                           30"));
    }

    void controlsAreReadByName()
    {
        QWidget form;
        auto *page = new QWidget(&form);
        auto *freqbar = new QScrollBar(Qt::Horizontal, page);
        freqbar->setObjectName(QStringLiteral("freqbar"));
        freqbar->setRange(45, 325);
        freqbar->setValue(85);
        auto *combo = new QComboBox(page);
        combo->setObjectName(QStringLiteral("SixButton3DropDown"));
        combo->addItems({QStringLiteral("Inactive"), QStringLiteral("Plow ")});
        combo->setCurrentIndex(1);
        auto *unselected = new QComboBox(page);
        unselected->setObjectName(QStringLiteral("SlaveButton2DropDown"));
        unselected->addItem(QStringLiteral("Inactive"));
        unselected->setCurrentIndex(-1);

        // The frequency comes from the image as the product's page reads it, not from a bar.
        CalImageBytes image = DefaultImage();
        image[0] = 200;
        const ReportControls controls = CollectReportControls(form, image, Product::Dorsell);
        QCOMPARE(controls.freqbarPosition, FrequencyPosition(CurveBBar(), 200));
        QCOMPARE(controls.modeText(Joy::Blue), QStringLiteral("Plow "));
        QCOMPARE(controls.modeText(Joy::Green), QString());     // no item chosen
        QCOMPARE(controls.modeText(Joy::NoButton), QString());  // no list built: empty

        QCOMPARE(CollectReportControls(QObject(), image, Product::Quarn).freqbarPosition, FrequencyPosition(CurveABar(), 200));
    }

    void fontChoice()
    {
        const QFont courier = ReportFont({QStringLiteral("C059"), QStringLiteral("Courier New")});
        QCOMPARE(courier.family(), QStringLiteral("Courier New"));
        const QFont first = ReportFont({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Mono")});
        QCOMPARE(first.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(ReportFont({}).family(), QFont().family());
        for (const QFont &font : {courier, first}) {
            QVERIFY(font.fixedPitch());
            QCOMPARE(font.styleHint(), QFont::Monospace);
            QVERIFY(!font.bold() && !font.italic() && !font.underline());
        }
    }

    void longLinesWrapAndFullPagesTurn()
    {
        const QFont font = ReportFont({QStringLiteral("Liberation Mono")});
        const QFontMetricsF metrics(font);
        const QString line = QStringLiteral("0123456789").repeated(10);
        const qreal width = metrics.horizontalAdvance(line.left(30)) + 0.5;
        const QStringList pieces = LinePrinter::WrapLine(line, metrics, width);
        QCOMPARE(pieces.join(QString()), line);
        QCOMPARE(pieces.size(), 4);
        for (const QString &piece : pieces) QVERIFY(metrics.horizontalAdvance(piece) <= width);
        QCOMPARE(LinePrinter::WrapLine(QString(), metrics, width), QStringList{QString()});
        QCOMPARE(LinePrinter::WrapLine(QStringLiteral("W"), metrics, 1), QStringList{QStringLiteral("W")});

        // Printed: 120 numbered lines of 300 characters fill several pages, and nothing is lost.
        const QString pdf = m_dir.filePath(QStringLiteral("long.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QStringList lines;
        for (int i = 0; i < 120; ++i) lines << QStringLiteral("L%1 ").arg(i, 3, 10, QLatin1Char('0')) + QString(300, QLatin1Char('x'));
        QCOMPARE(PrintReport(printer, lines), QString());
        QVERIFY(PdfPages(pdf) > 3);
        SKIP_WITHOUT_PDFTOTEXT();
        const QString text = PdfText(pdf);
        for (int i : {0, 57, 119}) QVERIFY(text.contains(QStringLiteral("L%1 ").arg(i, 3, 10, QLatin1Char('0'))));
        QCOMPARE(text.count(QLatin1Char('x')), 120 * 300);
    }

    void printMenuToPdf()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows' own print dialog cannot be answered by a test");
#endif
        auto form = makeMainWindow();
        findControl<QAction>(form.get(), QStringLiteral("QuarnMenu1"))->trigger();
        CalImage[33] = 21;
        CalImage[36] = 1;
        CalImage[25] = 200;
        const QStringList expected = ReportLines(CalImage, CollectReportControls(*form, CalImage, ProductCode));

        ModalAnswerer answer;
        NoticeWatcher notice;
        const QString pdf = m_dir.filePath(QStringLiteral("report.pdf"));
        AnswerPrintDialog(answer, pdf);
        findControl<QAction>(form.get(), QStringLiteral("Print1"))->trigger();

        QVERIFY(answer.texts().isEmpty());
        QCOMPARE(notice.shown, 1);
        QVERIFY(notice.hourglass);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!qApp->findChild<QWidget *>(QStringLiteral("PrintForm")));
        QCOMPARE(PdfTitle(pdf), QStringLiteral("Quarn Trim/Configuration Settings"));
        SKIP_WITHOUT_PDFTOTEXT();
        const QString text = PdfText(pdf);
        QString missing;
        QVERIFY2(HoldsInOrder(text, expected, &missing), qPrintable(QStringLiteral("missing: ") + missing + "\n" + text));
        QVERIFY(text.contains(QStringLiteral("Stick Configuration:")));
        QVERIFY(text.contains(QStringLiteral("10.0v")));
    }

    void printMenuCancelledOrFailing()
    {
        auto form = makeMainWindow();
        ModalAnswerer answer;
        NoticeWatcher notice;
#ifdef Q_OS_WIN
        // Without a printer of the system's the window says so at once; with one, the set-up
        // dialog is Windows' own, which a test cannot answer.
        if (QPrinter().outputFormat() == QPrinter::NativeFormat) QSKIP("Windows' own print dialog cannot be answered");
        findControl<QAction>(form.get(), QStringLiteral("Print1"))->trigger();
        QCOMPARE(answer.titlesAndTexts(), QStringList{QStringLiteral("QuarnTrim: ") + QString::fromLatin1(NoPrinterText)});
        QCOMPARE(notice.shown, 0);
        return;
#endif

        AnswerPrintDialog(answer, QString());
        findControl<QAction>(form.get(), QStringLiteral("Print1"))->trigger();
        QCOMPARE(notice.shown, 0);
        QVERIFY(answer.texts().isEmpty());

        // A printer that cannot be opened: the error box, after the notice and hourglass are gone.
        AnswerPrintDialog(answer, m_dir.filePath(QStringLiteral("no/such/folder/report.pdf")));
        findControl<QAction>(form.get(), QStringLiteral("Print1"))->trigger();
        QCOMPARE(notice.shown, 1);
        QCOMPARE(answer.titlesAndTexts(), QStringList{QStringLiteral("QuarnTrim: The printer could not be opened")});
        QVERIFY(!QApplication::overrideCursor());
    }
    // The command line's report: the same lines from the image alone as the window prints once it
    // has loaded that image, for both layouts and every button joystick.
    void reportFromTheImageMatchesTheWindow()
    {
        auto form = makeMainWindow();
        const struct {
            const char *menu;
            std::vector<std::pair<int, int>> edits;
        } cases[] = {
            {"QuarnMenu1", {}},
            {"QuarnMenu1", {{33, 2}, {34, 9}, {35, 14}, {36, 6}, {37, 13}, {38, 3}, {3, 250}}},
            {"QuarnMenu1", {{33, 3}, {141, 10}, {145, 20}, {0, 128}}},
            {"QuarnMenu1", {{33, 19}, {35, 4}, {38, 2}}},
            {"QuarnMenu1", {{33, 23}, {36, 5}, {37, 6}}},
            {"DorsellMenu1", {{33, 20}}},
            {"DorsellMenu1", {{33, 20}, {0, 8}, {19, 1}, {9, 60}}},
            {"DorsellMenu1", {{33, 20}, {0, 255}, {19, 2}}},
            {"Ostrel1", {{33, 20}, {0, 81}, {19, 0}}},
        };
        for (const auto &c : cases) {
            CalImageBytes file = DefaultImage();
            for (auto [offset, value] : c.edits) file[size_t(offset)] = uint8_t(value);
            CalImage = file;
            findControl<QAction>(form.get(), QString::fromLatin1(c.menu))->trigger();
            QCOMPARE(ReportLines(file), ReportLines(CalImage, CollectReportControls(*form, CalImage, ProductCode)));
        }
    }

    void reportFilesWithoutAPrinter()
    {
        CalImageBytes image = DefaultImage();
        image[33] = 2;
        image[35] = 13;
        const QStringList lines = ReportLines(image);
        QCOMPARE(lines[5], QStringLiteral("Red button mode:                Blade 2"));

        const QString text = m_dir.filePath(QStringLiteral("report.txt"));
        QCOMPARE(WriteReportText(text, lines), QString());
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));  // the system's line ends
        QCOMPARE(QString::fromUtf8(file.readAll()), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));

        // A folder that is not there: an error naming the file, and no file.
        const QString nowhere = m_dir.filePath(QStringLiteral("no/such/folder/report.pdf"));
        for (const QString &error : {WriteReportPdf(nowhere, lines), WriteReportText(nowhere, lines)})
            QVERIFY2(error.contains(QStringLiteral("report.pdf")), qPrintable(error));
        QVERIFY(!QFile::exists(nowhere));

        const QString pdf = m_dir.filePath(QStringLiteral("report-cli.pdf"));
        QCOMPARE(WriteReportPdf(pdf, lines), QString());
        QCOMPARE(PdfTitle(pdf), ReportJobTitle);
        SKIP_WITHOUT_PDFTOTEXT();
        QString missing;
        const QString extracted = PdfText(pdf);
        QVERIFY2(HoldsInOrder(extracted, lines, &missing), qPrintable(QStringLiteral("missing: ") + missing));
    }
};

QTEST_MAIN(ReportTest)
#include "test_report.moc"
