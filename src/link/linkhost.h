#pragma once
// What the link worker hands over to the user interface thread. The worker calls these through
// TCOMThread::RunOnUi, which runs them on the UI thread and waits; the worker itself never
// touches a widget.
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

    // Tells this host's link messages from those of another window (unique in the process).
    int LinkHostId() const { return m_linkHostId; }

private:
    int m_linkHostId;
};
