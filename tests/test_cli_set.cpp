// Settings by name from the command line, through its executable: set and apply on *.joy files of
// every family and on the controller emulator, what they write, what they refuse, and that a
// recipe captured with show gives another image exactly the same settings.
#include "core/image_defaults.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/edits.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

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

// The command line run to its end, `input` on its standard input; with `output` >= 0 its standard
// output is that file descriptor instead of a pipe.
Result RunCli(const QStringList &arguments, const QByteArray &input = {}, int output = -1)
{
    QString program = qEnvironmentVariable("QUARN_CLI");
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
    QProcess process;
    if (output >= 0) process.setChildProcessModifier([output] { ::dup2(output, STDOUT_FILENO); });
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

const QString FullDevice = QStringLiteral("/dev/full");
const QString NoSpace = QStringLiteral("quarntrim-cli: standard output: No space left on device\n");

// A standard output whose every write fails with a full disk, or whose reader has gone.
struct Output {
    Output() = default;
    Output(const Output &) = delete;
    ~Output()
    {
        if (fd >= 0) ::close(fd);
    }
    int fd = -1;
};

void OpenFull(Output *output) { output->fd = ::open(qPrintable(FullDevice), O_WRONLY); }

void OpenClosedPipe(Output *output)
{
    int ends[2];
    if (::pipe(ends) != 0) qFatal("no pipe");
    ::close(ends[0]);
    output->fd = ends[1];
}

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
        // With a name, the values that setting takes.
        QVERIFY(RunCli({QStringLiteral("set"), QStringLiteral("--help"), QStringLiteral("red button mode")})
                    .out.contains(QLatin1String("\nRed Button Mode: one of: Inactive, Hoist, Plow,")));
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

    // Every command that prints fails with status 4 and the system's reason when standard output
    // is full, whatever its own outcome (a difference too); a reader gone ends the output quietly.
    void aFullStandardOutputFailsEveryCommand()
    {
        const CalImageBytes image = Defaults();
        WriteOld(path("full.joy"), Bytes(image));
        WriteOld(path("differs.joy"), Bytes(PatternImage('j')));
        SimOnCom sim(Com, Quick());
        sim.sim().SetImage(image);
        const QString port = QString::number(Com);
        const QList<QStringList> commands = {
            {QStringLiteral("--version")},
            {QStringLiteral("show"), QStringLiteral("--help")},
            {QStringLiteral("show"), path("full.joy")},
            {QStringLiteral("show"), QStringLiteral("--json"), path("full.joy")},
            {QStringLiteral("diff"), path("full.joy"), path("differs.joy")},
            {QStringLiteral("diff"), path("full.joy"), QStringLiteral("--json"), path("differs.joy")},
            {QStringLiteral("report"), path("full.joy"), QStringLiteral("-o"), QStringLiteral("-")},
            {QStringLiteral("ports"), QStringLiteral("--json")},
            {QStringLiteral("--dry-run"), QStringLiteral("set"), path("full.joy"), PlowUpMax + QStringLiteral("=9.5v")},
            {QStringLiteral("--port"), port, QStringLiteral("identify")},
            {QStringLiteral("--port"), port, QStringLiteral("get"), QStringLiteral("-")},
        };
        for (const QStringList &command : commands) {
            Output full;
            OpenFull(&full);
            QVERIFY(full.fd >= 0);
            const Result run = RunCli(command, {}, full.fd);
            QVERIFY2(run.status == 4 && run.err == NoSpace, qPrintable(command.join(QLatin1Char(' ')) + QLatin1String(": ") + run.err));
            Output gone;
            OpenClosedPipe(&gone);
            const Result quiet = RunCli(command, {}, gone.fd);
            QVERIFY2(quiet.err.isEmpty() && quiet.status != 4, qPrintable(command.join(QLatin1Char(' ')) + QLatin1String(": ") + quiet.err));
        }
    }

    // A dry run prints what would change and writes nothing; of the controller, it only downloads.
    void aDryRunChangesNothing()
    {
        const CalImageBytes image = Defaults();
        WriteOld(path("dry.joy"), Bytes(image));
        const QDateTime modified = Modified(path("dry.joy"));
        const Result file = RunCli(QStringList{QStringLiteral("--dry-run"), QStringLiteral("set"), path("dry.joy")} + SetWords(QuarnSettings));
        QCOMPARE(file.status, 0);
        QCOMPARE(Lines(file.out), Catalogue::DiffLines(Catalogue::Differences(image, Edited(image, Product::Quarn, QuarnSettings), Product::Quarn)));
        QCOMPARE(Modified(path("dry.joy")), modified);

        SimOnCom sim(Com, Quick());
        sim.sim().SetImage(image);
        const Result controller = RunCli(QStringList{QStringLiteral("--dry-run"), QStringLiteral("--port"), QString::number(Com), QStringLiteral("apply"),
                                                     QStringLiteral("controller"), QStringLiteral("-")},
                                         (HoistUpMax + QStringLiteral(": 9.5v\n")).toUtf8());
        QCOMPARE(controller.status, 0);
        QCOMPARE(Lines(controller.out).size(), 1);
        QCOMPARE(sim.sim().UploadsCompleted(), 0);
        QCOMPARE(sim.sim().Image(), image);
    }

    // show's recipe names its controller and its end: refused for another controller and when cut
    // short; show --json applies as its lines do.
    void aCheckedRecipeIsForItsControllerAndWhole()
    {
        const QByteArray dorsell = Bytes(PatternImage('b'));
        WriteOld(path("dorsell.joy"), dorsell);
        WriteOld(path("quarn.joy"), Bytes(Defaults()));
        const Result show = RunCli({QStringLiteral("--product"), QStringLiteral("b"), QStringLiteral("show"), path("dorsell.joy")});
        const QStringList lines = Lines(show.out);
        QVERIFY2(lines.first().startsWith(QLatin1String("# QuarnTrim recipe for the Dorsell (b), quarntrim-cli ")), qPrintable(lines.first()));
        QCOMPARE(lines.last(), QStringLiteral("# end of recipe"));

        const Result other = RunCli({QStringLiteral("apply"), path("quarn.joy"), QStringLiteral("-")}, show.out.toUtf8());
        QCOMPARE(other.status, 2);
        QCOMPARE(Lines(other.err), QStringList{QStringLiteral("quarntrim-cli: standard input: a recipe for the Dorsell (b); %1 is read as the Quarn 2 (j)").arg(path("quarn.joy"))});
        const Result cut = RunCli({QStringLiteral("--product"), QStringLiteral("b"), QStringLiteral("apply"), path("quarn.joy"), QStringLiteral("-")},
                                  lines.mid(0, lines.size() / 2).join(QLatin1Char('\n')).toUtf8());
        QCOMPARE(cut.status, 4);
        QVERIFY2(cut.err.contains(QLatin1String("standard input: cut short")), qPrintable(cut.err));
        QCOMPARE(Read(path("quarn.joy")), Bytes(Defaults()));

        const Result json = RunCli({QStringLiteral("--product"), QStringLiteral("b"), QStringLiteral("show"), QStringLiteral("--json"), path("dorsell.joy")});
        const Result applied = RunCli({QStringLiteral("--product"), QStringLiteral("b"), QStringLiteral("--quiet"), QStringLiteral("apply"), path("quarn.joy"),
                                       QStringLiteral("-")},
                                      json.out.toUtf8());
        QVERIFY2(applied.status == 0, qPrintable(applied.err));
        QCOMPARE(Read(path("quarn.joy")), dorsell);
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
            QString place;
        } recipes[] = {{good + QStringLiteral("# next\nplow up max 9.5v\n"), 4, QStringLiteral("standard input:3")},
                       {good + QStringLiteral("\n") + PlowUpMax + QStringLiteral(": 14.2v\n"), 2, QStringLiteral("standard input:3")},
                       {good + QStringLiteral("\nPlow Up Mx: 9.5v\n"), 2, QStringLiteral("standard input:3")},
                       {good + QStringLiteral("\n") + HoistUpMax + QStringLiteral(": 10.0v\n"), 2,
                        QStringLiteral("standard input:1 and standard input:3")}};
        for (const auto &recipe : recipes) {
            const Result run = RunCli({QStringLiteral("apply"), path("kept.joy"), QStringLiteral("-")}, recipe.text.toUtf8());
            QCOMPARE(run.status, recipe.status);
            QVERIFY2(run.err.startsWith(QStringLiteral("quarntrim-cli: %1: ").arg(recipe.place)), qPrintable(run.err));
            QCOMPARE(Lines(run.err).size(), 1);
        }
        QCOMPARE(Read(path("kept.joy")), before);
    }
};

QTEST_GUILESS_MAIN(CliSetTest)
#include "test_cli_set.moc"
