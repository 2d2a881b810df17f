#pragma once
// The Quarn page's "Joysticks", "Custom" and "Remote/Slave" tabs: joystick layouts, button modes
// and labels, custom axes and remote/slave settings, with their loader steps and handlers.
#include <QObject>

class QuarnPage;
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

private:
    QuarnPage &m_page;
};
