#pragma once
// The link message: a (code, value) pair the worker posts to the application, never sends, so it
// never waits for the user interface. The main window's AppMessage filter handles it.
#include <QEvent>
#include <cstdint>

namespace LinkCode {
constexpr int UploadFinished = 1;
constexpr int DownloadFinished = 2;
constexpr int ByteReceived = 251;
constexpr int ByteSent = 252;
constexpr int ReplaceWorker = 255;
}  // namespace LinkCode

class LinkMessageEvent : public QEvent {
public:
    LinkMessageEvent(int hostId, int workerId, int code, int value);
    static QEvent::Type EventType();

    int hostId() const { return m_hostId; }      // the window whose worker posted it
    int workerId() const { return m_workerId; }  // the worker that posted it
    int code() const { return m_code; }
    int value() const { return m_value; }

private:
    int m_hostId;
    int m_workerId;
    int m_code;
    int m_value;
};

// Posts the link message to the application object.
void PostLinkMessage(int hostId, int workerId, int code, int value);
