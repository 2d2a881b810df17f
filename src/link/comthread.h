#pragma once
// The link worker: the one thread that owns the serial port. Its body is the link supervisor, a
// state machine run every 10 ms (states in link/linkprotocol.h); it reports to the user interface
// only through the hand-overs of LinkHost and posted link messages.
//
// The serial device and the millisecond clock are reached through a few virtual functions, so a
// test or fuzz target can derive a worker on a scripted line with a clock it moves itself, and
// drive it pass by pass without starting the thread.
#include "link/bootloader/bootloader.h"
#include "link/bootloader/bootloaderhost.h"
#include "link/bytelink.h"
#include "link/linkhost.h"
#include "link/linkprotocol.h"
#include "link/roundtrip.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QThread>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class PortLine;

// A failure inside the opening of the port, carrying the text the status line shows.
struct PortError {
    QString message;
};

class TCOMThread : public QThread, public ByteLink, public BootloaderHost {
    Q_OBJECT
public:
    // Starts the thread at once; it opens "COM<port>" on its first pass, or `device` when one is
    // given (a device path that has no COM number).
    TCOMThread(LinkHost &owner, int port, QString device = {});
    // Destroy: asks the thread to stop and waits for it while serving its hand-overs to the UI
    // thread; the port is closed when the thread leaves its loop. Runs on the UI thread.
    ~TCOMThread() override;

    // UI thread: stores a request; has effect only while the link is connected (state 6). True
    // when it was stored: the worker then takes it at its next pass.
    bool SetRequest(uint8_t code, uint8_t value);
    // UI thread: a live command is stored and connected but has not yet gone out once.
    bool LiveCommandUnsent();
    // UI thread: the supervisor state, read under the link lock.
    uint8_t LockedState();
    // UI thread: clears the progress after the finish box of a transfer.
    void ClearProgress();
    int PortNumber() const { return m_portNumber; }
    // The port as the user named it: "COM7", or the device path given instead of a COM number.
    QString PortName() const;
    // The port reaches its controller through a server on the network (named so, or mapped so).
    bool OverNetwork() const;
    // The letter the controller on this worker's port last announced itself with (0: none yet).
    // ProductCode is process-wide; this is the worker's own, for front ends with several ports.
    uint8_t AnnouncedLetter() const { return m_announcedLetter; }
    // A letter the controller on this port kept announcing that names no product (0: none).
    uint8_t UnknownLetter() const { return m_unknownLetter; }
    // Unique in the process: tells this worker's link messages from those of a replaced one.
    int WorkerId() const { return m_workerId; }
    // True while one of this worker's hand-overs runs on the UI thread. A UI handler nested
    // inside it (in a message box's event loop) cannot wait for the worker: it frees it later.
    bool HandOverRunning() const { return m_handOverRunning; }

    // --- Image integrity and probes (comthread_transfer.cpp, comthread_supervisor.cpp) ---
    // UI thread: while connected, asks whether the controller hears the tool (0xFF on a quiet
    // line, only its announced letter as the answer); its announcement is left unanswered after.
    bool RequestProbe();
    // The probe of RequestProbe got its answer; a probe without one stops the link with
    // NotHearingText().
    bool ProbeAnswered() const { return m_probeAnswered; }
    QString NotHearingText() const;

    // ByteLink: single bytes on the port, each reported to the log.
    bool ReadByte(uint8_t &byte) override;
    bool WriteByte(uint8_t byte) override;
    bool WaitByte(uint8_t &byte) override;
    bool ReadLine(QByteArray &line) override;
    void FlushInput() override;
    // A bootloader run also ends when the port's device has gone: nothing more can arrive.
    bool Stopping() const override { return isInterruptionRequested() || m_deviceGone; }
    uint32_t RoundTripAllowanceMs() const override { return m_roundTrip.Allowance(); }

protected:
    // A worker whose thread is not started: a derived class drives it with Pass() or starts it
    // once it is fully constructed (and stops it with StopAndWait() in its own destructor).
    struct Unstarted {};
    TCOMThread(LinkHost &owner, int port, Unstarted, QString device = {});

    void run() override;  // Execute: the supervisor loop
    // One turn of the loop: a step of the state machine under the link lock, the pause between
    // passes, and the status refresh when it is due.
    void Pass();
    // Asks the thread to stop and waits for it while serving its hand-overs to the UI thread.
    void StopAndWait();

    // The serial device. OpenDevice throws PortError with the text the status line shows.
    virtual void OpenDevice(const QString &name, int speed);
    virtual void CloseDevice();
    // One byte if one is waiting, without waiting.
    virtual bool ReadDevice(uint8_t &byte);
    // One byte, returning once the driver has sent it (or the worker is being stopped).
    virtual bool WriteDevice(uint8_t byte);
    // The millisecond clock and the worker's pause (TickCount and a sleep of the thread).
    virtual uint32_t Now() const;
    virtual void Pause(uint32_t ms);

