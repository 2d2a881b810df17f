// Programs and verifies a firmware image against the emulated bootloader over an in-process line
// paced at the serial speed, and compares the time taken with the time the bytes that went each
// way need on the wire.
//
//   bench_firmware [--kib N] [--chip NAME] [--baud B]      (defaults: 64 KiB, AT90CAN128, 9600)
#include "../tests/support/hexrecords.h"
#include "../tests/support/peerlink.h"
#include "../tests/support/recordinghost.h"
#include "link/bootloader/bootloader.h"
#include "core/hex/flashimage.h"
#include "sim_bootloader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

QString WriteImage(const QTemporaryDir &dir, int bytes)
{
    const QByteArray text = HexFileText(bytes - 1, [](int address) { return uint8_t(address * 131 >> 3); });
    const QString name = dir.filePath(QStringLiteral("bench.hex"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return {};
    return name;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList words = app.arguments().mid(1);
    int kib = 64;
    int baud = 9600;
    SimBootOptions options;
    QString error;
    if (!ParseSimBootOptions(words, options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    for (qsizetype i = 0; i + 1 < words.size(); i += 2) {
        if (words[i] == QLatin1String("--kib")) kib = words[i + 1].toInt();
        else if (words[i] == QLatin1String("--baud")) baud = words[i + 1].toInt();
    }
    if (kib <= 0 || kib > 64 || baud <= 0) {
        std::fprintf(stderr, "--kib 1..64, --baud > 0\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString file = WriteImage(dir, kib * 1024);
    SimBootloader sim(options);
    PeerLink link(sim, baud);
    RecordingHost host;
    auto image = std::make_unique<FlashImage>();
    Bootloader boot(link, host, *image);

    link.WriteByte('I');
    QByteArray line;
    if (!link.ReadLine(line)) return 1;
    boot.IdentifyDevice(line);

    const qsizetype sentBefore = link.Sent().size();
    const qsizetype receivedBefore = link.Received().size();
    QElapsedTimer clock;
    clock.start();
    const bool finished = boot.ProgramFlash(file);
    const double seconds = clock.nsecsElapsed() / 1e9;
    const qsizetype sent = link.Sent().size() - sentBefore;
    const qsizetype received = link.Received().size() - receivedBefore;
    const qsizetype bytes = sent + received;
    const double wire = PeerLink::WireSeconds(bytes, baud);

    std::printf("chip            %s", line.constData());
    std::printf("image           %d KiB, %d pages of %d bytes\n", kib, kib * 1024 / boot.Chip().pageSize,
                boot.Chip().pageSize);
    std::printf("result          %s / %s\n", finished ? "programmed" : "failed",
                qPrintable(host.infoBoxes.value(0, host.errorBoxes.value(0, host.LastStatus()))));
    std::printf("bytes on wire   %lld (sent %lld, received %lld)\n", (long long)bytes,
                (long long)sent, (long long)received);
    std::printf("wire time       %.3f s at %d baud\n", wire, baud);
    std::printf("elapsed         %.3f s\n", seconds);
    std::printf("overhead        %+.2f %%\n", (seconds / wire - 1.0) * 100.0);
    return finished && host.errorBoxes.isEmpty() ? 0 : 1;
}
