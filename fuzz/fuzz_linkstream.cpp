// Feeds arbitrary bytes to the link worker as the controller's side of the line, mixed with the
// window's requests, quiet spells, a driver that refuses writes and the replacement of the worker,
// all on a scripted line with a clock of the worker's own: connection, keep-alive, both image
// transfers, live commands, the upgrade probe and the bootloader hook run as in the window.
// The worker must not crash or hang, and every image it hands to the window must be exactly the
// 256 bytes the controller sent in answer to 'F', each already echoed: the calibration image
// changes only on a complete download, and never takes an announcement or a stray byte. A read
// the line cannot vouch for (a byte waiting behind another, anything but the letter after the
// end, a last byte that may be an announcement) is handed over only when an earlier read agrees.
//
// Input: a sequence of operations, each one byte (two top bits the kind, six bits the argument):
//   00 n   the next n+1 input bytes arrive on the line
//   01 n   n+1 passes of the worker
//   10 -   a request from the window: the next two input bytes are its code and value
//   11 n   n = 63: the window replaces the worker; bit 5 toggles a driver that refuses writes;
//          the low five bits give a quiet spell of that many tenths of a second
#include "link/linkhost.h"
#include "link/linkprotocol.h"
#include "core/calimage.h"
#include "support/steppedlink.h"

#include <QByteArray>
#include <QObject>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr uint8_t ReplaceWorker = 0x3F;
constexpr uint8_t ToggleWriteFailure = 0x20;
constexpr uint32_t QuietStepMs = 100;
// Passes run after the last operation, so bytes still waiting are taken and a finished transfer
// outlasts its watch for what follows its last byte.
constexpr int TrailingPasses = int((LinkTime::TransferGapMs + LinkTime::AfterEndQuietMs) / LinkTime::PassSleepMs) + 8;

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
    using Line = std::vector<SteppedLink::LineByte>;

    // Where each download on the line starts: just after an 'F' written in a pass that began by
    // reading the letter the controller announced itself with (the bytes read after that letter
    // in the same pass are the discarded ones), the tool saying nothing in between.
    std::vector<size_t> DownloadStarts(const Line &line) const
    {
        std::vector<size_t> starts;
        for (size_t i = 0; i < line.size(); ++i) {
            if (!line[i].written || line[i].byte != Wire::GetImage) continue;
            size_t first = i;  // the first byte of the pass that wrote this 'F'
            while (first > 0 && line[first - 1].tick == line[i].tick) --first;
            if (first == i || line[first].written || line[first].byte != link->AnnouncedLetter()) continue;
            bool spoke = false;
            for (size_t k = first + 1; k < i; ++k) spoke = spoke || line[k].written;
            if (spoke) std::abort();  // the tool spoke between the answer and its 'F'
            starts.push_back(i + 1);
        }
        return starts;
    }

    // The first 256 bytes read from `start` on (before `end`): the image that read took.
    static QByteArray Taken(const Line &line, size_t start, size_t end, bool written)
    {
        QByteArray bytes;
        for (size_t k = start; k < end && bytes.size() < TransferLength; ++k)
            if (line[k].written == written) bytes.append(char(line[k].byte));
        return bytes;
    }

    // A read the line vouches for: every byte read alone and echoed before the next was read,
    // the last one no letter a controller announces itself with on its own, and after the last
    // echo nothing but the announced letter.
    bool Clean(const Line &line, size_t start) const
    {
        if (line.size() - start < 2 * size_t(TransferLength)) return false;
        for (size_t k = 0; k < size_t(TransferLength); ++k)
            if (line[start + 2 * k].written || !line[start + 2 * k + 1].written) return false;
        const uint8_t last = line[start + 2 * TransferLength - 2].byte;
        if (last == link->AnnouncedLetter() || last == Wire::BootAnnounce) return false;
        const size_t tail = line.size() - start - 2 * size_t(TransferLength);
        for (size_t k = start + 2 * TransferLength; k < line.size(); ++k)
            if (line[k].written) return false;
        return tail == 0 || (tail == 1 && line.back().byte == link->AnnouncedLetter());
    }

    // The image handed over is what the last download took: 256 bytes read after its 'F', each
    // echoed in order. A read the line cannot vouch for is handed over only when an earlier read
    // took the same bytes.
    void CheckDownload(const uint8_t *buffer) const
    {
        const Line &line = link->line();
        const std::vector<size_t> starts = DownloadStarts(line);
        ++LinkStreamImagesChecked;
        if (starts.empty()) std::abort();  // an image without a download
        const QByteArray image(reinterpret_cast<const char *>(buffer), TransferLength);
        const size_t start = starts.back();
        if (Taken(line, start, line.size(), false) != image) std::abort();
        if (Taken(line, start, line.size(), true) != image) std::abort();  // echoed in order
        if (Clean(line, start)) return;
        for (size_t r = 0; r + 1 < starts.size(); ++r)
            if (Taken(line, starts[r], starts[r + 1], false) == image) return;
        std::abort();  // a read in doubt handed over without a second agreeing read
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
