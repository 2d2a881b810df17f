#pragma once
// The emulated controller's bootloader after its hook: names its chip on 'I', takes A, E, D, F
// packets into a flash memory that they really program, and reads that memory back on V.
// Faults can be injected to exercise the tool's retries and failures.
#include "bootloader_peer.h"
#include "link/bootloader/bootprotocol.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <vector>

struct SimBootOptions {
    QByteArray chip = "AT90CAN128";   // the chip name in the identification line
    bool hasFirmware = true;          // whether 'R' can start an application before programming
    int naks = 0;                     // packets of `nakCommand` answered with NAK before any ACK
    char nakCommand = char(Boot::LoadBlock);
    char silentOn = 0;                // a packet command never answered (0: none)
    int corruptReadbacks = 0;         // V responses sent with a wrong checksum (-1: every one)
    int64_t flipFlashAddress = -1;    // a flash byte that a page write inverts (-1: none)
};

// Takes the bootloader's words out of `words` (the emulator's command line), leaving the others:
//   --chip NAME  --no-firmware  --nak N  --nak-on X  --silent-on X  --corrupt-readback [N]
//   --flip-flash ADDR   (ADDR decimal or 0x-hexadecimal)
// False with `error` set on a missing or bad value.
bool ParseSimBootOptions(QStringList &words, SimBootOptions &options, QString *error);

// One line of the emulator's --help.
struct SimOptionHelp {
    const char *name;
    const char *argument;  // nullptr: a switch
    const char *help;
};
// The --help lines of the bootloader's words, from the same table the parser reads.
QList<SimOptionHelp> SimBootOptionHelp();

class SimBootloader : public BootloaderPeer {
public:
    static constexpr uint32_t kFlashBytes = 0x20000;

    explicit SimBootloader(SimBootOptions options = {});

    QByteArray Receive(uint8_t byte) override;
    // As a real bootloader judges it: whether the reset vector (the first word of page 0) is
    // programmed. Erasing page 0 takes the application away until page 0 is written again, so a
    // controller power-cycled in the middle of programming stays in its bootloader.
    bool HasFirmware() const override { return m_hasFirmware; }

    // Back to waiting for an order, as after a new hook; flash and counters stay.
    void Reset() override;
    // The byte just received was an order to start the application.
    bool StartApplicationRequested() const override { return m_restart; }
    // True once after an 'R' that came as an order (not inside a packet): the emulator then starts
    // the application if HasFirmware(), or announces the bootloader again.
    bool TakeRestart();

    QByteArray IdentificationLine() const;
    int PageSize() const { return m_pageSize; }
    uint8_t Flash(uint32_t address) const { return m_flash[address]; }
    // Puts `bytes` into the flash from `address`, as if programmed earlier (an application the
    // controller already holds). Call before the emulator starts.
    void LoadFlash(uint32_t address, const QByteArray &bytes);
    // Complete packets received with this command letter, whatever the answer.
    int Packets(char command) const { return m_packets.value(command); }
    // Page writes carried out since construction; may be read from another thread.
    int PagesWritten() const { return m_pagesWritten; }
    // Orders to start the application ('R' outside packets) since construction; may be read from
    // another thread.
    int StartOrders() const { return m_startOrders; }

private:
    QByteArray Answer(const QByteArray &packet);
    QByteArray ReadBack(uint16_t address);
    bool ResetVectorSet() const;
    static constexpr int kResetVectorBytes = 2;   // one instruction word at address 0

    SimBootOptions m_options;
    int m_pageSize;
    bool m_hasFirmware;
    std::vector<uint8_t> m_flash;
    std::vector<uint8_t> m_pageBuffer;
    uint16_t m_address = 0;
    QByteArray m_incoming;        // the packet being received (empty: waiting for a command)
    int m_naksLeft;
    int m_corruptLeft;
    QHash<char, int> m_packets;
    std::atomic<int> m_pagesWritten{0};
    std::atomic<int> m_startOrders{0};
    bool m_restart = false;
};
