// The command line through its executable against the controller emulator on pseudo-terminals:
// what each command leaves behind, what it sends, and its exit status.
#include "core/image_defaults.h"
#include "core/settings.h"
#include "core/catalog/catalogue.h"
#include "core/files/reportlines.h"
#include "history/historystore.h"
#include "core/hex/flashimage.h"
#include "link/linkhost.h"
#include "link/linkprotocol.h"
#include "link/serialdevicemap.h"
#include "sim_bootloader.h"
#include "support/filesizelimit.h"
#include "support/hexrecords.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QSerialPort>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {
constexpr int Com = 181;
// A chip the table does not name: 15 KiB of writable flash in 128-byte pages, so a whole
// read-back stays short.
const QByteArray SmallChip = "ATMEGA16";
constexpr int SmallChipBlocks = 0x3C00 / 64;

struct Run {
    int status = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

// The command line started, not yet waited for; `prepare` may set the process up first (its
// environment, a child setup).
std::unique_ptr<QProcess> StartCli(const QStringList &arguments, const std::function<void(QProcess &)> &prepare = {})
{
    QString program = qEnvironmentVariable("QUARN_CLI");
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
    auto process = std::make_unique<QProcess>();
    if (prepare) prepare(*process);
    process->start(program, arguments);
    return process;
}

Run Finish(QProcess &process)
{
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
    }
    Run run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.rawOut = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.rawOut);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run Cli(const QStringList &arguments, const std::function<void(QProcess &)> &prepare = {})
{
    return Finish(*StartCli(arguments, prepare));
}

// The newest images of the controller history, newest first; each came over the emulator's port.
struct KeptImage {
    HistoryKind kind;
    CalImageBytes image;
    bool operator==(const KeptImage &) const = default;
};
QList<KeptImage> NewestKept(int count)
{
    const HistoryStore store;
    QList<KeptImage> kept;
    for (const HistoryEntry &entry : store.Entries().mid(0, count)) {
        CalImageBytes image{};
        if (entry.port != QStringLiteral("COM%1").arg(Com) || !store.Load(entry, image)) qFatal("history entry %s", qPrintable(entry.id));
        kept.append({entry.kind, image});
    }
    return kept;
}

// A command run as on a nearly full disk: no file it writes may grow past `bytes`.
Run CliOnFullDisk(const QStringList &arguments, rlim_t bytes)
{
    return Cli(arguments, [bytes](QProcess &process) { process.setChildProcessModifier([bytes] { FileSizeLimit::InChild(bytes); }); });
}

QStringList OnCom(QStringList arguments) { return QStringList{QStringLiteral("--port"), QStringLiteral("COM%1").arg(Com)} + arguments; }

SimOptions Unpaced()
{
    SimOptions options = QuickStart();
    options.pacing = false;
    options.announceMs = 50;
    return options;
}

QByteArray Bytes(const CalImageBytes &image) { return QByteArray(reinterpret_cast<const char *>(image.data()), CalImageSize); }

void WriteFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(name));
}

QByteArray ReadFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

uint8_t OldFirmware(int address) { return uint8_t(address * 5 + 1); }
uint8_t NewFirmware(int address) { return uint8_t(address * 3 + 7); }

// The old application: three 128-byte pages.
constexpr int OldHighest = 0x17F;
void HoldOldFirmware(SimBootloader &boot)
{
    QByteArray bytes;
    for (int a = 0; a <= OldHighest; ++a) bytes.append(char(OldFirmware(a)));
    boot.LoadFlash(0, bytes);
}

// True when the HEX file holds exactly the old application.
bool HoldsOldFirmware(const QString &hexFile)
{
    FlashImage image;
    QString error;
    if (!image.LoadHexFile(hexFile, FlashImage::kSize, &error) || image.HighestAddress() != OldHighest) return false;
    for (int a = 0; a <= OldHighest; ++a)
        if (image.At(uint32_t(a)) != OldFirmware(a)) return false;
    return true;
}

// True when the --log file holds, in order, exactly the bytes the tool sent to the emulator and
// the start of what the emulator sent (it may have sent more after the command ended), each line
// with its time and port.
bool LogHoldsTheWire(SimOnCom &sim, const QString &logFile)
{
    static const QRegularExpression line(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z COM%1 ([<>]) (\\d+)$").arg(Com));
    QByteArray sent, received;
    for (const QString &text : QString::fromUtf8(ReadFile(logFile)).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = line.match(text);
        if (!match.hasMatch()) return false;
        (match.captured(1) == QLatin1String(">") ? sent : received).append(char(match.captured(2).toInt()));
    }
    // The emulator reads the last bytes the tool wrote on its own thread.
    waitUntil([&] { return sim.toolBytes().size() >= sent.size(); });
    QByteArray fromSim;
    for (const WireByte &byte : sim.sim().WireLog())
        if (!byte.fromTool) fromSim.append(char(byte.byte));
    return !received.isEmpty() && sent == sim.toolBytes() && fromSim.startsWith(received);
}

// `corruptReadbacks` read-back answers spoilt (-1: every one).
SimBootOptions SmallChipBoot(int corruptReadbacks = 0)
{
    SimBootOptions options;
    options.chip = SmallChip;
    options.corruptReadbacks = corruptReadbacks;
    return options;
}
}  // namespace

class CliTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void helpVersionAndUsage()
    {
        const Run help = Cli({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        for (const char *command : {"ports", "identify", "get", "send", "flash", "read-flash", "start"})
            QVERIFY2(help.out.contains(QLatin1String("\n  ") + QLatin1String(command)), command);
        QCOMPARE(Cli({QStringLiteral("flash"), QStringLiteral("--help")}).status, 0);
        QVERIFY(Cli({QStringLiteral("--version")}).out.startsWith(QLatin1String("quarntrim-cli ")));
        QCOMPARE(Cli({QStringLiteral("frobnicate")}).status, 2);
        QCOMPARE(Cli({QStringLiteral("send")}).status, 2);
        QCOMPARE(Cli({QStringLiteral("get"), QStringLiteral("a.joy"), QStringLiteral("--backup"), QStringLiteral("b.hex")}).status, 2);
        QCOMPARE(Cli({QStringLiteral("--port"), QStringLiteral("COMX"), QStringLiteral("get"), QStringLiteral("a.joy")}).status, 2);
        // Each usage error is one line: a wait of no time, --json where no JSON result comes.
        const QList<QStringList> refused = {{QStringLiteral("frobnicate")},
                                            {QStringLiteral("--wait"), QStringLiteral("0"), QStringLiteral("identify")},
                                            {QStringLiteral("--json"), QStringLiteral("get"), QStringLiteral("a.joy")},
                                            {QStringLiteral("report"), QStringLiteral("a.joy"), QStringLiteral("--json")},
                                            {QStringLiteral("--json"), QStringLiteral("verify"), QStringLiteral("a.hex")}};
        for (const QStringList &arguments : refused) {
            const Run run = Cli(arguments);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.count(QLatin1Char('\n')) == 1, qPrintable(run.err));
        }
    }

    void probeNamesTheControllerOnEachPort()
    {
        SimOptions brennic = Unpaced();
        brennic.product = 'd';
        SimOnCom quarn(Com, Unpaced()), other(Com + 1, brennic);
        const Run run = Cli({QStringLiteral("--wait"), QStringLiteral("3"), QStringLiteral("--json"), QStringLiteral("ports"), QStringLiteral("--probe")});
        QCOMPARE(run.status, 0);
        QStringList seen;
        for (const QJsonValue &port : QJsonDocument::fromJson(run.out.toUtf8()).array())
            seen << QStringLiteral("%1 %2").arg(port[QLatin1String("com")].toInt()).arg(port[QLatin1String("product")].toString());
        QVERIFY2(seen.contains(QStringLiteral("%1 j").arg(Com)) && seen.contains(QStringLiteral("%1 d").arg(Com + 1)), qPrintable(seen.join(QLatin1Char(','))));
    }

    void getWritesTheControllersImage()
    {
        SimOnCom sim(Com, Unpaced());
        const CalImageBytes image = PatternImage(3);
        sim.sim().SetImage(image);
        const Run run = Cli(OnCom({QStringLiteral("get"), path("got.joy")}));
        QCOMPARE(run.status, 0);
        QCOMPARE(ReadFile(path("got.joy")), Bytes(image));
        // Kept in the window's history too.
        QCOMPARE(NewestKept(1), (QList<KeptImage>{{HistoryKind::Download, image}}));
    }

    void sendUploadsThenReadsBack()
    {
        SimOnCom sim(Com, Unpaced());
        const CalImageBytes image = PatternImage(9);
        WriteFile(path("send.joy"), Bytes(image));
        const Run run = Cli(OnCom({QStringLiteral("send"), path("send.joy")}));
        QCOMPARE(run.status, 0);
        QCOMPARE(sim.sim().Image(), image);
        QCOMPARE(sim.sim().UploadsCompleted(), 1);
        QCOMPARE(sim.sim().DownloadsCompleted(), 1);
        QCOMPARE(NewestKept(2), (QList<KeptImage>{{HistoryKind::Download, image}, {HistoryKind::Upload, image}}));
    }

    void sendRefusesAnImageThatIsNot256Bytes()
    {
        SimOnCom sim(Com, Unpaced());
        WriteFile(path("short.joy"), Bytes(PatternImage(1)).left(255));
        const Run run = Cli(OnCom({QStringLiteral("send"), path("short.joy")}));
        QCOMPARE(run.status, 4);
        QVERIFY(run.err.contains(path("short.joy")));
        QVERIFY(sim.toolBytes().isEmpty());
    }

    void linkFailuresLeaveNoFile()
    {
        QTemporaryDir out;
        SimOptions silent = Unpaced();
        silent.silent = true;
        SimOnCom sim(Com, silent);
        const Run quiet = Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("1"), QStringLiteral("get"), out.filePath(QStringLiteral("a.joy"))}));
        QCOMPARE(quiet.status, 3);
        QVERIFY(quiet.err.contains(QStringLiteral("COM%1").arg(Com)));
        const Run missing = Cli({QStringLiteral("--port"), QStringLiteral("/dev/quarn-no-such-port"), QStringLiteral("read-flash"), out.filePath(QStringLiteral("b.hex"))});
        QCOMPARE(missing.status, 3);
        QVERIFY(missing.err.contains(QStringLiteral("/dev/quarn-no-such-port")));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void aFullDiskFailsTheCommandAndKeepsTheFile()
    {
        SimOnCom sim(Com, Unpaced());
        WriteFile(path("image.joy"), Bytes(PatternImage(5)));
        const QList<QStringList> commands = {OnCom({QStringLiteral("get"), path("kept.joy")}),
                                             {QStringLiteral("report"), path("image.joy"), QStringLiteral("-o"), path("kept.txt")}};
        for (const QStringList &command : commands) {
            const QString target = command.last();
            WriteFile(target, "as it was");
            const Run run = CliOnFullDisk(command, 100);
            QCOMPARE(run.status, 4);
            QVERIFY2(run.err.contains(target), qPrintable(run.err));
            QCOMPARE(ReadFile(target), QByteArray("as it was"));
        }
    }

    void outputsThatAreNoRegularFileAreRefused()
    {
        WriteFile(path("image.joy"), Bytes(PatternImage(5)));
        const QString fifo = path("pipe.out");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QStringList &command : {OnCom({QStringLiteral("get"), fifo}),
                                           QStringList{QStringLiteral("report"), path("image.joy"), QStringLiteral("-o"), fifo}}) {
            const Run run = Cli(command);
            QCOMPARE(run.status, 4);
            QVERIFY2(run.err.contains(fifo), qPrintable(run.err));
            QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        }
    }

    void aDashIsStandardOutput()
    {
        SimOnCom sim(Com, Unpaced());
        const CalImageBytes image = PatternImage(6);
        sim.sim().SetImage(image);
        WriteFile(path("image.joy"), Bytes(image));
        const auto inTheFolder = [this](QProcess &process) { process.setWorkingDirectory(m_dir.path()); };
        const Run get = Cli(OnCom({QStringLiteral("--quiet"), QStringLiteral("get"), QStringLiteral("-")}), inTheFolder);
        QCOMPARE(get.status, 0);
        QCOMPARE(get.rawOut, Bytes(image));
        const Run report = Cli({QStringLiteral("report"), path("image.joy"), QStringLiteral("-o"), QStringLiteral("-")}, inTheFolder);
        QCOMPARE(report.status, 0);
        QCOMPARE(report.out, ReportLines(image).join(QLatin1Char('\n')) + QLatin1Char('\n'));
        QVERIFY(!QFileInfo::exists(path("-")));
    }

    void portFailuresSayWhatIsWrong()
    {
        SimOnCom sim(Com, Unpaced());
        QSerialPort holder(SerialDeviceMap::DeviceFor(Com));
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const Run inUse = Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("3"), QStringLiteral("identify")}));
        QCOMPARE(inUse.status, 3);
        QVERIFY2(inUse.err.contains(QStringLiteral("COM%1 is in use by another program").arg(Com)), qPrintable(inUse.err));

        const Run unmapped = Cli({QStringLiteral("--port"), QStringLiteral("250"), QStringLiteral("identify")});
        QCOMPARE(unmapped.status, 3);
        QVERIFY2(unmapped.err.contains(QLatin1String("COM250 has no device")) && unmapped.err.contains(QLatin1String("SerialDeviceMap")),
                 qPrintable(unmapped.err));
        // Without --port the window's stored port is read, and nothing is stored in its place.
        QVERIFY(Cli({QStringLiteral("--wait"), QStringLiteral("0.2"), QStringLiteral("identify")}).status != 0);
        QVERIFY(!OpenSettings(QString::fromLatin1(SettingsSection))->contains(QStringLiteral("Settings/COM Port")));
    }

    void anUnknownProductLetterIsNamed()
    {
        SimOptions stranger = Unpaced();
        stranger.wrongCode = 'q';
        SimOnCom sim(Com, stranger);
        const Run run = Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("3"), QStringLiteral("identify")}));
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("controller on COM%1 announced 'q', which this tool does not know").arg(Com)), qPrintable(run.err));
    }

    void aControllerThatCannotHearIsNotIdentified()
    {
        // It announces itself, but its wire from the tool is broken: announcing is not answering.
        SimOptions deaf = Unpaced();
        deaf.deaf = true;
        SimOnCom sim(Com, deaf);
        const Run run = Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("3"), QStringLiteral("identify")}));
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("controller on COM%1 does not answer: check the cable").arg(Com)), qPrintable(run.err));
    }

    void getLeavesTheControllerAnnouncing()
    {
        // The next command finds the controller as this one found it: nothing acknowledges its
        // announcement after the download.
        SimOnCom sim(Com, Unpaced());
        QCOMPARE(Cli(OnCom({QStringLiteral("get"), path("first.joy")})).status, 0);
        const std::vector<WireByte> wire = sim.sim().WireLog();
        int lastF = -1;
        for (int i = 0; i < int(wire.size()); ++i)
            if (wire[i].fromTool && wire[i].byte == Wire::GetImage) lastF = i;
        QVERIFY(lastF >= 0);
        int fromTool = 0;
        for (int i = lastF + 1; i < int(wire.size()); ++i) fromTool += wire[i].fromTool;
        QCOMPARE(fromTool, CalImageSize);  // the echoes, and nothing after them
    }

    void showListsEveryFieldOfTheDefaultImage()
    {
        CalImageBytes defaults{};
        SetImageDefaultBytes(defaults.data());
        WriteFile(path("defaults.joy"), Bytes(defaults));
        const Run run = Cli({QStringLiteral("show"), path("defaults.joy")});
        QCOMPARE(run.status, 0);
        const QList<Catalogue::FieldValue> fields = Catalogue::Describe(defaults, Catalogue::ProductOfFile(defaults));
        // Between the recipe's first line, naming the controller, and its end line.
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.mid(1, lines.size() - 2), Catalogue::ShowLines(fields));
        const Run json = Cli({QStringLiteral("--json"), QStringLiteral("show"), path("defaults.joy")});
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object()[QLatin1String("fields")].toArray().size(), fields.size());
    }

    void diffNamesExactlyTheTrimThatDiffers()
    {
        CalImageBytes a{};
        SetImageDefaultBytes(a.data());
        int offset = -1;
        for (const Catalogue::FieldValue &field : Catalogue::Describe(a, Product::Quarn))
            if (field.name.contains(QLatin1String("Hoist Up")) && field.name.contains(QLatin1String("Min"))) offset = field.offsets.first();
        QVERIFY(offset >= 0);
        CalImageBytes b = a;
        b[offset] = uint8_t(b[offset] + 40);
        WriteFile(path("a.joy"), Bytes(a));
        WriteFile(path("b.joy"), Bytes(b));
        const Run run = Cli({QStringLiteral("diff"), path("a.joy"), path("b.joy")});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        for (const char *part : {"Hoist Up", "(Hyd A6)", "Min", " -> "}) QVERIFY2(lines.first().contains(QLatin1String(part)), qPrintable(lines.first()));
        QCOMPARE(Cli({QStringLiteral("diff"), path("a.joy"), QStringLiteral("defaults")}).status, 0);
    }

    void reportToPdfReadsBackAsTheReportLines()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
        const CalImageBytes image = PatternImage(5);
        WriteFile(path("report.joy"), Bytes(image));
        // Without a runtime folder, as under a service account: Qt's note on it is not the command's.
        const Run run = Cli({QStringLiteral("report"), path("report.joy"), QStringLiteral("-o"), path("report.pdf")},
                            [](QProcess &process) {
                                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                                environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
                                process.setProcessEnvironment(environment);
                            });
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path("report.pdf"), QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
        for (const QString &line : ReportLines(image))
            QVERIFY2(text.contains(line.simplified()), qPrintable(line));
    }

    void flashKeepsTheReplacedFirmwareBeforeTheFirstErase()
    {
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        const Run run = Cli(OnCom({QStringLiteral("flash"), path("new.hex"), QStringLiteral("--backup"), path("old.hex")}));
        QCOMPARE(run.status, 0);
        QVERIFY(HoldsOldFirmware(path("old.hex")));
        for (int a = 0; a <= 0x2FF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
        // Every block was read back before the first erase packet went out.
        const QByteArray sent = sim.toolBytes();
        const qsizetype firstErase = sent.indexOf(QByteArray("\x45\x03\x00", 3));
        QVERIFY(firstErase > 0);
        QCOMPARE(sent.left(firstErase).count(QByteArray("\x56\x05", 2)), SmallChipBlocks);
    }

    void flashProgramsAControllerWithoutFirmware()
    {
        SimBootOptions options = SmallChipBoot();
        options.hasFirmware = false;
        SimBootloader boot(options);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        const Run run = Cli(OnCom({QStringLiteral("flash"), path("new.hex")}));
        QCOMPARE(run.status, 0);
        for (int a = 0; a <= 0x2FF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
    }

    void flashProgramsNothingWhenTheBackupCannotBeRead()
    {
        SimBootOptions options = SmallChipBoot();
        options.corruptReadbacks = -1;
        SimBootloader boot(options);
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        QFile::remove(path("unread.hex"));
        const Run run = Cli(OnCom({QStringLiteral("flash"), path("new.hex"), QStringLiteral("--backup"), path("unread.hex")}));
        QCOMPARE(run.status, 3);
        QCOMPARE(boot.Packets('E'), 0);
        QCOMPARE(boot.PagesWritten(), 0);
        QVERIFY(!QFile::exists(path("unread.hex")));
    }

    void flashRefusesABrokenFileWithoutTouchingTheController()
    {
        SimOnCom sim(Com, Unpaced());
        WriteFile(path("broken.hex"), ":10000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF01\r\n:00000001FF\r\n");
        const Run run = Cli(OnCom({QStringLiteral("flash"), path("broken.hex")}));
        QCOMPARE(run.status, 4);
        QVERIFY(run.err.contains(path("broken.hex")));
        QVERIFY(sim.toolBytes().isEmpty());
    }

    void aBackupThatCannotBeKeptProgramsNothing()
    {
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        WriteFile(path("kept.hex"), "an older backup");
        const Run run = CliOnFullDisk(OnCom({QStringLiteral("flash"), path("new.hex"), QStringLiteral("--backup"), path("kept.hex")}), 256);
        QCOMPARE(run.status, 4);
        QVERIFY2(run.err.contains(path("kept.hex")), qPrintable(run.err));
        QCOMPARE(ReadFile(path("kept.hex")), QByteArray("an older backup"));
        QCOMPARE(boot.Packets('E'), 0);
        QCOMPARE(boot.PagesWritten(), 0);
    }

    void failedBackupReadLeavesTheBootloader()
    {
        // Refused and damaged reads alike: the run ends as a link failure, nothing is erased, and
        // the next command finds the application as after a power-up.
        for (const bool refused : {false, true}) {
            SimBootOptions options = SmallChipBoot();
            options.corruptReadbacks = refused ? 0 : -1;
            options.nakCommand = 'V';
            options.naks = refused ? 1000 : 0;
            SimBootloader boot(options);
            HoldOldFirmware(boot);
            SimOnCom sim(Com, Unpaced(), boot);
            WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
            const Run run = Cli(OnCom({QStringLiteral("flash"), path("new.hex"), QStringLiteral("--backup"), path("old.hex")}));
            QCOMPARE(run.status, 3);
            QVERIFY2(run.err.contains(QLatin1String("Reading the flash back failed at 0x0000")), qPrintable(run.err));
            QCOMPARE(boot.Packets('V'), refused ? 1 : 4);
            QCOMPARE(boot.Packets('E'), 0);
            QCOMPARE(Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("5"), QStringLiteral("identify")})).status, 0);
        }
    }

    void failedVerificationReadLeavesTheProgramUnstarted()
    {
        // Every read-back damaged: the flash may be right, but nothing shows it, so the program is
        // not started and the controller waits in its bootloader to be flashed again.
        SimBootOptions options = SmallChipBoot();
        options.corruptReadbacks = -1;
        SimBootloader boot(options);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        const Run run = Cli(OnCom({QStringLiteral("flash"), path("new.hex")}));
        QCOMPARE(run.status, 5);
        QVERIFY2(run.err.contains(QLatin1String("Reading the flash back failed at 0x0000")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QLatin1String(FirmwareIncompleteText)), qPrintable(run.err));
        QVERIFY(!run.err.contains(QLatin1String("differs")));
        QCOMPARE(boot.StartOrders(), 0);
    }

    void signalDuringReadFlashLeavesTheBootloader()
    {
        for (const int signal : {SIGINT, SIGTERM}) {
            SimBootloader boot(SmallChipBoot());
            HoldOldFirmware(boot);
            SimOptions paced = QuickStart();   // a whole read takes about twenty seconds
            paced.announceMs = 50;
            SimOnCom sim(Com, paced, boot);
            QFile::remove(path("read.hex"));
            auto process = StartCli(OnCom({QStringLiteral("read-flash"), path("read.hex")}));
            QVERIFY(waitUntil([&] { return boot.Packets('V') > 2; }));
            ::kill(pid_t(process->processId()), signal);
            const Run run = Finish(*process);
            QCOMPARE(run.status, 128 + signal);
            QVERIFY2(run.err.contains(QLatin1String("interrupted")), qPrintable(run.err));
            QVERIFY(!QFile::exists(path("read.hex")));
            QVERIFY(waitUntil([&] { return sim.toolBytes().endsWith('R'); }));
            QCOMPARE(Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("5"), QStringLiteral("identify")})).status, 0);
        }
    }

    void everySignalFromTheHookOnStartsTheApplication()
    {
        // Ctrl+C, SIGTERM and a dropped session, landing as the bootloader is hooked, as it names
        // its chip, and while the old firmware is read: nothing was programmed, so the controller
        // is told to start its application, and the next command finds it running.
        const std::pair<const char *, std::function<bool(SimOnCom &, SimBootloader &)>> moments[] = {
            {"hook", [](SimOnCom &sim, SimBootloader &) { return sim.toolBytes().contains('u'); }},
            {"identification", [](SimOnCom &sim, SimBootloader &) { return sim.toolBytes().contains("uI"); }},
            {"backup", [](SimOnCom &, SimBootloader &boot) { return boot.Packets('V') > 2; }},
        };
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            for (const auto &[moment, reached] : moments) {
                const QByteArray what = QByteArray(moment) + " signal " + QByteArray::number(signal);
                SimBootloader boot(SmallChipBoot());
                HoldOldFirmware(boot);
                SimOptions paced = QuickStart();
                paced.announceMs = 50;
                SimOnCom sim(Com, paced, boot);
                auto process = StartCli(OnCom({QStringLiteral("flash"), path("new.hex"), QStringLiteral("--backup"), path("old.hex")}));
                // A flash that ends before the moment says why, rather than a wait that runs out.
                const bool there = waitUntil([&] { return reached(sim, boot) || process->state() == QProcess::NotRunning; });
                if (!there || process->state() == QProcess::NotRunning) {
                    const Run early = Finish(*process);
                    QFAIL(qPrintable(what + QStringLiteral(": the flash ended first (%1): ").arg(early.status) + early.err));
                }
                ::kill(pid_t(process->processId()), signal);
                const Run run = Finish(*process);
                QVERIFY2(run.status == 128 + signal, qPrintable(what + ": " + run.err));
                QVERIFY2(run.err.contains(QLatin1String("interrupted")), qPrintable(run.err));
                QCOMPARE(boot.Packets('E'), 0);
                // The emulator reads the line on its own thread: the order may still be on its way.
                QVERIFY2(waitUntil([&] { return sim.toolBytes().endsWith('R'); }),
                         qPrintable(what + ": the tool's last bytes " + sim.toolBytes().right(24).toHex(' ')));
                QVERIFY2(Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("5"), QStringLiteral("identify")})).status == 0, what.constData());
            }
        }
    }

    void programmingStoppedPartWayIsNeverStartedAndTheNextFlashProgramsIt()
    {
        // Ctrl+C, and a power cycle, in the middle of programming. Bytes below 0x40 keep letters out
        // of the packets, so a bootloader restarted by the power cycle is never hooked by them.
        const auto stripes = [](int address) { return uint8_t(address & 0x3F); };
        WriteFile(path("long.hex"), HexFileText(0x7FF, stripes));
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        for (const bool powerCycle : {false, true}) {
            SimBootloader boot(SmallChipBoot());
            HoldOldFirmware(boot);
            SimOptions paced = QuickStart();
            paced.announceMs = 50;
            SimOnCom sim(Com, paced, boot);
            auto process = StartCli(OnCom({QStringLiteral("flash"), path("long.hex")}));
            QVERIFY(waitUntil([&] { return boot.PagesWritten() >= 2; }));
            if (powerCycle) sim.sim().PowerCycle();
            else ::kill(pid_t(process->processId()), SIGINT);
            const Run run = Finish(*process);
            QCOMPARE(run.status, 5);
            QVERIFY2(run.err.contains(QLatin1String(FirmwareIncompleteText)), qPrintable(run.err));
            QCOMPARE(boot.StartOrders(), 0);
            QVERIFY(!boot.HasFirmware());
            // The next flash finds it, silent in its bootloader or announcing it, and programs it.
            const Run again = Cli(OnCom({QStringLiteral("flash"), path("new.hex")}));
            QVERIFY2(again.status == 0, qPrintable(again.err));
            for (int a = 0; a <= 0x2FF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
            QCOMPARE(Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("5"), QStringLiteral("identify")})).status, 0);
        }
    }

    void startRecoversABootloaderHoldingHalfAPacket()
    {
        // A program killed in the middle of a read-back packet: the bootloader holds "V 05" and
        // would take a lone order as the packet's address.
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOptions hooked;
        hooked.bootWaitMs = 60000;
        hooked.announceMs = 50;
        SimOnCom sim(Com, hooked, boot);
        QSerialPort port(sim.sim().DevicePath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write("u");
        QVERIFY(waitUntil([&] { port.waitForReadyRead(10); return port.readAll().contains('?'); }));
        port.write(QByteArray("V\x05", 2));
        QVERIFY(port.waitForBytesWritten(1000));
        QVERIFY(waitUntil([&] { return sim.toolBytes().endsWith(QByteArray("V\x05", 2)); }));
        port.close();
        const Run run = Cli(OnCom({QStringLiteral("start")}));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QLatin1String("QUARN")));
        QCOMPARE(boot.StartOrders(), 1);
        QCOMPARE(boot.PagesWritten(), 0);
    }

    void controllerWithoutFirmwareIsLeftAnnouncingItsBootloader()
    {
        SimBootOptions options = SmallChipBoot();
        options.hasFirmware = false;
        SimBootloader boot(options);
        SimOnCom sim(Com, Unpaced(), boot);
        const Run identify = Cli(OnCom({QStringLiteral("identify")}));
        QCOMPARE(identify.status, 3);
        QVERIFY2(identify.err.contains(QLatin1String("no firmware")), qPrintable(identify.err));
        QVERIFY(waitUntil([&] { return sim.toolBytes().endsWith('R'); }));
        // An erased flash is no backup: said, and no file.
        QFile::remove(path("read.hex"));
        const Run read = Cli(OnCom({QStringLiteral("read-flash"), path("read.hex")}));
        QCOMPARE(read.status, 4);
        QVERIFY2(read.err.contains(QLatin1String("the flash is erased")), qPrintable(read.err));
        QVERIFY(!QFile::exists(path("read.hex")));
        // The next flash hooks it again.
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        QCOMPARE(Cli(OnCom({QStringLiteral("flash"), path("new.hex")})).status, 0);
        for (int a = 0; a <= 0x2FF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
    }

    void removedDeviceEndsTheCommandWithTheWindowsWords()
    {
        // The emulator as its own process: killed, its pseudo-terminal goes as a pulled adapter's
        // device does. A read of the whole flash takes far longer than the wait for the removal.
        constexpr int GoneCom = 183;
        QProcess sim;
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quarn-sim"),
                  {QStringLiteral("--com"), QString::number(GoneCom), QStringLiteral("--fast-start")});
        QByteArray simLog;
        const auto simSays = [&](const char *text) {
            return waitUntil([&] { sim.waitForReadyRead(10); simLog += sim.readAll(); return simLog.contains(text); });
        };
        QVERIFY(simSays("for as long as quarn-sim runs"));
        auto process = StartCli({QStringLiteral("--port"), QString::number(GoneCom), QStringLiteral("read-flash"), path("gone.hex")});
        QVERIFY2(simSays("bootloader names its chip"), simLog.constData());
        sim.kill();
        sim.waitForFinished();
        const Run run = Finish(*process);
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("Device Removed From COM%1").arg(GoneCom)), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("gone.hex")));
    }

    void readFlashWritesTheApplicationAsHex()
    {
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        const Run run = Cli(OnCom({QStringLiteral("read-flash"), path("read.hex")}));
        QCOMPARE(run.status, 0);
        QVERIFY(HoldsOldFirmware(path("read.hex")));
        QCOMPARE(boot.Packets('E'), 0);
    }

    // verify programs nothing, and the controller runs its application afterwards whatever it found.
    void verifyComparesTheFlashAndLeavesTheBootloader()
    {
        SimBootloader boot(SmallChipBoot());
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        const auto identified = [] { return Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("5"), QStringLiteral("identify")})).status == 0; };
        WriteFile(path("same.hex"), HexFileText(OldHighest, OldFirmware));
        QCOMPARE(Cli(OnCom({QStringLiteral("verify"), path("same.hex")})).status, 0);
        QVERIFY(identified());
        WriteFile(path("other.hex"), HexFileText(OldHighest, [](int a) { return uint8_t(a == 0x123 ? ~OldFirmware(a) : OldFirmware(a)); }));
        const Run differs = Cli(OnCom({QStringLiteral("verify"), path("other.hex")}));
        QCOMPARE(differs.status, 1);
        QVERIFY2(differs.err.contains(QLatin1String("0x0123")), qPrintable(differs.err));
        QVERIFY(identified());
        QCOMPARE(boot.Packets('E'), 0);
        QCOMPARE(boot.PagesWritten(), 0);
    }

    void verifyReportsAnUnreadableFlashAsALinkFailure()
    {
        // Damaged answers are asked for four times, a refused read once; either way no difference
        // was seen, and the controller is released.
        for (const bool refused : {false, true}) {
            SimBootOptions options = SmallChipBoot(refused ? 0 : -1);
            options.nakCommand = 'V';
            options.naks = refused ? 1000 : 0;
            SimBootloader boot(options);
            HoldOldFirmware(boot);
            SimOnCom sim(Com, Unpaced(), boot);
            WriteFile(path("same.hex"), HexFileText(OldHighest, OldFirmware));
            const Run run = Cli(OnCom({QStringLiteral("--log"), path("failed.log"), QStringLiteral("verify"), path("same.hex")}));
            QCOMPARE(run.status, 3);
            QVERIFY2(run.err.contains(QLatin1String("Reading the flash back failed at 0x0000")), qPrintable(run.err));
            QVERIFY(!run.err.contains(QLatin1String("match")));
            QCOMPARE(boot.Packets('V'), refused ? 1 : 4);
            // The byte log is written whole when the command fails too.
            QVERIFY(LogHoldsTheWire(sim, path("failed.log")));
            QCOMPARE(Cli(OnCom({QStringLiteral("--wait"), QStringLiteral("5"), QStringLiteral("identify")})).status, 0);
        }
    }

    void verifyAsksAgainForADamagedReadBack()
    {
        SimBootloader boot(SmallChipBoot(1));
        HoldOldFirmware(boot);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("same.hex"), HexFileText(OldHighest, OldFirmware));
        QCOMPARE(Cli(OnCom({QStringLiteral("verify"), path("same.hex")})).status, 0);
        QCOMPARE(boot.PagesWritten(), 0);
    }

    // A controller without firmware differs from any file; verify wrote nothing, so it is left
    // announcing its bootloader as after read-flash, and the next flash programs it.
    void verifyOfAnErasedControllerLeavesItAnnouncing()
    {
        SimBootOptions options = SmallChipBoot();
        options.hasFirmware = false;
        SimBootloader boot(options);
        SimOnCom sim(Com, Unpaced(), boot);
        WriteFile(path("new.hex"), HexFileText(0x2FF, NewFirmware));
        QCOMPARE(Cli(OnCom({QStringLiteral("verify"), path("new.hex")})).status, 1);
        QVERIFY(waitUntil([&] { return sim.toolBytes().endsWith('R'); }));
        QCOMPARE(boot.PagesWritten(), 0);
        QCOMPARE(Cli(OnCom({QStringLiteral("flash"), path("new.hex")})).status, 0);
        for (int a = 0; a <= 0x2FF; ++a) QCOMPARE(boot.Flash(uint32_t(a)), NewFirmware(a));
    }

    void logRecordsEveryByteOfTheCommand()
    {
        SimOnCom sim(Com, Unpaced());
        sim.sim().SetImage(PatternImage(4));
        QCOMPARE(Cli(OnCom({QStringLiteral("--log"), path("get.log"), QStringLiteral("get"), path("log.joy")})).status, 0);
        QVERIFY(LogHoldsTheWire(sim, path("get.log")));
    }

    void logIsRefusedWhereNothingTalksOrItCannotBeWritten()
    {
        SimOnCom sim(Com, Unpaced());
        WriteFile(path("show.joy"), Bytes(PatternImage(2)));
        for (const QStringList &command : {QStringList{QStringLiteral("show"), path("show.joy")}, QStringList{QStringLiteral("ports")}})
            QCOMPARE(Cli(QStringList{QStringLiteral("--log"), path("refused.log")} + command).status, 2);
        QVERIFY(!QFile::exists(path("refused.log")));
        // A log that cannot be written is found before the controller is bothered.
        QCOMPARE(Cli(OnCom({QStringLiteral("--log"), path("no-such-folder/x.log"), QStringLiteral("identify")})).status, 4);
        QVERIFY(sim.toolBytes().isEmpty());
    }

    // The installed bash completion, sourced as bash-completion does, against this build's program.
    void completionOffersCommandsOptionsPortsAndSettingNames()
    {
        SimOnCom sim(Com, Unpaced());
        const QString script = QFINDTESTDATA("../packaging/bash-completion/quarntrim-cli");
        QVERIFY(!script.isEmpty());
        QString program = qEnvironmentVariable("QUARN_CLI");
        if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
        const auto complete = [&](QStringList words) {
            QProcess bash;
            bash.setWorkingDirectory(m_dir.path());
            bash.start(QStringLiteral("bash"), QStringList{QStringLiteral("-c"),
                                                          QStringLiteral("source \"$1\"; shift; COMP_CWORD=$(($# - 1)); COMP_WORDS=(\"$@\"); "
                                                                         "_quarntrim_cli; printf '%s\\n' \"${COMPREPLY[@]}\""),
                                                          QStringLiteral("bash"), script, program} + words);
            bash.waitForFinished(60000);
            QStringList reply = QString::fromUtf8(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            reply.sort();
            return reply;
        };
        QCOMPARE(complete({QStringLiteral("ver")}), QStringList{QStringLiteral("verify")});
        QCOMPARE(complete({QStringLiteral("flash"), QStringLiteral("--b")}), QStringList{QStringLiteral("--backup")});
        QVERIFY(complete({QStringLiteral("--port"), QString()}).contains(QString::number(Com)));
        QVERIFY(complete({QStringLiteral("--port"), QStringLiteral("co")}).contains(QStringLiteral("COM%1").arg(Com)));
        WriteFile(path("a.joy"), Bytes(PatternImage(6)));
        QCOMPARE(complete({QStringLiteral("diff"), QStringLiteral("a")}), QStringList{QStringLiteral("a.joy")});
        QVERIFY(complete({QStringLiteral("diff"), QStringLiteral("a.joy"), QString()}).contains(QStringLiteral("defaults")));
        // Setting names in any case and with the shell's escapes, as show prints them.
        QCOMPARE(complete({QStringLiteral("--product"), QStringLiteral("j"), QStringLiteral("set"), QStringLiteral("a.joy"), QStringLiteral("hoist\\ up\\ (hyd\\ a6)\\ m")}),
                 (QStringList{QStringLiteral("Hoist Up (Hyd A6) Max="), QStringLiteral("Hoist Up (Hyd A6) Min=")}));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "test_cli.moc"
