#pragma once
// Writes a copy of the controller's flash as an Intel HEX file that the HEX reader (and the
// bootloader programming) takes back byte for byte: 16-byte data records from address 0, the
// end-of-file record, CR LF line ends. Pages at the end that are wholly erased (0xFF) are left
// out, so a small application in a large chip gives a small file.
#include <QByteArray>
#include <cstdint>

namespace HexWriter {

constexpr int kRecordBytes = 16;
constexpr uint8_t kErased = 0xFF;

// One record, ':' LL AAAA TT data CC in upper-case hexadecimal, without a line end.
QByteArray Record(int address, uint8_t type, const QByteArray &data);

// The bytes of `flash` (from address 0, at most 64 KiB) that the file keeps: everything up to the
// end of the last page of `pageSize` bytes that holds a byte other than 0xFF.
int KeptBytes(const QByteArray &flash, int pageSize);

// The file's text.
QByteArray FlashToHex(const QByteArray &flash, int pageSize);

}  // namespace HexWriter
