#include "link/bootloader/bootloader.h"

#include "core/ticks.h"
#include "link/bytelink.h"
#include "core/hex/flashimage.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

const char *const kSending = "Sending update...";
const char *const kVerifying = "Verifying flash...";
const char *const kCompleted = "Completed";
const char *const kUploadFailed = "Upload failed!";
const char *const kNoData = "Firmware file holds no data";
const char *const kVerified = "Upload completed and verified!";
const char *const kMismatch = "Contents of flash doesn't match file";
const char *const kMismatchAt = "Contents of flash doesn't match file at 0x%1";
const char *const kReadFailed = "Reading the flash back failed at 0x%1";
// A bootloader's read-back packet carries a 16-bit address.
constexpr uint32_t kAddressSpace = 0x10000;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(Boot::kPollIntervalMs)); }

// A flash address as the status line names it: four hexadecimal digits.
QString Hex4(uint32_t address) { return QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0')); }

}  // namespace

Bootloader::Bootloader(ByteLink &link, BootloaderHost &host, FlashImage &image)
    : m_link(link), m_host(host), m_image(image), m_chip(DefaultChip())
{
}

void Bootloader::IdentifyDevice(const QByteArray &identificationLine)
{
    m_chip = ChipFromIdentification(identificationLine);
}

bool Bootloader::AwaitByte(uint8_t &byte, uint32_t limitMs)
{
    const uint32_t start = TickCount();
    for (;;) {
        if (m_link.ReadByte(byte)) return true;
        if (TicksSince(start) > limitMs || m_link.Stopping()) return false;
        Pause();
    }
}

bool Bootloader::SendPacket(bool waitForAck)
{
    for (int sends = 0; sends < Boot::kMaxSends; ++sends) {
        for (int position = 1; position <= m_packet.Length(); ++position)
            m_link.WriteByte(m_packet.At(position));
        if (!waitForAck) return true;
        uint8_t reply = 0;
        if (!AwaitByte(reply, Boot::kAckTimeoutMs + m_link.RoundTripAllowanceMs())) return false;   // silence: no resend
        if (reply == Boot::Ack) return true;
        if (reply != Boot::Nak) m_link.FlushInput();
    }
    return false;
}

bool Bootloader::ReceivePacket()
{
    m_packet.BeginReception();
    m_refused = false;
    bool first = true;
    uint32_t lastByte = TickCount();
    for (;;) {
        uint8_t byte = 0;
        if (m_link.ReadByte(byte)) {
            lastByte = TickCount();
            // A response packet never starts with a NAK: the bootloader refused the request, and
            // nothing more will come for it.
            if (first && byte == Boot::Nak) {
                m_refused = true;
                return false;
            }
            first = false;
            switch (m_packet.TakeByte(byte)) {
            case BootPacket::Take::Complete: return true;
            case BootPacket::Take::Failed: return false;
            case BootPacket::Take::More: continue;
            }
        }
        if (TicksSince(lastByte) > Boot::kResponseSilenceMs + m_link.RoundTripAllowanceMs() || m_link.Stopping()) return false;
        Pause();
    }
}

bool Bootloader::SendAddressPacket(uint8_t command, uint32_t address, bool waitForAck)
{
    m_packet.BeginPacket(command);
    m_packet.AddPacketByte(uint8_t(address & 0xFF));
    m_packet.AddPacketByte(uint8_t((address >> 8) & 0xFF));
    m_packet.EndPacket();
    return SendPacket(waitForAck);
}

bool Bootloader::SendBareCommand(uint8_t command)
{
    m_packet.BeginPacket(command);
    m_packet.EndPacket();
    return SendPacket(true);
}

bool Bootloader::SetPageAddress(uint32_t address) { return SendAddressPacket(Boot::SetAddress, address, true); }
// From the first erase or write that goes out the flash no longer holds what it held: whether
// the bootloader carried it out or not, only a verified run makes it whole again.
bool Bootloader::ErasePage()
{
    m_flashTouched = true;
    return SendBareCommand(Boot::EraseOne);
}

