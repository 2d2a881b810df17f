#include "ui/pages/quarn/quarnpage.h"

#include "core/calimage.h"
#include "core/image_layout.h"
#include "ui/editorhost.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"
#include "ui/pages/quarn/quarn_cartridge.h"
#include "ui/pages/quarn/quarn_floats.h"
#include "ui/pages/quarn/quarn_global.h"
#include "ui/pages/quarn/quarn_options.h"
#include "ui/pages/quarn/quarn_trims.h"
#include "ui/widgets/guardedtabwidget.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include <vector>

namespace {
const char *const TabCaptions[QuarnPage::TabCount] = {"Joysticks", "Global", "A1 - A4", "A5 - A8", "B1 - B4", "B5 - B8",
                                                      "C1 - C4", "Custom", "Floats", "Remote/Slave", "Panic"};
// Joystick types whose "Custom" and "Remote/Slave" tabs may be opened.
constexpr int CustomTabTypes[] = {2, 1, 29, 30, 19, 3};
constexpr int RemoteTabTypes[] = {2, 3};
const char *const CompactTabs =
    "QTabBar::tab { padding: 3px 5px; border: 1px solid #9a9a9a; border-bottom: none; background: #e4e4e4;"
    " margin-right: 1px; border-top-left-radius: 3px; border-top-right-radius: 3px; }"
    "QTabBar::tab:selected { background: palette(window); }"
    "QTabBar::tab:!selected { margin-top: 2px; }";
const char *const AlwaysLiveLists[] = {"alwayslive", "alwayslive2"};

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
    // All eleven tabs in one row at the fixed window width, without scroll arrows.
    TabbedNotebook1->setUsesScrollButtons(false);
    TabbedNotebook1->tabBar()->setStyleSheet(QString::fromLatin1(CompactTabs));
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
    m_trims = new QuarnTrims(*this);
    m_global = new QuarnGlobal(*this);
    m_cartridge = new QuarnCartridgePort(*this);
    m_floats = new QuarnFloats(*this);
    m_options = new QuarnOptions(*this);

    // This page's tabs first, so the joystick part finds them complete (it shows and hides the
    // output names and the stick safety box from its own handlers).
    m_global->Build();
    m_trims->Build();
    m_floats->Build();
    m_cartridge->Build();
    m_options->Build();
    m_joysticks->BuildJoysticksTab(m_tabs[JoysticksTab]);
    m_joysticks->BuildCustomTab(m_tabs[CustomTab]);
    m_joysticks->BuildRemoteTab(m_tabs[RemoteSlaveTab]);

    // Controls of the joystick tabs that this page's loader sets.
    m_options->AttachJoystickBoxes();
    for (int i = 0; i < 2; ++i) m_alwaysLive[i] = findChild<QComboBox *>(QString::fromLatin1(AlwaysLiveLists[i]));
}

bool QuarnPage::TabbedNotebook1Change(int newTab) const
{
    const int type = CalImage[Off::JoystickType];
    if (newTab == CustomTab && !Contains(CustomTabTypes, type)) return false;
    if (newTab == RemoteSlaveTab && !Contains(RemoteTabTypes, type)) return false;
    return true;
}

void QuarnPage::StartUp()
{
    TabbedNotebook1->setCurrentIndex(JoysticksTab);
    m_global->StartUp();
}

void QuarnPage::ResetDefaults() { m_floats->ResetDefaults(); }

void QuarnPage::SetOutputNamesVisible(bool visible) { m_trims->SetOutputNamesVisible(visible); }

void QuarnPage::LockStickSafetyOn() { m_global->LockStickSafetyOn(); }

void QuarnPage::LoadAlwaysLive()
{
    for (QComboBox *list : m_alwaysLive)
        if (list) list->setCurrentIndex(CalImage[Off::Quarn::AlwaysLiveMode]);
}

void QuarnPage::LoadImage()
{
    // The controls only show the image: none of their handlers runs while they are set, so what
    // is stored is what the core's show rules leave, and only the technician's edits store more.
    std::vector<QSignalBlocker> quiet;
    for (QWidget *control : findChildren<QWidget *>()) quiet.emplace_back(control);
    m_joysticks->LoadJoystickType();
    m_global->LoadFrequency();
    m_trims->LoadBars();
    m_global->LoadGlobalTrimBars();
    m_joysticks->LoadJoystickSubPage();
    m_global->LoadStickSafety();
    m_cartridge->Load();
    m_options->LoadVPlow();
    m_joysticks->LoadButtonModes();
    m_trims->LoadValueLabels();
    m_global->LoadGlobalTrimLabels();
    m_joysticks->LoadCustomAxes();
    m_floats->LoadFloatPorts();
    m_global->LoadAutoBladePort();
    m_floats->LoadFloatNames();
    m_floats->LoadFloatLockout();
    LoadAlwaysLive();
    m_floats->LoadDoubleActingFloat();
    m_floats->LoadPressureHoldingFloat();
    m_floats->LoadFloatDelay();
    m_global->LoadBladeUpTime();
    m_global->LoadStartupDelay();
    m_options->LoadHoistLimit();
    m_options->LoadFlags();
    m_options->LoadOutputLinks();
    m_joysticks->LoadSticksAndRemote();
}
