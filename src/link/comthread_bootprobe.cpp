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
    SetStatus(QString::fromLatin1(identificationLine).trimmed(), LinkColor::Green);
    m_state = LinkState::FirmwareInstall;
    SyncStatus();
    IdentifyDevice(identificationLine);
}
