// The controller history: the store on its own (order, index, bound, an unwritable folder), and
// the main window against the controller emulator keeping what it exchanged, opening a kept image,
// comparing by name and carrying on when the history cannot be written.
#include "app/calimage.h"
#include "app/image_layout.h"
#include "catalog/catalogue.h"
#include "editor/quarnform.h"
#include "files/comparedialog.h"
#include "files/historydialog.h"
#include "history/historystore.h"
#include "support/filesizelimit.h"
#include "support/wirewindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <sys/stat.h>

namespace {
constexpr int HistoryCom = 191;
const QString QuarnBanner = QStringLiteral("QUARN 2 v1.1 Connected and Listening");

CalImageBytes Filled(uint8_t value)
{
    CalImageBytes image;
    image.fill(value);
    return image;
}

CalImageBytes Loaded(const HistoryStore &store, const HistoryEntry &entry)
{
    CalImageBytes image{};
    if (!store.Load(entry, image)) qFatal("cannot load %s", qPrintable(entry.fileName));
    return image;
}

// The window connected to an emulated Quarn controller that holds `image`, once the first
// download has been confirmed (form is null when it never was).
struct QuarnOnWire {
    explicit QuarnOnWire(const CalImageBytes &image) : sim(HistoryCom, ControllerOf('j'))
    {
        sim.sim().SetImage(image);
        form = ConnectedWindow(sim, boxes);
    }
    SimOnCom sim;
    ModalAnswerer boxes;
    std::unique_ptr<TQuarnForm> form;
};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Something in place of the history folder that no one can write into, whoever runs the test.
void BlockHistoryFolder()
{
    const QString folder = HistoryStore::DefaultFolder();
    QDir().mkpath(QFileInfo(folder).path());
    QFile blocker(folder);
    if (!blocker.open(QIODevice::WriteOnly)) qFatal("cannot block %s", qPrintable(folder));
}
}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void init() { ProductCode = Product::None; }
    void cleanup()
    {
        const QString folder = HistoryStore::DefaultFolder();
        QFile::remove(folder);
        QDir(folder).removeRecursively();
    }

    void keptFilesListNewestFirstWithTheirIndexLine()
    {
        HistoryStore store;
        QVERIFY(store.KeepImage(HistoryKind::Download, 7, 'j', QuarnBanner, Filled(1)));
        QVERIFY(store.KeepImage(HistoryKind::Upload, 7, 'j', QStringLiteral("tab\there"), Filled(2)));
        QString hexPath;
        QVERIFY(store.KeepFirmware(":00000001FF\n", QStringLiteral("AT90CAN128\r\n"), 9, nullptr, &hexPath));

        const QList<HistoryEntry> entries = store.Entries();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0].kind, HistoryKind::Firmware);
        QCOMPARE(entries[0].banner, QStringLiteral("AT90CAN128"));
        QCOMPARE(store.PathOf(entries[0]), hexPath);
        QCOMPARE(entries[1].kind, HistoryKind::Upload);
        QCOMPARE(entries[1].banner, QStringLiteral("tab here"));
        QCOMPARE(entries[2].kind, HistoryKind::Download);
        QCOMPARE(entries[2].comNumber, 7);
        QCOMPARE(entries[2].productLetter, 'j');
        QCOMPARE(entries[2].banner, QuarnBanner);
        QVERIFY(entries[0].time > entries[1].time && entries[1].time > entries[2].time);
        QCOMPARE(Loaded(store, entries[1]), Filled(2));
        QFile hex(hexPath);
        QVERIFY(hex.open(QIODevice::ReadOnly));
        QCOMPARE(hex.readAll(), QByteArray(":00000001FF\n"));

        QFile index(QDir(store.Folder()).filePath(QString::fromLatin1(HistoryStore::kIndexName)));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QVERIFY(index.readAll().contains(("\tdownload\tCOM7\tj\t" + QuarnBanner + "\t" + entries[2].fileName + "\n").toUtf8()));
    }

    void onlyTheNewestImagesStay()
    {
        // A full folder, written by hand without an index, as a person might have copied it in.
        HistoryStore store;
        QVERIFY(QDir().mkpath(store.Folder()));
        const QDateTime start(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
        auto name = [&](int i) {
            return start.addSecs(i).toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss.zzz")) + QStringLiteral("Z_upload_COM3_b.joy");
        };
        for (int i = 0; i < HistoryStore::kMaxImages; ++i) {
            QFile file(QDir(store.Folder()).filePath(name(i)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(CalImageSize, char(i))) == CalImageSize);
        }
        QVERIFY(store.KeepFirmware(":00000001FF\n", QStringLiteral("AT90CAN64"), 3));
        QVERIFY(store.KeepImage(HistoryKind::Download, 3, 'b', QString(), Filled(9)));

        const QList<HistoryEntry> entries = store.Entries();
        QCOMPARE(entries.size(), HistoryStore::kMaxImages + 1);
        QCOMPARE(Loaded(store, entries[0]), Filled(9));
        QCOMPARE(entries[1].kind, HistoryKind::Firmware);
        QCOMPARE(entries.last().fileName, name(1));
        QVERIFY(!QFile::exists(QDir(store.Folder()).filePath(name(0))));
        QCOMPARE(entries.last().productLetter, 'b');
        QCOMPARE(entries.last().comNumber, 3);
    }

    void everyProgramKeepsItsHistoryInTheWindowsFolder()
    {
        const QString expected = m_settings.path() + QStringLiteral("/data/Halvern/QuarnTrim/history");
        QCOMPARE(HistoryStore::DefaultFolder(), expected);
        const QString application = QCoreApplication::applicationName();
        const QString organisation = QCoreApplication::organizationName();
        QCoreApplication::setApplicationName(QStringLiteral("quarntrim-cli"));
        QCoreApplication::setOrganizationName(QString());
        const QString fromOther = HistoryStore::DefaultFolder();
        QCoreApplication::setApplicationName(application);
        QCoreApplication::setOrganizationName(organisation);
        QCOMPARE(fromOther, expected);
    }

    void unwritableFolderKeepsNothingAndSaysWhere()
    {
        BlockHistoryFolder();
        HistoryStore store;
        QString error;
        QVERIFY(!store.KeepImage(HistoryKind::Download, 7, 'j', QuarnBanner, Filled(1), &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(store.Folder())), qPrintable(error));
        QVERIFY(store.Entries().isEmpty());
    }

    void aFullDiskKeepsNothingAndLeavesTheIndexWhole()
    {
        HistoryStore store;
        for (uint8_t i = 1; i <= 3; ++i) QVERIFY(store.KeepImage(HistoryKind::Download, 7, 'j', QuarnBanner, Filled(i)));
        const QString indexPath = QDir(store.Folder()).filePath(QString::fromLatin1(HistoryStore::kIndexName));
        const QByteArray index = ReadAll(indexPath);
        const QStringList files = QDir(store.Folder()).entryList(QDir::Files);
        QString error;
        {
            // Room for one more image, not for the index that would name it.
            FileSizeLimit full(CalImageSize + 16);
            QVERIFY(!store.KeepImage(HistoryKind::Upload, 7, 'j', QuarnBanner, Filled(4), &error));
            QVERIFY(!store.KeepFirmware(QByteArray(CalImageSize * 2, ':'), QStringLiteral("AT90CAN128"), 7));
        }
        QVERIFY2(error.contains(QDir::toNativeSeparators(indexPath)), qPrintable(error));
        QCOMPARE(ReadAll(indexPath), index);
        QCOMPARE(QDir(store.Folder()).entryList(QDir::Files), files);
    }

    void aPipeForAnIndexIsRefusedNotWaitedOn()
    {
        HistoryStore store;
        QVERIFY(QDir().mkpath(store.Folder()));
        const QString indexPath = QDir(store.Folder()).filePath(QString::fromLatin1(HistoryStore::kIndexName));
        QCOMPARE(::mkfifo(QFile::encodeName(indexPath).constData(), 0600), 0);
        QString error;
        QVERIFY(!store.KeepImage(HistoryKind::Download, 7, 'j', QuarnBanner, Filled(1), &error));
        QVERIFY2(error.contains(QLatin1String("not a regular file")), qPrintable(error));
        QVERIFY(store.Entries().isEmpty());
        QVERIFY(QFileInfo(indexPath).exists() && !QFileInfo(indexPath).isFile());
    }

    void windowKeepsWhatItExchangedAndOpensItAgain()
    {
        const CalImageBytes controllerImage = ShownImage(Product::Quarn, PatternImage(41));
        const CalImageBytes edited = ShownImage(Product::Quarn, PatternImage(77));
        QuarnOnWire wire(controllerImage);
        QVERIFY(wire.form);
        auto &[sim, boxes, form] = wire;

        CalImage = edited;
        form->ImageToControls(true);
        QVERIFY(WaitReadyForRequest(sim, *form));
        findControl<QAction>(form.get(), QStringLiteral("SendCal"))->trigger();
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Upload Successful!"), 1));
        QCOMPARE(sim.sim().Image(), edited);

        const HistoryStore store;
        const QList<HistoryEntry> entries = store.Entries();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].kind, HistoryKind::Upload);
        QVERIFY2(Loaded(store, entries[0]) == edited, qPrintable(ImageDifferences(Loaded(store, entries[0]), edited)));
        QCOMPARE(entries[1].kind, HistoryKind::Download);
        QVERIFY2(Loaded(store, entries[1]) == controllerImage,
                 qPrintable(ImageDifferences(Loaded(store, entries[1]), controllerImage)));
        for (const HistoryEntry &entry : entries) {
            QCOMPARE(entry.comNumber, HistoryCom);
            QCOMPARE(entry.productLetter, 'j');
            QCOMPARE(entry.banner, QuarnBanner);
        }

        // "History..." opens the download again; the history stays as it was.
        const QStringList filesBefore = QDir(store.Folder()).entryList(QDir::Files);
        boxes.setDialogHandler([](QWidget *dialog) {
            if (!qobject_cast<HistoryDialog *>(dialog)) return;
            auto *list = findControl<QTreeView>(dialog, QStringLiteral("HistoryList"));
            list->setCurrentIndex(list->model()->index(1, 0));
            findControl<QPushButton>(dialog, QStringLiteral("OpenButton"))->click();
        });
        findControl<QAction>(form.get(), QStringLiteral("History1"))->trigger();
        QVERIFY2(CalImage == controllerImage, qPrintable(ImageDifferences(CalImage, controllerImage)));
        QCOMPARE(QDir(store.Folder()).entryList(QDir::Files), filesBefore);
        QCOMPARE(store.Entries().size(), 2);
    }

    void compareNamesTheOneChangedSettingAndChangesNothing()
    {
        const CalImageBytes controllerImage = ShownImage(Product::Quarn, PatternImage(63));
        QuarnOnWire wire(controllerImage);
        QVERIFY(wire.form);
        auto &[sim, boxes, form] = wire;

        const int offset = Off::FirstTrimPair;
        CalImage[offset] ^= 1;
        form->ImageToControls(true);
        const CalImageBytes edited = CalImage;
        QCOMPARE(ImageDifferences(edited, controllerImage).count(QLatin1Char(':')), 1);
        QString expectedName;
        for (const Catalogue::FieldValue &field : Catalogue::Describe(edited, Product::Quarn))
            if (field.offsets.contains(offset)) expectedName = field.name;

        const QStringList filesBefore = QDir(HistoryStore::DefaultFolder()).entryList(QDir::Files);
        QStringList rows;
        boxes.setDialogHandler([&rows](QWidget *dialog) {
            if (!qobject_cast<CompareDialog *>(dialog)) return;
            auto *list = findControl<QTreeWidget>(dialog, QStringLiteral("DifferenceList"));
            for (int i = 0; i < list->topLevelItemCount(); ++i) rows << list->topLevelItem(i)->text(0);
            findControl<QPushButton>(dialog, QStringLiteral("CloseButton"))->click();
        });
        findControl<QAction>(form.get(), QStringLiteral("Compare1"))->trigger();
        QCOMPARE(rows, QStringList{expectedName});
        QCOMPARE(CalImage, edited);
        QCOMPARE(QDir(HistoryStore::DefaultFolder()).entryList(QDir::Files), filesBefore);
    }

    void unwritableHistoryCostsOneLogLineAndNoExchange()
    {
        BlockHistoryFolder();
        const CalImageBytes controllerImage = ShownImage(Product::Quarn, PatternImage(52));
        QuarnOnWire wire(controllerImage);
        QVERIFY(wire.form);
        auto &[sim, boxes, form] = wire;
        QVERIFY2(CalImage == controllerImage, qPrintable(ImageDifferences(CalImage, controllerImage)));
        const QStringList log =
            findControl<QPlainTextEdit>(form.get(), QStringLiteral("Memo1"))->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(log.filter(QStringLiteral("History not kept")).size(), 1);
        QVERIFY2(log.filter(QStringLiteral("History not kept")).first().contains(HistoryStore::DefaultFolder()),
                 qPrintable(log.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(HistoryTest)
#include "test_history.moc"
