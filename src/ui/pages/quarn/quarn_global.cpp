#include "ui/pages/quarn/quarn_global.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"
#include "core/catalog/edits.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/pagetexts.h"
#include "core/catalog/quarn_captions.h"
#include "core/catalog/quarn_rules.h"
#include "ui/editorhost.h"
#include "ui/pages/frequencycontrol.h"
#include "ui/pages/quarn/quarn_controls.h"
#include "ui/pages/quarn/quarnpage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

using namespace Off::Quarn;

namespace {
constexpr int MinHertz = CurveAMinHz, MaxHertz = CurveAMaxHz, HertzSmallStep = 5, HertzLargeStep = 10;

// Valve families: the frequency and global trims each proposes. Entry 0 is "Other".
struct ValveFamily {
    const char *family;
    const char *partNumbers;
    int hertz;
    uint8_t globalMin, globalMax;
};
constexpr ValveFamily ValveFamilies[] = {
    {"VQ40", "VQ-4021, VQ-4023, VQ-4041", 180, 70, 120},
    {"HydraForce", "SP08-47, SP10-47, PV72-30", 225, 70, 180},
    {"Husco", "5040-A, 5040-B, 5062-C", 105, 88, 180},
    {"Sauer-Danfoss", "PVG-32, PVG-100, PVEH-14", 105, 50, 120},
    {"Walvoil", "DPX-050, DPX-100, SD-11", 225, 70, 140},
};
constexpr int OtherValveEntry = 0;
// Husco valves want their hoist outputs trimmed apart from the rest.
constexpr int HuscoEntry = 3;

const char *const SetAllQuestion = "This will change ALL the trims!  Are you sure?";
const char *const SetAllReminder = "You must press \"Set All Trims\" to change all PWM channels";
const char *const ValveWarning =
    "Check the valve maker's data sheet before using these settings: a wrong frequency or trim "
    "can make a valve run on.";
const char *const CartridgeNote =
    "NOTE: the Power/Cartridge (CART) port has one use at a time: ticking one of its uses greys "
    "the others on every tab.";

QString ValveEntryText(const ValveFamily &v)
{
    return QString::fromLatin1(v.family).leftJustified(16) + QStringLiteral("TYPICAL END     ") +
           QString::fromLatin1(v.partNumbers);
}

// Places on the "Global" tab: the frequency, global trims and valve list on the left, the stick
// safety and the timings on the right; the option boxes fill the right column between them.
constexpr QRect FrequencyGroup{4, 4, 288, 52};
constexpr QRect TrimsGroup{4, 60, 288, 200};
constexpr QRect ValveCaption{8, 266, 280, 16};
constexpr QRect ValveListPlace{4, 282, 288, 22};
constexpr QRect ValveMemoPlace{4, 308, 288, 56};
constexpr QRect StayhandPlace{300, 4, 200, 18};
constexpr int SensitivityTop = 24;
constexpr QRect NotePlace{300, 190, 286, 44};
constexpr int TimingTop = 240, TimingPitch = 26, TimingCaptionWidth = 130, TimingLeft = 300;
}  // namespace

QuarnGlobal::QuarnGlobal(QuarnPage &page) : QObject(&page), m_page(page) {}

void QuarnGlobal::Build()
{
    QWidget *tab = m_page.tabPage(QuarnPage::GlobalTab);
    BuildFrequency(tab);
    BuildGlobalTrims(tab);
    BuildValveTypes(tab);
    BuildStickSafety(tab);
    BuildTimings(tab);
    auto *note = NewLabel(tab, "CartridgeNoteLabel", QString::fromLatin1(CartridgeNote), NotePlace);
    note->setWordWrap(true);
}

void QuarnGlobal::BuildFrequency(QWidget *tab)
{
    QGroupBox *group = NewGroup(tab, "FrequencyGroup", QString::fromLatin1(QuarnCaptions::Frequency), FrequencyGroup);
    FreqScrollbar = NewQuarnFocusBar(group, "FreqScrollbar", Qt::Horizontal, MinHertz, MaxHertz, {10, 22, 190, 18});
    FreqScrollbar->setSingleStep(HertzSmallStep);
    FreqScrollbar->setPageStep(HertzLargeStep);
    HertzLabel = NewLabel(group, "HertzLabel", QString(), {208, 22, 74, 18});
    connect(FreqScrollbar, &QScrollBar::valueChanged, this, &QuarnGlobal::FreqScrollbarChange);
}

