#pragma once
// The real main window on the wire: the emulator as a controller of a chosen product, the window
// connected to it, images a product page shows without changing them, and the live-command
// pairs the tool sent, read back from the emulator's record of the line.
#include "core/calimage.h"
#include "support/simlink.h"
#include "support/testsupport.h"

#include <QString>

#include <memory>
#include <vector>

class QWidget;
class TQuarnForm;

// The offsets where two images differ, with both values, for a readable failure.
QString ImageDifferences(const CalImageBytes &a, const CalImageBytes &b);

// Emulator options for a controller of `product` whose application starts at once.
SimOptions ControllerOf(char product);

// `raw` as the page of `product` leaves it once shown (reloaded until it stops changing), worked
// out in a main window that has no controller. Loading such an image changes nothing, so after a
// download the window's image must equal the controller's byte for byte.
CalImageBytes ShownImage(uint8_t product, const CalImageBytes &raw);

// The main window on the emulator's COM number, once the first download has been confirmed by
// its "Download Successful!" box (nullptr when none came).
std::unique_ptr<TQuarnForm> ConnectedWindow(SimOnCom &sim, ModalAnswerer &boxes);

// Waits until `text` has been shown in `count` boxes in all.
bool WaitForBoxes(const ModalAnswerer &boxes, const QString &text, int count, int timeoutMs = WaitDeadlineMs);

// Waits until the worker is connected, the line has been quiet for a moment and the next
// keep-alive is at least a second away, so a request or a press made now is taken (one made
// during the keep-alive round trip is dropped, as designed). Call it while no stream runs.
bool WaitReadyForRequest(SimOnCom &sim, TQuarnForm &form, int timeoutMs = WaitDeadlineMs);

// Brings every tab that holds `control` to the front, as the user would before using it.
void BringToFront(QWidget *control);

// The tool's bytes on the line read as live-command pairs.
struct LivePair {
    uint32_t tick;  // when the emulator read the level byte
    int code;
    int level;
};
// False when the bytes are not whole pairs, all with the command code `code` (a keep-alive 0xFF
// or a request in between breaks the pattern).
bool ReadLivePairs(const std::vector<WireByte> &toolBytes, int code, std::vector<LivePair> &pairs);
