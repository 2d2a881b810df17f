// The firmware upgrade's calls from the bootloader states: chip identification, the choice of
// the firmware file and the programming run. Until the bootloader programming lands these are
// placeholders: no chip table, the file chosen on the UI thread, and a programming run that
// reports failure.
#include "link/comthread.h"

void TCOMThread::IdentifyDevice(const QByteArray &) {}

void TCOMThread::SelectFirmwareFile()
{
    QString chosen;
    RunOnUi([this, &chosen] { chosen = m_owner.SelectFirmwareFile(); });
    m_firmwareFileName = chosen;
}

bool TCOMThread::ProgramFlash(const QString &)
{
    SetStatus(QStringLiteral("Upload failed!"), LinkColor::Red);
    m_state = LinkState::Connected;
    return false;
}
