#pragma once
// The system asking the window's program to end: SIGTERM, and SIGHUP (its terminal or session
// gone), on Linux; the end of the session (log-off, shut-down), which Qt turns into aboutToQuit,
// on Windows. The program then ends along the window's ordinary path, so the link worker lets go
// of the controller (starting an application a bootloader run left waiting) before it exits.
#include <QObject>

#include <functional>

class QSocketNotifier;

class EndRequestWatcher : public QObject {
public:
    // `end` runs on the UI thread, from the event queue, at each request.
    explicit EndRequestWatcher(std::function<void()> end, QObject *parent = nullptr);
    ~EndRequestWatcher() override;

private:
    std::function<void()> m_end;
    QSocketNotifier *m_notifier = nullptr;
};
