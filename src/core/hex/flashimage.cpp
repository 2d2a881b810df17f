#include "core/hex/flashimage.h"

#include "core/conversions.h"
#include "core/usablefile.h"

#include <QFile>

#include <algorithm>

namespace {

// Record layout: ':' LL AAAA TT data... CC, all fields in hexadecimal digits of either case.
constexpr int kMinRecordChars = 9;     // ':' + length + address + type
constexpr int kLengthAt = 1;           // zero-based positions in the line
constexpr int kAddressAt = 3;
constexpr int kTypeAt = 7;
constexpr int kDataRecord = 0x00;
constexpr int kEndOfFileRecord = 0x01;     // the file ends here; nothing after it is read
constexpr int kSegmentBaseRecord = 0x02;   // base = value * 16
constexpr int kLinearBaseRecord = 0x04;    // base = value * 65536
constexpr int kBaseRecordLength = 2;       // the value, high byte first

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// The value of `digits` hexadecimal characters at `at`, or -1 when the field is short or not hex.
int HexField(const QString &text, qsizetype at, int digits)
{
    if (at < 0 || at + digits > text.size()) return -1;
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexDigit(text[at + i]);
        if (d < 0) return -1;
        value = value * 16 + d;
    }
    return value;
}

bool Fail(QString *error, const char *text)
{
    if (error) *error = QString::fromLatin1(text);
    return false;
}

// CR, LF and CR LF each end a line.
QList<QByteArray> SplitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines << bytes.mid(start);
    return lines;
}

// The record's checksum at `at` against the running sum of everything before it.
bool ChecksumMatches(const QString &line, qsizetype at, unsigned sum, QString *error)
{
    const int checksum = HexField(line, at, 2);
    if (checksum < 0) return Fail(error, "bad checksum format");
    if (unsigned(checksum) != (256 - sum % 256) % 256) return Fail(error, "checksum failed");
    return true;
}

}  // namespace

FlashImage::FlashImage() : m_bytes(kSize, kErased) {}

void FlashImage::BeginFile()
{
    std::fill(m_bytes.begin(), m_bytes.end(), kErased);
    m_highest = 0;
    m_dataBytes = 0;
    m_base = 0;
}

bool FlashImage::LoadHexFile(const QString &fileName, uint32_t writableLimit, QString *error)
{
    QFile file(fileName);
    QByteArray contents;
    if (OpenRegularFileForReading(file) == RegularOpen::Opened) contents = file.readAll();  // never a pipe or device
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        BeginFile();
        if (error) *error = QStringLiteral("Failed to read input file <") + fileName + QLatin1Char('>');
        return false;
    }
    return LoadHexText(contents, writableLimit, error);
}

bool FlashImage::LoadHexText(const QByteArray &contents, uint32_t writableLimit, QString *error)
{
    BeginFile();
    QString recordError = QStringLiteral("no end-of-file record");
    for (const QByteArray &raw : SplitLines(contents)) {
        const QString line = TrimText(QString::fromLatin1(raw));
        if (line.isEmpty()) continue;
        if (!ParseHexRecord(line, writableLimit, &recordError)) break;
        // A file cut short at a line boundary reads as a whole file up to its cut: only the
        // end-of-file record says the file is complete, and whatever follows it is not the file's.
        if (HexField(line, kTypeAt, 2) == kEndOfFileRecord) return true;
    }
    if (error) *error = QStringLiteral("Error parsing file: ") + recordError;
    return false;
}

bool FlashImage::ParseHexRecord(const QString &line, uint32_t writableLimit, QString *error)
{
    if (line.size() < kMinRecordChars) return Fail(error, "not a valid packet");
    if (line[0] != QLatin1Char(':')) return Fail(error, "no start marker");
    const int length = HexField(line, kLengthAt, 2);
    if (length < 0) return Fail(error, "bad length byte");
    const int address = HexField(line, kAddressAt, 4);
    if (address < 0) return Fail(error, "bad address");
    const int type = HexField(line, kTypeAt, 2);
    if (type < 0) return Fail(error, "bad rec type byte");
    unsigned sum = unsigned(length) + unsigned(address >> 8) + unsigned(address & 0xFF) + unsigned(type);

    // Data and address base records change something; the others are accepted unread.
    if (type != kDataRecord && type != kSegmentBaseRecord && type != kLinearBaseRecord) return true;

    const qsizetype rest = line.size() - kMinRecordChars;
    if (rest < 2 * length + 2) return Fail(error, "packet truncated");
    if (type != kDataRecord) return ParseBaseRecord(line, type, length, sum, error);

    // Wide enough for any base plus any address and length.
    const uint64_t start = uint64_t(m_base) + uint64_t(address);
    if (start + uint64_t(length) > writableLimit) return Fail(error, "data exceeds writeable flash space");
    if (length > 0 && start + uint64_t(length) > kAddressSpace) return Fail(error, "data beyond 64 KiB address space");

    uint32_t current = uint32_t(start);
    qsizetype at = kMinRecordChars;
    for (int i = 0; i < length; ++i, at += 2, ++current) {
        const int byte = HexField(line, at, 2);
        if (byte < 0) return Fail(error, "bad packet data");
        sum += unsigned(byte);
        m_bytes[current] = uint8_t(byte);
        ++m_dataBytes;
        if (m_highest < int32_t(current)) m_highest = int32_t(current);
    }
    return ChecksumMatches(line, at, sum, error);
}

bool FlashImage::ParseBaseRecord(const QString &line, int type, int length, unsigned sum, QString *error)
{
    if (length != kBaseRecordLength) return Fail(error, "bad address record length");
    const int value = HexField(line, kMinRecordChars, 2 * kBaseRecordLength);
    if (value < 0) return Fail(error, "bad packet data");
    sum += unsigned(value >> 8) + unsigned(value & 0xFF);
    // A base whose checksum fails is not taken: a damaged base could place data wrongly.
    if (!ChecksumMatches(line, kMinRecordChars + 2 * kBaseRecordLength, sum, error)) return false;
    m_base = type == kSegmentBaseRecord ? uint32_t(value) << 4 : uint32_t(value) << 16;
    return true;
}

FlashImage &ProcessFlashImage()
{
    static FlashImage image;
    return image;
}
