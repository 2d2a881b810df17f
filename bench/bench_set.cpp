// How long `set controller` takes against the controller emulator paced at 9600 baud, each run
// its own process as a script runs it, beside the protocol's pace for one upload plus one
// download (two transfers of 256 passes of 10 ms) and beside `send`, which is exactly those two.
// set downloads the image first, then uploads the changed image and reads it back: three
// transfers, so it is also printed against three, and against three at the pace send's two ran.
//
//   bench_set [--runs N]      (default 3)
#include "core/image_defaults.h"
#include "core/ticks.h"
#include "link/linkprotocol.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// One transfer at the protocol's pace: the worker moves one byte a pass.
constexpr double TransferSeconds = TransferLength * LinkTime::PassSleepMs / 1000.0;

struct Timing {
    double process = 0;  // the command's process, start to exit
    double line = 0;     // its first byte on the line to the last before it exited
    double before = 0;   // the process's start to its first byte on the line
    double after = 0;    // the last byte on the line to the process's exit
};

// Runs the command line against `sim`; false when it failed.
bool TimeCli(SimController &sim, const QStringList &arguments, Timing *timing)
{
    sim.ClearWire();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const uint32_t started = TickCount();
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli"),
                  QStringList{QStringLiteral("--quiet"), QStringLiteral("--port"), sim.DevicePath()} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return false;
    const uint32_t ended = TickCount();
    const std::vector<WireByte> wire = sim.WireLog();
    const auto first = std::find_if(wire.begin(), wire.end(), [](const WireByte &w) { return w.fromTool; });
    if (first == wire.end()) return false;
    uint32_t last = first->tick;
    for (const WireByte &w : wire)
        if (int32_t(w.tick - ended) <= 0) last = std::max(last, w.tick);  // before it exited
    timing->process = (ended - started) / 1000.0;
    timing->line = (last - first->tick) / 1000.0;
    timing->before = (first->tick - started) / 1000.0;
    timing->after = (ended - last) / 1000.0;
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianOf(const std::vector<Timing> &runs, double Timing::*part)
{
    std::vector<double> values;
    for (const Timing &t : runs) values.push_back(t.*part);
    return Median(values);
}

void Print(const char *name, const std::vector<Timing> &runs)
{
    const auto median = [&](double Timing::*part) { return MedianOf(runs, part); };
    const double two = 2 * TransferSeconds, three = 3 * TransferSeconds;
    const double process = median(&Timing::process), line = median(&Timing::line);
    std::printf("%-15s %6.3f s process (%+6.1f %% of 2 transfers, %+6.1f %% of 3): %.3f s to its first byte, "
                "%6.3f s on the line (%+6.1f %%, %+6.1f %%), %.3f s to its exit\n",
                name, process, (process / two - 1) * 100, (process / three - 1) * 100, median(&Timing::before), line,
                (line / two - 1) * 100, (line / three - 1) * 100, median(&Timing::after));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", settings.path().toLocal8Bit());
    int runs = 3;
    const QStringList words = app.arguments().mid(1);
    if (words.size() == 2 && words[0] == QLatin1String("--runs")) runs = words[1].toInt();
    if ((!words.isEmpty() && words.size() != 2) || runs < 1) {
        std::fprintf(stderr, "usage: bench_set [--runs N]\n");
        return 2;
    }
    SimOptions options;
    options.fastStart = true;
    options.announceMs = 10;  // the controller announces itself at once: the link is what is timed
    SimController sim(options);
    QString error;
    if (!sim.Start(error)) qFatal("emulator: %s", qPrintable(error));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("image.joy"));
    {
        CalImageBytes image{};
        SetImageDefaultBytes(image.data());
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char *>(image.data()), CalImageSize) != CalImageSize) return 1;
    }
    std::printf("one transfer at the protocol's pace: %.2f s; upload plus download: %.2f s\n", TransferSeconds, 2 * TransferSeconds);
    std::vector<Timing> send, set;
    for (int run = 0; run < runs; ++run) {
        Timing timing;
        if (!TimeCli(sim, {QStringLiteral("send"), file}, &timing)) return 1;
        send.push_back(timing);
        // Each run changes the trim, so that every run uploads.
        const QString value = run % 2 ? QStringLiteral("9.0v") : QStringLiteral("9.5v");
        if (!TimeCli(sim, {QStringLiteral("set"), QStringLiteral("controller"), QStringLiteral("Hoist Up (Hyd A6) Max=") + value}, &timing)) return 1;
        set.push_back(timing);
    }
    std::printf("medians of %d runs:\n", runs);
    Print("send", send);
    Print("set controller", set);
    // What set adds to its three transfers, each taken at the pace send's two were measured at.
    const double perTransfer = MedianOf(send, &Timing::line) / 2;
    std::printf("set controller beyond three transfers at send's measured pace (%.3f s each): %+.3f s on the line\n", perTransfer,
                MedianOf(set, &Timing::line) - 3 * perTransfer);
    return 0;
}
