#pragma once
// The Quarn 2 page: tab set `TabbedNotebook1` with eleven tabs. The trim, global, float, option
// and panic tabs are built by the parts below; the joystick, custom and remote/slave tabs by
// QuarnJoystickPart. The loader (the Quarn branch of ImageToControls) hands each step to the part
// that owns the controls; it only shows the image, and every handler stores through the core.
#include "core/catalog/quarn_tabs.h"
#include "ui/pages/productpage.h"

class GuardedTabWidget;
class QComboBox;
class QuarnCartridgePort;
class QuarnFloats;
class QuarnGlobal;
class QuarnJoystickPart;
class QuarnOptions;
class QuarnTrims;

class QuarnPage : public ProductPage {
    Q_OBJECT
public:
    using Tab = QuarnTabs::Tab;
    using enum QuarnTabs::Tab;

    explicit QuarnPage(EditorHost &host, QWidget *parent = nullptr);
    ~QuarnPage() override;

    void LoadImage() override;
    void StartUp() override;
    void ResetDefaults() override;

    QWidget *tabPage(Tab tab) const { return m_tabs[tab]; }
    EditorHost &editor() const { return host(); }
    QuarnJoystickPart &joysticks() const { return *m_joysticks; }

    // The tab guard: "Custom" and "Remote/Slave" only for the joystick types that have them.
    bool TabbedNotebook1Change(int newTab) const;

    // The twenty output-name labels under the trim groups show only while no custom axis is set.
    void SetOutputNamesVisible(bool visible);
    // Button joysticks always have the stick safety: ticks and greys "Enable Stayhand" and stores
    // it as on.
    void LockStickSafetyOn();

private:
    void BuildTabs();
    void LoadAlwaysLive();

    GuardedTabWidget *TabbedNotebook1 = nullptr;
    QWidget *m_tabs[TabCount] = {};
    QuarnJoystickPart *m_joysticks = nullptr;
    QuarnTrims *m_trims = nullptr;
    QuarnGlobal *m_global = nullptr;
    QuarnCartridgePort *m_cartridge = nullptr;
    QuarnFloats *m_floats = nullptr;
    QuarnOptions *m_options = nullptr;
    QComboBox *m_alwaysLive[2] = {};  // the joystick tabs' always-live lists
};
