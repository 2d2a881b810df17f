// get through a serial device server against get on the emulator's own pseudo-terminal, each
// command run as its own process, the emulator paced at 9600 baud:
//   pty      the pseudo-terminal itself
//   raw      ser2net serving it raw on 127.0.0.1
//   telnet   ser2net serving it in Telnet with serial port control
//   relayed  the raw server behind a relay adding a round trip (with a fifth of it as jitter),
//            against the pseudo-terminal's time plus 256 round trips
// For each: the median over the runs of the whole command and of the download on the line
// (from the tool's 'F' to the controller's last byte).
//
//   bench_network [--runs N] [--round-trip MS]      (defaults: 5 runs, 100 ms)
#include "../tests/support/netservers.h"
#include "link/linkprotocol.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Timing {
    double command = 0;  // seconds, medians
    double line = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The download's time on the line: the tool's 'F' to the controller's last byte.
double LineSeconds(const std::vector<WireByte> &wire, size_t from)
{
    size_t first = from;
    while (first < wire.size() && !(wire[first].fromTool && wire[first].byte == Wire::GetImage)) ++first;
    size_t last = first;
    for (size_t i = first; i < wire.size(); ++i)
        if (!wire[i].fromTool) last = i;
    return first < wire.size() ? (wire[last].tick - wire[first].tick) / 1000.0 : 0;
}

bool TimeGets(SimController &sim, const QString &port, int runs, const QString &file, Timing *timing)
{
    std::vector<double> commands, lines;
    for (int run = 0; run < runs; ++run) {
        const size_t before = sim.WireLog().size();
        QElapsedTimer clock;
        clock.start();
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli"),
                      {QStringLiteral("--quiet"), QStringLiteral("--port"), port, QStringLiteral("get"), file});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) return false;
        commands.push_back(clock.elapsed() / 1000.0);
        lines.push_back(LineSeconds(sim.WireLog(), before));
    }
    timing->command = Median(commands);
    timing->line = Median(lines);
    return true;
}

void Print(const char *name, const Timing &t, const Timing &reference, double extra)
{
    std::printf("%-8s command %6.3f s (%.3fx), on the line %6.3f s (%.3fx of %.3f s)\n", name, t.command,
                t.command / (reference.command + extra), t.line, t.line / (reference.line + extra), reference.line + extra);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    int runs = 5, roundTripMs = 100;
    const QStringList words = app.arguments().mid(1);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == QLatin1String("--runs") && i + 1 < words.size()) runs = words[++i].toInt();
        else if (words[i] == QLatin1String("--round-trip") && i + 1 < words.size()) roundTripMs = words[++i].toInt();
    }
    if (runs < 1 || roundTripMs < 0) {
        std::fprintf(stderr, "usage: bench_network [--runs N] [--round-trip MS]\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.joy"));
    SimOptions options;
    options.fastStart = true;
    SimController sim(options);
    QString error;
    if (!sim.Start(error)) qFatal("emulator: %s", qPrintable(error));

    Timing pty, raw, telnet, relayed;
    if (!TimeGets(sim, sim.DevicePath(), runs, file, &pty)) return 1;
    Print("pty", pty, pty, 0);
    for (const auto mode : {Ser2Net::Mode::Raw, Ser2Net::Mode::Telnet}) {
        Ser2Net server;
        if (!server.Start(sim.DevicePath(), mode, &error)) qFatal("%s", qPrintable(error));
        Timing &timing = mode == Ser2Net::Mode::Raw ? raw : telnet;
        if (!TimeGets(sim, server.Url(), runs, file, &timing)) return 1;
        Print(mode == Ser2Net::Mode::Raw ? "raw" : "telnet", timing, pty, 0);
        if (mode != Ser2Net::Mode::Raw) continue;
        DelayRelay relay(server.Port(), roundTripMs, roundTripMs / 5);
        if (!TimeGets(sim, QStringLiteral("tcp://127.0.0.1:%1").arg(relay.Port()), runs, file, &relayed)) return 1;
        Print("relayed", relayed, pty, TransferLength * roundTripMs / 1000.0);
    }
    return 0;
}
