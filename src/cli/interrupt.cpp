#include "cli/interrupt.h"

#include <QtGlobal>

#include <atomic>
#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>

#include <mutex>
#include <thread>
#endif

namespace {

volatile std::sig_atomic_t caught = 0;

#ifdef Q_OS_WIN
constexpr int kSignals[] = {SIGINT, SIGTERM};
#else
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
#endif

extern "C" void Note(int signal)
{
    caught = signal;
    // Only the first one waits for the controller to be released.
    std::signal(signal, SIG_DFL);
}

#ifdef Q_OS_WIN
// The system ends the program as soon as a console close or end-of-session handler returns (and
// after five seconds at most): the handler waits until the command has released the controller.
std::atomic<bool> catching{false};
constexpr DWORD kReleaseWaitMs = 4500;
constexpr DWORD kReleasePollMs = 10;

void NoteAndWaitForRelease()
{
    if (!catching) return;
    caught = SIGTERM;
    for (DWORD waited = 0; catching && waited < kReleaseWaitMs; waited += kReleasePollMs) Sleep(kReleasePollMs);
}

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    switch (event) {
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: NoteAndWaitForRelease(); return TRUE;
    default: return FALSE;   // Ctrl+C and Ctrl+Break reach the C runtime's SIGINT
    }
}

// Once the window system is loaded (Qt loads it), a console program no longer hears log-off or
// shut-down through its console handler: a hidden top-level window's end-of-session message does.
LRESULT CALLBACK OnSessionMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYENDSESSION) return TRUE;
    if (message == WM_ENDSESSION) {
        if (wParam) NoteAndWaitForRelease();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WatchSessionEnd()
{
    static std::once_flag once;
    std::call_once(once, [] {
        std::thread([] {
            WNDCLASSW type{};
            type.lpfnWndProc = OnSessionMessage;
            type.hInstance = GetModuleHandleW(nullptr);
            type.lpszClassName = L"QuarnTrimCliSession";
            RegisterClassW(&type);
            // Not a message-only window: those hear no broadcast, and the end of a session is one.
            CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr, type.hInstance, nullptr);
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        }).detach();
    });
}
#endif

}  // namespace

namespace CliInterrupt {

void Catch()
{
    caught = 0;
    for (int signal : kSignals) std::signal(signal, Note);
#ifdef Q_OS_WIN
    catching = true;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    WatchSessionEnd();
#endif
}

void Release()
{
    for (int signal : kSignals) std::signal(signal, SIG_DFL);
#ifdef Q_OS_WIN
    catching = false;
#endif
}

int Caught() { return caught; }

int ExitStatus(int signal) { return 128 + signal; }

}  // namespace CliInterrupt
