#pragma once
// One page of the product page stack. Each variant's page loads the image into its controls
// (its branch of ImageToControls) and its handlers write the controls back into the image.
#include "ui/pages/controlstate.h"

#include <QWidget>

class EditorHost;

class ProductPage : public QWidget {
    Q_OBJECT
public:
    ProductPage(EditorHost &host, QWidget *parent = nullptr) : QWidget(parent), m_host(host) {}

    // This page's branch of ImageToControls; runs with the update latch set.
    virtual void LoadImage() {}
    // Start-up selections (first tab, first list entries) made before the first load.
    virtual void StartUp() {}
    // Controls that the image defaults put back (the Quarn float-port drop-downs).
    virtual void ResetDefaults() {}

    // The controls as they stand once the window has started, and putting them back there before
    // an image is shown, so that every show starts from the same places.
    void CaptureStartState() { m_startState.Capture(this); }
    void RestoreStartState() const { m_startState.Restore(); }

protected:
    EditorHost &host() const { return m_host; }

private:
    EditorHost &m_host;
    ControlState m_startState;
};