    // Port access.
    bool OpenPort(int speed, const QString &name);  // throws PortError
    void ConnectPort();
    // The device the port opens: the one given, or the one the COM number maps to.
    QString Device() const;
    void ClosePort();
    void ResetLink();
    // The port's device has gone (an adapter pulled out): the port is closed at once, so the
    // system can give the device its name again when it returns, and reopened by StepPortLost.
    void NoteDeviceGone();
    void LosePort();
    void StepPortLost();

    // One pass of each state, with the link lock held.
    void Step();
    void StepWaitingForLink();
    void StepBootHook();
    void StepBootIdentify();
    void StepFirmwareInstall();
    void StepConnected();
    void StepSendingImage();
    void StepReceivingImage();
    void StepRestartPending();
    void StartTransfer(uint8_t nextState);
    // The 0xFF of a transfer, once whatever crossed the 'E' has landed and been discarded.
    void StepSettle();
    // The controller's answer to that 0xFF: only the letter it announced itself with.
    bool TakeAnswer(uint8_t byte);
    void TakeImageByte(uint8_t byte);
    void StepEchoHeld();
    // Image integrity: a byte of the transfer (the one seen waiting behind the last, or the
    // line's next), the check that nothing else waits behind it, and the end of the transfer.
    bool NextTransferByte(uint8_t &byte);
    void CheckAlone();
    void StepAfterEnd();
    void StepAfterAnnounce();
    void EndOfRead();
    void AcceptDownload();
    void AcceptUpload();
    void ReadAgain();
    void ReadBroken();
    void FollowAnnouncement();
    void StepReadAgainWait();
    void StepProbe();
    void ProbeEnded(bool answered);
    bool AcknowledgeWanted() const;
    // The transfer under way ends as a failure: red status, the link stopped.
    // `reason` names the limit that was hit or the doubt that could not be resolved.
    void TransferFailed(const QString &reason = {});
    void StopLink(const QString &text);
    // Writes a byte; a write the port refuses or does not complete ends the exchange under way
    // (a transfer as "... Failed on COM<n>", anything else as a port failure) and gives false.
    bool Send(uint8_t byte);
    void TakeProductCode(uint8_t letter);
    void SetTransferProgress();

    // The firmware upgrade's part of the bootloader states (comthread_firmware.cpp).
    void IdentifyDevice(const QByteArray &line);
    // The run the front end chooses (its file becomes m_firmwareFileName), carried out.
    void RunFirmwareJob();
    // Reads the flash and hands it over as Intel HEX; false (red status, state 6) when it cannot
    // be read or kept. `firmwareEnd`: the bytes up to the end of the last page the flash uses
    // (0: erased, and then nothing is handed over).
    bool BackUpFirmware(FirmwareOutcome *failure, uint32_t *firmwareEnd);
    // Compares the flash with the job's file without programming; the run then ends as every
    // other, leaving the bootloader.
    void VerifyFirmware();
    // 'R' to the bootloader: the application is expected to announce itself.
    void StartApplication();
    // Tells the front end how the run ended, then leaves the bootloader.
    void EndFirmwareRun(FirmwareOutcome outcome);
    static bool ProgrammedSomething(FirmwareOutcome outcome);
    void LeaveBootloader(bool programmed);
    // True when a bootloader that announced itself is to be left announcing (a run on it ended
    // without programming anything): it is not hooked, and it has shown it has no application.
    bool LeftAnnouncing();
    // The worker is ending: a controller it holds in its bootloader is told to start its application.
    void LeaveBootloaderOnExit();
    // The first order on a newly opened port, for a front end that asks for it.
    void StartApplicationFirst();


    // BootloaderHost: what the programming run shows, through this worker's status fields.
    void SetStatusColour(Colour colour) override;
    void SetProgress(int percent) override;
    void ShowInfo(const QString &text) override;
    void ShowError(const QString &text) override;
    void ReturnToConnected() override;

    // Hand-overs to the UI thread; the worker waits for each. While it waits the link lock is
    // released, so a UI handler that takes it cannot deadlock with the worker.
    void RunOnUi(const std::function<void()> &call);
    void SyncStatus() override;
    void ShowError();  // m_messageBoxText in an error box
    void ShowInfo();   // m_messageBoxText in an information box
    void Box(const QString &text) { m_messageBoxText = text; ShowError(); }

    void SetStatus(const QString &text, uint32_t colour);
    void SetStatusText(const QString &text) override { m_statusText = text; }
    void PostMessage(int code, int value);
    uint32_t SinceLinkTimer() const;
    void ResetLinkTimer();

