#include "cli/clihistory.h"

#include "cli/clilink.h"

#include <cstdio>
#include <cstdlib>

namespace {
bool KeptThisRun = false;

void Kept(bool ok, const QString &error)
{
    if (ok) KeptThisRun = true;
    else std::fprintf(stderr, "quarntrim-cli: history not kept: %s\n", qPrintable(error));
}
}  // namespace

void KeepInHistory(const CliLink &link, HistoryKind direction, const CalImageBytes &image)
{
    QString error;
    Kept(HistoryStore().KeepImage(direction, link.Port().named, char(link.ProductLetter()), link.Banner(), image, link.Unit(), &error),
         error);
}

void KeepFirmwareInHistory(const CliLink &link, const QByteArray &hex)
{
    QString error;
    Kept(HistoryStore().KeepFirmware(hex, link.Banner(), link.Port().named, link.Unit(), &error), error);
}

int PushKeptHistory(int status)
{
    if (KeptThisRun && !HistoryStore().Remote().isEmpty()) {
        const HistoryStore store;
        QString error;
#ifdef Q_OS_WIN
        // Here libgit2 bounds its own waits (1.7 and later): the push runs on this thread, each
        // wait bounded, and nothing is left running as the program ends.
        const SyncResult result = HistoryStore(store.Folder()).Sync(&error, ExitPushWaitMs);
#else
        const SyncResult result = HistoryStore::SyncWithin(store.Folder(), ExitPushWaitMs, &error);
#endif
        if (result != SyncResult::InStep)
            std::fprintf(stderr, "quarntrim-cli: history kept here, not yet on the server (history sync sends it): %s\n", qPrintable(error));
    }
    if (HistoryStore::SyncGoingOn()) {
        // The push left running holds no exit: what it did not send, the next sync sends.
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
    }
    return status;
}
