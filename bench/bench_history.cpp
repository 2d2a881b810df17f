// bench_history: the shop history at the scale of a large shop. A repository of 100,000 commits
// over 2,000 units is generated with git fast-import, then timed: keeping one image (the window
// does it after each transfer), listing one unit and everything (the History dialog), the History
// dialog on the screen, a sync of 100 new commits through git's daemon on loopback, and a fresh
// clone by a new PC. Prints figures; asserts nothing. Runs in a temporary folder. Beside each time
// on the clock it prints the processor time this program spent on it: on a machine other work
// loads, the clock stretches and the processor time tells this program's own share.
// Usage: bench_history [COMMITS [UNITS]]. With QUARN_BENCH_HOLD_MS set, the History dialog stays
// on the screen that long at the end (to take a picture of it).
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
#include <ctime>
#include <vector>

namespace {
constexpr int Rounds = 20;
constexpr int DefaultCommits = 100000;
constexpr int DefaultUnits = 2000;
constexpr int SyncCommits = 100;
const QString Port = QStringLiteral("COM7");
const QString Banner = QStringLiteral("QUARN 2 v1.1 Connected and Listening");

// The processor time of this program's threads so far, in milliseconds.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Times on the clock and on the processor, from its start.
struct Stopwatch {
    QElapsedTimer clock;
    double cpuStart = CpuMs();
    Stopwatch() { clock.start(); }
    double Ms() const { return double(clock.nsecsElapsed()) / 1e6; }
    double Cpu() const { return CpuMs() - cpuStart; }
};

struct Figures {
    double medianMs, maxMs, cpuMedianMs;
};

template <class Run>
Figures Measure(Run run, int rounds = Rounds)
{
    std::vector<double> times, cpu;
    for (int i = 0; i < rounds; ++i) {
        const Stopwatch watch;
        run(i);
        times.push_back(watch.Ms());
        cpu.push_back(watch.Cpu());
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    return {times[times.size() / 2], times.back(), cpu[cpu.size() / 2]};
}

void Print(const char *what, const Figures &f, double budgetMs)
{
    std::printf("%-44s median %8.2f ms   max %8.2f ms   processor %8.2f ms   (budget %.0f ms)\n", what, f.medianMs, f.maxMs,
                f.cpuMedianMs, budgetMs);
}

[[maybe_unused]] void PrintOnce(const char *what, const Stopwatch &watch, double budgetMs, const QString &failure)
{
    std::printf("%-44s %8.0f ms   processor %8.0f ms   (budget %.0f ms) %s\n", what, watch.Ms(), watch.Cpu(), budgetMs,
                qPrintable(failure));
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
    // Each figure shows as it is made, also through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
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

    const Stopwatch first;
    const qsizetype all = store.Entries().size();
    std::printf("first listing (builds the local list of %lld entries): %.0f ms, processor %.0f ms\n", static_cast<long long>(all), first.Ms(),
                first.Cpu());

    CalImageBytes image{};
    Print("keep one image (a commit)", Measure([&](int i) {
              image.fill(uint8_t(i));
              store.KeepImage(HistoryKind::Download, Port, 'j', Banner, image, TruckName(i % units));
          }),
          50);
    Print("history list UNIT (Entries of one unit)", Measure([&](int i) { (void)store.Entries(TruckName(i * 7 % units)); }), 300);
    Print("list everything (Entries, every row read)", Measure([&](int) { (void)store.Entries(); }, 5), 300);
    Print("list everything as the dialog reads it", Measure([&](int) { (void)store.Listing(HistoryListing::Scope::All); }, 5), 300);
    Print("units offered in the Unit box", Measure([&](int) { (void)store.Units(); }, 5), 300);
    Print("open History with every entry (shown)", Measure([&](int) {
              HistoryDialog d(store);
              d.show();
              QApplication::processEvents();
          }, 5),
          300);

    if (const int holdMs = qEnvironmentVariableIntValue("QUARN_BENCH_HOLD_MS"); holdMs > 0) {
        HistoryDialog d(store);
        d.show();
        std::printf("the History dialog stays on the screen for %d ms\n", holdMs);
        QElapsedTimer held;
        held.start();
        while (held.elapsed() < holdMs) QApplication::processEvents(QEventLoop::AllEvents, holdMs);
    }

#ifdef QUARN_BENCH_GIT_SERVER
    GitServer server;
    if (!Git({QStringLiteral("-C"), store.Folder(), QStringLiteral("push"), QStringLiteral("--quiet"), server.Path(), QStringLiteral("main")}) ||
        !server.Serve()) {
        std::fprintf(stderr, "cannot serve the repository through git daemon\n");
        return 1;
    }
    QString error;
    store.SetRemote(server.Url(), &error);
    const Stopwatch cloning;
    HistoryStore fresh(data.filePath(QStringLiteral("fresh")));
    fresh.SetRemote(server.Url(), &error);
    const SyncResult cloned = fresh.Sync(&error);
    PrintOnce("fresh clone by a new PC (sync of an empty one)", cloning, 60000, cloned == SyncResult::InStep ? QString() : error);
    store.Sync(&error);
    for (int i = 0; i < SyncCommits; ++i) {
        image.fill(uint8_t(i));
        store.KeepImage(HistoryKind::Upload, Port, 'j', Banner, image, TruckName(i * 13 % units));
    }
    const Stopwatch pushing;
    const SyncResult pushed = store.Sync(&error);
    PrintOnce(qPrintable(QStringLiteral("sync pushing %1 new commits on loopback").arg(SyncCommits)), pushing, 2000,
              pushed == SyncResult::InStep ? QString() : error);
    const Stopwatch fetching;
    const SyncResult fetched = fresh.Sync(&error);
    PrintOnce(qPrintable(QStringLiteral("sync fetching %1 new commits on loopback").arg(SyncCommits)), fetching, 2000,
              fetched == SyncResult::InStep ? QString() : error);
    const Stopwatch relisting;
    (void)fresh.Entries(TruckName(13));
    PrintOnce("history list UNIT after that fetch", relisting, 300, QString());
#else
    std::printf("sync and clone: not measured in this build (no git server helper)\n");
#endif
    return 0;
}
