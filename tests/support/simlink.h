#pragma once
// Link tests against the controller emulator: the emulator on a pseudo-terminal registered as a
// COM number in the serial device map, and a recording stand-in for the main window's side of
// the worker's hand-overs.
#include "core/calimage.h"
#include "link/linkhost.h"
#include "sim_controller.h"
#include "support/testsupport.h"

#include <QObject>

class TCOMThread;
#include <QStringList>

#include <memory>
#include <vector>

// Emulator options for a controller whose application starts at once (no bootloader wait).
inline SimOptions QuickStart()
{
    SimOptions options;
    options.fastStart = true;
    return options;
}

// ... that answers at once, not held to the line's pace, and announces itself every 50 ms.
inline SimOptions QuickUnpaced()
{
    SimOptions options = QuickStart();
    options.pacing = false;
    options.announceMs = 50;
    return options;
}

// The emulator running as COM<com> for as long as it lives. Needs a PrivateSettings alive.
class SimOnCom {
public:
    explicit SimOnCom(int com, SimOptions options = {});
    // With a bootloader the test holds and looks into (it must outlive this object).
    SimOnCom(int com, SimOptions options, BootloaderPeer &bootloader);
    ~SimOnCom();
    SimController &sim() { return *m_sim; }
    int com() const { return m_com; }
    // Bytes the tool sent (in order), and with their ticks.
    QByteArray toolBytes() const;
    std::vector<WireByte> toolWire() const;
    // Stops the emulator: the device vanishes under the tool.
    void kill();

private:
    SimOnCom(int com, SimOptions options, BootloaderPeer *bootloader);
    int m_com;
    QString m_device;
    std::unique_ptr<SimController> m_sim;
};

// The main window's hand-over targets, recorded. Boxes return at once.
class RecordingLinkHost : public QObject, public LinkHost {
public:
    QObject *LinkContext() override { return this; }
    void SyncStatus(const LinkStatus &status) override;
    void ShowError(const QString &text) override;
    void ShowInfo(const QString &text) override;
    void ImageToBuffer(uint8_t *buffer) override;
    void BufferToImage(const uint8_t *buffer) override;
    QString SelectFirmwareFile() override { return firmwareFile; }
    void FirmwareRunEnded(FirmwareOutcome, const QString &text) override { m_runEndings << text; }
    bool FindWaitingBootloader() const override { return findWaitingBootloader; }

    LinkStatus lastStatus() const;
    QStringList statusTexts() const;  // every distinct status text, in order
    QStringList boxes() const;        // "error: text" / "info: text"
    int imagesTaken() const { return m_imagesTaken; }
    // The status text of every firmware run as it ended: the status line shows it only until the
    // controller's banner returns, which a loaded machine can let pass between two looks.
    QStringList runEndings() const { return m_runEndings; }

    CalImageBytes image{};      // what ImageToBuffer hands to the worker
    CalImageBytes received{};   // what BufferToImage got last
    QString firmwareFile;
    bool findWaitingBootloader = false;   // as the window: look for a controller left in its bootloader

private:
    LinkStatus m_last;
    QStringList m_texts;
    QStringList m_boxes;
    QStringList m_runEndings;
    int m_imagesTaken = 0;
};

// Link messages of every worker, as they reach the application.
class LinkMessageRecorder : public QObject {
public:
    LinkMessageRecorder();
    ~LinkMessageRecorder() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    int count(int code) const;
    // Posts a mark behind every link message posted so far. A worker posts its "byte sent" before
    // it lets go of the link lock, so the bytes reported after the mark were written after any
    // request change that returned before it (the order of the queue, not of the clock).
    void Mark();
    // The bytes the workers reported sending after the last mark; none until that mark has come
    // through the queue (the bytes before it are no answer to "since").
    QByteArray SentSinceMark() const;
    struct Message {
        uint32_t tick;
        int code;
        int value;
    };
    std::vector<Message> messages;

private:
    int m_marksPosted = 0;
};

// Waits until the link has just been acknowledged (the tool's last byte an 'E', sent less than
// 300 ms ago) and the worker is connected: the next keep-alive round trip, during which requests
// are dropped, is then more than a second and a half away.
bool waitFreshlyConnected(SimOnCom &sim, TCOMThread &worker, int timeoutMs = WaitDeadlineMs);

// An image with a recognisable pattern (byte 33 kept a valid joystick type).
CalImageBytes PatternImage(uint8_t seed);