    // Fields: read and written by the worker, under the link lock where the UI also reaches them
    // (state, request, progress).
    LinkHost &m_owner;
    const QPointer<QObject> m_context;  // m_owner's UI-thread object
    const int m_hostId;
    const int m_workerId;
    std::atomic<bool> m_handOverRunning{false};
    const int m_portNumber;
    const QString m_device;           // opened instead of the COM number's device when not empty
    const bool m_downloadOnConnect;   // the first identification asks for a download
    const bool m_startApplicationFirst; // see LinkHost::StartApplicationOnOpen
    std::atomic<uint8_t> m_announcedLetter{0};
    std::atomic<uint8_t> m_unknownLetter{0};
    uint8_t m_strayByte = 0;  // the last byte that was no announcement the link knows
    uint32_t m_lastStatusRefresh = 0;
    bool m_firstConnect = false;
    uint32_t m_statusColour = LinkColor::Red;
    QString m_statusText;
    QString m_messageBoxText;
    std::unique_ptr<PortLine> m_port;     // created, used and closed on the worker thread only
    // The line's round trip: every limit that waits for the controller's answer grows by its
    // allowance (none on a local port).
    RoundTrip m_roundTrip;
    uint32_t m_writtenAt = 0;         // when the last byte went out
    bool m_answerAwaited = false;     // ... and the next byte heard answers it
    // The last write expects no answer (an acknowledgement, a live command, a restart): what
    // comes next is no round trip.
    void NoAnswerAwaited() { m_answerAwaited = false; }
    // The limit `ms` of a wait for the controller's answer, on this line.
    uint32_t Answer(uint32_t ms) const { return ms + m_roundTrip.Allowance(); }
    // How late after its echo a downloaded byte is held back as a possible announcement.
    uint32_t LateByteLimit() const;
    // The port's line went away: over the network, the connection closed.
    void LoseConnection();
    bool m_deviceGone = false;            // the port reported its device gone during this pass
    uint32_t m_lastReceive = 0;
    uint32_t m_lastSend = 0;
    uint32_t m_lastAcknowledge = 0;  // when the last 'E' went out
    QString m_writeError;            // why the port refused the last write, in the system's words
    uint8_t m_transferStep = 0;
    std::array<uint8_t, TransferLength> m_buffer{};  // position p (from 1) is m_buffer[p - 1]
    int m_transferIndex = 1;
    uint8_t m_heldByte = 0;  // a late downloaded byte whose echo is held back
    bool m_upgradeRequested = false;
    bool m_applicationStartPending = false;
    bool m_inBootloader = false;        // a firmware run holds the controller in its bootloader
    bool m_verifyOnlyRun = false;       // the firmware run only compares the flash with a file
    // A run programmed nothing: a returning bootloader is left announcing, and the status line
    // keeps the run's reason instead of "Waiting For Link".
    bool m_bootloaderDeclined = false;
    QString m_firmwareFileName;
    uint8_t m_requestByte = Request::None;
    uint8_t m_requestValue = 0;
    bool m_requestSent = false;  // the stored live command has gone out at least once
    int m_transferLength = TransferLength;
    std::mutex m_lock;                          // the link lock
    std::unique_lock<std::mutex> *m_pass = nullptr;  // the lock as the current pass holds it
    uint8_t m_state = LinkState::Start;
    int m_progress = 0;
    uint32_t m_linkTimer = 0;
    Bootloader m_bootloader;  // programs the flash over this worker's line, reporting to it

    // --- Leaving and finding the bootloader (comthread_firmware.cpp, comthread_bootprobe.cpp) ---
    // Filler that completes a packet the bootloader may hold half-received (Boot::kFiller).
    void SendFiller();
    // Reads and drops what arrives until the line has been quiet for `quietMs`, at most `limitMs`.
    void DiscardUntilQuiet(uint32_t quietMs, uint32_t limitMs);
    // After each pass: on a line silent since it opened, filler, then the bootloader's
    // identification order; a bootloader that answers is taken as hooked, with its job asked for.
    void LookForWaitingBootloader();
    void TakeWaitingBootloader(const QByteArray &identificationLine);
    enum class BootProbe : uint8_t { Off, Opened, Listening, Filled, Done };
    BootProbe m_bootProbe;
    uint32_t m_probeSince = 0;
    uint32_t m_probeHeard = 0;     // m_bytesHeard when the probe's current wait began
    uint32_t m_bytesHeard = 0;     // every byte read from the port
    uint32_t m_lettersHeard = 0;   // ... of them letters (an application's words)
    uint32_t m_probeLetters = 0;   // m_lettersHeard when the filler went out
    // This worker programmed part-way, or could not verify what it programmed: the controller is
    // never told to start, and waits in its bootloader until a verified run.
    bool m_firmwareIncomplete = false;
    // --- Image integrity and probes ---
    bool m_inDoubt = false;          // this read or upload met a byte the line cannot vouch for
    bool m_lookahead = false;        // a byte was waiting behind the last one taken
    uint8_t m_lookaheadByte = 0;
    bool m_announcedAfterEnd = false;  // the finished controller announced itself
    bool m_readAgainPending = false;   // the worker's own next job: the image read once more
    bool m_checkingUpload = false;     // the read is the check of an upload in doubt
    std::vector<std::array<uint8_t, TransferLength>> m_reads;  // earlier reads of this job in doubt
    int m_readAttempts = 0;  // reads of this job that ended in doubt or broke off
    std::array<uint8_t, TransferLength> m_uploaded{};          // the image an upload sent
    enum class Probe : uint8_t { None, Quiet, Answer };
    Probe m_probe = Probe::None;
    bool m_probeOnly = false;               // the probe identifies only: no restart follows
    std::atomic<bool> m_probeAnswered{false};
    uint32_t m_quietSince = 0;
};
