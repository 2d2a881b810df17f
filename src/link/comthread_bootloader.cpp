// The supervisor's side of the bootloader: starting the application, leaving a declined
// bootloader announcing, clearing a half-received packet, and finding a controller that waits
// silently in its bootloader.
//
// Finding a controller that waits silently in its bootloader: a program hooked it and never gave
// it an order (it was killed, or it left a program incomplete on purpose). Such a controller says
// nothing on its own, so a front end that can program it (the window, flash) asks: when the line
// has stayed silent since it opened, filler clears any half-received packet and asks an
// application for its product code; if nothing answers that either, the bootloader is asked to
// name its chip, and one that does is taken as hooked, its firmware job asked for.
#include "link/comthread.h"

#include "link/bootloader/bootprotocol.h"

void TCOMThread::LookForWaitingBootloader()
{
    if (m_bootProbe == BootProbe::Off || m_bootProbe == BootProbe::Done) return;
    std::unique_lock<std::mutex> pass(m_lock);
    m_pass = &pass;
    if (m_state != LinkState::WaitingForLink) {
        // An application or a bootloader announced itself: the supervisor takes it from here.
        m_bootProbe = BootProbe::Done;
    } else if (m_bootProbe != BootProbe::Filled && (m_bootProbe == BootProbe::Opened || m_bytesHeard != m_probeHeard)) {
        // The silence counts from the last byte: a late answer to an earlier program, or noise.
        m_probeSince = Now();
        m_probeHeard = m_bytesHeard;
        m_bootProbe = BootProbe::Listening;
    } else if (m_bootProbe == BootProbe::Listening && Now() - m_probeSince >= Boot::kProbeSilenceMs) {
        SendFiller();
        m_probeSince = Now();
        m_probeLetters = m_lettersHeard;
        m_bootProbe = BootProbe::Filled;
    } else if (m_bootProbe == BootProbe::Filled && m_lettersHeard != m_probeLetters) {
        // Something that speaks in letters answered the filler: no bootloader's order goes to it.
        m_bootProbe = BootProbe::Done;
    } else if (m_bootProbe == BootProbe::Filled && Now() - m_probeSince >= Answer(Boot::kFillerLineMs + Boot::kProbeAnswerMs)) {
        // Silence, or only a bootloader's refusal of the packet the filler completed.
        m_bootProbe = BootProbe::Done;
        QByteArray line;
        if (Send(Wire::Identify) && ReadLine(line)) TakeWaitingBootloader(line);
    }
    m_pass = nullptr;
}

void TCOMThread::TakeWaitingBootloader(const QByteArray &identificationLine)
{
    // As after a hook with an upgrade requested: the line names the chip, and the job follows.
    m_upgradeRequested = true;
    StartFirmwareRun(identificationLine);
}

void TCOMThread::StartApplication()
{
    m_applicationStartPending = true;
    WriteByte(Wire::Restart);
    ResetLinkTimer();
    m_state = LinkState::WaitingForLink;
}

bool TCOMThread::LeftAnnouncing()
{
    if (!m_bootloaderDeclined) return false;
    m_applicationStartPending = false;
    return true;
}

void TCOMThread::StartApplicationFirst()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_state != LinkState::WaitingForLink) return;
    // A bootloader hooked earlier and left waiting says nothing, and may hold half a packet: the
    // filler completes it as one it refuses, so the order after it is read as one. A running
    // application answers the filler with its product code: those answers are let land and
    // dropped, and the order then restarts it through its bootloader as after a power-up.
    SendFiller();
    DiscardUntilQuiet(Answer(LinkTime::SettleMs), Answer(Boot::kFillerLineMs + Boot::kProbeAnswerMs));
    WriteByte(Wire::Restart);
    ResetLinkTimer();
}

void TCOMThread::SendFiller()
{
    for (int i = 0; i < Boot::kFillerBytes; ++i)
        if (!WriteByte(Boot::kFiller)) return;
}

void TCOMThread::DiscardUntilQuiet(uint32_t quietMs, uint32_t limitMs)
{
    const uint32_t start = Now();
    uint32_t lastByte = start;
    uint8_t byte = 0;
    while (Now() - start < limitMs) {
        if (ReadByte(byte)) lastByte = Now();
        else if (Now() - lastByte >= quietMs) return;
        else Pause(Boot::kPollIntervalMs);
    }
}
