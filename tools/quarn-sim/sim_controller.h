#pragma once
// The controller emulator's engine: one controller (its application and the hook of its
// bootloader) on a pseudo-terminal, run on its own thread. The tests use it in-process; quarn-sim
// wraps it in a command line.
#include "core/calimage.h"
#include "bootloader_peer.h"
#include "sim_options.h"
#include "sim_pty.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// One byte on the line, as the emulator saw it go by.
struct WireByte {
    uint32_t tick;  // TickCount() when read from or written to the line
    bool fromTool;
    uint8_t byte;
};

class SimController {
public:
    explicit SimController(SimOptions options = {});
    ~SimController();
    SimController(const SimController &) = delete;
    SimController &operator=(const SimController &) = delete;

    // Opens the pseudo-terminal, loads the image and starts the engine thread.
    bool Start(QString &error);
    // Switches the controller off and on again: it comes up through its bootloader. `change`, when
    // given, is applied to the options in the same instant on the engine thread, so nothing the
    // controller queued before the power cycle goes out under the new options.
    void PowerCycle(std::function<void(SimOptions &)> change = {});
    // Stops the thread and closes the line: the tool sees the device vanish.
    void Stop();
    QString DevicePath() const { return m_pty.DevicePath(); }

    // The bootloader beyond its hook (not owned). Set it before Start; without one the emulator
    // makes its own with MakeBootloaderPeer (sim_peer.h).
    void SetBootloaderPeer(BootloaderPeer *peer);
    // Every log line goes here (default: nowhere).
    void SetLogSink(std::function<void(const QString &)> sink);
    // Changes options while running (faults for the next exchange, for example).
    void UpdateOptions(const std::function<void(SimOptions &)> &change);

    // What went over the line, for the tests.
    std::vector<WireByte> WireLog() const;
    void ClearWire();
    CalImageBytes Image() const;
    void SetImage(const CalImageBytes &image);
    int UploadsCompleted() const;
    int DownloadsCompleted() const;
    // Live command pairs received since the start.
    int LivePairs() const;

private:
    enum class Mode { Application, Upload, Download, BootHook, BootOrder, BootPeer };
    using Clock = std::chrono::steady_clock;

    void Run();
    void HandleByte(uint8_t byte);
    void HandleApplicationByte(uint8_t byte);
    void HandleUploadByte(uint8_t byte);
    void HandleDownloadByte(uint8_t byte);
    void HandleBootByte(uint8_t byte);
    void OnTimers();
    void Announce();
    void PowerUp();
    void EnterBootloader(const char *why);
    void StartApplication();
    void SendNextDownloadByte();
    void FinishTransfer(const char *what);
    SimOptions Options() const;
    void Record(bool fromTool, uint8_t byte);
    void EndLiveCommand();

    void Hear(uint8_t byte);      // a byte from the tool, acted on once the line has carried it
    void HearWaiting(int waitMs); // hears what the tool has written, waiting at most waitMs for it
    void HandleDueInput();
    void Send(uint8_t byte, int delayMs = 0);
    void SendBytes(const QByteArray &bytes);
    void FlushDueOutput();
    void Log(const QString &line);
    int64_t NowUs() const;     // real time since the start: the line's pacing and the log
    uint32_t NowMs() const;    // the controller's timer: its time limits and schedules
    void AdvanceTimer();
    bool LoadImageFile(QString &error);
    void SaveUploadedImage();

    SimOptions m_options;
    PseudoTerminal m_pty;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_powerCycle{false};
    BootloaderPeer *m_peer = nullptr;
    std::unique_ptr<BootloaderPeer> m_ownPeer;  // the one made when none was set
    std::function<void(const QString &)> m_logSink;
    Clock::time_point m_started = Clock::now();
    int64_t m_lastTurnUs = 0;
    int64_t m_timerUs = 0;

    // Shared with the observers: guarded by m_mutex.
    mutable std::mutex m_mutex;
    std::vector<WireByte> m_wire;
    std::function<void(SimOptions &)> m_powerCycleChange;
    CalImageBytes m_image{};
    int m_uploads = 0;
    int m_downloads = 0;
    int m_livePairs = 0;

    // Engine-thread state.
    struct Outgoing {
        uint8_t byte;
        int64_t dueUs;
    };
    std::deque<Outgoing> m_output;
    int64_t m_lineFreeUs = 0;
    std::deque<Outgoing> m_input;  // bytes from the tool, with the time they have fully arrived
    int64_t m_inputFreeUs = 0;
    Mode m_mode = Mode::Application;
    bool m_connected = false;
    bool m_announcing = false;
    uint32_t m_nextAnnounceMs = 0;
    uint32_t m_lastFromToolMs = 0;
    int m_liveCode = -1;          // a code waiting for its level
    int m_activeOutput = -1;      // the output a live command drives
    int m_activeLevel = -1;
    int m_activePairs = 0;
    uint32_t m_lastPairMs = 0;
    int m_transferIndex = 0;
    bool m_transferHalted = false;
    CalImageBytes m_incoming{};
    uint32_t m_bootDeadlineMs = 0;
    uint32_t m_garbageSeed = 1;
};
