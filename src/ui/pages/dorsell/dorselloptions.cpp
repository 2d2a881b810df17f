// The right-hand column of the "Global" tab: the joystick setting, the safety triggers and the
// plow float, hoist limit, cartridge and V-plow options, with their handlers.
#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/variants.h"
#include "core/catalog/controlranges.h"
#include "core/catalog/dorsellitems.h"
#include "ui/editorhost.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "ui/pages/dorsell/dorsellwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace D = Off::Dorsell;

namespace {
constexpr int Indent = 18;  // sub-options sit under the option they depend on

const char *const FloatNote = "Float valve connects to the FLOAT lead of harness 2291-F.";

// A row indented under its parent option.
QHBoxLayout *Indented(QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addSpacing(Indent);
    row->addWidget(widget, 1);
    return row;
}
}  // namespace

QWidget *DorsellPage::BuildJoystickAndOptions(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("DorsellGlobalRight"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);

    auto *settingRow = new QHBoxLayout;
    settingRow->addWidget(new QLabel(QString::fromLatin1(DorsellCaptions::JoystickSetting), panel));
    joysetting = NewDropDown(panel, "joysetting", DorsellJoystickSettings());
    joysetting2 = NewDropDown(panel, "joysetting2", OstrelJoystickSettings());
    joysetting2->hide();
    settingRow->addWidget(joysetting, 1);
    settingRow->addWidget(joysetting2, 1);
    column->addLayout(settingRow);
    connect(joysetting, &QComboBox::activated, this, &DorsellPage::joysettingChange);
    connect(joysetting2, &QComboBox::activated, this, &DorsellPage::joysetting2Change);

    column->addSpacing(4);
    Label122 = NewLabel(panel, "Label122", QString::fromLatin1(DorsellCaptions::SafetyTriggers));
    column->addWidget(Label122);
    joy1saftey = NewFlagBox(panel, "joy1saftey", DorsellOptionCaption(D::Joy1Safety), D::Joy1Safety);
    joy2saftey = NewFlagBox(panel, "joy2saftey", DorsellOptionCaption(D::Joy2Safety), D::Joy2Safety);
    joy3safety = NewFlagBox(panel, "joy3safety", DorsellOptionCaption(D::Joy3Safety), D::Joy3Safety);
    for (QCheckBox *box : {joy1saftey, joy2saftey, joy3safety}) column->addLayout(Indented(box));

    column->addSpacing(4);
    plowfloat = NewCheckBox(panel, "plowfloat", QString::fromLatin1(DorsellOptionCaption(D::PlowFloat)));
    column->addWidget(plowfloat);
    CheckBox15 = NewFlagBox(panel, "CheckBox15", DorsellOptionCaption(D::DoubleActingFloat), D::DoubleActingFloat);
    column->addLayout(Indented(CheckBox15));
    Label424 = NewLabel(panel, "Label424", QString::fromLatin1(FloatNote));
    Label424->setWordWrap(true);
    Label424->hide();
    column->addLayout(Indented(Label424));
    auto *delayRow = new QHBoxLayout;
    delayRow->addSpacing(Indent);
    delayRow->addWidget(new QLabel(QString::fromLatin1(DorsellCaptions::FloatDelay), panel));
    SpinEdit34 = NewSpin(panel, "SpinEdit34", ControlRange::FloatDelay.lowest, ControlRange::FloatDelay.highest);
    delayRow->addWidget(SpinEdit34);
    delayRow->addStretch(1);
    column->addLayout(delayRow);
    connect(plowfloat, &QCheckBox::toggled, this, &DorsellPage::plowfloatClick);
    connect(SpinEdit34, &QSpinBox::valueChanged, this, &DorsellPage::SpinEdit34Change);

    hoistlimit = NewCheckBox(panel, "hoistlimit", QString::fromLatin1(DorsellOptionCaption(D::HoistLimit)));
    column->addWidget(hoistlimit);
    CheckBox16 = NewFlagBox(panel, "CheckBox16", DorsellOptionCaption(D::HoistLimitOverride), D::HoistLimitOverride);
    column->addLayout(Indented(CheckBox16));
    connect(hoistlimit, &QCheckBox::toggled, this, &DorsellPage::hoistlimitClick);

    cartridge = NewCheckBox(panel, "cartridge", QString::fromLatin1(DorsellOptionCaption(D::CartridgeValve)));
    CheckBox22 = NewCheckBox(panel, "CheckBox22", QString::fromLatin1(DorsellOptionCaption(D::HoistDownDumpValve)));
    column->addWidget(cartridge);
    column->addWidget(CheckBox22);
    connect(cartridge, &QCheckBox::toggled, this, &DorsellPage::cartridgeClick);
    connect(CheckBox22, &QCheckBox::toggled, this, &DorsellPage::CheckBox22Click);

    attitudecontrol = NewFlagBox(panel, "attitudecontrol", DorsellOptionCaption(D::AttitudeControl), D::AttitudeControl);
    togglevplow = NewFlagBox(panel, "togglevplow", DorsellOptionCaption(D::ToggleVPlow), D::ToggleVPlow);
    column->addWidget(attitudecontrol);
    column->addWidget(togglevplow);
    column->addStretch(1);
    return panel;
}

void DorsellPage::joysettingChange(int index) { host().EditByte(D::JoystickSetting, index); }

void DorsellPage::joysetting2Change(int index) { host().EditByte(D::JoystickSetting, index); }

// An option off clears its sub-option, and the cartridge valve and the hoist dump valve share the
// CART port: the fields' rules bring both, and the loader greys what they exclude.
void DorsellPage::plowfloatClick(bool ticked) { host().EditByte(D::PlowFloat, ticked); }

void DorsellPage::hoistlimitClick(bool ticked) { host().EditByte(D::HoistLimit, ticked); }

void DorsellPage::cartridgeClick(bool ticked) { host().EditByte(D::CartridgeValve, ticked); }

void DorsellPage::CheckBox22Click(bool ticked) { host().EditByte(D::HoistDownDumpValve, ticked); }

void DorsellPage::SpinEdit34Change(int value) { host().EditByte(D::FloatDelay, value); }
