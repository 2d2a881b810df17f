// Feeds arbitrary file contents to the *.joy reader through a real file, as File → Open reads it.
// An empty file gives 256 zero bytes, 1 to 255 bytes fail and leave the image as it was, a longer
// file gives its first 256 bytes; whatever was read is written back and read again unchanged.
#include "core/files/joyfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString name = dir.filePath(QStringLiteral("input.joy"));
    static const QString copy = dir.filePath(QStringLiteral("copy.joy"));
    {
        QFile file(name);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Require(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }

    CalImageBytes image;
    image.fill(0xA5);
    const CalImageBytes before = image;
    const bool read = !ReadJoyFile(name, image).failed();
    if (size > 0 && size < size_t(CalImageSize)) {
        Require(!read && image == before);
        return 0;
    }
    Require(read);
    CalImageBytes expected{};
    std::memcpy(expected.data(), data, std::min(size, size_t(CalImageSize)));
    Require(image == expected);

    Require(!WriteJoyFile(copy, image).failed());
    CalImageBytes again;
    Require(!ReadJoyFile(copy, again).failed() && again == image);
    return 0;
}
