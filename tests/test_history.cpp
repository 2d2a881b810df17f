// The controller history: the store on its own (order, index, bound, an unwritable folder), and
// the main window against the controller emulator keeping what it exchanged, opening a kept image,
// comparing by name and carrying on when the history cannot be written.
#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "ui/quarnform.h"
#include "ui/dialogs/comparedialog.h"
#include "ui/dialogs/historydialog.h"
#include "history/historyrecord.h"
#include "history/historystore.h"
#include "support/filesizelimit.h"
#include "support/wirewindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
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
    if (!store.Load(entry, image)) qFatal("cannot load %s", qPrintable(entry.id));
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

    void keptEventsListNewestFirstWithWhatTheirCommitSays()
    {
        HistoryStore store;
        QVERIFY(store.KeepImage(HistoryKind::Download, QStringLiteral("COM7"), 'j', QuarnBanner, Filled(1), QString()));
        QVERIFY(store.KeepImage(HistoryKind::Upload, QStringLiteral("COM7"), 'j', QStringLiteral("tab\there"), Filled(2), QString()));
        QVERIFY(store.KeepFirmware(":00000001FF\n", QStringLiteral("AT90CAN128\r\n"), QStringLiteral("COM9"), QString()));

        const QList<HistoryEntry> entries = store.Entries();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0].kind, HistoryKind::Firmware);
        QCOMPARE(entries[0].banner, QStringLiteral("AT90CAN128"));
        QCOMPARE(entries[1].kind, HistoryKind::Upload);
        QCOMPARE(entries[1].banner, QStringLiteral("tab here"));
        QCOMPARE(entries[2].kind, HistoryKind::Download);
        QCOMPARE(entries[2].port, QStringLiteral("COM7"));
        QCOMPARE(entries[2].productLetter, 'j');
        QCOMPARE(entries[2].banner, QuarnBanner);
        QCOMPARE(entries[2].technician, HistoryStore::Technician());
        QCOMPARE(entries[2].pc, HistoryStore::PcName());
        QVERIFY(entries[0].time >= entries[1].time && entries[1].time >= entries[2].time);
        QCOMPARE(Loaded(store, entries[1]), Filled(2));
        QByteArray hex;
        QVERIFY(store.LoadFirmware(entries[0], hex));
        QCOMPARE(hex, QByteArray(":00000001FF\n"));

        // The commit's own message names the event, the port, the technician and the PC.
        QProcess git;
        git.start(QStringLiteral("git"), {QStringLiteral("-C"), store.Folder(), QStringLiteral("log"), QStringLiteral("-1"),
                                          QStringLiteral("--format=%B"), entries[2].id});
        QVERIFY2(git.waitForFinished(30000) && git.exitCode() == 0, "git must be installed for this test");
        const QString message = QString::fromUtf8(git.readAllStandardOutput());
        for (const QString &word : {QStringLiteral("download"), QStringLiteral("COM7"), HistoryStore::Technician(), HistoryStore::PcName()})
            QVERIFY2(message.contains(word), qPrintable(message));
    }

    // Events of one moment (two PCs' clocks agree) list in the order of their commits' ids, the
    // same on every PC, also where the ids begin alike.
    void eventsOfOneMomentListInTheOrderOfTheirIds()
    {
        const QDateTime moment(QDate(2026, 1, 5), QTime(6, 0), Qt::UTC);
        const struct {
            const char *id;
            int secondsLater;
        } events[] = {{"aaaaaaaa00000000000000000000000000000001", 0}, {"0000000000000000000000000000000000000009", -60},
                      {"bbbbbbbb00000000000000000000000000000000", 0}, {"aaaaaaaa00000000000000000000000000000002", 0},
                      {"1111111111111111111111111111111111111111", 60}};
        QByteArray list;
        for (const auto &e : events) {
            HistoryRecord r;
            r.entry.id = QString::fromLatin1(e.id);
            r.entry.kind = HistoryKind::Download;
            r.entry.time = moment.addSecs(e.secondsLater);
            r.entry.unit = QStringLiteral("Truck 47");
            r.event = HistoryKindWord(r.entry.kind);
            list += HistoryRecords::ListLine(r) + '\n';
        }
        for (auto scope : {HistoryListing::Scope::All, HistoryListing::Scope::Unit}) {
            const HistoryListing listing(list, scope, QStringLiteral("truck 47"));
            QStringList ids;
            for (qsizetype row = 0; row < listing.Size(); ++row) ids << listing.At(row).id.left(9);
            QCOMPARE(ids, QStringList({"111111111", "bbbbbbbb0", "aaaaaaaa0", "aaaaaaaa0", "000000000"}));
            QVERIFY(listing.At(2).id.endsWith(QLatin1Char('2')));
        }
    }

    void anOldHistoryIsImportedInPlaceOldestFirstAndResumes()
    {
        // An older version's folder: files named by time, direction and port, and the index.
        HistoryStore store;
        QVERIFY(QDir().mkpath(store.Folder()));
        const QDateTime start(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
        auto name = [&](int i) {
            return start.addSecs(i).toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss.zzz")) + QStringLiteral("Z_upload_COM3_b.joy");
        };
        constexpr int Old = 40;
        QByteArray index = "# time\tdirection\tport\tproduct\tbanner\tfile\n";
        for (int i = 0; i < Old; ++i) {
            QFile file(QDir(store.Folder()).filePath(name(i)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(CalImageSize, char(i))) == CalImageSize);
            index += "t\tupload\tCOM3\tb\tBanner " + QByteArray::number(i) + "\t" + name(i).toUtf8() + "\n";
        }
        QFile indexFile(QDir(store.Folder()).filePath(QStringLiteral("index.txt")));
        QVERIFY(indexFile.open(QIODevice::WriteOnly) && indexFile.write(index) == index.size());
        indexFile.close();

        {
            // Cut short by a full disk: nothing is lost, the old files stay.
            FileSizeLimit full(8);
            QVERIFY(!store.KeepImage(HistoryKind::Download, QStringLiteral("COM3"), 'b', QString(), Filled(9), QString()));
        }
        QVERIFY(QFile::exists(QDir(store.Folder()).filePath(name(0))));
        QVERIFY(store.KeepImage(HistoryKind::Download, QStringLiteral("COM3"), 'b', QString(), Filled(9), QString()));

        const QList<HistoryEntry> entries = store.Entries();
        QCOMPARE(entries.size(), Old + 1);
        QCOMPARE(Loaded(store, entries[0]), Filled(9));
        QCOMPARE(entries.last().time, start);
        QCOMPARE(entries.last().port, QStringLiteral("COM3"));
        QCOMPARE(entries.last().productLetter, 'b');
        QCOMPARE(entries.last().banner, QStringLiteral("Banner 0"));
        QCOMPARE(Loaded(store, entries[1]), Filled(uint8_t(Old - 1)));
        QVERIFY(!QFile::exists(QDir(store.Folder()).filePath(name(0))));
        QVERIFY(!QFile::exists(QDir(store.Folder()).filePath(QStringLiteral("index.txt"))));

        // Files found again after their commits landed (the removal never happened) are not kept twice.
        QFile again(QDir(store.Folder()).filePath(name(5)));
        QVERIFY(again.open(QIODevice::WriteOnly) && again.write(QByteArray(CalImageSize, char(5))) == CalImageSize);
        again.close();
        QCOMPARE(store.Entries().size(), Old + 1);
        QVERIFY(!QFile::exists(again.fileName()));
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
        QVERIFY(!store.KeepImage(HistoryKind::Download, QStringLiteral("COM7"), 'j', QuarnBanner, Filled(1), QString(), &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(store.Folder())), qPrintable(error));
        QVERIFY(store.Entries().isEmpty());
    }

    void aFullDiskKeepsNothingAndLeavesTheHistoryAsItWas()
    {
        HistoryStore store;
        for (uint8_t i = 1; i <= 3; ++i)
            QVERIFY(store.KeepImage(HistoryKind::Download, QStringLiteral("COM7"), 'j', QuarnBanner, Filled(i), QStringLiteral("Truck 47")));
        const QList<HistoryEntry> before = store.Entries();
        QString error;
        {
            FileSizeLimit full(16);
            QVERIFY(!store.KeepImage(HistoryKind::Upload, QStringLiteral("COM7"), 'j', QuarnBanner, Filled(4), QStringLiteral("Truck 47"), &error));
            QVERIFY(!store.KeepFirmware(QByteArray(CalImageSize * 2, ':'), QStringLiteral("AT90CAN128"), QStringLiteral("COM7"), QString()));
        }
        QVERIFY2(error.contains(QDir::toNativeSeparators(store.Folder())), qPrintable(error));
        QCOMPARE(store.Entries().size(), before.size());
        QCOMPARE(store.Entries().first().id, before.first().id);
        QCOMPARE(Loaded(store, store.Entries(QStringLiteral("truck 47")).first()), Filled(3));
        QVERIFY(store.KeepImage(HistoryKind::Upload, QStringLiteral("COM7"), 'j', QuarnBanner, Filled(4), QStringLiteral("Truck 47")));
    }

    void aPipeForAnOldIndexIsNotWaitedOn()
    {
        HistoryStore store;
        QVERIFY(QDir().mkpath(store.Folder()));
        const QString indexPath = QDir(store.Folder()).filePath(QStringLiteral("index.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(indexPath).constData(), 0600), 0);
        QVERIFY(store.KeepImage(HistoryKind::Download, QStringLiteral("COM7"), 'j', QuarnBanner, Filled(1), QString()));
        QCOMPARE(store.Entries().size(), 1);
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
            QCOMPARE(entry.port, QStringLiteral("COM%1").arg(HistoryCom));
            QCOMPARE(entry.productLetter, 'j');
            QCOMPARE(entry.banner, QuarnBanner);
        }

        // "History..." opens the download again; the history stays as it was.
        const QList<HistoryEntry> entriesBefore = store.Entries();
        boxes.setDialogHandler([](QWidget *dialog) {
            if (!qobject_cast<HistoryDialog *>(dialog)) return;
            auto *list = findControl<QTreeView>(dialog, QStringLiteral("HistoryList"));
            list->setCurrentIndex(list->model()->index(1, 0));
            findControl<QPushButton>(dialog, QStringLiteral("OpenButton"))->click();
        });
        findControl<QAction>(form.get(), QStringLiteral("History1"))->trigger();
        QVERIFY2(CalImage == controllerImage, qPrintable(ImageDifferences(CalImage, controllerImage)));
        QCOMPARE(store.Entries().size(), 2);
        QCOMPARE(store.Entries().first().id, entriesBefore.first().id);
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

        const QList<HistoryEntry> entriesBefore = HistoryStore().Entries();
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
        QCOMPARE(HistoryStore().Entries().size(), entriesBefore.size());
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
