#pragma once
// What the link worker hands over to the user interface thread. The worker calls these through
// TCOMThread::RunOnUi, which runs them on the UI thread and waits; the worker itself never
// touches a widget.
#include <QByteArray>
#include <QString>
#include <cstdint>

class QObject;

// Status strip colours as 0xRRGGBB.
namespace LinkColor {
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Green = 0x008000;
constexpr uint32_t Blue = 0x0000FF;
}  // namespace LinkColor

// What one status refresh shows.
struct LinkStatus {
    QString text;
    uint32_t colour = LinkColor::Red;
    int progress = 0;
    bool rxLamp = false;  // a byte was received in the last 200 ms
    bool txLamp = false;  // a byte was sent in the last 200 ms
};

// What one firmware run in the bootloader does, as the front end chooses it once the bootloader
// has named its chip.
struct FirmwareJob {
    QString fileName;          // the Intel HEX file to program (empty: none chosen)
    bool backupFirst = false;  // read the flash and hand it over before the first page is erased
    bool readOnly = false;     // only read the flash, hand it over and start the application again
    bool verifyOnly = false;   // only compare the flash with the file, then start the application again
};

// What a front end says of a controller whose programming stopped part-way or was not verified.
inline constexpr char FirmwareIncompleteText[] = "the controller's firmware is incomplete; it waits in its bootloader: flash it again";

// How a firmware run ended.
enum class FirmwareOutcome {
    Verified,      // programmed (or only compared), every block read back equal
    Mismatch,      // programmed (or only compared), the read-back differs from the file
    FlashRead,     // a read-only run handed the flash over
    FlashErased,   // a read-only run found the flash erased: there was nothing to hand over
    NoFile,        // no usable file was chosen
    FileRefused,   // the HEX file was refused (its fault in the status text)
    ReadFailed,    // the flash could not be read back: nothing was erased
    BackupNotKept, // the front end could not keep the backup: nothing was erased
    ProgramFailed, // the bootloader did not acknowledge a programming command
    ReadBackFailed,// programmed (or only compared), but a block could not be read back: the link failed, not the flash
    Incomplete,    // programming stopped part-way or was not verified: the controller was not told to
                   // start it and waits in its bootloader to be flashed again
};

class LinkHost {
public:
    LinkHost();
    virtual ~LinkHost() = default;
    LinkHost(const LinkHost &) = delete;
    LinkHost &operator=(const LinkHost &) = delete;

    // An object living on the UI thread that the hand-overs run in.
    virtual QObject *LinkContext() = 0;

    virtual void SyncStatus(const LinkStatus &status) = 0;
    virtual void ShowError(const QString &text) = 0;
    virtual void ShowInfo(const QString &text) = 0;
    // The 256 bytes of the calibration image to and from the worker's transfer buffer.
    virtual void ImageToBuffer(uint8_t *buffer) = 0;
    virtual void BufferToImage(const uint8_t *buffer) = 0;
    // The chosen firmware file, or an empty name.
    virtual QString SelectFirmwareFile() = 0;
    // The firmware run to do; by default the file the user chooses, programmed without a backup.
    virtual FirmwareJob ChooseFirmwareJob() { return {SelectFirmwareFile()}; }
    // The flash as the run found it, as Intel HEX. True when the front end has kept it; otherwise
    // `error` says why, and nothing is programmed.
    virtual bool KeepFirmwareBackup(const QByteArray &hex, QString *error);
    // The flash read before programming was erased: there was no firmware to keep, and nothing
    // was handed over.
    virtual void NoFirmwareToKeep() {}
    // The end of a firmware run, after the status line and any box; `text` is the status text.
    // The controller is told to start its application once this returns.
    virtual void FirmwareRunEnded(FirmwareOutcome outcome, const QString &text);
    // Whether a new worker first orders a controller waiting in its bootloader to start its
    // application (a running application restarts through its bootloader).
    virtual bool StartApplicationOnOpen() const { return false; }
    // Whether a new worker downloads the image after its first identification (the window does).
    virtual bool DownloadOnFirstConnect() const { return true; }
    // Whether a new worker looks for a controller waiting silently in its bootloader (left there
    // by a run that stopped, here or in another program) when the line stays silent, and asks
    // for its firmware job.
    virtual bool FindWaitingBootloader() const { return false; }

    // Set, once a worker of this host has ended, when it left the controller's firmware
    // incomplete: for a front end that learns it only after the worker has gone (an interrupted
    // run). `flag` must outlive the host's workers.
    void ReportIncompleteFirmwareTo(bool *flag) { m_incompleteFlag = flag; }
    void NoteIncompleteFirmware()
    {
        if (m_incompleteFlag) *m_incompleteFlag = true;
    }
    // Asked from the worker's thread before it acknowledges an announcement: false when the front
    // end has nothing more for the controller, which is then left announcing as it was found.
    virtual bool WorkLeft() const { return true; }

    // Tells this host's link messages from those of another window (unique in the process).
    int LinkHostId() const { return m_linkHostId; }

private:
    int m_linkHostId;
    bool *m_incompleteFlag = nullptr;
};
