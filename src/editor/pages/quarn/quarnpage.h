#pragma once
// The Quarn 2 page: tab set `TabbedNotebook1` with eleven tabs. The trim, global, float, option
// and panic tabs belong to this class; the joystick, custom and remote/slave tabs to
// QuarnJoystickPart. The loader (the Quarn branch of ImageToControls) runs its steps in order,
// handing the joystick steps to the joystick part.
#include "editor/pages/productpage.h"

class GuardedTabWidget;
class QuarnJoystickPart;

class QuarnPage : public ProductPage {
    Q_OBJECT
public:
    enum Tab { JoysticksTab, GlobalTab, A1A4Tab, A5A8Tab, B1B4Tab, B5B8Tab, C1C4Tab, CustomTab, FloatsTab, RemoteSlaveTab, PanicTab, TabCount };

    explicit QuarnPage(EditorHost &host, QWidget *parent = nullptr);
    ~QuarnPage() override;

    void LoadImage() override;
    void StartUp() override;
    void ResetDefaults() override;

    QWidget *tabPage(Tab tab) const { return m_tabs[tab]; }
    EditorHost &editor() const { return host(); }

    // The tab guard: "Custom" and "Remote/Slave" only for the joystick types that have them.
    bool TabbedNotebook1Change(int newTab) const;

    // The twenty output-name labels under the trim groups show only while no custom axis is set.
    void SetOutputNamesVisible(bool visible);

private:
    void BuildTabs();

    GuardedTabWidget *TabbedNotebook1 = nullptr;
    QWidget *m_tabs[TabCount] = {};
    QuarnJoystickPart *m_joysticks = nullptr;
};
