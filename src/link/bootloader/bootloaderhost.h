#pragma once
// What the bootloader programming needs from the link worker that runs it: the status line, the
// progress gauge, the hand-over of both to the window, the two finish boxes, and the return to
// the connected state after a failure. The link worker's firmware run implements it; tests record it.
#include <QString>

class BootloaderHost {
public:
    enum class Colour { Red, Green, Blue };

    virtual ~BootloaderHost() = default;
    virtual void SetStatusText(const QString &text) = 0;
    virtual void SetStatusColour(Colour colour) = 0;
    // Percent, 0 to 100.
    virtual void SetProgress(int percent) = 0;
    // Shows status text, colour and progress on the window and waits until it has.
    virtual void SyncStatus() = 0;
    // Modal information / error box with an OK button; returns when the user has closed it.
    virtual void ShowInfo(const QString &text) = 0;
    virtual void ShowError(const QString &text) = 0;
    // The link supervisor goes back to its connected state.
    virtual void ReturnToConnected() = 0;
};
