// Until the emulated bootloader's programming arrives, the bootloader beyond its hook answers
// nothing; it starts the application on 'R' when it has one.
#include "sim_peer.h"

#include "link/linkprotocol.h"

namespace {
class StubBootloaderPeer : public BootloaderPeer {
public:
    explicit StubBootloaderPeer(bool hasFirmware) : m_hasFirmware(hasFirmware) {}
    QByteArray Receive(uint8_t byte) override
    {
        m_start = byte == Wire::Restart;
        return {};
    }
    bool HasFirmware() const override { return m_hasFirmware; }
    bool StartApplicationRequested() const override { return m_start; }
    void Reset() override { m_start = false; }

private:
    bool m_hasFirmware;
    bool m_start = false;
};
}  // namespace

std::unique_ptr<BootloaderPeer> MakeBootloaderPeer(const SimOptions &options)
{
    return std::make_unique<StubBootloaderPeer>(!options.noFirmware);
}