bool Bootloader::WritePage()
{
    m_flashTouched = true;
    return SendBareCommand(Boot::WriteOne);
}

bool Bootloader::SendDataBlock(uint32_t address)
{
    m_packet.BeginPacket(Boot::LoadBlock);
    for (int i = 0; i < Boot::kBlockBytes; ++i) m_packet.AddPacketByte(m_image.At(address + i));
    m_packet.EndPacket();
    return SendPacket(true);
}

bool Bootloader::ReadBackBlock(uint32_t address)
{
    for (int attempt = 0; attempt < Boot::kVerifyAttempts; ++attempt) {
        SendAddressPacket(Boot::ReadBlock, address, false);
        // A response shorter than a block holds no flash bytes to compare or keep.
        if (ReceivePacket() && m_packet.Length() == Boot::kBlockPacketLength) return true;
        // A refusal is the bootloader's answer, not a damaged reply: asking again changes nothing.
        if (m_refused || m_link.Stopping()) return false;
    }
    return false;
}

Bootloader::Check Bootloader::VerifyBlock(uint32_t address)
{
    if (!ReadBackBlock(address)) return Check::Unreadable;
    for (int i = 0; i < Boot::kBlockBytes; ++i)
        if (BlockByte(i) != m_image.At(address + i)) {
            m_firstDifference = int32_t(address) + i;
            return Check::Differs;
        }
    return Check::Equal;
}

QString Bootloader::ReadFailedAt(uint32_t address)
{
    return QString::fromLatin1(kReadFailed).arg(Hex4(address));
}

uint32_t Bootloader::ReadableBytes(uint32_t limit) const
{
    const uint32_t bytes = std::min({limit, m_chip.flashLimit, kAddressSpace});
    // Whole blocks only: the read-back packet always carries 64 bytes.
    return (bytes + Boot::kBlockBytes - 1) / Boot::kBlockBytes * Boot::kBlockBytes;
}

bool Bootloader::ReadFlash(uint32_t limit, QByteArray *flash)
{
    const uint32_t bytes = ReadableBytes(limit);
    flash->clear();
    flash->reserve(int(bytes));
    for (uint32_t page = 0; page < bytes; page += m_chip.pageSize) {
        for (uint32_t address = page; address < std::min(bytes, page + m_chip.pageSize); address += Boot::kBlockBytes) {
            if (!ReadBackBlock(address)) return Fail(ReadFailedAt(address));
            for (int i = 0; i < Boot::kBlockBytes; ++i) flash->append(char(BlockByte(i)));
        }
        m_host.SetProgress(int(uint64_t(std::min(bytes, page + m_chip.pageSize)) * 100 / bytes));
        m_host.SyncStatus();
    }
    return true;
}

bool Bootloader::Fail(const QString &statusText)
{
    m_host.SetStatusText(statusText);
    m_host.SetStatusColour(BootloaderHost::Colour::Red);
    m_host.ReturnToConnected();
    return false;
}

uint32_t Bootloader::LastAddress() const
{
    return std::max(uint32_t(m_image.HighestAddress()), m_eraseBelow > 0 ? m_eraseBelow - 1 : 0);
}

bool Bootloader::PageInRange(uint32_t page) const
{
    return page < m_chip.flashLimit && page <= LastAddress();
}

uint32_t Bootloader::PageCount() const
{
    uint32_t pages = 0;
    for (uint32_t page = 0; PageInRange(page); page += m_chip.pageSize) ++pages;
    return pages;
}

int Bootloader::ProgressAt(uint32_t page) const
{
    const uint32_t highest = LastAddress();
    // A file whose only data sits at address 0 is done with its first page.
    return highest == 0 ? 100 : int(page * 100 / highest);
}

