// Several controllers in one command, through the executable against emulators on
// pseudo-terminals: a run per port at once, a summary line per port in the order named, a file per
// port, the highest exit status, and Ctrl+C or SIGTERM handed on so each controller is released.
#include "core/image_defaults.h"
#include "link/serialdevicemap.h"
#include "sim_bootloader.h"
#include "support/hexrecords.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <memory>

#include <unistd.h>

namespace {
constexpr int ComA = 191, ComB = 192, ComC = 193;

struct Result {
    int status = -1;
    QString out, err;
};

std::unique_ptr<QProcess> Start(const QStringList &arguments)
{
    QString program = qEnvironmentVariable("QUARN_CLI");
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
    auto process = std::make_unique<QProcess>();
    process->start(program, arguments);
    process->closeWriteChannel();
    return process;
}

Result Finish(QProcess &process)
{
    if (!process.waitForFinished(180000)) process.kill();
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Result RunCli(const QStringList &arguments) { return Finish(*Start(arguments)); }

QStringList Lines(const QString &text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

QByteArray Read(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Bytes(const CalImageBytes &image) { return QByteArray(reinterpret_cast<const char *>(image.data()), CalImageSize); }

QString Port(int com) { return QStringLiteral("COM%1").arg(com); }
}  // namespace

class CliMultiportTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Two controllers answer, one stays silent: each port has its line, its image and its byte
    // log; a port named by its device is named so in its file; the status is the worst.
    void getFromEveryPortAtOnce()
    {
        SimOptions silent = QuickUnpaced();
        silent.silent = true;
        SimOnCom a(ComA, QuickUnpaced()), b(ComB, QuickUnpaced()), c(ComC, silent);
        a.sim().SetImage(PatternImage(1));
        b.sim().SetImage(PatternImage(2));
        const QString deviceB = SerialDeviceMap::DeviceFor(ComB);
        const QString fileB = QString(deviceB).replace(QLatin1Char('/'), QLatin1Char('_')).mid(1);
        const Result run = RunCli({QStringLiteral("--wait"), QStringLiteral("2"), QStringLiteral("--port"), Port(ComA) + QLatin1Char(',') + deviceB,
                                   QStringLiteral("--port"), QString::number(ComC), QStringLiteral("--log"), path(QStringLiteral("w{port}.log")),
                                   QStringLiteral("get"), path(QStringLiteral("t{port}.joy"))});
        QCOMPARE(run.status, 3);
        QCOMPARE(Lines(run.out), (QStringList{Port(ComA) + QStringLiteral(": ok"), deviceB + QStringLiteral(": ok"),
                                              Port(ComC) + QStringLiteral(": no controller announced itself within 2 s (3)")}));
        QVERIFY2(run.err.startsWith(Port(ComC) + QStringLiteral(": quarntrim-cli: ")) && Lines(run.err).size() == 1, qPrintable(run.err));
        QCOMPARE(Read(path(QStringLiteral("t%1.joy").arg(Port(ComA)))), Bytes(PatternImage(1)));
        QCOMPARE(Read(path(QStringLiteral("t%1.joy").arg(fileB))), Bytes(PatternImage(2)));
        QVERIFY(!QFile::exists(path(QStringLiteral("t%1.joy").arg(Port(ComC)))));
        // Each log holds its own port's bytes only.
        const QString logA = QString::fromUtf8(Read(path(QStringLiteral("w%1.log").arg(Port(ComA)))));
        const QString logB = QString::fromUtf8(Read(path(QStringLiteral("w%1.log").arg(fileB))));
        QVERIFY(!logA.isEmpty() && !logB.isEmpty());
        QCOMPARE(logA.count(QLatin1Char(' ') + Port(ComA) + QLatin1Char(' ')), Lines(logA).size());
        QCOMPARE(logB.count(QLatin1Char(' ') + deviceB + QLatin1Char(' ')), Lines(logB).size());
        // {port} names the one port of a command as well.
        QCOMPARE(RunCli({QStringLiteral("--port"), QString::number(ComA), QStringLiteral("get"), path(QStringLiteral("one{port}.joy"))}).status, 0);
        QCOMPARE(Read(path(QStringLiteral("one%1.joy").arg(Port(ComA)))), Bytes(PatternImage(1)));
    }

    void identifyOnSeveralPortsIsOneJsonDocument()
    {
        SimOptions other = QuickUnpaced();
        other.product = 'd';
        SimOnCom a(ComA, QuickUnpaced()), b(ComB, other);
        const Result run = RunCli({QStringLiteral("--json"), QStringLiteral("--port"), QStringLiteral("%1,%2").arg(ComB).arg(ComA), QStringLiteral("identify")});
        QCOMPARE(run.status, 0);
        const QJsonArray ports = QJsonDocument::fromJson(run.out.toUtf8()).array();
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports[0][QLatin1String("port")].toString(), Port(ComB));
        QCOMPARE(ports[0][QLatin1String("result")][QLatin1String("product")].toString(), QStringLiteral("d"));
        QCOMPARE(ports[1][QLatin1String("result")][QLatin1String("product")].toString(), QStringLiteral("j"));
    }

    // Refused before any controller is bothered: a file every port would write, the same port
    // twice, a command or an image that talks to one controller at most.
    void whatCannotRunOnSeveralPortsIsRefused()
    {
        SimOnCom a(ComA, QuickUnpaced()), b(ComB, QuickUnpaced());
        QFile image(path(QStringLiteral("x.joy")));
        QVERIFY(image.open(QIODevice::WriteOnly) && image.write(Bytes(PatternImage(3))) == CalImageSize);
        image.close();
        const QString two = QStringLiteral("%1,%2").arg(ComA).arg(ComB);
        const QList<QStringList> refused = {
            {QStringLiteral("--port"), two, QStringLiteral("get"), path(QStringLiteral("same.joy"))},
            {QStringLiteral("--port"), two, QStringLiteral("get"), QStringLiteral("-")},
            {QStringLiteral("--port"), two, QStringLiteral("--log"), path(QStringLiteral("one.log")), QStringLiteral("identify")},
            {QStringLiteral("--port"), QStringLiteral("%1,COM%1").arg(ComA), QStringLiteral("identify")},
            {QStringLiteral("--port"), QStringLiteral("%1,,%2").arg(ComA).arg(ComB), QStringLiteral("identify")},
            {QStringLiteral("--port"), two, QStringLiteral("show"), path(QStringLiteral("x.joy"))},
            {QStringLiteral("--port"), two, QStringLiteral("ports")},
        };
        for (const QStringList &arguments : refused) {
            const Result run = RunCli(arguments);
            QVERIFY2(run.status == 2 && Lines(run.err).size() == 1, qPrintable(arguments.join(QLatin1Char(' ')) + QStringLiteral(": ") + run.err));
        }
        QVERIFY(a.toolBytes().isEmpty() && b.toolBytes().isEmpty());
        QVERIFY(!QFile::exists(path(QStringLiteral("same.joy"))));
    }

    // A file's failure is the system's reason, naming the file once.
    void fileErrorsAreTheSystemsWords()
    {
        const QString missing = path(QStringLiteral("none.joy"));
        const Result absent = RunCli({QStringLiteral("show"), missing});
        QCOMPARE(absent.status, 4);
        QCOMPARE(absent.err, QStringLiteral("quarntrim-cli: %1: %2\n").arg(missing, qt_error_string(ENOENT)));
        if (::geteuid() == 0) return;  // the superuser writes any file
        const QString readOnly = path(QStringLiteral("ro.joy"));
        QFile file(readOnly);
        CalImageBytes defaults{};
        SetImageDefaultBytes(defaults.data());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Bytes(defaults)) == CalImageSize);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        const Result denied = RunCli({QStringLiteral("set"), readOnly, QStringLiteral("PWM Frequency=150")});
        QCOMPARE(denied.status, 4);
        QCOMPARE(denied.err, QStringLiteral("quarntrim-cli: %1: %2\n").arg(readOnly, qt_error_string(EACCES)));
    }

    // SIGTERM while two controllers are in their bootloaders: each run releases its controller,
    // then the program ends as SIGTERM ends a command.
    void aSignalReleasesEveryController()
    {
        SimBootOptions chip;
        chip.chip = "ATMEGA16";  // 15 KiB: a whole read-back at the line's pace takes many seconds
        SimBootloader bootA(chip), bootB(chip);
        // Both hold the file's firmware, so that verify reads it all back.
        constexpr int Highest = 0x3BFF;
        const auto byteAt = [](int address) { return uint8_t(address * 7); };
        QByteArray firmware;
        for (int address = 0; address <= Highest; ++address) firmware.append(char(byteAt(address)));
        bootA.LoadFlash(0, firmware);
        bootB.LoadFlash(0, firmware);
        SimOptions paced = QuickStart();
        paced.announceMs = 50;
        SimOnCom a(ComA, paced, bootA), b(ComB, paced, bootB);
        const QString hex = path(QStringLiteral("big.hex"));
        QFile file(hex);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(HexFileText(Highest, byteAt)) > 0);
        file.close();
        auto process = Start({QStringLiteral("--port"), QStringLiteral("%1,%2").arg(ComA).arg(ComB), QStringLiteral("verify"), hex});
        QVERIFY(waitUntil([&] { return bootA.Packets('V') > 2 && bootB.Packets('V') > 2; }));
        ::kill(pid_t(process->processId()), SIGTERM);
        const Result run = Finish(*process);
        QCOMPARE(run.status, 143);
        QCOMPARE(Lines(run.out), (QStringList{Port(ComA) + QStringLiteral(": interrupted (143)"), Port(ComB) + QStringLiteral(": interrupted (143)")}));
        QVERIFY(waitUntil([&] { return a.toolBytes().endsWith('R') && b.toolBytes().endsWith('R'); }));
    }
};

QTEST_GUILESS_MAIN(CliMultiportTest)
#include "test_cli_multiport.moc"
