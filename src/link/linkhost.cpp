#include "link/linkhost.h"

#include <atomic>

namespace {
std::atomic<int> nextLinkHostId{1};
}

LinkHost::LinkHost() : m_linkHostId(nextLinkHostId++) {}

bool LinkHost::KeepFirmwareBackup(const QByteArray &, QString *error)
{
    if (error) *error = QStringLiteral("No place to keep the firmware backup");
    return false;
}

void LinkHost::FirmwareRunEnded(FirmwareOutcome, const QString &) {}
