// Feeds arbitrary bytes to the Intel HEX reader, as a whole file and line by line, under every
// writable flash limit the chips have (and one from the input). The reader must never touch memory
// outside the flash image, and the highest address must stay a 16-bit address.
#include "link/hex/flashimage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr uint32_t kLimits[] = {0x3C00, 0x7C00, 0xF800, 0x1F800};

void Check(const FlashImage &image)
{
    if (image.HighestAddress() < 0 || image.HighestAddress() > 0xFFFF) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FlashImage image;
    if (size == 0) return 0;
    // The first byte picks the limit; a fifth choice takes the limit from the next three bytes.
    uint32_t limit = kLimits[data[0] % 4];
    size_t skip = 1;
    if (data[0] % 5 == 4 && size >= 4) {
        limit = uint32_t(data[1]) << 16 | uint32_t(data[2]) << 8 | data[3];
        if (limit > FlashImage::kSize) limit = FlashImage::kSize;
        skip = 4;
    }
    const QByteArray contents(reinterpret_cast<const char *>(data + skip), qsizetype(size - skip));
    QString error;
    image.LoadHexText(contents, limit, &error);
    Check(image);
    for (const QByteArray &line : contents.split('\n')) {
        image.ParseHexRecord(QString::fromLatin1(line), limit, &error);
        Check(image);
    }
    return 0;
}
