#pragma once
// The Brennic (grabber arm) page: tab set `TabbedNotebook2`. Trim groups with live test buttons,
// the PWM frequency, timings, ratios, cushions, acceleration and deceleration ramps, "Shake Can"
// and two option boxes. The loader is the Brennic branch of ImageToControls; every control's
// handler stores its value into the image at once.
#include "core/catalog/brennic_tables.h"
#include "ui/pages/brennic/pagewidgets.h"
#include "ui/pages/productpage.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

class BrennicPage : public ProductPage {
    Q_OBJECT
public:
    explicit BrennicPage(EditorHost &host, QWidget *parent = nullptr);

    void LoadImage() override;
    void StartUp() override;

    // Trim bars: the moved side takes the bar's trim; its partner follows so min <= max.
    void TrimBarChange(int group, bool maxSide);
    // Test buttons: a press drives the group's output at its min or max trim; any release stops.
    void TestButtonMouseDown(int group, bool maxSide);
    void ButtonMouseUp();

    void ScrollBar17Change();
    void ValueBarChange(int bar);
    void RampSpinChange(int ramp, bool laps);
    void SpinEdit17Change();
    void FlagBoxClick(int box);

private:
    struct TrimControls {
        QScrollBar *minBar = nullptr, *maxBar = nullptr;
        QLabel *minLabel = nullptr, *maxLabel = nullptr;
    };
    struct RampControls {
        QSpinBox *rate = nullptr, *laps = nullptr;
        QLabel *percent = nullptr;
    };

    void BuildTrimGroup(int group);
    void BuildTrimNote(QWidget *tab);
    void BuildMainTab();
    void BuildShakeCount();
    void BuildValueBar(int bar);
    void BuildRampGroup(int ramp);
    void LoadTrims();
    void LoadValueBars();
    void LoadRamps();
    void LoadFlagBoxes();
    void ShowRampPercent(int ramp);

    QTabWidget *TabbedNotebook2 = nullptr;
    QWidget *m_tabs[Brennic::TabCount] = {};

    QScrollBar *ScrollBar17 = nullptr;
    QLabel *Label230 = nullptr;
    QSpinBox *SpinEdit17 = nullptr;
    TrimControls m_trims[Brennic::TrimGroupCount];
    QScrollBar *m_bars[Brennic::ValueBarCount] = {};
    QLabel *m_barLabels[Brennic::ValueBarCount] = {};
    int m_barPartner[Brennic::ValueBarCount] = {};
    RampControls m_ramps[Brennic::RampGroupCount];
    QCheckBox *m_flags[Brennic::FlagBoxCount] = {};
};
