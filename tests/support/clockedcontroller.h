#pragma once
// A controller's application on a stepped line's clock: it announces itself until acknowledged,
// answers 0xFF with its letter, sends its image on 'F' and takes one on 'H', each byte at its own
// pace after the byte before, and announces itself after every transfer. It may check the echoes
// of its image (and abandon a download on a wrong one), trust them, or stream its image without
// waiting for them. Faults of the line or of the controller are injected at a chosen image byte.
// Header-only so that the fuzz targets can use it too.
#include "core/calimage.h"
#include "link/linkprotocol.h"
#include "support/steppedlink.h"

#include <QByteArray>

#include <cstdint>

class ClockedController {
public:
    enum class Kind { ChecksEchoes, TrustsEchoes, Streams };
    enum class Fault { None, Insert, Double, Drop, Reset };

    ClockedController(SteppedLink &link, Kind kind, uint32_t paceMs, uint32_t latencyMs = 0)
        : m_link(link), m_kind(kind), m_pace(paceMs), m_latency(latencyMs)
    {
        link.SetPeer([this](uint8_t byte) {
            Hear(byte);
            return QByteArray();
        });
        link.SetTicker([this] { Tick(); });
    }

    CalImageBytes image{};  // what the controller holds
    uint8_t letter = 'j';
    bool deaf = false;      // hears nothing the tool sends
    int downloads = 0;      // images sent whole and echoed
    int uploads = 0;        // images taken whole
    int reads = 0;          // 'F's heard

    // The next transfer meets `fault` at image byte `at` (a noise byte `noise` landing `leadMs`
    // before it, the byte doubled, dropped, or the controller restarting instead of sending it).
    void Arm(Fault fault, int at, uint8_t noise = 0, uint32_t leadMs = 0)
    {
        m_fault = fault;
        m_faultAt = at;
        m_noise = noise;
        m_lead = leadMs;
    }

    // Switched on: the application announces itself.
    void PowerUp() { Announce(0); }

private:
    enum class Mode { Application, Download, Stream, Upload, Abandoned };
    static constexpr uint32_t AbandonMs = 5000;   // a transfer without a byte from the tool this long ends
    static constexpr uint32_t BootWaitMs = 400;   // after a restart its bootloader waits this long

    uint32_t Reply() const { return m_pace + 2 * m_latency; }
    void Put(uint32_t delayMs, uint8_t byte) { m_link.ArriveIn(delayMs, QByteArray(1, char(byte))); }

    void Announce(uint32_t delayMs)
    {
        Put(delayMs, letter);
        m_announcing = true;
        m_connected = false;
        m_nextAnnounce = m_link.Now() + delayMs + LinkTime::AnnouncePeriodMs;
    }

    void Hear(uint8_t byte)
    {
        if (deaf) return;
        m_lastHeard = m_link.Now();
        switch (m_mode) {
        case Mode::Application: return HearApplication(byte);
        case Mode::Download:
            if (m_kind == Kind::ChecksEchoes && byte != image[m_index - 1]) {
                // A wrong echo: this controller abandons the download, silent until the tool
                // has been quiet for its patience, and then announces itself.
                m_mode = Mode::Abandoned;
                return;
            }
            if (m_index == CalImageSize) return Finish(&downloads);
            return SendImageByte(Reply());
        case Mode::Stream:
            if (++m_echoes == CalImageSize) Finish(&downloads);
            return;
        case Mode::Abandoned: return;
        case Mode::Upload:
            m_incoming[m_index] = byte;
            Deliver(m_index, byte, Reply());
            if (++m_index == CalImageSize) {
                image = m_incoming;
                Finish(&uploads, Reply());
            }
            return;
        }
    }

    void HearApplication(uint8_t byte)
    {
        switch (byte) {
        case Wire::Attention: return Announce(2 * m_latency);
        case Wire::Acknowledge:
            m_connected = true;
            m_announcing = false;
            return;
        case Wire::GetImage:
            ++reads;
            m_announcing = false;
            m_index = 0;
            if (m_kind != Kind::Streams) {
                m_mode = Mode::Download;
                return SendImageByte(Reply());
            }
            m_mode = Mode::Stream;
            m_echoes = 0;
            for (int k = 0; k < CalImageSize && m_mode == Mode::Stream; ++k)
                Deliver(k, image[k], Reply() + uint32_t(k) * std::max<uint32_t>(m_pace, 2));
            return;
        case Wire::SendImage:
            m_announcing = false;
            m_index = 0;
            m_mode = Mode::Upload;
            return Put(Reply(), Wire::ImageReady);
        default: return;
        }
    }

    void SendImageByte(uint32_t delayMs)
    {
        const int k = m_index++;
        Deliver(k, image[k], delayMs);
    }

    // Byte k of a transfer on its way to the tool, meeting the armed fault.
    void Deliver(int k, uint8_t byte, uint32_t delayMs)
    {
        const Fault fault = k == m_faultAt ? m_fault : Fault::None;
        if (fault != Fault::None) m_fault = Fault::None;
        switch (fault) {
        case Fault::None: return Put(delayMs, byte);
        case Fault::Insert:
            Put(delayMs > m_lead ? delayMs - m_lead : 0, m_noise);
            return Put(delayMs, byte);
        case Fault::Double:
            Put(delayMs, byte);
            return Put(delayMs + 1, byte);
        case Fault::Drop: return;
        case Fault::Reset:
            // Restarted: its bootloader announces itself, waits in vain, and the application starts.
            m_mode = Mode::Application;
            Put(delayMs, Wire::BootAnnounce);
            return Announce(delayMs + BootWaitMs);
        }
    }

    void Finish(int *count, uint32_t delayMs = 0)
    {
        ++*count;
        m_mode = Mode::Application;
        Announce(delayMs);
    }

    void Tick()
    {
        const uint32_t now = m_link.Now();
        if (m_mode != Mode::Application && now - m_lastHeard > AbandonMs) {
            m_mode = Mode::Application;
            Announce(0);
        }
        if (m_mode == Mode::Application && m_announcing && int32_t(now - m_nextAnnounce) >= 0) {
            Put(0, letter);
            m_nextAnnounce = now + LinkTime::AnnouncePeriodMs;
        }
    }

    SteppedLink &m_link;
    const Kind m_kind;
    const uint32_t m_pace;
    const uint32_t m_latency;
    Mode m_mode = Mode::Application;
    bool m_announcing = false;
    bool m_connected = false;
    uint32_t m_nextAnnounce = 0;
    uint32_t m_lastHeard = 0;
    int m_index = 0;
    int m_echoes = 0;
    CalImageBytes m_incoming{};
    Fault m_fault = Fault::None;
    int m_faultAt = -1;
    uint8_t m_noise = 0;
    uint32_t m_lead = 0;
};
