#include "ui/pages/brennic/brennicpage.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/catalog/frequencybar.h"
#include "ui/editorhost.h"
#include "ui/pages/frequencycontrol.h"
#include "ui/pages/brennic/brennic_controls.h"
#include "ui/pages/quietcontrols.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>

using namespace Brennic;

namespace {
constexpr int FrequencySmallStep = 5, FrequencyLargeStep = 10;
constexpr PageRect FrequencyPlace = {4, 4, 286, BarGroupHeight};
constexpr PageRect ShakeCountCaptionPlace = {8, 64, 110, 20};
constexpr PageRect ShakeCountPlace = {120, 64, 56, 20};
}  // namespace

BrennicPage::BrennicPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    setObjectName(QStringLiteral("BrennicPage"));
    TabbedNotebook2 = NewTabSet(this, QStringLiteral("TabbedNotebook2"), TabCaptions, TabCount, m_tabs,
                                QStringLiteral("BrennicTab"));

    BuildMainTab();
    for (int g = 0; g < TrimGroupCount; ++g) BuildTrimGroup(g);
    for (QWidget *tab : {m_tabs[ArmUpDownTab], m_tabs[ArmInOutTab], m_tabs[GripTab], m_tabs[DumpTab]}) BuildTrimNote(tab);
    for (int b = 0; b < ValueBarCount; ++b) BuildValueBar(b);
    for (int r = 0; r < RampGroupCount; ++r) BuildRampGroup(r);
    BuildShakeCount();
}

void BrennicPage::BuildShakeCount()
{
    auto *group = findChild<QGroupBox *>(QStringLiteral("ScrollBar20Group"));
    NewLabel(group, QStringLiteral("SpinEdit17Caption"), QString::fromLatin1(ShakeCountCaption),
             ShakeCountCaptionPlace.rect());
    SpinEdit17 = NewSpin(group, QStringLiteral("SpinEdit17"), Off::Brennic::ShakeCountMin, Off::Brennic::ShakeCountMax,
                         ShakeCountPlace.rect());
    connect(SpinEdit17, &QSpinBox::valueChanged, this, [this] { SpinEdit17Change(); });
}

void BrennicPage::BuildMainTab()
{
    QWidget *tab = m_tabs[MainTab];
    BarGroupParts frequency = NewBarGroup(tab, QStringLiteral("ScrollBar17"), QStringLiteral("Label230"),
                                          QString::fromLatin1(FrequencyCaption), QString(), CurveAMinHz, CurveAMaxHz,
                                          FrequencyPlace.rect());
    ScrollBar17 = frequency.bar;
    Label230 = frequency.label;
    ScrollBar17->setSingleStep(FrequencySmallStep);
    ScrollBar17->setPageStep(FrequencyLargeStep);
    Label230->setText(HertzText(ScrollBar17->value()));
    connect(ScrollBar17, &QScrollBar::valueChanged, this, [this] { ScrollBar17Change(); });

    for (int i = 0; i < FlagBoxCount; ++i) {
        m_flags[i] = new QCheckBox(QString::fromLatin1(FlagBoxes[i].caption), tab);
        const FlagBoxNames &controls = ControlsAt(FlagBoxesControls, FlagBoxes[i].offset);
        m_flags[i]->setObjectName(QString::fromLatin1(controls.name));
        m_flags[i]->setGeometry(controls.place.rect());
        connect(m_flags[i], &QCheckBox::toggled, this, [this, i] { FlagBoxClick(i); });
    }
}

void BrennicPage::StartUp() { TabbedNotebook2->setCurrentIndex(MainTab); }

void BrennicPage::LoadImage()
{
    const QuietControls quiet(this);
    LoadRamps();
    LoadValueBars();
    LoadFlagBoxes();
    ShowFrequencyBar(ScrollBar17, Label230, CurveABar());
    LoadTrims();
}

void BrennicPage::ScrollBar17Change() { host().EditByte(Off::Frequency, FrequencyBarByte(ScrollBar17, CurveABar())); }
