// Feeds arbitrary bytes to the link worker as the controller's side of the line, mixed with the
// window's requests, quiet spells, a driver that refuses writes and the replacement of the worker,
// all on a scripted line with a clock of the worker's own: connection, keep-alive, both image
// transfers, live commands, the upgrade probe and the bootloader hook run as in the window.
// The worker must not crash or hang, and every image it hands to the window must be exactly the
// 256 bytes it received after asking for the image with 'F', each but the last already echoed:
// the calibration image changes only on a complete download.
//
// Input: a sequence of operations, each one byte (two top bits the kind, six bits the argument):
//   00 n   the next n+1 input bytes arrive on the line
//   01 n   n+1 passes of the worker
//   10 -   a request from the window: the next two input bytes are its code and value
//   11 n   n = 63: the window replaces the worker; bit 5 toggles a driver that refuses writes;
//          the low five bits give a quiet spell of that many tenths of a second
#include "link/linkhost.h"
#include "link/linkprotocol.h"
#include "link/productcodes.h"
#include "support/steppedlink.h"

#include <QObject>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr uint8_t ReplaceWorker = 0x3F;
constexpr uint8_t ToggleWriteFailure = 0x20;
constexpr uint32_t QuietStepMs = 100;
// Passes run after the last operation, so bytes still waiting are taken.
constexpr int TrailingPasses = 8;

// The window's side of the hand-overs; it checks every image handed to it against the line.
class CheckingHost : public QObject, public LinkHost {
public:
    const SteppedLink *link = nullptr;

    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &) override {}
    void ShowError(const QString &) override {}
    void ShowInfo(const QString &) override {}
    void ImageToBuffer(uint8_t *buffer) override { std::fill(buffer, buffer + TransferLength, uint8_t(0x5A)); }
    void BufferToImage(const uint8_t *buffer) override { CheckDownload(buffer); }
    // Programming the flash is fuzzed through the bootloader's own target: no file is chosen.
    QString SelectFirmwareFile() override { return {}; }

private:
    // The image must be the bytes read since the last 'F' the tool wrote right after reading a
    // product code (the only place it does), all 256 of them, and every byte written since must
    // be the echo of the byte read just before it (an echo the driver refused is not on the line).
    void CheckDownload(const uint8_t *buffer) const
    {
        const std::vector<SteppedLink::LineByte> &line = link->line();
        size_t start = line.size();
        for (size_t i = line.size(); i-- > 1;) {
            if (line[i].written && line[i].byte == Wire::GetImage && !line[i - 1].written &&
                FindProductCode(line[i - 1].byte)) {
                start = i + 1;
                break;
            }
        }
        if (start > line.size()) std::abort();  // an image without a download
        size_t read = 0;
        for (size_t i = start; i < line.size(); ++i) {
            if (!line[i].written) {
                if (read == size_t(TransferLength) || buffer[read] != line[i].byte) std::abort();
                ++read;
            } else if (line[i - 1].written || line[i - 1].byte != line[i].byte) {
                std::abort();
            }
        }
        if (read != size_t(TransferLength)) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CheckingHost host;
    auto link = std::make_unique<SteppedLink>(host);
    host.link = link.get();
    size_t i = 0;
    while (i < size) {
        const uint8_t op = data[i++];
        const uint8_t arg = op & 0x3F;
        switch (op >> 6) {
        case 0: {
            const size_t n = std::min<size_t>(arg + 1u, size - i);
            link->Arrive(QByteArray(reinterpret_cast<const char *>(data + i), qsizetype(n)));
            i += n;
            break;
        }
        case 1: link->Passes(arg + 1); break;
        case 2:
            if (size - i < 2) return 0;
            link->SetRequest(data[i], data[i + 1]);
            i += 2;
            break;
        default:
            if (arg == ReplaceWorker) {
                const bool writesFail = link->writesFail;
                link.reset();
                link = std::make_unique<SteppedLink>(host);
                link->writesFail = writesFail;
                host.link = link.get();
                break;
            }
            if (arg & ToggleWriteFailure) link->writesFail = !link->writesFail;
            link->RunFor((arg & 0x1F) * QuietStepMs);
            break;
        }
    }
    link->Passes(TrailingPasses);
    return 0;
}