void Bootloader::FinishPage(uint32_t &page)
{
    m_host.SetProgress(ProgressAt(page));
    page += m_chip.pageSize;
    m_host.SyncStatus();
}

bool Bootloader::ProgramFlash(const QString &fileName) { return LoadFirmware(fileName) && ProgramLoaded(); }

bool Bootloader::LoadFirmware(const QString &fileName)
{
    m_eraseBelow = 0;
    QString error;
    if (!m_image.LoadHexFile(fileName, m_chip.flashLimit, &error)) return Fail(error);
    // Nothing to program: refuse before a single page is erased.
    if (!m_image.HasData()) return Fail(QString::fromLatin1(kNoData));
    return true;
}

bool Bootloader::ProgramLoaded()
{
    m_verified = false;
    m_readBackFailed = false;
    m_flashTouched = false;
    m_host.SetStatusText(QString::fromLatin1(kSending));
    // The page that holds the reset vector is erased first and written last: until every other
    // page is in, the controller has no start address, so a bootloader that finds none (after a
    // power cycle, or an order to start) stays in charge instead of running half a program.
    const uint32_t pages = PageCount();
    if (pages > 1 && !(SetPageAddress(0) && ErasePage())) return Fail(QString::fromLatin1(kUploadFailed));
    for (uint32_t done = 0; done < pages; ++done) {
        const uint32_t page = (done + 1) % pages * m_chip.pageSize;   // pages 1, 2, ... and 0 last
        const bool erased = page == 0 && pages > 1;
        bool acknowledged = SetPageAddress(page) && (erased || ErasePage());
        m_host.SyncStatus();
        for (int block = 0; acknowledged && block < m_chip.BlocksPerPage(); ++block)
            acknowledged = SendDataBlock(page + uint32_t(block) * Boot::kBlockBytes);
        if (acknowledged) acknowledged = WritePage();
        // The gauge runs with the pages done, whichever page that was.
        uint32_t position = done * m_chip.pageSize;
        FinishPage(position);
        if (!acknowledged) return Fail(QString::fromLatin1(kUploadFailed));
    }

    const bool matches = VerifyLoaded();
    // A failed read-back is shown as VerifyLoaded left it: in red, naming the block.
    if (m_readBackFailed) {
        m_host.ShowError(ReadFailedAt(m_unreadBlock));
        return true;
    }
    m_host.SetStatusText(QString::fromLatin1(kCompleted));
    m_host.SyncStatus();
    if (matches) m_host.ShowInfo(QString::fromLatin1(kVerified));
    else m_host.ShowError(QString::fromLatin1(kMismatch));
    return true;
}

bool Bootloader::VerifyLoaded()
{
    m_verified = false;
    m_readBackFailed = false;
    m_firstDifference = -1;
    m_host.SetStatusText(QString::fromLatin1(kVerifying));
    Check check = Check::Equal;
    // After the first block that differs nothing more is read back, but the gauge still runs.
    for (uint32_t page = 0; PageInRange(page);) {
        for (int block = 0; check == Check::Equal && block < m_chip.BlocksPerPage(); ++block) {
            m_unreadBlock = page + uint32_t(block) * Boot::kBlockBytes;
            check = VerifyBlock(m_unreadBlock);
        }
        FinishPage(page);
    }

    m_host.SetProgress(100);
    m_verified = check == Check::Equal;
    m_readBackFailed = check == Check::Unreadable;
    // A block that could not be read says nothing about the flash: the link failed, not the file.
    if (m_readBackFailed) {
        m_host.SetStatusText(ReadFailedAt(m_unreadBlock));
        m_host.SetStatusColour(BootloaderHost::Colour::Red);
        m_host.SyncStatus();
    } else if (!m_verified) {
        m_host.SetStatusText(QString::fromLatin1(kMismatchAt).arg(Hex4(uint32_t(m_firstDifference))));
    }
    return m_verified;
}
