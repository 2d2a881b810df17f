#pragma once
// The firmware image that the bootloader programs: a copy of the controller's flash, filled from
// an Intel HEX file. The bootloader addresses 64 KiB of flash with 16-bit addresses: extended
// segment (02) and extended linear (04) address records set a base for the data records after
// them, and a data byte that would land at or above 0x10000 refuses the whole file. A file ends
// with its end-of-file record: one without it is refused, and nothing after it is read. Other
// record types are read and ignored.
#include <QString>
#include <cstdint>
#include <vector>

class FlashImage {
public:
    // Bytes of the largest flash any supported chip lets a firmware file fill.
    static constexpr uint32_t kSize = 0x1F800;
    // What erased flash reads as; every byte a file does not name is programmed with it.
    static constexpr uint8_t kErased = 0xFF;
    // The first address the bootloader's 16-bit addresses cannot reach.
    static constexpr uint32_t kAddressSpace = 0x10000;

    FlashImage();

    // Reads a whole file against the writable flash limit (bytes from address 0). Starts from an
    // erased image (every byte 0xFF), a highest address of 0 and an address base of 0, so a byte
    // no record names is programmed as erased flash. On failure `error` holds one line of text and
    // the image must not be programmed.
    bool LoadHexFile(const QString &fileName, uint32_t writableLimit, QString *error);
    // The same for the contents of a file already read.
    bool LoadHexText(const QByteArray &contents, uint32_t writableLimit, QString *error);

    // Checks and applies one record (a trimmed line) on top of what the current file has read so
    // far. On failure `error` holds the record's fault.
    bool ParseHexRecord(const QString &line, uint32_t writableLimit, QString *error);

    // The largest address a data byte of the current file was written to (0 when none).
    int32_t HighestAddress() const { return m_highest; }
    // True when the current file has put at least one data byte into the image.
    bool HasData() const { return m_dataBytes > 0; }

    uint8_t At(uint32_t address) const { return m_bytes[address]; }
    const uint8_t *Data() const { return m_bytes.data(); }

private:
    // Erases the image and forgets the current file's highest address, data and base.
    void BeginFile();
    bool ParseBaseRecord(const QString &line, int type, int length, unsigned sum, QString *error);

    std::vector<uint8_t> m_bytes;
    int32_t m_highest = 0;
    uint32_t m_dataBytes = 0;
    uint32_t m_base = 0;   // added to every data record's address
};

// The one flash image of the process; each file read starts it afresh.
FlashImage &ProcessFlashImage();
