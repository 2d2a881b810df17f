// quarn-sim: one emulated controller on a pseudo-terminal, for the tool to connect to.
#include "link/serialdevicemap.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QTextStream>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {
std::atomic<bool> stopRequested{false};
std::atomic<bool> powerCycleRequested{false};
void OnSignal(int) { stopRequested = true; }
void OnPowerCycle(int) { powerCycleRequested = true; }

// The first COM number that neither the system nor the device map gives to a port.
int FreeComNumber()
{
    const QStringList taken = SerialDeviceMap::PortNames();
    for (int n = 1; n <= 255; ++n)
        if (!taken.contains(QStringLiteral("COM%1").arg(n))) return n;
    return 0;
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    SimOptions options;
    bool helpWanted = false;
    QString error;
    if (!ParseSimOptions(arguments, options, helpWanted, error)) {
        std::fprintf(stderr, "quarn-sim: %s\n%s", qPrintable(error), qPrintable(SimUsage()));
        return 2;
    }
    if (helpWanted) {
        std::fputs(qPrintable(SimUsage()), stdout);
        return 0;
    }

    SimController controller(options);
    controller.SetLogSink([](const QString &line) {
        std::fprintf(stdout, "%s\n", qPrintable(line));
        std::fflush(stdout);
    });
    if (!controller.Start(error)) {
        std::fprintf(stderr, "quarn-sim: %s\n", qPrintable(error));
        return 1;
    }
    const QString device = controller.DevicePath();
    if (options.com == ComAuto && (options.com = FreeComNumber()) == 0) {
        std::fprintf(stderr, "quarn-sim: no free COM number\n");
        return 1;
    }
    if (options.com > 0) {
        SerialDeviceMap::Register(options.com, device);
        std::fprintf(stdout, "COM%d is %s for as long as quarn-sim runs\n", options.com, qPrintable(device));
    } else {
        std::fprintf(stdout, "device %s\n", qPrintable(device));
    }
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::signal(SIGUSR1, OnPowerCycle);
    while (!stopRequested) {
        if (powerCycleRequested.exchange(false)) controller.PowerCycle();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    controller.Stop();
    if (options.com > 0) SerialDeviceMap::Unregister(options.com, device);
    std::fprintf(stdout, "quarn-sim stopped\n");
    return 0;
}
