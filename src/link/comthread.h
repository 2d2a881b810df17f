#pragma once
// The link worker: the one thread that owns the serial port. Its body is the link supervisor, a
// state machine run every 10 ms (states in link/linkprotocol.h): it opens the port, waits for the
// controller to announce itself, acknowledges it and keeps the link alive, notices a lost line,
// and dispatches the front end's requests to the jobs that carry them out, each owning its state:
// the image transfer (TransferJob), the live test (LiveTest) and the firmware run in the
// bootloader (FirmwareRun). It reports to the user interface only through the hand-overs of
// LinkHost and posted link messages.
//
// The serial device and the millisecond clock are reached through a few virtual functions, so a
// test or fuzz target can derive a worker on a scripted line with a clock it moves itself, and
// drive it pass by pass without starting the thread.
#include "link/bytelink.h"
#include "link/firmwarerun.h"
#include "link/linkhost.h"
#include "link/linkprotocol.h"
#include "link/livetest.h"
#include "link/roundtrip.h"
#include "link/transferjob.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class PortLine;

// A failure inside the opening of the port, carrying the text the status line shows.
struct PortError {
    QString message;
};

class TCOMThread : public QThread, public ByteLink {
    Q_OBJECT
public:
    // Starts the thread at once; it opens "COM<port>" on its first pass, or `device` when one is
    // given (a device path that has no COM number).
    TCOMThread(LinkHost &owner, int port, QString device = {});
    // Destroy: asks the thread to stop and waits for it while serving its hand-overs to the UI
    // thread; the port is closed when the thread leaves its loop. Runs on the UI thread.
    ~TCOMThread() override;

    // UI thread: stores a request; has effect only while the link is Connected. True when it was
    // stored: the worker then takes it at its next pass.
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

    // The line's round trip: every limit that waits for the controller's answer grows by its
    // allowance (none on a local port).
    RoundTrip m_roundTrip;

private:
    // The jobs run inside the supervisor's pass, on its line, its clock and its status fields.
    friend class TransferJob;
    friend class LiveTest;
    friend class FirmwareRun;

    // Port access (comthread_port.cpp).
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
    // The port's line went away: over the network, the connection closed.
    void LoseConnection();
    void StepPortLost();

    // One pass of each supervisor state, with the link lock held (comthread_supervisor.cpp).
    void Step();
    void StepWaitingForLink();
    void StepBootHook();
    void StepBootIdentify();
    void StepConnected();
    void StepRestartPending();
    void StepProbe();
    void ProbeEnded(bool answered);
    // The announcement is answered: the front end or a job in doubt has more to do.
    bool AcknowledgeWanted() const;
    void TakeProductCode(uint8_t letter);
    void StopLink(const QString &text);
    // Writes a byte; a write the port refuses or does not complete ends the exchange under way
    // (a transfer as "... Failed on COM<n>", anything else as a port failure) and gives false.
    bool Send(uint8_t byte);
    // The last write expects no answer (an acknowledgement, a live command, a restart): what
    // comes next is no round trip.
    void NoAnswerAwaited() { m_answerAwaited = false; }
    // The limit `ms` of a wait for the controller's answer, on this line.
    uint32_t Answer(uint32_t ms) const { return ms + m_roundTrip.Allowance(); }

    // The bootloader around a firmware run (comthread_bootloader.cpp).
    // 'R' to the bootloader: the application is expected to announce itself.
    void StartApplication();
    // True when a bootloader that announced itself is to be left announcing (a run on it ended
    // without programming anything): it is not hooked, and it has shown it has no application.
    bool LeftAnnouncing();
    // The first order on a newly opened port, for a front end that asks for it.
    void StartApplicationFirst();
    // Filler that completes a packet the bootloader may hold half-received (Boot::kFiller).
    void SendFiller();
    // Reads and drops what arrives until the line has been quiet for `quietMs`, at most `limitMs`.
    void DiscardUntilQuiet(uint32_t quietMs, uint32_t limitMs);
    // After each pass: on a line silent since it opened, filler, then the bootloader's
    // identification order; a bootloader that answers is taken as hooked, with its job asked for.
    void LookForWaitingBootloader();
    void TakeWaitingBootloader(const QByteArray &identificationLine);
    // A bootloader named its chip: the firmware run follows.
    void StartFirmwareRun(const QByteArray &identificationLine);

    // Hand-overs to the UI thread; the worker waits for each. While it waits the link lock is
    // released, so a UI handler that takes it cannot deadlock with the worker.
    void RunOnUi(const std::function<void()> &call);
    void SyncStatus();
    void ShowError(const QString &text);
    void ShowInfo(const QString &text);

    void SetStatus(const QString &text, uint32_t colour);
    void SetStatusText(const QString &text) { m_statusText = text; }
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
    std::unique_ptr<PortLine> m_port;     // created, used and closed on the worker thread only
    uint32_t m_writtenAt = 0;         // when the last byte went out
    bool m_answerAwaited = false;     // ... and the next byte heard answers it
    bool m_deviceGone = false;            // the port reported its device gone during this pass
    uint32_t m_lastReceive = 0;
    uint32_t m_lastSend = 0;
    uint32_t m_lastAcknowledge = 0;  // when the last 'E' went out
    QString m_writeError;            // why the port refused the last write, in the system's words
    bool m_upgradeRequested = false;
    bool m_applicationStartPending = false;
    // A run programmed nothing: a returning bootloader is left announcing, and the status line
    // keeps the run's reason instead of "Waiting For Link".
    bool m_bootloaderDeclined = false;
    uint8_t m_requestByte = Request::None;  // the front end's request, or a live command's code
    std::mutex m_lock;                          // the link lock
    std::unique_lock<std::mutex> *m_pass = nullptr;  // the lock as the current pass holds it
    uint8_t m_state = LinkState::Start;
    int m_progress = 0;
    uint32_t m_linkTimer = 0;

    // The jobs.
    TransferJob m_transfer{*this};
    LiveTest m_liveTest{*this};
    FirmwareRun m_firmware;

    // Finding a controller that waits silently in its bootloader (comthread_bootloader.cpp).
    enum class BootProbe : uint8_t { Off, Opened, Listening, Filled, Done };
    BootProbe m_bootProbe;
    uint32_t m_probeSince = 0;
    uint32_t m_probeHeard = 0;     // m_bytesHeard when the probe's current wait began
    uint32_t m_bytesHeard = 0;     // every byte read from the port
    uint32_t m_lettersHeard = 0;   // ... of them letters (an application's words)
    uint32_t m_probeLetters = 0;   // m_lettersHeard when the filler went out
    // Whether the controller hears the tool: the upgrade's probe, or only the question.
    enum class Probe : uint8_t { None, Quiet, Answer };
    Probe m_probe = Probe::None;
    bool m_probeOnly = false;               // the probe identifies only: no restart follows
    std::atomic<bool> m_probeAnswered{false};
};
