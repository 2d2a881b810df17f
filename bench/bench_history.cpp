// bench_history: the shop history at the scale of a large shop. A repository of 100,000 commits
// over 2,000 units is generated with git fast-import, then timed: keeping one image (the window
// does it after each transfer), listing one unit and everything (the History dialog), the History
// dialog on the screen, a sync of 100 new commits through git's daemon on loopback, and a fresh
// clone by a new PC. Prints figures; asserts nothing. Runs in a temporary folder.
// Usage: bench_history [COMMITS [UNITS]]
#include "ui/appstyle.h"
#include "ui/dialogs/historydialog.h"
#include "history/historyrecord.h"
#include "history/historystore.h"
#include "history/unitname.h"
#ifdef QUARN_BENCH_GIT_SERVER
#include "support/gitserver.h"
#endif

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Rounds = 20;
constexpr int DefaultCommits = 100000;
constexpr int DefaultUnits = 2000;
constexpr int SyncCommits = 100;
const QString Port = QStringLiteral("COM7");
const QString Banner = QStringLiteral("QUARN 2 v1.1 Connected and Listening");

struct Figures {
    double medianMs, maxMs;
};

template <class Run>
Figures Measure(Run run, int rounds = Rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run(i);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void Print(const char *what, const Figures &f, double budgetMs)
{
    std::printf("%-48s median %8.2f ms   max %8.2f ms   (budget %.0f ms)\n", what, f.medianMs, f.maxMs, budgetMs);
}

QString TruckName(int unit) { return QStringLiteral("Truck %1").arg(unit); }

// A fast-import stream: `commits` events, each a visit to one of `units` units, as the tool makes them.
QByteArray Stream(int commits, int units)
{
    QByteArray stream;
    stream.reserve(qsizetype(commits) * 900);
    auto data = [&stream](const QByteArray &bytes) { stream += "data " + QByteArray::number(bytes.size()) + '\n' + bytes + '\n'; };
    const QDateTime start(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < commits; ++i) {
        HistoryRecord r;
        r.entry.kind = i % 3 ? HistoryKind::Download : HistoryKind::Upload;
        r.entry.port = Port;
        r.entry.productLetter = 'j';
        r.entry.banner = Banner;
        r.entry.unit = TruckName(i % units);
        r.entry.technician = QStringLiteral("tech%1").arg(i % 50);
        r.entry.pc = QStringLiteral("pc%1").arg(i % 50);
        r.entry.time = start.addSecs(qint64(i) * 600);
        r.event = HistoryKindWord(r.entry.kind);
        const QString folder = UnitName::Path(r.entry.unit);
        r.file = folder + QStringLiteral("/image.joy");
        stream += "commit refs/heads/main\ncommitter " + r.entry.technician.toUtf8() + " <" + r.entry.technician.toUtf8() + '@' +
                  r.entry.pc.toUtf8() + "> " + QByteArray::number(r.entry.time.toSecsSinceEpoch()) + " +0000\n";
        data(HistoryRecords::Message(r).toUtf8());
        const QByteArray prefix = "M 100644 inline " + folder.toUtf8() + '/';
        stream += prefix + "image.joy\n";
        data(QByteArray(CalImageSize, char(i % 251)));
        stream += prefix + "settings.txt\n";
        data("# Quarn 2\nTrim A: " + QByteArray::number(i % 97) + "\nTrim B: " + QByteArray::number(i % 89) + "\n# end of recipe\n");
        stream += prefix + "name.txt\n";
        data(r.entry.unit.toUtf8() + '\n');
        stream += prefix + "visit.txt\n";
        data(HistoryRecords::TimeText(r.entry.time).toUtf8() + '\t' + r.event.toUtf8() + '\t' + Port.toUtf8() + '\t' +
             r.entry.technician.toUtf8() + '\t' + r.entry.pc.toUtf8() + '\n');
    }
    return stream;
}

// Runs git, its standard input read from the file `input` when one is named.
bool Git(const QStringList &arguments, const QString &input = {})
{
    QProcess git;
    if (!input.isEmpty()) git.setStandardInputFile(input);
    git.start(QStringLiteral("git"), arguments);
    return git.waitForFinished(-1) && git.exitStatus() == QProcess::NormalExit && git.exitCode() == 0;
}
}  // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    InstallApplicationStyle();
    const int commits = argc > 1 ? std::max(1, atoi(argv[1])) : DefaultCommits;
    const int units = argc > 2 ? std::max(1, atoi(argv[2])) : DefaultUnits;

    HistoryStore store;
    QElapsedTimer timer;
    timer.start();
    const QString streamFile = data.filePath(QStringLiteral("stream"));
    QFile stream(streamFile);
    if (!stream.open(QIODevice::WriteOnly) || stream.write(Stream(commits, units)) < 0 || !stream.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(streamFile));
        return 1;
    }
    stream.close();
    if (!Git({QStringLiteral("init"), QStringLiteral("--quiet"), QStringLiteral("--bare"), QStringLiteral("--initial-branch=main"), store.Folder()}) ||
        !Git({QStringLiteral("-C"), store.Folder(), QStringLiteral("fast-import"), QStringLiteral("--quiet")}, streamFile)) {
        std::fprintf(stderr, "git fast-import failed (is git installed?)\n");
        return 1;
    }
    std::printf("generated %d commits over %d units: %.1f s\n", commits, units, double(timer.elapsed()) / 1000);
    Git({QStringLiteral("-C"), store.Folder(), QStringLiteral("gc"), QStringLiteral("--quiet")});
    std::printf("packed (git gc): %.1f s\n", double(timer.elapsed()) / 1000);

    timer.restart();
    const qsizetype all = store.Entries().size();
    std::printf("first listing (builds the local list of %lld entries): %.0f ms\n", static_cast<long long>(all), double(timer.elapsed()));

    CalImageBytes image{};
    Print("keep one image (a commit)", Measure([&](int i) {
              image.fill(uint8_t(i));
              store.KeepImage(HistoryKind::Download, Port, 'j', Banner, image, TruckName(i % units));
          }),
          50);
    Print("history list UNIT (Entries of one unit)", Measure([&](int i) { (void)store.Entries(TruckName(i * 7 % units)); }), 300);
    Print("list everything", Measure([&](int) { (void)store.Entries(); }, 5), 300);
    Print("units offered in the Unit box", Measure([&](int) { (void)store.Units(); }, 5), 300);
    Print("open History with every entry (shown)", Measure([&](int) {
              HistoryDialog d(store);
              d.show();
              QApplication::processEvents();
          }, 5),
          300);

