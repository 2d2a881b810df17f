#pragma once
// What a product page needs from the main window: the loader, the live-test requests and the help
// window. The pages never reach the link worker or the other pages directly.
#include <cstdint>

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // Brings the visible page into line with the product code and the image (returns at once when
    // a load is already running).
    virtual void ImageToControls(bool fromLink) = 0;
    // True while ImageToControls runs: a handler moved by the loader stores its value and stops.
    virtual bool Loading() const = 0;

    // Live valve test: a press starts streaming (code, level) and stamps the press time; the
    // immediate release ends the stream at once; the zero-level release streams (code, 0) until
    // the next timer tick.
    virtual void TestPress(uint8_t code, uint8_t level) = 0;
    virtual void TestReleaseImmediate() = 0;
    virtual void TestReleaseZeroLevel(uint8_t code) = 0;

    virtual void ShowHelp() = 0;
};
