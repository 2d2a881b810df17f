// The shop history from the command line, end to end: two homes (two PCs) pointed at one git
// daemon, the controller emulator on a pseudo-terminal, and a plain git clone of the shop's
// repository reading a unit's settings visit by visit.
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/recipe.h"
#include "history/unitname.h"
#include "support/gitserver.h"
#include "support/simlink.h"
#include "support/testsupport.h"
#include "support/wirewindow.h"

#include <QProcess>
#include <QtTest>

namespace {
constexpr int Com = 185;
const QString Truck = QStringLiteral("Truck 47");

struct Run {
    int status = -1;
    QString out, err;
    QByteArray raw;
};

}  // namespace

class CliHistoryTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    // The command line run on the PC whose data folder (and so history) is `home`.
    Run Cli(const QString &home, const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(home));
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("QUARN_CLI"), QStringList{QStringLiteral("--port"), QStringLiteral("COM%1").arg(Com)} + arguments);
        if (!process.waitForFinished(WaitDeadlineMs * 3)) process.kill();
        process.waitForFinished();
        Run run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.raw = process.readAllStandardOutput();
        run.out = QString::fromUtf8(run.raw);
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private slots:
    void aVisitOnOnePcIsReadOnTheOtherAndInAPlainClone()
    {
        GitServer server;
        QVERIFY2(server.Serve(), "git daemon did not start (install git)");
        const QString a = QStringLiteral("pc-a"), b = QStringLiteral("pc-b");
        for (const QString &home : {a, b}) QCOMPARE(Cli(home, {QStringLiteral("history"), QStringLiteral("remote"), server.Url()}).status, 0);
        QCOMPARE(Cli(a, {QStringLiteral("history"), QStringLiteral("remote")}).out.trimmed(), server.Url());

        SimOnCom sim(Com, QuickUnpaced());
        const CalImageBytes first = ShownImage(Product::Quarn, PatternImage(41));
        sim.sim().SetImage(first);
        Run run = Cli(a, {QStringLiteral("get"), QStringLiteral("--unit"), Truck, m_dir.filePath(QStringLiteral("1.joy"))});
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(Cli(b, {QStringLiteral("history"), QStringLiteral("sync")}).status, 0);
        run = Cli(b, {QStringLiteral("history"), QStringLiteral("list"), QStringLiteral("truck 47")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.count(QLatin1Char('\n')), 1);
        QVERIFY2(run.out.contains(QStringLiteral("\tdownload\tTruck 47\tj\t")), qPrintable(run.out));

        // One setting changed on the controller, read again: the clone's log names it.
        CalImageBytes changed = first;
        changed[Off::FirstTrimPair] ^= 1;
        QString name;
        for (const Catalogue::FieldValue &field : Catalogue::Describe(changed, Product::Quarn))
            if (field.offsets.contains(Off::FirstTrimPair)) name = field.name;
        sim.sim().SetImage(changed);
        QCOMPARE(Cli(a, {QStringLiteral("get"), QStringLiteral("--unit"), QStringLiteral("TRUCK 47"), m_dir.filePath(QStringLiteral("2.joy"))}).status, 0);
        const QString clone = m_dir.filePath(QStringLiteral("clone"));
        QVERIFY(GitServer::Git({QStringLiteral("clone"), QStringLiteral("--quiet"), server.Url(), clone}));
        const QString log = GitServer::GitOutput({QStringLiteral("-C"), clone, QStringLiteral("log"), QStringLiteral("-p"), QStringLiteral("--"),
                                                  UnitName::Path(Truck) + QStringLiteral("/settings.txt")});
        QVERIFY2(log.contains(QStringLiteral("\n-") + name + QLatin1Char(':')) && log.contains(QStringLiteral("\n+") + name + QLatin1Char(':')),
                 qPrintable(log));

        // With the server stopped the get still succeeds; sync says what waits, and sends it later.
        server.Stop();
        run = Cli(a, {QStringLiteral("get"), QStringLiteral("--unit"), Truck, m_dir.filePath(QStringLiteral("3.joy"))});
        QCOMPARE(run.status, 0);
        run = Cli(a, {QStringLiteral("history"), QStringLiteral("sync")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(QStringLiteral("1 entries wait")), qPrintable(run.err));
        QVERIFY(server.Serve());
        QCOMPARE(Cli(a, {QStringLiteral("history"), QStringLiteral("sync")}).status, 0);
        QCOMPARE(Cli(b, {QStringLiteral("history"), QStringLiteral("sync")}).status, 0);
        QCOMPARE(Cli(b, {QStringLiteral("history"), QStringLiteral("list"), Truck}).out.count(QLatin1Char('\n')), 3);

        // The unit's settings, what changed, and an image to send again.
        run = Cli(b, {QStringLiteral("history"), QStringLiteral("show"), QStringLiteral("truck 47")});
        QCOMPARE(run.out.trimmed().split(QLatin1Char('\n')), Catalogue::RecipeLines(changed, Product::Quarn));
        QCOMPARE(Cli(b, {QStringLiteral("history"), QStringLiteral("diff"), Truck}).status, 0);
        run = Cli(b, {QStringLiteral("history"), QStringLiteral("diff"), Truck, QStringLiteral("@2")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.startsWith(name + QLatin1Char(':')), qPrintable(run.out));
        run = Cli(b, {QStringLiteral("history"), QStringLiteral("get"), Truck + QStringLiteral("@2"), QStringLiteral("-")});
        QCOMPARE(run.raw, QByteArray(reinterpret_cast<const char *>(first.data()), CalImageSize));
        QCOMPARE(Cli(b, {QStringLiteral("history"), QStringLiteral("show"), QStringLiteral("Truck 48")}).status, 4);
    }
};

QTEST_MAIN(CliHistoryTest)
#include "test_cli_history.moc"
