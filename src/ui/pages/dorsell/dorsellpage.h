#pragma once
// The Dorsell page (tab set `PageControl1`), shared by the Dorsell and the Ostrel 2 controller:
// ten trimmed outputs with their test buttons, the frequency and global trims, the joystick
// setting, safety triggers, float, hoist limit and cartridge options, and the groups-of-2 and
// four-button settings. The Ostrel 2 variant hides what its controller lacks.
//
// Handlers follow the editing rule: the control's value goes into the image at once through the
// core's edit of its field (which brings what depends on it), and the window shows the page again.
#include "core/catalog/dorselltrimgroups.h"
#include "ui/pages/productpage.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

class DorsellPage : public ProductPage {
    Q_OBJECT
public:
    enum Tab { GlobalTab, PlowTab, HoistHookTab, GroupsTab, TabCount };

    explicit DorsellPage(EditorHost &host, QWidget *parent = nullptr);

    // The Dorsell/Ostrel branch of ImageToControls (byte 33 already holds the joystick-type mark).
    void LoadImage() override;
    void StartUp() override;

    // Trim bars of group `group` of the trim table (plowupminbarChange ... rtwingoutmaxChange):
    // dragging one bar past its partner drags the partner along.
    void TrimMinChange(int group);
    void TrimMaxChange(int group);
    // Test buttons (Button3MouseDown ... rtwingmaxoutMouseUp): a press drives the output at the
    // trim shown, a release drives it at level 0 until the window's timer ends the command.
    void TestButtonMouseDown(int group, bool maxSide);
    void TestButtonMouseUp(int group);

    // "Global" tab.
    void freqbarChange();
    void ValvetypesChange(int entry);
    void globalmintrim2Change();
    void globalmaxtrim2Change();
    void setglobal2Click();
    void joysettingChange(int index);
    void joysetting2Change(int index);
    void plowfloatClick(bool ticked);
    void hoistlimitClick(bool ticked);
    void cartridgeClick(bool ticked);
    void CheckBox22Click(bool ticked);
    void SpinEdit34Change(int value);
    void ScrollBar80Change(int position);
    // The plain option boxes (safety triggers, double acting float, hoist limit override,
    // attitude control, toggle V-plow): the flag, then a reload.
    void FlagBoxClick(int offset, bool ticked);

    // "Groups of 2 settings" tab: the four-button modes and the groups-of-2 assignments.
    void ButtonModeChange(int offset, int index);
    void OutputGroupChange(int offset, int index);

private:
    struct TrimControls {
        QGroupBox *box = nullptr;
        QScrollBar *minBar = nullptr, *maxBar = nullptr;
        QLabel *minLabel = nullptr, *maxLabel = nullptr;
        QPushButton *minButton = nullptr, *maxButton = nullptr;
    };
    static constexpr int GroupComboCount = 8;
    static constexpr int ModeComboCount = 3;

    // Builders, one per tab (each in its own file).
    void BuildGlobalTab(QWidget *tab);
    QWidget *BuildFrequencyAndTrims(QWidget *parent);
    QWidget *BuildJoystickAndOptions(QWidget *parent);
    void BuildTrimTab(QWidget *tab, DorsellTrimTab which);
    QGroupBox *BuildTrimGroup(int group, QWidget *parent);
    void BuildGroupsTab(QWidget *tab);
    QCheckBox *NewFlagBox(QWidget *parent, const char *name, const char *caption, int offset);

    // Loader steps.
    void LoadVariant(bool ostrel);
    void LoadSafetyTriggers(int setting);
    void LoadOptions(bool ostrel);
    void LoadGroupCombos();
    void LoadButtonModes();
    void LoadFlag(QCheckBox *box, int offset);
    // An option and the sub-option that applies only while it is on (plow float and double
    // acting float, hoist limit and its override): loads the pair, true when the option is on.
    bool LoadOptionPair(QCheckBox *option, int offset, QCheckBox *sub, int subOffset);
    // One of two options that exclude each other: on, it greys the other; off, it frees the other.
    void LoadExclusive(QCheckBox *box, int offset, QCheckBox *other);
    void LoadCaptions(uint8_t product, int setting);
    void LoadFrequency();
    void LoadGlobalTrims();
    void LoadTrims();
    void ShowSafetyBoxes(bool visible);
    void SetGroupCombosVisible(bool visible);
    void SetGroupCombosEnabled(bool enabled);

    QTabWidget *PageControl1 = nullptr;
    QWidget *m_tabs[TabCount] = {};
    TrimControls m_trims[DorsellTrimGroupCount];

    // "Global"
    QScrollBar *freqbar = nullptr;
    QLabel *Hertzlabel2 = nullptr;
    QComboBox *Valvetypes = nullptr;
    QScrollBar *globalmintrim2 = nullptr, *globalmaxtrim2 = nullptr;
    QLabel *gminvalue = nullptr, *gmaxvalue = nullptr;
    QPushButton *setglobal2 = nullptr;
    QComboBox *joysetting = nullptr, *joysetting2 = nullptr;
    QLabel *Label122 = nullptr;
    QCheckBox *joy1saftey = nullptr, *joy2saftey = nullptr, *joy3safety = nullptr;
    QCheckBox *plowfloat = nullptr, *CheckBox15 = nullptr;
    QLabel *Label424 = nullptr;
    QCheckBox *hoistlimit = nullptr, *CheckBox16 = nullptr;
    QCheckBox *cartridge = nullptr, *CheckBox22 = nullptr;
    QCheckBox *attitudecontrol = nullptr, *togglevplow = nullptr;
    QScrollBar *ScrollBar80 = nullptr;
    QSpinBox *SpinEdit34 = nullptr;

    // "Groups of 2 settings"
    QComboBox *m_modeCombos[ModeComboCount] = {};   // combonomode, comboredmode, combogreenmode
    QComboBox *m_groupCombos[GroupComboCount] = {}; // ComboBox4 .. ComboBox11
    QLabel *m_groupCaptions[GroupComboCount] = {};
};
