#pragma once
// The firmware image that the bootloader programs: a copy of the controller's flash, filled from
// an Intel HEX file. Only 16-bit record addresses exist here; every record type other than data is
// read and ignored.
#include <QString>
#include <cstdint>
#include <vector>

class FlashImage {
public:
    // Bytes of the largest flash any supported chip lets a firmware file fill.
    static constexpr uint32_t kSize = 0x1F800;

    FlashImage();

    // Reads a whole file against the writable flash limit (bytes from address 0). Starts with a
    // highest address of 0 and does not clear the bytes: a byte no record names keeps its value.
    // On failure `error` holds one line of text; records before the failing line stay applied.
    bool LoadHexFile(const QString &fileName, uint32_t writableLimit, QString *error);
    // The same for the contents of a file already read.
    bool LoadHexText(const QByteArray &contents, uint32_t writableLimit, QString *error);

    // Checks and applies one record (a trimmed line). On failure `error` holds the record's fault;
    // data bytes stored before the fault stay stored.
    bool ParseHexRecord(const QString &line, uint32_t writableLimit, QString *error);

    // The largest address a data byte of the current file was written to (0 when none).
    int32_t HighestAddress() const { return m_highest; }
    // True when the current file has put at least one data byte into the image.
    bool HasData() const { return m_dataBytes > 0; }

    uint8_t At(uint32_t address) const { return m_bytes[address]; }
    const uint8_t *Data() const { return m_bytes.data(); }

private:
    std::vector<uint8_t> m_bytes;
    int32_t m_highest = 0;
    uint32_t m_dataBytes = 0;
};

// The one flash image of the process: all zero at start, and what an earlier file of the same
// run left there stays until a new file overwrites it.
FlashImage &ProcessFlashImage();
