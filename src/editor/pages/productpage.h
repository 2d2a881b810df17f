#pragma once
// One page of the product page stack. Each variant's page loads the image into its controls
// (its branch of ImageToControls) and its handlers write the controls back into the image.
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

protected:
    EditorHost &host() const { return m_host; }

private:
    EditorHost &m_host;
};
