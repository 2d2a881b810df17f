#include "sim_bootloader.h"

#include "link/bootloader/bootpacket.h"
#include "link/bootloader/bootprotocol.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace Boot;

constexpr uint8_t kErased = 0xFF;
constexpr int kMaxPacket = BootPacket::kPositions;
constexpr char kPacketCommands[] = {SetAddress, EraseOne, LoadBlock, WriteOne, ReadBlock, 0};

// The emulated chip's own flash page: the CAN parts have 256-byte pages, the others 128.
int PageSizeOf(const QByteArray &chip) { return chip.toUpper().contains("AT90CAN") ? 256 : 128; }

bool TakeValue(QStringList &words, qsizetype at, QString *value)
{
    if (at + 1 >= words.size()) return false;
    *value = words.takeAt(at + 1);
    return true;
}

bool TakeNumber(QStringList &words, qsizetype at, int64_t *number)
{
    QString value;
    if (!TakeValue(words, at, &value)) return false;
    bool ok = false;
    *number = value.toLongLong(&ok, 0);
    return ok && *number >= 0;
}

bool TakeCommand(QStringList &words, qsizetype at, char *command)
{
    QString value;
    if (!TakeValue(words, at, &value) || value.size() != 1 || value[0].unicode() > 127) return false;
    *command = char(value[0].unicode());
    return true;
}

// The bootloader's words on the emulator's command line, one row each.
struct BootOptionRow {
    const char *name;
    const char *argument;  // nullptr: a switch without a value
    const char *help;
    // Takes the word at `at` and its value (if any) out of `words`' value position.
    bool (*take)(QStringList &words, qsizetype at, SimBootOptions &options);
};

const BootOptionRow kBootOptionRows[] = {
    {"--chip", "NAME", "chip named in the bootloader's identification line (default AT90CAN128)",
     [](QStringList &w, qsizetype at, SimBootOptions &o) {
         QString value;
         const bool ok = TakeValue(w, at, &value);
         o.chip = value.toLatin1();
         return ok;
     }},
    {"--no-firmware", nullptr, "the bootloader holds no application until it has been programmed",
     [](QStringList &, qsizetype, SimBootOptions &o) { return !(o.hasFirmware = false); }},
    {"--nak", "N", "fault: answer the first N packets of the --nak-on command with NAK",
     [](QStringList &w, qsizetype at, SimBootOptions &o) {
         int64_t n = 0;
         const bool ok = TakeNumber(w, at, &n);
         o.naks = int(n);
         return ok;
     }},
    {"--nak-on", "X", "the command letter --nak applies to (default D)",
     [](QStringList &w, qsizetype at, SimBootOptions &o) { return TakeCommand(w, at, &o.nakCommand); }},
    {"--silent-on", "X", "fault: never answer a packet with command letter X",
     [](QStringList &w, qsizetype at, SimBootOptions &o) { return TakeCommand(w, at, &o.silentOn); }},
    {"--corrupt-readback", "[N]", "fault: send the first N read-back blocks (default all) with a wrong checksum",
     [](QStringList &w, qsizetype at, SimBootOptions &o) {
         // An optional count follows; without one every read-back is corrupt.
         o.corruptReadbacks = -1;
         bool isCount = false;
         const int count = at + 1 < w.size() ? w[at + 1].toInt(&isCount) : -1;
         if (isCount && count >= 0) {
             o.corruptReadbacks = count;
             w.removeAt(at + 1);
         }
         return true;
     }},
    {"--flip-flash", "ADDR", "fault: a page write inverts the flash byte at ADDR (decimal or 0x-hex)",
     [](QStringList &w, qsizetype at, SimBootOptions &o) {
         int64_t n = 0;
         const bool ok = TakeNumber(w, at, &n) && n < SimBootloader::kFlashBytes;
         o.flipFlashAddress = n;
         return ok;
     }},
};

}  // namespace

bool ParseSimBootOptions(QStringList &words, SimBootOptions &options, QString *error)
{
    for (qsizetype i = 0; i < words.size();) {
        const QString word = words[i];
        const BootOptionRow *row = nullptr;
        for (const BootOptionRow &r : kBootOptionRows)
            if (word == QLatin1String(r.name)) row = &r;
        if (!row) {
            ++i;
            continue;
        }
        if (!row->take(words, i, options)) {
            if (error) *error = QStringLiteral("missing or bad value after ") + word;
            return false;
        }
        words.removeAt(i);
    }
    return true;
}

QList<SimOptionHelp> SimBootOptionHelp()
{
    QList<SimOptionHelp> lines;
    for (const BootOptionRow &row : kBootOptionRows) lines.append({row.name, row.argument, row.help});
    return lines;
}