void QuarnGlobal::BuildGlobalTrims(QWidget *tab)
{
    QGroupBox *group = NewGroup(tab, "GlobalTrimsGroup", "Global Trims", TrimsGroup);
    NewLabel(group, "AllHydraulicsLabel", QStringLiteral("(All Hydraulics)"), {8, 18, 140, 14}, Qt::AlignCenter);
    NewLabel(group, "GlobalMinCaption", QStringLiteral("Min"), {16, 34, 56, 14}, Qt::AlignCenter);
    NewLabel(group, "GlobalMaxCaption", QStringLiteral("Max"), {84, 34, 56, 14}, Qt::AlignCenter);
    GlobalMinScrollBar = NewQuarnTrimBar(group, "GlobalMinScrollBar", {35, 50, 17, 122});
    GlobalMaxScrollbar = NewQuarnTrimBar(group, "GlobalMaxScrollbar", {103, 50, 17, 122});
    GlobalMinValueLabel = NewLabel(group, "GlobalMinValueLabel", QString(), {16, 176, 56, 14}, Qt::AlignCenter);
    GlobalMaxValueLabel = NewLabel(group, "GlobalMaxValueLabel", QString(), {84, 176, 56, 14}, Qt::AlignCenter);
    GlobalButton = NewButton(group, "GlobalButton", "Set All Trims", {160, 96, 112, 26});
    connect(GlobalMinScrollBar, &QScrollBar::valueChanged, this, &QuarnGlobal::GlobalMinScrollBarChange);
    connect(GlobalMaxScrollbar, &QScrollBar::valueChanged, this, &QuarnGlobal::GlobalMaxScrollbarChange);
    connect(GlobalButton, &QPushButton::clicked, this, &QuarnGlobal::GlobalButtonClick);
}

void QuarnGlobal::BuildValveTypes(QWidget *tab)
{
    NewLabel(tab, "ValveTypeLabel", QStringLiteral("Valve Type:"), ValveCaption);
    QStringList entries{QStringLiteral("Other")};
    for (const ValveFamily &v : ValveFamilies) entries << ValveEntryText(v);
    ValveComboBox = NewDropDown(tab, "ValveComboBox", entries, ValveListPlace, AllItems);
    ValveComboBox->view()->setMinimumWidth(ValveComboBox->view()->sizeHintForColumn(0) + 8);
    ValveMemo = new QPlainTextEdit(QString::fromLatin1(ValveWarning), tab);
    ValveMemo->setObjectName(QStringLiteral("ValveMemo"));
    ValveMemo->setGeometry(ValveMemoPlace);
    ValveMemo->setReadOnly(true);
    connect(ValveComboBox, &QComboBox::activated, this, &QuarnGlobal::ValveComboBoxChange);
}

void QuarnGlobal::BuildStickSafety(QWidget *tab)
{
    stayhandbox = NewCheckBox(tab, "stayhandbox", QString::fromLatin1(QuarnCaptions::StickSafety), StayhandPlace);
    NewLabel(tab, "FastLabel", QStringLiteral("Fast"), {300, SensitivityTop, 30, 18});
    ScrollBar81 =
        NewQuarnFocusBar(tab, "ScrollBar81", Qt::Horizontal, ControlRange::QuarnSensitivity.lowest,
                         ControlRange::QuarnSensitivity.highest, {332, SensitivityTop, 200, 18});
    NewLabel(tab, "SlowLabel", QStringLiteral("Slow"), {538, SensitivityTop, 40, 18});
    connect(stayhandbox, &QCheckBox::toggled, this, &QuarnGlobal::stayhandboxClick);
    connect(ScrollBar81, &QScrollBar::valueChanged, this, &QuarnGlobal::ScrollBar81Change);
}

void QuarnGlobal::BuildTimings(QWidget *tab)
{
    auto caption = [tab](const char *name, const char *text, int row) {
        NewLabel(tab, name, QString::fromLatin1(text), {TimingLeft, TimingTop + row * TimingPitch, TimingCaptionWidth, 22});
    };
    auto place = [](int row, int width) {
        return QRect(TimingLeft + TimingCaptionWidth, TimingTop + row * TimingPitch, width, 22);
    };
    caption("BladeUpTimeLabel", QuarnCaptions::BladeUpTime, 0);
    bladeuptime = NewSpin(tab, "bladeuptime", 0, MaxBladeUpTime, place(0, 60));
    caption("AutoBladePortLabel", QuarnCaptions::AutoBladePort, 1);
    AutoBladePort = NewDropDown(tab, "AutoBladePort", QuarnPortList(), place(1, 100), AllItems);
    caption("StartupDelayLabel", QuarnCaptions::StartupDelay, 2);
    startupdelay = NewSpin(tab, "startupdelay", ControlRange::QuarnStartupDelay.lowest, ControlRange::QuarnStartupDelay.highest,
                           place(2, 60));
    connect(bladeuptime, &QSpinBox::valueChanged, this, &QuarnGlobal::bladeuptimeChange);
    connect(startupdelay, &QSpinBox::valueChanged, this, &QuarnGlobal::startupdelayChange);
    connect(AutoBladePort, &QComboBox::activated, this, &QuarnGlobal::AutoBladePortChange);
}

void QuarnGlobal::StartUp()
{
    ValveComboBox->setCurrentIndex(OtherValveEntry);
    ValveMemo->hide();
}

