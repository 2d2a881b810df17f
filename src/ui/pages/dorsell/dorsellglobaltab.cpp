// The "Global" tab: its frame, the PWM frequency with the valve-type list, and the global trims
// with "Set All Trims". The joystick and option column is built in dorselloptions.cpp.
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"
#include "core/catalog/dorsell_rules.h"
#include "core/catalog/dorsellitems.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/pagetexts.h"
#include "core/catalog/showncontrol.h"
#include "core/catalog/trimpair.h"
#include "ui/editorhost.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "ui/pages/dorsell/dorsellwidgets.h"
#include "ui/pages/frequencycontrol.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace D = Off::Dorsell;

namespace {
constexpr int FrequencyMinHz = CurveBMinHz;
constexpr int FrequencyMaxHz = CurveBMaxHz;
constexpr int GlobalBarHeight = 120;
}  // namespace

void DorsellPage::BuildGlobalTab(QWidget *tab)
{
    auto *row = new QHBoxLayout(tab);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(8);
    row->addWidget(BuildFrequencyAndTrims(tab));
    row->addWidget(BuildJoystickAndOptions(tab), 1);
}

QWidget *DorsellPage::BuildFrequencyAndTrims(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("DorsellGlobalLeft"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto *frequency = NewGroup(panel, "DorsellFrequencyGroup", QString::fromLatin1(DorsellCaptions::Frequency));
    auto *fgrid = new QGridLayout(frequency);
    freqbar = NewScrollBar(frequency, "freqbar", Qt::Horizontal, FrequencyMinHz, FrequencyMaxHz);
    freqbar->setMinimumWidth(140);
    Hertzlabel2 = NewLabel(frequency, "Hertzlabel2", QString());
    Hertzlabel2->setMinimumWidth(Hertzlabel2->fontMetrics().horizontalAdvance(QStringLiteral("325 Hertz ")));
    fgrid->addWidget(freqbar, 0, 0);
    fgrid->addWidget(Hertzlabel2, 0, 1);
    Valvetypes = NewDropDown(frequency, "Valvetypes", DorsellValveTypes());
    auto *valveRow = new QHBoxLayout;
    valveRow->addWidget(new QLabel(QStringLiteral("Valve Type"), frequency));
    valveRow->addWidget(Valvetypes, 1);
    fgrid->addLayout(valveRow, 1, 0, 1, 2);
    connect(freqbar, &QScrollBar::valueChanged, this, &DorsellPage::freqbarChange);
    connect(Valvetypes, &QComboBox::activated, this, &DorsellPage::ValvetypesChange);
    column->addWidget(frequency);

    auto *trims = NewGroup(panel, "DorsellGlobalTrimsGroup", QStringLiteral("Global Trims"));
    auto *tgrid = new QGridLayout(trims);
    tgrid->addWidget(NewLabel(trims, nullptr, QStringLiteral("Min"), {}, Qt::AlignCenter), 0, 0);
    tgrid->addWidget(NewLabel(trims, nullptr, QStringLiteral("Max"), {}, Qt::AlignCenter), 0, 1);
    globalmintrim2 = NewDorsellTrimBar(trims, "globalmintrim2", GlobalBarHeight);
    globalmaxtrim2 = NewDorsellTrimBar(trims, "globalmaxtrim2", GlobalBarHeight);
    tgrid->addWidget(globalmintrim2, 1, 0, Qt::AlignHCenter);
    tgrid->addWidget(globalmaxtrim2, 1, 1, Qt::AlignHCenter);
    gminvalue = NewLabel(trims, "gminvalue", QString(), {}, Qt::AlignCenter);
    gmaxvalue = NewLabel(trims, "gmaxvalue", QString(), {}, Qt::AlignCenter);
    tgrid->addWidget(gminvalue, 2, 0);
    tgrid->addWidget(gmaxvalue, 2, 1);
    setglobal2 = NewButton(trims, "setglobal2", QStringLiteral("Set All Trims"));
    tgrid->addWidget(setglobal2, 1, 2, Qt::AlignVCenter);
    tgrid->setColumnStretch(2, 1);
    connect(globalmintrim2, &QScrollBar::valueChanged, this, &DorsellPage::globalmintrim2Change);
    connect(globalmaxtrim2, &QScrollBar::valueChanged, this, &DorsellPage::globalmaxtrim2Change);
    connect(setglobal2, &QPushButton::clicked, this, &DorsellPage::setglobal2Click);
    column->addWidget(trims);

    auto *stick = NewGroup(panel, "DorsellStickSafetyGroup", QString::fromLatin1(DorsellCaptions::StickSafety));
    auto *srow = new QHBoxLayout(stick);
    ScrollBar80 = NewScrollBar(stick, "ScrollBar80", Qt::Horizontal, ControlRange::DorsellStickSafety.lowest,
                               ControlRange::DorsellStickSafety.highest);
    srow->addWidget(new QLabel(QStringLiteral("Fast"), stick));
    srow->addWidget(ScrollBar80, 1);
    srow->addWidget(new QLabel(QStringLiteral("Slow"), stick));
    connect(ScrollBar80, &QScrollBar::valueChanged, this, &DorsellPage::ScrollBar80Change);
    column->addWidget(stick);
    column->addStretch(1);
    return panel;
}

void DorsellPage::freqbarChange()
{
    Valvetypes->setCurrentIndex(0);
    host().EditByte(Off::Frequency, FrequencyBarByte(freqbar, CurveBBar()));
}

void DorsellPage::ValvetypesChange(int entry)
{
    // The family's frequency goes into the image at once; its global trims wait for
    // "Set All Trims".
    if (const ValvePreset *preset = DorsellValvePreset(entry)) {
        freqbar->setValue(preset->hertz);
        GlobalMinTrim = uint8_t(preset->globalMin);
        GlobalMaxTrim = uint8_t(preset->globalMax);
    }
    host().ImageToControls(false);
    // The reload moved bars whose handlers put the list back to "Other".
    Valvetypes->setCurrentIndex(entry);
}

void DorsellPage::globalmintrim2Change()
{
    StoreTrimMin(GlobalMinTrim, GlobalMaxTrim, globalmintrim2->value());
    Valvetypes->setCurrentIndex(0);
    host().ImageToControls(false);
}

void DorsellPage::globalmaxtrim2Change()
{
    StoreTrimMax(GlobalMinTrim, GlobalMaxTrim, globalmaxtrim2->value());
    Valvetypes->setCurrentIndex(0);
    host().ImageToControls(false);
}

void DorsellPage::setglobal2Click()
{
    const auto answer = QMessageBox::question(this, QStringLiteral("Confirm"),
                                              QStringLiteral("This will change ALL the trims!  Are you sure?"),
                                              QMessageBox::Yes | QMessageBox::No);
    // The hoist pair of a Husco valve gets fixed levels; the right wing pairs keep theirs.
    if (answer == QMessageBox::Yes) {
        CalImageBytes trimmed = CalImage;
        DorsellRules::SetAllTrims(trimmed, GlobalMinTrim, GlobalMaxTrim, Valvetypes->currentIndex() == HuscoEntry);
        host().EditFields(trimmed);
    } else {
        host().ImageToControls(false);
    }
}

void DorsellPage::ScrollBar80Change(int position) { host().EditByte(D::StickSafetySensitivity, position); }

void DorsellPage::LoadFrequency()
{
    ShowFrequencyBar(freqbar, Hertzlabel2, CurveBBar());
}

void DorsellPage::LoadGlobalTrims()
{
    // The working global trims are kept as their bars can hold them, paired as a trim pair is.
    CalImageBytes globals{};
    globals[0] = GlobalMinTrim;
    globals[1] = GlobalMaxTrim;
    ShowTrimPair(globals, 0, 1);
    GlobalMinTrim = globals[0];
    GlobalMaxTrim = globals[1];
    globalmintrim2->setValue(TrimToSliderPosition(GlobalMinTrim));
    globalmaxtrim2->setValue(TrimToSliderPosition(GlobalMaxTrim));
    gminvalue->setText(TrimVoltsText(GlobalMinTrim));
    gmaxvalue->setText(TrimVoltsText(GlobalMaxTrim));
}
