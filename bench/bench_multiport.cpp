// Several controllers in one command against one: the wall time of `get` on three emulated
// controllers at once (--port A,B,C, a run per port) next to `get` on one, each controller paced
// at 9600 baud as on a truck. Three at once should take about as long as one; the figure printed
// is the ratio.
//
//   bench_multiport [--runs N]      (default 3; the median of the runs is printed)
#include "core/ticks.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Controllers = 3;

// The wall time of one command line in milliseconds; -1 when it failed.
qint64 TimedCli(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const uint32_t started = TickCount();
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli"), arguments);
    if (!process.waitForFinished(10 * 60 * 1000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return -1;
    return qint64(TickCount() - started);
}

qint64 Median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    int runs = 3;
    const QStringList words = app.arguments().mid(1);
    if (words.size() == 2 && words[0] == QLatin1String("--runs")) runs = words[1].toInt();
    if (runs < 1 || (words.size() != 0 && words.size() != 2)) {
        std::fprintf(stderr, "usage: bench_multiport [--runs N]\n");
        return 2;
    }
    QTemporaryDir dir;
    std::vector<std::unique_ptr<SimController>> sims;
    QStringList devices;
    for (int i = 0; i < Controllers; ++i) {
        SimOptions options;
        options.fastStart = true;
        sims.push_back(std::make_unique<SimController>(options));
        QString error;
        if (!sims.back()->Start(error)) qFatal("emulator: %s", qPrintable(error));
        devices << sims.back()->DevicePath();
    }
    const QString file = dir.filePath(QStringLiteral("truck{port}.joy"));
    std::vector<qint64> one, all;
    for (int run = 0; run < runs; ++run) {
        one.push_back(TimedCli({QStringLiteral("--quiet"), QStringLiteral("--port"), devices.first(), QStringLiteral("get"), file}));
        all.push_back(TimedCli({QStringLiteral("--quiet"), QStringLiteral("--port"), devices.join(QLatin1Char(',')), QStringLiteral("get"), file}));
        if (one.back() < 0 || all.back() < 0) {
            std::fprintf(stderr, "bench_multiport: a get failed\n");
            return 1;
        }
    }
    const qint64 single = Median(one), several = Median(all);
    std::printf("get, one controller     %6.2f s (median of %d)\n", single / 1000.0, runs);
    std::printf("get, %d controllers     %6.2f s at once: %.2f times one\n", Controllers, several / 1000.0, double(several) / double(single));
    return 0;
}
