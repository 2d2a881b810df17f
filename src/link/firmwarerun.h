#pragma once
// A firmware run as a job of the link supervisor, once the controller's bootloader has named its
// chip: the run the front end chooses (program a file, back the old firmware up first, only read
// the flash, or only compare it with a file), carried out by the job's Bootloader over the
// supervisor's line. The job is the bootloader's host: what the run shows goes through the
// supervisor's status fields and hand-overs like everything else the link reports.
#include "link/bootloader/bootloader.h"
#include "link/bootloader/bootloaderhost.h"
#include "link/linkhost.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class TCOMThread;

class FirmwareRun : public BootloaderHost {
public:
    // Where the controller's firmware stands as far as this worker knows.
    enum class Flash : uint8_t {
        Untouched,   // no run of this worker has left it part-way
        Incomplete,  // programmed part-way or not verified: it is never told to start, and waits
                     // in its bootloader until a verified run
    };

    explicit FirmwareRun(TCOMThread &link);

    // The chip the bootloader's identification line names.
    void IdentifyDevice(const QByteArray &line) { m_bootloader.IdentifyDevice(line); }
    // The run the front end chooses, carried out, ending with the controller told to start its
    // application (unless its firmware is left incomplete).
    void Run();
    // A run holds the controller in its bootloader.
    bool HoldsController() const { return m_inBootloader; }
    bool Incomplete() const { return m_flash == Flash::Incomplete; }
    // The worker is ending: a controller it holds in its bootloader is told to start its
    // application, unless what it programmed there is incomplete.
    void LeaveOnExit(uint8_t linkState);

    // BootloaderHost: what the programming run shows, through the supervisor's status fields.
    void SetStatusText(const QString &text) override;
    void SetStatusColour(Colour colour) override;
    void SetProgress(int percent) override;
    void SyncStatus() override;
    void ShowInfo(const QString &text) override;
    void ShowError(const QString &text) override;
    void ReturnToConnected() override;

private:
    // Reads the flash and hands it over as Intel HEX; false (red status, the link connected) when
    // it cannot be read or kept. `firmwareEnd`: the bytes up to the end of the last page the
    // flash uses (0: erased, and then nothing is handed over).
    bool BackUp(FirmwareOutcome *failure, uint32_t *firmwareEnd);
    // Compares the flash with the job's file without programming; the run then ends as every
    // other, leaving the bootloader.
    void Verify();
    // The chosen file cannot be used: the run ends without touching the flash.
    void NoUsableFile();
    // Tells the front end how the run ended, then leaves the bootloader.
    void End(FirmwareOutcome outcome);
    static bool ProgrammedSomething(FirmwareOutcome outcome);
    void LeaveBootloader(bool programmed);

    TCOMThread &m_link;
    Bootloader m_bootloader;  // programs the flash over the supervisor's line, reporting to this job
    QString m_fileName;
    bool m_verifyOnly = false;     // the run only compares the flash with a file
    bool m_inBootloader = false;   // from the run's start until it leaves the bootloader
    Flash m_flash = Flash::Untouched;
};
