#pragma once
// The Quarn page's "Joysticks", "Custom" and "Remote/Slave" tabs: joystick layouts, button modes
// and labels, custom axes and remote/slave settings, with their loader steps and handlers.
#include "ui/pages/quarn/joysticks/joystick_controls.h"

#include <QObject>

#include <array>
#include <vector>

class EditorHost;
class QuarnPage;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QWidget;

class QuarnJoystickPart : public QObject {
    Q_OBJECT
public:
    QuarnJoystickPart(QuarnPage &page, QObject *parent = nullptr);

    void BuildJoysticksTab(QWidget *tab);
    void BuildCustomTab(QWidget *tab);
    void BuildRemoteTab(QWidget *tab);

    // Loader steps of the Quarn branch that belong to these tabs.
    void LoadJoystickType();     // joystick type and JoystickCombo
    void LoadJoystickSubPage();  // the joystick sub-page
    void LoadButtonModes();      // button modes, labels and stick options
    void LoadCustomAxes();       // custom boxes and axes, axis hint labels
    void LoadSticksAndRemote();  // group-of-two options, stick labels, trigger, ID, captions, remote

    // A V-plow takes over the green and orange custom groups and two stick-option lists: the
    // V-plow option hides them while it is on.
    void SetVPlowAttached(bool attached);

    // Handlers. The shared ones receive the index of the firing control in its table.
    void JoystickComboChange(int item);
    void FourButton1DropDownChange(size_t dropDown, int item);
    void SixButtonLabelEditChange(size_t edit);
    void ActivateCustomModeClick(Joy::Button button, bool ticked);
    void ButtonAxisChange(Joy::Button button, int axis, int item);
    void ModeButtonsAreTriggerCheckboxClick(bool ticked);
    void MultiModeCheckboxClick(bool ticked);
    void alwaysliveChange(int list, int item);
    void StickOptionChange(Joy::OptionList list, int item);
    void StickFunctionChange(size_t list, int item);
    void FlagBoxClick(size_t box, bool ticked);
    void TwoStickComboBoxChange(int item);
    void triomodesChange(int item);
    void RedTargetIDSpinChange(int remote, int value);
    void RedRemoteIDSpinChange(int remote, int value);
    void RedRemoteModeDropdownChange(int remote, int item);
    void IDSpinChange(int value);
    void CustomHelpButtonClick();
    void axisswitchesClick();

private:
    EditorHost &host() const;
    void Refresh();
    void StoreLabel(int field, const QString &text);
    void ApplyOutputNameRule();

    // Page builders of the joystick notebook.
    QWidget *BuildFourButtonPage();
    QWidget *BuildSixButtonPage();
    QWidget *BuildEightButtonPage();
    QWidget *BuildTwoStickPage();
    QWidget *BuildThreeStickPage();
    QWidget *BuildSlaveModePage();
    QWidget *BuildFourStickPage();
    QWidget *BuildGroupsOfTwoPage(int page);
    void AddButtonRows(QWidget *page, const char *dropDownPrefix, const char *editPrefix, int firstButton,
                       int lastButton, int top);
    void AddTriggerControls(QWidget *page, int which, int top, bool withAlwaysLive);
    void AddGripPicture(QWidget *page, int pageIndex);
    void ConnectJoystickControls(QWidget *tab);

    // Loader pieces.
    void LoadButtonPages();
    void LoadStickPages();
    void LoadTwoStickPage(int type);
    void LoadThreeStickPage(int type);
    void LoadFourStickPage();
    void LoadLabelEdits(bool stickLabels);
    void LoadOptionList(Joy::OptionList list);
    void LoadStickFunctions(size_t first, size_t last);
    void LoadTrigger();
    void LoadCustomCaptions();
    void LoadRemote();

    QuarnPage &m_page;

    // "Joysticks"
    QComboBox *JoystickCombo = nullptr;
    QStackedWidget *JoystickNotebook = nullptr;
    QSpinBox *IDSpin = nullptr;
    std::vector<QComboBox *> m_modeDropDowns;    // parallel to Joy::ModeDropDowns
    std::vector<QLineEdit *> m_labelEdits;       // parallel to Joy::LabelEdits
    std::array<QComboBox *, Joy::OptionListCount> m_optionLists{};
    std::vector<QComboBox *> m_stickFunctions;   // parallel to Joy::StickFunctionLists
    std::vector<QCheckBox *> m_flagBoxes;        // parallel to Joy::FlagBoxes
    std::array<QCheckBox *, 3> m_triggerBoxes{};
    std::array<QCheckBox *, 3> m_multiModeBoxes{};
    std::array<QComboBox *, 2> m_alwaysLive{};
    std::array<QLineEdit *, 2> m_alwaysLiveText{};
    QComboBox *TwoStickComboBox = nullptr;
    QComboBox *triomodes = nullptr;
    QLabel *Label140 = nullptr, *Label142 = nullptr, *TwoJ1Label = nullptr, *TwoJ2Label = nullptr;
    QLabel *Label12 = nullptr, *Label9 = nullptr, *Label10 = nullptr, *Label13 = nullptr, *Label14 = nullptr,
           *WingBladeLabel = nullptr, *Label119 = nullptr, *Label120 = nullptr;

    // "Custom"
    std::array<QGroupBox *, Joy::ButtonCount> m_customGroups{};
    std::array<QCheckBox *, Joy::ButtonCount> m_customBoxes{};
    std::array<std::array<QComboBox *, 3>, Joy::ButtonCount> m_axes{};

    // "Remote/Slave": one set per button from red to purple.
    struct RemoteControls {
        QGroupBox *group = nullptr;
        QSpinBox *target = nullptr;
        QSpinBox *remoteId = nullptr;
        QComboBox *mode = nullptr;
        QLabel *typeLabel = nullptr;
    };
    std::array<RemoteControls, 6> m_remote{};
    QSpinBox *IDSpin2 = nullptr;
};