SimBootloader::SimBootloader(SimBootOptions options)
    : m_options(std::move(options)),
      m_pageSize(PageSizeOf(m_options.chip)),
      m_hasFirmware(m_options.hasFirmware),
      m_flash(kFlashBytes, kErased),
      m_naksLeft(m_options.naks),
      m_corruptLeft(m_options.corruptReadbacks)
{
}

void SimBootloader::LoadFlash(uint32_t address, const QByteArray &bytes)
{
    if (address >= m_flash.size() || bytes.isEmpty()) return;
    const size_t n = std::min(size_t(bytes.size()), m_flash.size() - address);
    std::copy_n(bytes.begin(), n, m_flash.begin() + address);
    m_hasFirmware = true;
}

void SimBootloader::Reset()
{
    m_incoming.clear();
    m_pageBuffer.clear();
    m_restart = false;
}

bool SimBootloader::TakeRestart()
{
    const bool restart = m_restart;
    m_restart = false;
    return restart;
}

QByteArray SimBootloader::IdentificationLine() const
{
    return "Quarn boot 1.2 " + m_options.chip + "\r\n";
}

QByteArray SimBootloader::Receive(uint8_t byte)
{
    m_restart = false;   // an order to start concerns only the byte just received
    if (m_incoming.isEmpty()) {
        if (byte == Identify) return IdentificationLine();
        if (byte == Restart) {
            m_restart = true;
            ++m_startOrders;
        }
        if (byte && std::strchr(kPacketCommands, byte)) m_incoming.append(char(byte));
        return {};
    }
    m_incoming.append(char(byte));
    const int length = uint8_t(m_incoming[1]);
    if (length < 3 || length > kMaxPacket) {   // no packet of ours: ask again
        m_incoming.clear();
        return QByteArray(1, char(Nak));
    }
    if (m_incoming.size() < length) return {};
    const QByteArray packet = m_incoming;
    m_incoming.clear();
    return Answer(packet);
}

QByteArray SimBootloader::Answer(const QByteArray &packet)
{
    const char command = packet[0];
    ++m_packets[command];
    const QByteArray payload = packet.mid(2, packet.size() - 3);
    uint8_t sum = 0;
    for (char c : payload) sum ^= uint8_t(c);
    if (sum != uint8_t(packet.back())) return QByteArray(1, char(Nak));
    if (command == m_options.silentOn) return {};
    if (command == m_options.nakCommand && m_naksLeft > 0) {
        --m_naksLeft;
        return QByteArray(1, char(Nak));
    }
    const QByteArray ack(1, char(Ack));
    const auto addressIn = [&payload] { return uint16_t(uint8_t(payload[0]) | uint8_t(payload[1]) << 8); };
    switch (command) {
    case SetAddress:
        if (payload.size() != 2) return QByteArray(1, char(Nak));
        m_address = addressIn();
        m_pageBuffer.clear();
        return ack;
    case EraseOne:
        std::fill_n(m_flash.begin() + m_address, m_pageSize, kErased);
        if (m_address == 0) m_hasFirmware = false;   // the reset vector is gone
        return ack;
    case LoadBlock:
        if (payload.size() != kBlockBytes || int(m_pageBuffer.size()) + kBlockBytes > m_pageSize)
            return QByteArray(1, char(Nak));
        m_pageBuffer.insert(m_pageBuffer.end(), payload.begin(), payload.end());
        return ack;
    case WriteOne:
        // Programming can only clear bits: an unerased page keeps the AND of old and new.
        for (size_t i = 0; i < m_pageBuffer.size(); ++i) m_flash[m_address + i] &= m_pageBuffer[i];
        if (m_options.flipFlashAddress >= m_address &&
            m_options.flipFlashAddress < int64_t(m_address + m_pageBuffer.size()))
            m_flash[size_t(m_options.flipFlashAddress)] ^= 0xFF;
        m_pageBuffer.clear();
        if (m_address == 0) m_hasFirmware = ResetVectorSet();
        ++m_pagesWritten;
        return ack;
    case ReadBlock:
        if (payload.size() != 2) return {};
        return ReadBack(addressIn());
    default:
        return {};
    }
}

bool SimBootloader::ResetVectorSet() const
{
    for (int i = 0; i < kResetVectorBytes; ++i)
        if (m_flash[size_t(i)] != kErased) return true;
    return false;
}

QByteArray SimBootloader::ReadBack(uint16_t address)
{
    QByteArray response;
    response.append(char(ReadBlock));
    response.append(char(kBlockPacketLength));
    uint8_t sum = 0;
    for (int i = 0; i < kBlockBytes; ++i) {
        const uint8_t b = m_flash[address + i];
        response.append(char(b));
        sum ^= b;
    }
    if (m_corruptLeft != 0) {
        if (m_corruptLeft > 0) --m_corruptLeft;
        sum ^= 0x5A;
    }
    response.append(char(sum));
    return response;
}
