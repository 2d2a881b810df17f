#include "editor/pages/quarn/quarnpage.h"

#include "app/calimage.h"
#include "app/image_layout.h"
#include "editor/editorhost.h"
#include "editor/pages/quarn/joysticks/quarnjoystickpart.h"
#include "editor/widgets/guardedtabwidget.h"

#include <QVBoxLayout>

namespace {
const char *const TabCaptions[QuarnPage::TabCount] = {"Joysticks", "Global", "A1 - A4", "A5 - A8", "B1 - B4", "B5 - B8",
                                                      "C1 - C4", "Custom", "Floats", "Remote/Slave", "Panic"};
// Joystick types whose "Custom" and "Remote/Slave" tabs may be opened.
constexpr int CustomTabTypes[] = {2, 1, 29, 30, 19, 3};
constexpr int RemoteTabTypes[] = {2, 3};

template <size_t N>
bool Contains(const int (&list)[N], int value)
{
    for (int v : list)
        if (v == value) return true;
    return false;
}
}  // namespace

QuarnPage::QuarnPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    setObjectName(QStringLiteral("QuarnPage"));
    TabbedNotebook1 = new GuardedTabWidget(this);
    TabbedNotebook1->setObjectName(QStringLiteral("TabbedNotebook1"));
    TabbedNotebook1->setGuard([this](int index) { return TabbedNotebook1Change(index); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabbedNotebook1);
    BuildTabs();
}

QuarnPage::~QuarnPage() = default;

void QuarnPage::BuildTabs()
{
    for (int i = 0; i < TabCount; ++i) {
        m_tabs[i] = new QWidget;
        m_tabs[i]->setObjectName(QStringLiteral("QuarnTab%1").arg(i));
        TabbedNotebook1->addTab(m_tabs[i], QString::fromLatin1(TabCaptions[i]));
    }
    m_joysticks = new QuarnJoystickPart(*this, this);
    m_joysticks->BuildJoysticksTab(m_tabs[JoysticksTab]);
    m_joysticks->BuildCustomTab(m_tabs[CustomTab]);
    m_joysticks->BuildRemoteTab(m_tabs[RemoteSlaveTab]);
}

bool QuarnPage::TabbedNotebook1Change(int newTab) const
{
    const int type = CalImage[Off::JoystickType];
    if (newTab == CustomTab && !Contains(CustomTabTypes, type)) return false;
    if (newTab == RemoteSlaveTab && !Contains(RemoteTabTypes, type)) return false;
    return true;
}

void QuarnPage::StartUp() { TabbedNotebook1->setCurrentIndex(JoysticksTab); }

void QuarnPage::ResetDefaults() {}

void QuarnPage::SetOutputNamesVisible(bool) {}

void QuarnPage::LoadImage()
{
    // The Quarn branch, in order. Steps 2, 5, 9, 11 and 24 are the joystick part's.
    m_joysticks->LoadJoystickType();     // 2
    // 3 frequency, 4 trim sliders and global trims
    m_joysticks->LoadJoystickSubPage();  // 5
    // 6 stick safety, 7 cartridge-port group, 8 V-plow
    m_joysticks->LoadButtonModes();      // 9
    // 10 trim value labels
    m_joysticks->LoadCustomAxes();       // 11
    // 12..23 floats, options, hoist limit, flags, output linking
    m_joysticks->LoadSticksAndRemote();  // 24
}
