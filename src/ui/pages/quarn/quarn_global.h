#pragma once
// The "Global" tab of the Quarn page: PWM frequency, global trims with "Set All Trims", the valve
// type list, the stick safety and its sensitivity, and the blade-up, start-up and auto-blade
// settings. The option boxes of this tab are built with their groups (cartridge port, flags).
#include <QObject>

class QuarnPage;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;

class QuarnGlobal : public QObject {
    Q_OBJECT
public:
    explicit QuarnGlobal(QuarnPage &page);

    void Build();
    void StartUp();

    // Loader steps of this tab.
    void LoadFrequency();
    void LoadGlobalTrimBars();  // global trim bars and the stick safety sensitivity
    void LoadStickSafety();
    void LoadGlobalTrimLabels();
    void LoadAutoBladePort();
    void LoadBladeUpTime();
    void LoadStartupDelay();

    // The stick safety can be switched on but not off from the page: ticks and greys the box.
    void LockStickSafetyOn();

    // Handlers
    void FreqScrollbarChange(int position);
    void GlobalMinScrollBarChange(int position);
    void GlobalMaxScrollbarChange(int position);
    void GlobalButtonClick();
    void ValveComboBoxChange(int index);
    void ScrollBar81Change(int position);
    void stayhandboxClick(bool checked);
    void bladeuptimeChange(int value);
    void startupdelayChange(int value);
    void AutoBladePortChange(int index);

private:
    void BuildFrequency(QWidget *tab);
    void BuildGlobalTrims(QWidget *tab);
    void BuildValveTypes(QWidget *tab);
    void BuildStickSafety(QWidget *tab);
    void BuildTimings(QWidget *tab);

    QuarnPage &m_page;
    QScrollBar *FreqScrollbar = nullptr;
    QLabel *HertzLabel = nullptr;
    QScrollBar *GlobalMinScrollBar = nullptr, *GlobalMaxScrollbar = nullptr;
    QLabel *GlobalMinValueLabel = nullptr, *GlobalMaxValueLabel = nullptr;
    QPushButton *GlobalButton = nullptr;
    QComboBox *ValveComboBox = nullptr;
    QPlainTextEdit *ValveMemo = nullptr;
    QCheckBox *stayhandbox = nullptr;
    QScrollBar *ScrollBar81 = nullptr;
    QSpinBox *bladeuptime = nullptr, *startupdelay = nullptr;
    QComboBox *AutoBladePort = nullptr;
};
