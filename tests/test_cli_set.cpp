// Settings by name from the command line, through its executable: set and apply on *.joy files of
// every family and on the controller emulator, what they write, what they refuse, and that a
// recipe captured with show gives another image exactly the same settings.
#include "app/image_defaults.h"
#include "catalog/catalogue.h"
#include "catalog/edits.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {
constexpr int Com = 183;

// A controller that answers at once and is not held to the line's pace.
SimOptions Quick()
{
    SimOptions options = QuickStart();
    options.pacing = false;
    options.announceMs = 50;
    return options;
}

struct Result {
    int status = -1;
    QString out, err;
};

// The command line run to its end, `input` on its standard input.
Result RunCli(const QStringList &arguments, const QByteArray &input = {})
{
    QString program = qEnvironmentVariable("QUARN_CLI");
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(180000)) process.kill();
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList Lines(const QString &text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

QByteArray Bytes(const CalImageBytes &image) { return QByteArray(reinterpret_cast<const char *>(image.data()), CalImageSize); }

CalImageBytes Image(const QByteArray &bytes)
{
    CalImageBytes image{};
    if (bytes.size() != CalImageSize) qFatal("not an image: %lld bytes", qlonglong(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

CalImageBytes Defaults()
{
    CalImageBytes image{};
    SetImageDefaultBytes(image.data());
    return image;
}

// A file written with an mtime an hour ago, so that a rewrite would show in it.
void WriteOld(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime))
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray Read(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QDateTime Modified(const QString &name) { return QFileInfo(name).fileTime(QFileDevice::FileModificationTime); }

// The image the edit rules make of `image` with these settings (the window's image for them).
CalImageBytes Edited(CalImageBytes image, uint8_t product, const QList<Catalogue::Setting> &settings)
{
    QString refusal;
    if (!Catalogue::ApplySettings(image, product, settings, &refusal)) qFatal("refused: %s", qPrintable(refusal));
    return image;
}

// The value show prints for the field named `name` in `image`.
// The value as show prints it: with the bytes where its text alone would store another.
QString ValueOf(const CalImageBytes &image, uint8_t product, const QString &name)
{
    for (const QString &line : Catalogue::ShowLines(Catalogue::Describe(image, product)))
        if (line.startsWith(name + QStringLiteral(": "))) return line.mid(name.size() + 2);
    qFatal("no field %s", qPrintable(name));
}

const QString HoistUpMax = QStringLiteral("Hoist Up (Hyd A6) Max");
const QString PlowUpMax = QStringLiteral("Plow Up (Hyd A2) Max");
const QString Frequency = QStringLiteral("PWM Frequency");

// Settings a technician sets on the Quarn page: a trim and the frequency, names in any case.
const QList<Catalogue::Setting> QuarnSettings = {{QStringLiteral("hoist up (hyd a6) max"), QStringLiteral("9.5v")},
                                                 {QStringLiteral("PWM FREQUENCY"), QStringLiteral("150 Hertz")}};

// "set controller" on the emulator's COM number.
QStringList SetController() { return {QStringLiteral("--port"), QString::number(Com), QStringLiteral("set"), QStringLiteral("controller")}; }

QStringList SetWords(const QList<Catalogue::Setting> &settings)
{
    QStringList words;
    for (const Catalogue::Setting &setting : settings) words << setting.name + QLatin1Char('=') + setting.value;
    return words;
}
}  // namespace

class CliSetTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void helpListsTheValueForms()
    {
        const Result set = RunCli({QStringLiteral("set"), QStringLiteral("--help")});
        QCOMPARE(set.status, 0);
        for (const QString &form : Catalogue::ValueForms()) QVERIFY2(set.out.contains(form), qPrintable(form));
        QVERIFY(RunCli({QStringLiteral("apply"), QStringLiteral("--help")}).out.contains(Catalogue::ValueForms().value(0)));
        const QString help = RunCli({QStringLiteral("--help")}).out;
        QVERIFY(help.contains(QLatin1String("\n  set ")) && help.contains(QLatin1String("\n  apply ")));
    }

    void setOnAFileChangesTheNamedFieldsAndPrintsThem()
    {
        const CalImageBytes before = Defaults();
        WriteOld(path("truck.joy"), Bytes(before));
        const Result run = RunCli(QStringList{QStringLiteral("set"), path("truck.joy")} + SetWords(QuarnSettings));
        QCOMPARE(run.status, 0);
        const CalImageBytes after = Image(Read(path("truck.joy")));
        QCOMPARE(after, Edited(before, Product::Quarn, QuarnSettings));
        const QList<Catalogue::FieldDifference> changed = Catalogue::Differences(before, after, Product::Quarn);
        QStringList names;
        for (const Catalogue::FieldDifference &difference : changed) names << difference.name;
        QCOMPARE(names, (QStringList{Frequency, HoistUpMax}));
        QCOMPARE(Lines(run.out), Catalogue::DiffLines(changed));
        QCOMPARE(RunCli({QStringLiteral("--quiet"), QStringLiteral("set"), path("truck.joy"), HoistUpMax + QStringLiteral("=9.0v")}).out, QString());
    }

    // Nothing is written, and the file keeps its bytes and its time: a value out of range among
    // good ones, a name no page gives, a word that is no setting. Nor is the controller sent to.
    void aRefusedSetWritesNothing()
    {
        const QByteArray before = Bytes(Defaults());
        WriteOld(path("keep.joy"), before);
        const QDateTime modified = Modified(path("keep.joy"));
        const QList<QStringList> refused = {{HoistUpMax + QStringLiteral("=9.5v"), PlowUpMax + QStringLiteral("=14.2v")},
                                            {QStringLiteral("Turbo Boost=on")},
                                            {QStringLiteral("9.5v")}};
        for (const QStringList &words : refused) {
            const Result run = RunCli(QStringList{QStringLiteral("set"), path("keep.joy")} + words);
            QCOMPARE(run.status, 2);
            QCOMPARE(Lines(run.err).size(), 1);
            QCOMPARE(run.out, QString());
        }
        QCOMPARE(Read(path("keep.joy")), before);
        QCOMPARE(Modified(path("keep.joy")), modified);
        // A file that is not there is not made.
        QCOMPARE(RunCli({QStringLiteral("set"), path("none.joy"), HoistUpMax + QStringLiteral("=9.5v")}).status, 4);
        QVERIFY(!QFile::exists(path("none.joy")));
        // The controller is sent nothing.
        SimOnCom sim(Com, Quick());
        const Result controller = RunCli(SetController() +
                                         refused.first());
        QCOMPARE(controller.status, 2);
        QCOMPARE(sim.sim().UploadsCompleted(), 0);
    }

    // Values that already hold: the file is not rewritten, the controller is not sent to.
    void settingWhatAlreadyHoldsWritesNothing()
    {
        const CalImageBytes image = Defaults();
        const QStringList holding = {HoistUpMax + QLatin1Char('=') + ValueOf(image, Product::Quarn, HoistUpMax),
                                     Frequency + QLatin1Char('=') + ValueOf(image, Product::Quarn, Frequency)};
        WriteOld(path("same.joy"), Bytes(image));
        const QDateTime modified = Modified(path("same.joy"));
        const Result file = RunCli(QStringList{QStringLiteral("set"), path("same.joy")} + holding);
        QCOMPARE(file.status, 0);
        QCOMPARE(Lines(file.out), QStringList{QStringLiteral("nothing to change")});
        QCOMPARE(Modified(path("same.joy")), modified);

        SimOnCom sim(Com, Quick());
        sim.sim().SetImage(image);
        const Result controller =
            RunCli(SetController() + holding);
        QCOMPARE(controller.status, 0);
        QCOMPARE(Lines(controller.out), QStringList{QStringLiteral("nothing to change")});
        QCOMPARE(sim.sim().UploadsCompleted(), 0);
    }

    void setOnTheControllerSendsAndReadsBack()
    {
        SimOnCom sim(Com, Quick());
        const CalImageBytes before = Defaults();
        sim.sim().SetImage(before);
        const Result run = RunCli(SetController() +
                                  SetWords(QuarnSettings));
        QCOMPARE(run.status, 0);
        const CalImageBytes expected = Edited(before, Product::Quarn, QuarnSettings);
        QCOMPARE(sim.sim().Image(), expected);
        QCOMPARE(sim.sim().UploadsCompleted(), 1);
        QCOMPARE(sim.sim().DownloadsCompleted(), 2);
        QCOMPARE(Lines(run.out), Catalogue::DiffLines(Catalogue::Differences(before, expected, Product::Quarn)));
    }

    // show FILE > recipe, apply OTHER recipe: OTHER ends with FILE's bytes, for every family.
    void applyOfShowReproducesTheImage_data()
    {
        QTest::addColumn<QString>("letter");
        for (const char *letter : {"j", "b", "a", "d", "z"}) QTest::newRow(letter) << QString::fromLatin1(letter);
    }
    void applyOfShowReproducesTheImage()
    {
        QFETCH(QString, letter);
        const QString product = QStringLiteral("--product");
        const QByteArray source = Bytes(PatternImage(uint8_t(letter[0].unicode())));
        WriteOld(path("source.joy"), source);
        WriteOld(path("other.joy"), Bytes(Defaults()));
        const Result show = RunCli({product, letter, QStringLiteral("show"), path("source.joy")});
        QCOMPARE(show.status, 0);
        const Result apply = RunCli({product, letter, QStringLiteral("--quiet"), QStringLiteral("apply"), path("other.joy"), QStringLiteral("-")},
                                    show.out.toUtf8());
        QVERIFY2(apply.status == 0, qPrintable(apply.err));
        QCOMPARE(Read(path("other.joy")), source);
    }

    // A diff line sets what it changes to; comments, blank lines and Windows line ends are read
    // past.
    void aRecipeDiffLineAppliesItsNewValue()
    {
        const CalImageBytes before = Defaults();
        WriteOld(path("diffed.joy"), Bytes(before));
        QFile recipe(path("recipe.txt"));
        QVERIFY(recipe.open(QIODevice::WriteOnly));
        recipe.write(QStringLiteral("# from truck 12\r\n\r\n   # indented too\r\n%1: %2 -> 9.5v\r\n")
                         .arg(HoistUpMax, ValueOf(before, Product::Quarn, HoistUpMax))
                         .toUtf8());
        recipe.close();
        const Result run = RunCli({QStringLiteral("apply"), path("diffed.joy"), path("recipe.txt")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(Image(Read(path("diffed.joy"))), Edited(before, Product::Quarn, {{HoistUpMax, QStringLiteral("9.5v")}}));
    }

    // A line that is no setting is a fault of the recipe file (4), a value the page cannot take
    // one of the value (2); either names the recipe and the line, and nothing is written.
    void aRecipeIsRefusedWithItsLineNumber()
    {
        const QByteArray before = Bytes(Defaults());
        WriteOld(path("kept.joy"), before);
        const QString good = HoistUpMax + QStringLiteral(": 9.5v\n");
        const struct {
            QString text;
            int status;
        } recipes[] = {{good + QStringLiteral("# next\nplow up max 9.5v\n"), 4},
                       {good + QStringLiteral("\n") + PlowUpMax + QStringLiteral(": 14.2v\n"), 2}};
        for (const auto &recipe : recipes) {
            const Result run = RunCli({QStringLiteral("apply"), path("kept.joy"), QStringLiteral("-")}, recipe.text.toUtf8());
            QCOMPARE(run.status, recipe.status);
            QVERIFY2(run.err.startsWith(QLatin1String("quarntrim-cli: standard input:3: ")), qPrintable(run.err));
        }
        QCOMPARE(Read(path("kept.joy")), before);
    }
};

QTEST_GUILESS_MAIN(CliSetTest)
#include "test_cli_set.moc"
