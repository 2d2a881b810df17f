#pragma once
// The Horner CsCAN page: tab set `TabbedNotebook3`. The "Global" tab holds the PWM frequency,
// the bus bit rate, the three output ports (network ID, active) and the connector pin-out; the
// port tabs hold the ramp of each output. The loader is the CsCAN branch of ImageToControls;
// every handler stores its value into the image at once and none reloads the page.
#include "core/catalog/cscan_tables.h"
#include "ui/pages/brennic/pagewidgets.h"
#include "ui/pages/productpage.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QScrollBar;
class QTabWidget;

class CsCanPage : public ProductPage {
    Q_OBJECT
public:
    explicit CsCanPage(EditorHost &host, QWidget *parent = nullptr);

    void LoadImage() override;
    void StartUp() override;

    void ScrollBar32Change();
    void RadioButtonClick(int rate);
    void PortActiveClick(int port);
    void PortIdChange(int port);
    // Output ramp bar k (0..39): even k a step time, odd k a step size.
    void OutputBarChange(int k);

private:
    void BuildGlobalTab();
    void BuildOutputGroup(int output);

    QTabWidget *TabbedNotebook3 = nullptr;
    QWidget *m_tabs[CsCan::TabCount] = {};
    QScrollBar *ScrollBar32 = nullptr;
    QLabel *Label294 = nullptr;
    QRadioButton *m_rates[Off::CsCan::BitRateCount] = {};
    QScrollBar *m_idBars[Off::CsCan::PortCount] = {};
    QLabel *m_idLabels[Off::CsCan::PortCount] = {};
    QCheckBox *m_active[Off::CsCan::PortCount] = {};
    QScrollBar *m_outputBars[CsCan::OutputBarCount] = {};
    QLabel *m_outputLabels[CsCan::OutputBarCount] = {};
};
