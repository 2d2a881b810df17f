#pragma once
// A bootloader host that remembers what the user would have seen: every status text with its
// colour at the time, the progress steps, how often the window was refreshed, and the boxes.
#include "link/bootloader/bootloaderhost.h"

#include <QList>
#include <QStringList>

class RecordingHost : public BootloaderHost {
public:
    void SetStatusText(const QString &text) override { statusTexts << text; }
    void SetStatusColour(Colour c) override { colour = c; }
    void SetProgress(int percent) override { progress << percent; }
    void SyncStatus() override { ++syncs; }
    void ShowInfo(const QString &text) override { infoBoxes << text; }
    void ShowError(const QString &text) override { errorBoxes << text; }
    void ReturnToConnected() override { ++returnsToConnected; }

    QString LastStatus() const { return statusTexts.isEmpty() ? QString() : statusTexts.back(); }

    QStringList statusTexts;
    Colour colour = Colour::Green;
    QList<int> progress;
    int syncs = 0;
    QStringList infoBoxes;
    QStringList errorBoxes;
    int returnsToConnected = 0;
};
