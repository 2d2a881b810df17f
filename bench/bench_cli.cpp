// The command line's speed against the controller emulator paced at 9600 baud, each command run
// as its own process the way a script runs it:
//   start   from the process's start to its first answer on the line (the port open and
//           listening), with the controller announcing itself every 10 ms;
//   get     the download's time on the line against its floor, 256 passes of 10 ms;
//   flash   programming and verifying, first packet to last read-back byte, against the time its
//           bytes need on the wire;
//   read    read-flash of the whole 64 KiB a 16-bit address reaches, likewise.
//
//   bench_cli [--kib N] [--runs N] [--skip-firmware]      (defaults: 64 KiB, 5 start-up runs)
#include "../tests/support/hexrecords.h"
#include "core/ticks.h"
#include "link/linkprotocol.h"
#include "sim_bootloader.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

QString CliProgram() { return QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli"); }

int RunCli(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(CliProgram(), arguments);
    if (!process.waitForFinished(30 * 60 * 1000)) return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

double WireSeconds(qsizetype bytes) { return double(bytes) * 10.0 / LinkBaudRate; }

// The bytes between the first the tool sends after `from` (a byte of the tool) and the last the
// controller sends; with the time between them.
struct Span {
    qsizetype bytes = 0;
    double seconds = 0;
    bool found = false;
};

Span SpanAfter(const std::vector<WireByte> &wire, uint8_t toolByte, bool afterLine)
{
    Span span;
    size_t i = 0;
    while (i < wire.size() && !(wire[i].fromTool && wire[i].byte == toolByte)) ++i;
    if (afterLine) {
        while (i < wire.size() && !(!wire[i].fromTool && wire[i].byte == '\n')) ++i;
        while (i < wire.size() && !wire[i].fromTool) ++i;
    }
    size_t last = i;
    for (size_t j = i; j < wire.size(); ++j)
        if (!wire[j].fromTool) last = j;
    if (i >= wire.size() || last <= i) return span;
    span.bytes = qsizetype(last - i + 1);
    span.seconds = (wire[last].tick - wire[i].tick) / 1000.0;
    span.found = true;
    return span;
}

// The firmware run's span ends before the tool's last byte, the order to start the application.
Span FirmwareSpan(std::vector<WireByte> wire)
{
    while (!wire.empty() && !(wire.back().fromTool && wire.back().byte == Wire::Restart)) wire.pop_back();
    if (!wire.empty()) wire.pop_back();
    return SpanAfter(wire, Wire::Identify, true);
}

void Print(const char *name, const Span &span, double reference, const char *what)
{
    std::printf("%-8s %8.3f s on the line, %s %.3f s: %+.2f %%\n", name, span.seconds, what, reference,
                (span.seconds / reference - 1.0) * 100.0);
}

std::unique_ptr<SimController> StartSim(SimOptions options, BootloaderPeer *boot)
{
    auto sim = std::make_unique<SimController>(options);
    if (boot) sim->SetBootloaderPeer(boot);
    QString error;
    if (!sim->Start(error)) qFatal("emulator: %s", qPrintable(error));
    return sim;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    int kib = 64, runs = 5;
    bool firmware = true;
    const QStringList words = app.arguments().mid(1);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == QLatin1String("--kib") && i + 1 < words.size()) kib = words[++i].toInt();
        else if (words[i] == QLatin1String("--runs") && i + 1 < words.size()) runs = words[++i].toInt();
        else if (words[i] == QLatin1String("--skip-firmware")) firmware = false;
    }
    if (kib < 1 || kib > 64 || runs < 1) {
        std::fprintf(stderr, "usage: bench_cli [--kib 1..64] [--runs N] [--skip-firmware]\n");
        return 2;
    }
    QTemporaryDir dir;

    // Start-up: a fresh controller each run, announcing itself every 10 ms.
    std::vector<uint32_t> starts;
    for (int run = 0; run < runs; ++run) {
        SimOptions options;
        options.fastStart = true;
        options.announceMs = 10;
        auto sim = StartSim(options, nullptr);
        const uint32_t started = TickCount();
        if (RunCli({QStringLiteral("--port"), sim->DevicePath(), QStringLiteral("identify")}) != 0) return 1;
        for (const WireByte &w : sim->WireLog())
            if (w.fromTool) {
                starts.push_back(w.tick - started);
                break;
            }
    }
    std::sort(starts.begin(), starts.end());
    std::printf("start    %u ms median, %u to %u ms over %d runs (process start to its answer on the line)\n",
                starts[starts.size() / 2], starts.front(), starts.back(), runs);

    // get.
    {
        SimOptions options;
        options.fastStart = true;
        auto sim = StartSim(options, nullptr);
        if (RunCli({QStringLiteral("--quiet"), QStringLiteral("--port"), sim->DevicePath(), QStringLiteral("get"), dir.filePath(QStringLiteral("a.joy"))}) != 0) return 1;
        const Span span = SpanAfter(sim->WireLog(), Wire::GetImage, false);
        if (!span.found) return 1;
        Print("get", span, TransferLength * LinkTime::PassSleepMs / 1000.0, "floor");
    }
    if (!firmware) return 0;

    // flash, then read-flash, of a whole image on the chip with 64 KiB and more.
    const QString hex = dir.filePath(QStringLiteral("bench.hex"));
    {
        QFile file(hex);
        const QByteArray text = HexFileText(kib * 1024 - 1, [](int address) { return uint8_t(address * 131 >> 3); });
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return 1;
    }
    SimBootloader boot;
    SimOptions options;
    options.fastStart = true;
    auto sim = StartSim(options, &boot);
    if (RunCli({QStringLiteral("--quiet"), QStringLiteral("--port"), sim->DevicePath(), QStringLiteral("flash"), hex}) != 0) return 1;
    const Span flash = FirmwareSpan(sim->WireLog());
    if (!flash.found) return 1;
    Print("flash", flash, WireSeconds(flash.bytes), "wire time of its bytes");
    sim->ClearWire();
    if (RunCli({QStringLiteral("--quiet"), QStringLiteral("--port"), sim->DevicePath(), QStringLiteral("read-flash"), dir.filePath(QStringLiteral("read.hex"))}) != 0) return 1;
    const Span read = FirmwareSpan(sim->WireLog());
    if (!read.found) return 1;
    Print("read", read, WireSeconds(read.bytes), "wire time of its bytes");
    return 0;
}
