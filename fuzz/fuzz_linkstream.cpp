// Feeds arbitrary bytes to the link worker as the controller's side of the line, mixed with the
// window's requests, quiet spells, a driver that refuses writes and the replacement of the worker,
// all on a scripted line with a clock of the worker's own: connection, keep-alive, both image
// transfers, live commands, the upgrade probe and the bootloader hook run as in the window.
// The worker must not crash or hang, and every image it hands to the window must be exactly the
// 256 bytes the controller sent in answer to 'F', each already echoed: the calibration image
// changes only on a complete download, and never takes an announcement or a stray byte.
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

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr uint8_t ReplaceWorker = 0x3F;
constexpr uint8_t ToggleWriteFailure = 0x20;
constexpr uint32_t QuietStepMs = 100;
// Passes run after the last operation, so bytes still waiting are taken.
constexpr int TrailingPasses = 8;

}  // namespace

// Images checked so far: the corpus test makes sure its inputs reach the check at all.
int LinkStreamImagesChecked = 0;

namespace {

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
    // The image must be the controller's answer to 'F' and nothing else. The download starts at
    // the last 'F' written in a pass that began by reading the letter the controller announced
    // itself with (the bytes read after that letter in the same pass are the discarded ones).
    // After it come exactly 256 bytes read, each followed by its echo and nothing else between:
    // the image is taken over only once the last echo has gone out.
    void CheckDownload(const uint8_t *buffer) const
    {
        const std::vector<SteppedLink::LineByte> &line = link->line();
        bool found = false;
        size_t start = 0;
        for (size_t i = line.size(); i-- > 0 && !found;) {
            if (!line[i].written || line[i].byte != Wire::GetImage) continue;
            size_t first = i;  // the first byte of the pass that wrote this 'F'
            while (first > 0 && line[first - 1].tick == line[i].tick) --first;
            if (first == i || line[first].written || line[first].byte != link->AnnouncedLetter()) continue;
            for (size_t k = first + 1; k < i; ++k)
                if (line[k].written) std::abort();  // the tool spoke between the answer and its 'F'
            found = true;
            start = i + 1;
        }
        ++LinkStreamImagesChecked;
        if (!found) std::abort();  // an image without a download
        if (line.size() - start != 2 * size_t(TransferLength)) std::abort();
        for (size_t k = 0; k < size_t(TransferLength); ++k) {
            const SteppedLink::LineByte &read = line[start + 2 * k];
            const SteppedLink::LineByte &echo = line[start + 2 * k + 1];
            if (read.written || !echo.written || echo.byte != read.byte || buffer[k] != read.byte) std::abort();
        }
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
