// The firmware upgrade's calls from the bootloader states: chip identification, the choice of the
// firmware file on the UI thread, and the programming run. The run itself belongs to the worker's
// Bootloader; the worker is its host, so what it shows goes through the worker's status fields
// and hand-overs like everything else the link reports.
#include "link/comthread.h"

void TCOMThread::IdentifyDevice(const QByteArray &line) { m_bootloader.IdentifyDevice(line); }

void TCOMThread::SelectFirmwareFile()
{
    QString chosen;
    RunOnUi([this, &chosen] { chosen = m_owner.SelectFirmwareFile(); });
    m_firmwareFileName = chosen;
}

bool TCOMThread::ProgramFlash(const QString &fileName) { return m_bootloader.ProgramFlash(fileName); }

void TCOMThread::SetStatusColour(Colour colour)
{
    switch (colour) {
    case Colour::Red: m_statusColour = LinkColor::Red; break;
    case Colour::Green: m_statusColour = LinkColor::Green; break;
    case Colour::Blue: m_statusColour = LinkColor::Blue; break;
    }
}

void TCOMThread::SetProgress(int percent) { m_progress = percent; }

void TCOMThread::ShowInfo(const QString &text)
{
    m_messageBoxText = text;
    ShowInfo();
}

void TCOMThread::ShowError(const QString &text)
{
    m_messageBoxText = text;
    ShowError();
}

void TCOMThread::ReturnToConnected() { m_state = LinkState::Connected; }
