#pragma once
// Intel HEX text for the tests and benchmarks: single records with a correct checksum, and whole
// files that put a byte at every address from 0 up to a highest address.
// Header-only so that benchmark programs can use it too.
#include "core/hex/hexwriter.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>

// ':' LL AAAA TT data CC in upper-case hexadecimal.
inline QString HexRecord(int address, const QByteArray &data, int type = 0)
{
    return QString::fromLatin1(HexWriter::Record(address, uint8_t(type), data));
}

// Records of 16 bytes (the last one shorter) from address 0 to `highest`, byteAt(address) each,
// then the end-of-file record; CR LF line ends. A negative `highest` gives the end record alone.
template <class ByteAt>
QByteArray HexFileText(int highest, ByteAt byteAt)
{
    QByteArray text;
    for (int start = 0; start <= highest; start += 16) {
        QByteArray data;
        for (int a = start; a <= std::min(highest, start + 15); ++a) data.append(char(byteAt(a)));
        text += HexRecord(start, data).toLatin1() + "\r\n";
    }
    return text + ":00000001FF\r\n";
}
