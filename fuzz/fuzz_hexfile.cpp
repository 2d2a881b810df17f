// Feeds arbitrary bytes to the Intel HEX reader through a real file, as the firmware upgrade reads
// it, under every writable flash limit the chips have (and one from the input), then line by line.
// The reader must never touch memory outside the flash image; a file it accepts must place every
// byte below both the writable limit and the bootloader's 64 KiB, leaving the rest erased.
#include "core/hex/flashimage.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kLimits[] = {0x3C00, 0x7C00, 0xF800, 0x1F800};

void Require(bool condition)
{
    if (!condition) std::abort();
}

void CheckAccepted(const FlashImage &image, uint32_t limit)
{
    const uint32_t reach = std::min(limit, FlashImage::kAddressSpace);
    Require(!image.HasData() || uint32_t(image.HighestAddress()) < reach);
    // Everything above the highest address (all of it without data) is still erased.
    static const std::vector<uint8_t> erased(FlashImage::kSize, FlashImage::kErased);
    const size_t from = image.HasData() ? size_t(image.HighestAddress()) + 1 : 0;
    Require(std::memcmp(image.Data() + from, erased.data(), FlashImage::kSize - from) == 0);
}

QString WriteInput(const QByteArray &contents)
{
    static QTemporaryDir dir;
    static const QString name = dir.filePath(QStringLiteral("input.hex"));
    QFile file(name);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Require(file.write(contents) == contents.size());
    return name;
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
    if (image.LoadHexFile(WriteInput(contents), limit, &error)) CheckAccepted(image, limit);
    else Require(error.startsWith(QLatin1String("Error parsing file: ")));

    // Records one by one, going on after a fault, so that any sequence of bases and data is tried.
    for (const QByteArray &line : contents.split('\n')) {
        image.ParseHexRecord(QString::fromLatin1(line), limit, &error);
        Require(image.HighestAddress() >= 0 && image.HighestAddress() < int32_t(FlashImage::kAddressSpace));
    }
    return 0;
}
