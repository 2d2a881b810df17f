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
    // Asked from the worker's thread before it acknowledges an announcement: false when the front
    // end has nothing more for the controller, which is then left announcing as it was found.
    virtual bool WorkLeft() const { return true; }

    // Tells this host's link messages from those of another window (unique in the process).
    int LinkHostId() const { return m_linkHostId; }

private:
    int m_linkHostId;
};
