#include "core/hex/hexwriter.h"

#include <algorithm>

namespace HexWriter {
namespace {

constexpr uint8_t kDataRecord = 0x00;

constexpr uint8_t kEndOfFile = 0x01;

}  // namespace

QByteArray Record(int address, uint8_t type, const QByteArray &data)
{
    QByteArray record;
    record.append(char(data.size())).append(char(address >> 8)).append(char(address & 0xFF)).append(char(type));
    record.append(data);
    uint8_t sum = 0;
    for (char c : record) sum = uint8_t(sum + uint8_t(c));
    record.append(char(uint8_t(-sum)));
    return ':' + record.toHex().toUpper();
}

int KeptBytes(const QByteArray &flash, int pageSize)
{
    int last = int(flash.size()) - 1;
    while (last >= 0 && uint8_t(flash[last]) == kErased) --last;
    if (last < 0) return 0;
    // Up to the end of the page that holds the last programmed byte.
    return std::min(int(flash.size()), (last / pageSize + 1) * pageSize);
}

QByteArray FlashToHex(const QByteArray &flash, int pageSize)
{
    const int kept = KeptBytes(flash, pageSize);
    QByteArray text;
    for (int address = 0; address < kept; address += kRecordBytes)
        text += Record(address, kDataRecord, flash.mid(address, std::min(kRecordBytes, kept - address))) + "\r\n";
    text += Record(0, kEndOfFile, {}) + "\r\n";
    return text;
}

}  // namespace HexWriter
