#pragma once
// Programs the controller's flash through its serial bootloader: identifies the chip, reads the
// firmware file into the flash image, erases and writes every page up to the file's highest
// address, reads every block back and compares it with the image.
//
// Runs on the link worker's thread, blocking, against the worker's byte-level line; everything
// the user sees goes out through the host.
#include "link/bootloader/bootloaderhost.h"
#include "link/bootloader/bootpacket.h"
#include "link/bootloader/chiptable.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class ByteLink;
class FlashImage;

class Bootloader {
public:
    Bootloader(ByteLink &link, BootloaderHost &host, FlashImage &image);

    // Sets the chip table from the bootloader's identification line.
    void IdentifyDevice(const QByteArray &identificationLine);
    const ChipInfo &Chip() const { return m_chip; }

    // Reads the file, programs and verifies. True when programming finished, whether or not the
    // read-back matched (the result is shown in a box); false when the file was refused or a
    // command went unacknowledged, with the reason in red on the status line.
    bool ProgramFlash(const QString &fileName);
    // The two halves of ProgramFlash, so that something (a backup of the old firmware) can run
    // between the check of the file and the first erase. LoadFirmware reads the file into the
    // flash image and refuses it as ProgramFlash does; ProgramLoaded programs and verifies it.
    bool LoadFirmware(const QString &fileName);
    bool ProgramLoaded();
    // True when the last ProgramLoaded read every block back equal to the image.
    bool LastRunVerified() const { return m_verified; }
    // True when the last ProgramLoaded or VerifyLoaded could not read a block back (the link
    // failed, the flash may well be right); the status line then names the block's address.
    bool LastRunReadBackFailed() const { return m_readBackFailed; }
    // True once the last ProgramLoaded sent an erase or write: the flash no longer holds the
    // old program, and holds the new one only if the run was verified.
    bool FlashTouched() const { return m_flashTouched; }
    // Reads back every page the loaded image covers and compares it with the image, programming
    // nothing: the verification of ProgramLoaded, and a check of a controller's firmware against a
    // file. Each block is read with ReadBackBlock's tries. True when every block matched; then
    // LastRunVerified(). Otherwise the status line names the first differing address, or in red
    // the block that could not be read (then LastRunReadBackFailed()). Shows no box.
    bool VerifyLoaded();
    // Pages below `end` (the end of the firmware a backup found) are erased and written too, as
    // erased flash above the new file's end, so no part of the old application stays behind.
    // LoadFirmware forgets it; set it after the file has been loaded.
    void EraseOldFirmwareBelow(uint32_t end) { m_eraseBelow = end; }

    // Reads the flash from address 0 up to `limit` bytes (at most what the chip lets a firmware
    // fill and what a 16-bit address reaches) into `flash`, block by block with the read-back
    // packet; the gauge runs page by page. False, with the failure in red on the status line and
    // the link back in its connected state, when a block cannot be read.
    bool ReadFlash(uint32_t limit, QByteArray *flash);
    // The flash bytes a read covers for `limit` on this chip.
    uint32_t ReadableBytes(uint32_t limit) const;

    // One bootloader command each; true when the bootloader acknowledged it.
    bool SetPageAddress(uint32_t address);
    bool ErasePage();
    bool SendDataBlock(uint32_t address);
    bool WritePage();
    // Reads the block back (up to four requests) and compares it with the image; the first byte
    // that differs is kept for the status line.
    enum class Check { Equal, Differs, Unreadable };
    Check VerifyBlock(uint32_t address);
    // Up to four read-back requests for the block at `address`, fewer when the bootloader refuses
    // one with a NAK; true when a whole block came, its 64 bytes then at BlockByte(0..63).
    bool ReadBackBlock(uint32_t address);
    uint8_t BlockByte(int i) const { return m_packet.At(3 + i); }

    // Sends the packet in the buffer; with `waitForAck`, until it is acknowledged, at most six
    // times, giving up after five seconds of silence.
    bool SendPacket(bool waitForAck);
    // Receives a response packet into the buffer; fails on a bad checksum, an oversized packet,
    // a NAK in place of the packet (the request was refused) or ten seconds of silence.
    bool ReceivePacket();

private:
    bool SendAddressPacket(uint8_t command, uint32_t address, bool waitForAck);
    bool SendBareCommand(uint8_t command);
    bool AwaitByte(uint8_t &byte, uint32_t limitMs);
    bool Fail(const QString &statusText);
    static QString ReadFailedAt(uint32_t address);
    // The last address programming and verification cover.
    uint32_t LastAddress() const;
    // Percent done once the page at `page` has been handled.
    int ProgressAt(uint32_t page) const;
    bool PageInRange(uint32_t page) const;
    uint32_t PageCount() const;
    void FinishPage(uint32_t &page);

    ByteLink &m_link;
    BootloaderHost &m_host;
    FlashImage &m_image;
    ChipInfo m_chip;
    BootPacket m_packet;
    bool m_verified = false;
    bool m_readBackFailed = false;
    bool m_flashTouched = false;
    int32_t m_firstDifference = -1;  // the last verification's first differing address (-1: none)
    uint32_t m_unreadBlock = 0;      // the block it was reading when it stopped
    bool m_refused = false;       // the last ReceivePacket got a NAK instead of a packet
    uint32_t m_eraseBelow = 0;    // see EraseOldFirmwareBelow
};
