// Times image downloads and uploads between the link worker and the controller emulator over a
// pseudo-terminal, against their floor: 256 passes of 10 ms plus 512 bytes at 9600 baud.
//   bench_transfer [rounds]
#include "core/ticks.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "link/serialdevicemap.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {
constexpr int BenchCom = 250;
// 10 bits a byte on the line.
constexpr double ByteMs = 10.0 * 1000.0 / LinkBaudRate;
constexpr double FloorMs = TransferLength * LinkTime::PassSleepMs + 2 * TransferLength * ByteMs;

class BenchHost : public QObject, public LinkHost {
public:
    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &) override {}
    void ShowError(const QString &) override {}
    void ShowInfo(const QString &) override {}
    void ImageToBuffer(uint8_t *buffer) override { std::fill(buffer, buffer + TransferLength, 0x5A); }
    void BufferToImage(const uint8_t *) override {}
    QString SelectFirmwareFile() override { return {}; }
};

// Counts finish messages as they reach the application.
class Finishes : public QObject {
public:
    int uploads = 0, downloads = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == LinkMessageEvent::EventType()) {
            const int code = static_cast<LinkMessageEvent *>(event)->code();
            uploads += code == LinkCode::UploadFinished;
            downloads += code == LinkCode::DownloadFinished;
        }
        return QObject::eventFilter(watched, event);
    }
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
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());

    SimOptions options;
    options.fastStart = true;
    SimController sim(options);
    QString error;
    if (!sim.Start(error)) {
        std::fprintf(stderr, "emulator: %s\n", qPrintable(error));
        return 1;
    }
    SerialDeviceMap::Register(BenchCom, sim.DevicePath());
    Finishes finishes;
    app.installEventFilter(&finishes);
    BenchHost host;
    TCOMThread worker(host, BenchCom);
    if (!WaitFor([&] { return finishes.downloads == 1; }, 10000)) {
        std::fprintf(stderr, "no connection\n");
        return 1;
    }

    std::printf("floor: %.0f ms (256 passes of 10 ms + 512 bytes at 9600 baud)\n", FloorMs);
    std::printf("%-9s %5s %9s %7s\n", "transfer", "round", "ms", "ratio");
    double worst = 0;
    for (int round = 1; round <= rounds; ++round) {
        for (const uint8_t request : {Request::GetCalibration, Request::SendCalibration}) {
            const bool upload = request == Request::SendCalibration;
            if (!WaitFor([&] { return worker.LockedState() == LinkState::Connected; }, 5000)) return 1;
            const int before = upload ? finishes.uploads : finishes.downloads;
            QElapsedTimer timer;
            timer.start();
            worker.SetRequest(request, 0);
            if (!WaitFor([&] { return (upload ? finishes.uploads : finishes.downloads) > before; }, 10000)) {
                std::fprintf(stderr, "transfer did not finish\n");
                return 1;
            }
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            worst = std::max(worst, ms / FloorMs);
            std::printf("%-9s %5d %9.1f %7.3f\n", upload ? "upload" : "download", round, ms, ms / FloorMs);
        }
    }
    std::printf("worst ratio %.3f (limit 1.10)\n", worst);
    SerialDeviceMap::Unregister(BenchCom, sim.DevicePath());
    return worst <= 1.10 ? 0 : 1;
}