// --- Loader ---

void QuarnGlobal::LoadFrequency()
{
    ShowFrequencyBar(FreqScrollbar, HertzLabel, CurveABar());
}

void QuarnGlobal::LoadGlobalTrimBars()
{
    // The working values of "Set All Trims" are what their bars show, paired as the bars pair them.
    GlobalMinScrollBar->setValue(TrimToSliderPosition(GlobalMinTrim));
    StoreTrimMin(GlobalMinTrim, GlobalMaxTrim, GlobalMinScrollBar->value());
    GlobalMaxScrollbar->setValue(TrimToSliderPosition(GlobalMaxTrim));
    StoreTrimMax(GlobalMinTrim, GlobalMaxTrim, GlobalMaxScrollbar->value());
    ScrollBar81->setValue(CalImage[StickSafetySensitivity]);
}

void QuarnGlobal::LoadStickSafety()
{
    stayhandbox->setChecked(CalImage[StickSafetyDisabled] != 1);
}

void QuarnGlobal::LoadGlobalTrimLabels()
{
    GlobalMinValueLabel->setText(TrimVoltsText(GlobalMinTrim));
    GlobalMaxValueLabel->setText(TrimVoltsText(GlobalMaxTrim));
}

void QuarnGlobal::LoadAutoBladePort() { AutoBladePort->setCurrentIndex(CalImage[Off::Quarn::AutoBladePort]); }

void QuarnGlobal::LoadBladeUpTime()
{
    bladeuptime->setValue(CalImage[BladeUpTime]);
}

void QuarnGlobal::LoadStartupDelay()
{
    startupdelay->setValue(CalImage[StartupDelay]);
}

// --- Handlers ---

void QuarnGlobal::FreqScrollbarChange(int /*position*/)
{
    // The byte that reads as the position; the bar then shows what it reads.
    StoreByte(Off::Frequency, FrequencyByteForPosition(CurveABar(), FreqScrollbar->value()));
    ShowFrequencyBar(FreqScrollbar, HertzLabel, CurveABar());
    ValveComboBox->setCurrentIndex(OtherValveEntry);
}

void QuarnGlobal::GlobalMinScrollBarChange(int position)
{
    StoreTrimMin(GlobalMinTrim, GlobalMaxTrim, position);
    ValveComboBox->setCurrentIndex(OtherValveEntry);
    m_page.editor().ImageToControls(false);
}

void QuarnGlobal::GlobalMaxScrollbarChange(int position)
{
    StoreTrimMax(GlobalMinTrim, GlobalMaxTrim, position);
    ValveComboBox->setCurrentIndex(OtherValveEntry);
    m_page.editor().ImageToControls(false);
}

void QuarnGlobal::GlobalButtonClick()
{
    const auto answer = QMessageBox::question(&m_page, QStringLiteral("Confirm"), QString::fromLatin1(SetAllQuestion),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        CalImageBytes trimmed = CalImage;
        QuarnRules::SetAllTrims(trimmed, GlobalMinTrim, GlobalMaxTrim, ValveComboBox->currentIndex() == HuscoEntry);
        Catalogue::EditFields(CalImage, Product::Quarn, trimmed);
    }
    m_page.editor().ImageToControls(false);
}

void QuarnGlobal::ValveComboBoxChange(int index)
{
    const int chosen = index;
    if (index > OtherValveEntry && index <= int(std::size(ValveFamilies))) {
        const ValveFamily &v = ValveFamilies[index - 1];
        FreqScrollbar->setValue(v.hertz);
        GlobalMinTrim = v.globalMin;
        GlobalMaxTrim = v.globalMax;
    }
    // The refresh moves the global bars, whose handlers put the list back to "Other".
    m_page.editor().ImageToControls(false);
    QApplication::processEvents();
    ValveComboBox->setCurrentIndex(chosen);
    QMessageBox::information(&m_page, QStringLiteral("Information"), QString::fromLatin1(SetAllReminder));
}

void QuarnGlobal::ScrollBar81Change(int position) { StoreByte(StickSafetySensitivity, position); }

void QuarnGlobal::stayhandboxClick(bool)
{
    // The loader shows byte 183 as it is (1 = off); only the user's click switches it on.
    if (m_page.editor().Loading()) return;
    LockStickSafetyOn();
}

void QuarnGlobal::LockStickSafetyOn()
{
    StoreByte(StickSafetyDisabled, 0);
    stayhandbox->setEnabled(false);
    stayhandbox->setChecked(true);
}

void QuarnGlobal::bladeuptimeChange(int value)
{
    StoreByte(BladeUpTime, value);
    m_page.editor().ImageToControls(false);
}

void QuarnGlobal::startupdelayChange(int value)
{
    StoreByte(StartupDelay, value);
    m_page.editor().ImageToControls(false);
}

void QuarnGlobal::AutoBladePortChange(int index) { StoreByte(Off::Quarn::AutoBladePort, index); }
