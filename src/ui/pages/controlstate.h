#pragma once
// The values a page's controls hold, kept once as the window starts and put back before every
// image is shown. Showing moves controls from where they stood and lets their handlers store
// what they show; starting each show from the same places makes what it stores depend on the
// image and the product alone, not on what was shown before or where the technician left a bar.
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

class ControlState {
public:
    // Takes the values of every slider, spin box, check box, radio button, edit box and drop-down
    // under `root`.
    void Capture(QWidget *root);
    // Puts them back without running any handler.
    void Restore() const;

private:
    struct Entry {
        QPointer<QWidget> control;
        int value = 0, minimum = 0, maximum = 0;
        bool checked = false;
        QString text;
    };
    std::vector<Entry> m_entries;
};
