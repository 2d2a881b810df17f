// Programs and verifies a firmware image the way the tool does it: the real link worker on a
// pseudo-terminal, the upgrade request, the bootloader hook, and the controller emulator at the
// far end, which sends and hears every byte at the pace of the serial line. Compares the time from
// the first programming packet to the last read-back byte with the time the bytes that went each
// way in between need on the wire.
//
//   bench_firmware_pty [--kib N] [--chip NAME]      (defaults: 64 KiB, AT90CAN128)
#include "../tests/support/hexrecords.h"
#include "link/comthread.h"
#include "link/linkhost.h"
#include "link/linkprotocol.h"
#include "link/serialdevicemap.h"
#include "sim_bootloader.h"
#include "sim_controller.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int BenchCom = 240;

// The window's side of the worker's hand-overs, answered at once by a running event loop, as
// the window would.
class BenchHost : public QObject, public LinkHost {
public:
    explicit BenchHost(QString file) : m_file(std::move(file)) {}
    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &status) override
    {
        if (status.text.startsWith(QLatin1String("Quarn boot"))) hooked = true;
        last = status;
    }
    void ShowError(const QString &text) override { box = QStringLiteral("error: ") + text; }
    void ShowInfo(const QString &text) override { box = QStringLiteral("info: ") + text; }
    void ImageToBuffer(uint8_t *) override {}
    void BufferToImage(const uint8_t *) override {}
    QString SelectFirmwareFile() override
    {
        clock.start();
        return m_file;
    }

    LinkStatus last;
    bool hooked = false;
    QString box;
    QElapsedTimer clock;   // from the file's choice to the finish box

private:
    QString m_file;
};

// Runs the event loop until `done` holds or `timeoutMs` passes.
bool RunUntil(const std::function<bool()> &done, int timeoutMs, const std::function<void()> &each = {})
{
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    bool held = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (each) each();
        held = done();
        if (held || clock.elapsed() > timeoutMs) loop.quit();
    });
    poll.start(20);
    loop.exec();
    return held;
}

QString WriteImage(const QTemporaryDir &dir, int bytes)
{
    const QByteArray text = HexFileText(bytes - 1, [](int address) { return uint8_t(address * 131 >> 3); });
    const QString name = dir.filePath(QStringLiteral("bench.hex"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return {};
    return name;
}

// The programming exchange inside the wire record: from the first byte the tool sends after the
// identification line to the last byte the controller sends before the order to start.
struct Span {
    size_t first = 0, last = 0;
    bool found = false;
};

Span ProgrammingSpan(const std::vector<WireByte> &wire)
{
    Span span;
    size_t i = 0;
    while (i < wire.size() && !(wire[i].fromTool && wire[i].byte == Wire::Identify)) ++i;
    while (i < wire.size() && !(!wire[i].fromTool && wire[i].byte == '\n')) ++i;
    while (i < wire.size() && !wire[i].fromTool) ++i;
    if (i >= wire.size()) return span;
    span.first = i;
    for (size_t j = i; j < wire.size(); ++j)
        if (!wire[j].fromTool) span.last = j;
    span.found = span.last > span.first;
    return span;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The emulator's COM number goes into a settings folder of this run only.
    QTemporaryDir settingsDir;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    QStringList words = app.arguments().mid(1);
    SimBootOptions bootOptions;
    QString error;
    if (!ParseSimBootOptions(words, bootOptions, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    int kib = 64;
    for (qsizetype i = 0; i + 1 < words.size(); i += 2)
        if (words[i] == QLatin1String("--kib")) kib = words[i + 1].toInt();
    if (kib <= 0 || kib > 64) {
        std::fprintf(stderr, "--kib 1..64\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString file = WriteImage(dir, kib * 1024);
    SimBootloader boot(bootOptions);
    SimOptions simOptions;
    simOptions.fastStart = true;
    SimController sim(simOptions);
    sim.SetBootloaderPeer(&boot);
    if (!sim.Start(error)) {
        std::fprintf(stderr, "emulator: %s\n", qPrintable(error));
        return 1;
    }
    SerialDeviceMap::Register(BenchCom, sim.DevicePath());

    BenchHost host(file);
    auto worker = std::make_unique<TCOMThread>(host, BenchCom);
    // Ask for the upgrade whenever the link is connected, until the bootloader has named its chip.
    const bool hooked = RunUntil([&] { return host.hooked; }, 20000, [&] {
        if (!host.hooked && host.last.text.endsWith(QLatin1String("Connected and Listening")))
            worker->SetRequest(Request::Upgrade, 0);
    });
    const bool finished = hooked && RunUntil([&] { return !host.box.isEmpty(); }, 30 * 60 * 1000);
    const double seconds = host.clock.nsecsElapsed() / 1e9;
    worker.reset();
    sim.Stop();
    SerialDeviceMap::Unregister(BenchCom, sim.DevicePath());
    if (!finished) {
        std::fprintf(stderr, "the upgrade did not finish (status: %s)\n", qPrintable(host.last.text));
        return 1;
    }

    const std::vector<WireByte> wire = sim.WireLog();
    const Span span = ProgrammingSpan(wire);
    if (!span.found) {
        std::fprintf(stderr, "no programming exchange in the wire record\n");
        return 1;
    }
    qsizetype sent = 0, received = 0;
    for (size_t i = span.first; i <= span.last; ++i) (wire[i].fromTool ? sent : received) += 1;
    const qsizetype bytes = sent + received;
    const double wireSeconds = double(bytes) * 10.0 / LinkBaudRate;
    // The span's ticks mark when its first byte set out (the tool wrote it) and when its last had
    // been carried (the emulator paces its output).
    const double spanSeconds = (wire[span.last].tick - wire[span.first].tick) / 1000.0;

    std::printf("chip            %s\n", boot.IdentificationLine().trimmed().constData());
    std::printf("image           %d KiB, %d pages of %d bytes written\n", kib, boot.PagesWritten(), boot.PageSize());
    std::printf("result          %s\n", qPrintable(host.box));
    std::printf("bytes on wire   %lld (sent %lld, received %lld)\n", (long long)bytes, (long long)sent,
                (long long)received);
    std::printf("wire time       %.3f s at %d baud\n", wireSeconds, LinkBaudRate);
    std::printf("exchange        %.3f s (first packet to last read-back byte)\n", spanSeconds);
    std::printf("overhead        %+.2f %%\n", (spanSeconds / wireSeconds - 1.0) * 100.0);
    std::printf("file to box     %.3f s (reading the file, status refreshes, programming, verifying)\n", seconds);
    return host.box.startsWith(QLatin1String("info: ")) ? 0 : 1;
}
