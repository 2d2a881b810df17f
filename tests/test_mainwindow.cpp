// The main window frame: menus, the page stack and its dispatch, the log window, the splash.
#include "core/calimage.h"
#include "ui/assets.h"
#include "ui/quarnform.h"
#include "ui/splashform.h"
#include "ui/widgets/statuspanel.h"
#include "support/testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

class MainWindowTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void menuCaptions()
    {
        auto form = makeMainWindow();
        QStringList got;
        for (QAction *menuAction : form->menuBar()->actions()) {
            QStringList items;
            for (QAction *item : menuAction->menu()->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            got << menuAction->text() + QStringLiteral(": ") + items.join(QLatin1Char('|'));
        }
        QCOMPARE(got, QStringList({
                          "&File: &Open|&Save|-|&History...|&Compare...|Shop Se&rver...|-|&Print|-|&Exit",
                          "&View: &Log Window|Quarn Menu|Dorsell Menu|Brennic Menu|Horner CsCAN|Ostrel",
                          "&Datalink: &Port Number|&Send Calibration|&Get Calibration|&Upgrade Firmware|&Reset Cal File",
                          "&Help: &About",
                      }));
        QCOMPARE(form->windowTitle(), QStringLiteral("Quarn Configuration Tool"));
    }

    void clientAreaAndStatusStrip()
    {
        auto form = makeMainWindow();
        QCOMPARE(form->centralWidget()->size(), QSize(592, 449));
        auto *bottom = findControl<QWidget>(form.get(), QStringLiteral("BottomPanel"));
        QCOMPARE(bottom->height(), 55);
        QCOMPARE(findControl<QLabel>(form.get(), QStringLiteral("ConnectedPanel"))->geometry(), QRect(8, 0, 273, 25));
        QCOMPARE(findControl<QProgressBar>(form.get(), QStringLiteral("ProgressGauge"))->geometry(),
                 QRect(56, 28, 225, 20));
        QCOMPARE(findControl<QPushButton>(form.get(), QStringLiteral("UploadButton"))->text(), QStringLiteral("&Send Cal"));
        QVERIFY(findControl<QWidget>(form.get(), QStringLiteral("MemoPanel"))->isHidden());
        // The strip's controls, the Unit box with them, lie inside it and on top of none other.
        auto *strip = findControl<QWidget>(form.get(), QStringLiteral("TopProgPanel"));
        const QList<QWidget *> controls = strip->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY2(strip->rect().contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                         qPrintable(controls[i]->objectName() + QStringLiteral(" / ") + controls[j]->objectName()));
        }
        QVERIFY(controls.contains(findControl<QComboBox>(form.get(), QStringLiteral("UnitBox"))));
    }

    void statusStripShowsTheWholeSentence()
    {
        auto form = makeMainWindow();
        auto *panel = findControl<StatusPanel>(form.get(), QStringLiteral("ConnectedPanel"));
        auto shown = [&](const QString &text) {
            panel->setText(text);
            return panel->CurrentLayout();
        };
        QCOMPARE(shown(QStringLiteral("Connected")).lines, QStringList{QStringLiteral("Connected")});
        // Too wide for one line: two lines in a face that fits the panel, every word kept.
        const QString failure = QStringLiteral("COM Port Fail: COM5: The system cannot find the file specified.");
        const StatusPanel::Layout two = shown(failure);
        QCOMPARE(two.lines.size(), 2);
        QVERIFY(!two.elided);
        QCOMPARE(two.lines.join(QLatin1Char(' ')), failure);
        QVERIFY(2 * QFontMetrics(two.font).lineSpacing() <= panel->contentsRect().height());
        for (const QString &line : two.lines)
            QVERIFY(QFontMetrics(two.font).horizontalAdvance(line) <= panel->contentsRect().width());
        // More than two lines hold: cut at the end, and the whole text stays the panel's.
        const StatusPanel::Layout cut = shown(failure.repeated(3));
        QVERIFY(cut.elided);
        QVERIFY(cut.lines.first().startsWith(QLatin1String("COM Port Fail: COM5:")));
        QCOMPARE(panel->text(), failure.repeated(3));
    }

    void logWindowToggleRestoresHeight()
    {
        auto form = makeMainWindow();
        auto *log = findControl<QAction>(form.get(), QStringLiteral("LogWindow1"));
        auto *bottom = findControl<QWidget>(form.get(), QStringLiteral("BottomPanel"));
        const int height = form->height();
        log->trigger();
        QCOMPARE(form->height(), height + 250);
        QCOMPARE(bottom->height(), 305);
        QVERIFY(findControl<QWidget>(form.get(), QStringLiteral("MemoPanel"))->isVisible());
        log->trigger();
        QCOMPARE(form->height(), height);
        QCOMPARE(bottom->height(), 55);
        QVERIFY(findControl<QWidget>(form.get(), QStringLiteral("MemoPanel"))->isHidden());
    }

    void startsOnBlankPageAndDispatches()
    {
        auto form = makeMainWindow();
        auto *stack = findControl<QStackedWidget>(form.get(), QStringLiteral("ProductNotebook"));
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(int(ProductCode), 0);
        const CalImageBytes before = CalImage;

        // A code without a page leaves the page shown before.
        ProductCode = 5;
        form->ImageToControls(false);
        QCOMPARE(stack->currentIndex(), 0);

        ProductCode = Product::Vintle;
        form->ImageToControls(false);
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::VintlePageIndex));
        QVERIFY(CalImage == before);

        findControl<QAction>(form.get(), QStringLiteral("Ostrel1"))->trigger();
        QCOMPARE(stack->currentIndex(), int(TQuarnForm::DorsellPageIndex));
        QCOMPARE(int(ProductCode), int(Product::Ostrel));
        QCOMPARE(int(CalImage[33]), 20);

        const std::pair<const char *, int> views[] = {{"QuarnMenu1", TQuarnForm::QuarnPageIndex},
                                                      {"DorsellMenu1", TQuarnForm::DorsellPageIndex},
                                                      {"BrennicMenu1", TQuarnForm::BrennicPageIndex},
                                                      {"HornerCsCAN1", TQuarnForm::CsCanPageIndex}};
        for (auto [name, page] : views) {
            findControl<QAction>(form.get(), QString::fromLatin1(name))->trigger();
            QCOMPARE(stack->currentIndex(), page);
        }
    }

    void splashPicturesDecode()
    {
        // A missing JPEG plugin must fail here rather than show a blank splash.
        EnsureAssets();
        QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
        for (const char *name : {":/assets/splash_product.jpg", ":/assets/splash_logo.jpg"}) {
            QImageReader reader{QString::fromLatin1(name)};
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            QVERIFY2(!reader.read().isNull(), qPrintable(reader.errorString()));
        }
        SplashForm splash;
        QVERIFY(!findControl<QLabel>(&splash, QStringLiteral("ProductImage"))->pixmap().isNull());
    }

    void aboutShowsVersion()
    {
        auto form = makeMainWindow();
        QString version;
        ModalAnswerer answer;
        answer.setDialogHandler([&](QWidget *dialog) {
            if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("VersionLabel"))) version = label->text();
            dialog->close();
        });
        findControl<QAction>(form.get(), QStringLiteral("About1"))->trigger();
        QCOMPARE(version, QStringLiteral("version 2.51"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