#ifdef QUARN_BENCH_GIT_SERVER
    GitServer server;
    if (!Git({QStringLiteral("-C"), store.Folder(), QStringLiteral("push"), QStringLiteral("--quiet"), server.Path(), QStringLiteral("main")}) ||
        !server.Serve()) {
        std::fprintf(stderr, "cannot serve the repository through git daemon\n");
        return 1;
    }
    QString error;
    store.SetRemote(server.Url(), &error);
    timer.restart();
    HistoryStore fresh(data.filePath(QStringLiteral("fresh")));
    fresh.SetRemote(server.Url(), &error);
    const SyncResult cloned = fresh.Sync(&error);
    std::printf("fresh clone by a new PC (sync of an empty history): %.1f s %s  (budget 60 s)\n", double(timer.elapsed()) / 1000,
                cloned == SyncResult::InStep ? "" : qPrintable(error));
    store.Sync(&error);
    for (int i = 0; i < SyncCommits; ++i) {
        image.fill(uint8_t(i));
        store.KeepImage(HistoryKind::Upload, Port, 'j', Banner, image, TruckName(i * 13 % units));
    }
    timer.restart();
    const SyncResult pushed = store.Sync(&error);
    std::printf("sync pushing %d new commits on loopback: %.0f ms %s  (budget 2000 ms)\n", SyncCommits, double(timer.elapsed()),
                pushed == SyncResult::InStep ? "" : qPrintable(error));
    timer.restart();
    const SyncResult fetched = fresh.Sync(&error);
    std::printf("sync fetching %d new commits on loopback: %.0f ms %s  (budget 2000 ms)\n", SyncCommits, double(timer.elapsed()),
                fetched == SyncResult::InStep ? "" : qPrintable(error));
#else
    std::printf("sync and clone: not measured in this build (no git server helper)\n");
#endif
    return 0;
}
