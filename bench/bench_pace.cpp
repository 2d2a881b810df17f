// The image transfer at a controller's own pace and back-to-back commands, against the controller
// emulator over a pseudo-terminal:
//   pace  one download from a controller that sends each byte MS after the tool's echo, against
//         256 × (MS + the byte and its echo on the wire); limit 1.10;
//   get   `quarntrim-cli get` run ten times in a row, each against the floor of 256 passes of
//         10 ms plus 1 s: a command that leaves the controller announcing lets the next start at once.
//   bench_pace [MS]      (default 120)
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {
constexpr double ByteMs = 10.0 * 1000.0 / LinkBaudRate;
constexpr double PaceLimit = 1.10;
constexpr int GetRuns = 10;
constexpr double GetFloorMs = TransferLength * LinkTime::PassSleepMs;
constexpr double GetAllowanceMs = 1000;

class BenchHost : public QObject, public LinkHost {
public:
    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &) override {}
    void ShowError(const QString &) override {}
    void ShowInfo(const QString &) override {}
    void ImageToBuffer(uint8_t *buffer) override { std::fill(buffer, buffer + TransferLength, 0x5A); }
    void BufferToImage(const uint8_t *) override { ++downloads; }
    QString SelectFirmwareFile() override { return {}; }
    int downloads = 0;
};

bool WaitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool StartSim(SimController &sim)
{
    QString error;
    if (sim.Start(error)) return true;
    std::fprintf(stderr, "emulator: %s\n", qPrintable(error));
    return false;
}

// One download by the worker from a controller paced at `paceMs`; its ratio to the pace's floor.
double PacedDownload(int paceMs)
{
    SimOptions options;
    options.fastStart = true;
    options.byteDelayMs = paceMs;
    SimController sim(options);
    if (!StartSim(sim)) return -1;
    BenchHost host;
    QElapsedTimer timer;
    TCOMThread worker(host, 0, sim.DevicePath());
    // The first identification downloads; the time counts from the controller's 'F'.
    if (!WaitFor([&] { return worker.LockedState() == LinkState::ReceivingImage; }, 10000)) return -1;
    timer.start();
    if (!WaitFor([&] { return host.downloads == 1; }, 4 * TransferLength * (paceMs + 1000))) return -1;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const double floor = TransferLength * (paceMs + 2 * ByteMs);
    std::printf("pace %d ms a byte: download %.0f ms, floor %.0f ms, ratio %.3f (limit %.2f)\n", paceMs, ms, floor,
                ms / floor, PaceLimit);
    return ms / floor;
}

// Ten `get`s in a row; the slowest in ms.
double GetsInARow(const QString &dataDir)
{
    SimOptions options;
    options.fastStart = true;
    SimController sim(options);
    if (!StartSim(sim)) return -1;
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/quarntrim-cli");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataDir);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dataDir);
    double slowest = 0;
    for (int run = 1; run <= GetRuns; ++run) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        QElapsedTimer timer;
        timer.start();
        process.start(cli, {QStringLiteral("get"), QStringLiteral("--port"), sim.DevicePath(), dataDir + QStringLiteral("/image.joy")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::fprintf(stderr, "get %d failed\n", run);
            return -1;
        }
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        slowest = std::max(slowest, ms);
        std::printf("get %2d: %6.0f ms\n", run, ms);
    }
    std::printf("slowest get %.0f ms (limit %.0f: 256 passes of 10 ms plus 1 s)\n", slowest, GetFloorMs + GetAllowanceMs);
    return slowest;
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int pace = argc > 1 ? std::max(0, atoi(argv[1])) : 120;
    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const double ratio = PacedDownload(pace);
    const double slowest = GetsInARow(dir.path());
    if (ratio < 0 || slowest < 0) return 1;
    return ratio <= PaceLimit && slowest <= GetFloorMs + GetAllowanceMs ? 0 : 1;
}
