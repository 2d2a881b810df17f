#pragma once
// What a product page needs from the main window: the loader, the live-test requests and the help
// window. The pages never reach the link worker or the other pages directly.
#include "core/calimage.h"

#include <QByteArray>

#include <cstdint>

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // Brings the visible page into line with the product code and the image (returns at once when
    // a load is already running): `fromLink`, a new image in memory, shown through the page's
    // rules; otherwise a reload after an edit.
    virtual void ImageToControls(bool fromLink) = 0;
    // True while ImageToControls runs: a handler moved by the loader stores its value and stops.
    virtual bool Loading() const = 0;

    // A control's edit: the field whose first byte is `offset` set to the byte(s) the control
    // stores, through the field's rules (its pair, its dependents), then the page brought into
    // line. False, and nothing stored, when the control could not store them.
    bool EditField(int offset, const QByteArray &bytes);
    bool EditByte(int offset, int byte);
    // Several controls set at once: every field whose bytes differ from `target` (see
    // Catalogue::EditFields).
    bool EditFields(const CalImageBytes &target);

    // Live valve test: a press starts streaming (code, level) and stamps the press time; the
    // immediate release ends the stream at once; the zero-level release streams (code, 0) until
    // the next timer tick.
    virtual void TestPress(uint8_t code, uint8_t level) = 0;
    virtual void TestReleaseImmediate() = 0;
    virtual void TestReleaseZeroLevel(uint8_t code) = 0;

    virtual void ShowHelp() = 0;
};
