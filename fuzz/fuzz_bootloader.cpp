// Feeds arbitrary bytes to the firmware upgrade as what the bootloader says on the line: first its
// identification line (up to CR LF), a byte that picks the run, then every acknowledgement and
// read-back packet of a whole programming and verification run (erasing up to an old firmware's
// end the byte names) or of a read of the whole flash. The line runs out when the input does, and silence then ends
// each wait at once (the line reports that the worker is stopping), so no input waits out the
// bootloader's five- and ten-second limits. Whatever it reads, the run must stay inside its
// buffers, name a chip the image can hold, keep its gauge between 0 and 100 and end.
#include "link/bootloader/bootloader.h"
#include "link/bytelink.h"
#include "core/hex/flashimage.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

// The bootloader's side of the line, read from the fuzzer's input.
class FuzzLine : public ByteLink {
public:
    FuzzLine(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool ReadByte(uint8_t &byte) override
    {
        if (m_at >= m_size) return false;
        byte = m_data[m_at++];
        return true;
    }
    bool WriteByte(uint8_t) override
    {
        // Each packet goes out at most six times and waits for an answer byte from the input, and
        // each block is asked for at most four times: the bytes written stay in proportion to
        // the input.
        Require(++m_written < 20000 + 6 * 67 * int(m_size));
        return true;
    }
    bool WaitByte(uint8_t &byte) override { return ReadByte(byte); }
    bool ReadLine(QByteArray &line) override
    {
        line.clear();
        uint8_t byte = 0;
        while (line.size() < 256 && ReadByte(byte)) {
            line.append(char(byte));
            if (line.endsWith("\r\n")) return true;
        }
        return false;
    }
    // What was waiting when the tool flushed: as many bytes as the next input byte says.
    void FlushInput() override
    {
        uint8_t count = 0;
        if (!ReadByte(count)) return;
        m_at = std::min(m_size, m_at + count);
    }
    bool Stopping() const override { return m_at >= m_size; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
    int m_written = 0;
};

class QuietHost : public BootloaderHost {
public:
    void SetStatusText(const QString &) override {}
    void SetStatusColour(Colour) override {}
    void SetProgress(int percent) override { Require(percent >= 0 && percent <= 100); }
    void SyncStatus() override {}
    void ShowInfo(const QString &) override {}
    void ShowError(const QString &) override {}
    void ReturnToConnected() override {}
};

// One page of firmware: 64 bytes from address 0 and one at 0x60, the rest erased.
QString FirmwareFile()
{
    static QTemporaryDir dir;
    static const QString name = dir.filePath(QStringLiteral("firmware.hex"));
    static bool written = false;
    if (!written) {
        QFile file(name);
        Require(file.open(QIODevice::WriteOnly));
        file.write(":10000000000102030405060708090A0B0C0D0E0F78\r\n"
                   ":10001000101112131415161718191A1B1C1D1E1F68\r\n"
                   ":10002000202122232425262728292A2B2C2D2E2F58\r\n"
                   ":10003000303132333435363738393A3B3C3D3E3F48\r\n"
                   ":01006000A5FA\r\n"
                   ":00000001FF\r\n");
        written = true;
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FlashImage image;
    FuzzLine line(data, size);
    QuietHost host;
    Bootloader boot(line, host, image);

    QByteArray identification;
    if (!line.ReadLine(identification)) return 0;
    boot.IdentifyDevice(identification);
    const ChipInfo &chip = boot.Chip();
    Require(chip.flashLimit <= FlashImage::kSize && chip.pageSize > 0 && chip.pageSize % 64 == 0);

    uint8_t run = 0;
    if (!line.ReadByte(run)) return 0;
    if (run & 1) {
        QByteArray flash;
        if (boot.ReadFlash(chip.flashLimit, &flash))
            Require(flash.size() % 64 == 0 && uint32_t(flash.size()) <= std::min(chip.flashLimit + 63, FlashImage::kAddressSpace));
    } else if (boot.LoadFirmware(FirmwareFile())) {
        boot.EraseOldFirmwareBelow(uint32_t(run) << 8);
        boot.ProgramLoaded();
    }
    return 0;
}
