// The Dorsell/Ostrel 2 branch of ImageToControls: shows the variant's controls, then every
// control from the shown image (the window has put it through the page's show rules). Controls
// are moved with their signals blocked, so showing stores nothing.
#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/variants.h"
#include "core/catalog/dorsellitems.h"
#include "core/catalog/showncontrol.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "ui/pages/quietcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>

namespace D = Off::Dorsell;

void DorsellPage::LoadImage()
{
    const QuietControls quiet(this);
    const uint8_t product = ProductCode;
    const bool ostrel = ShowsOstrelSubset(product);
    LoadVariant(ostrel);
    joysetting->setCurrentIndex(CalImage[D::JoystickSetting]);
    joysetting2->setCurrentIndex(CalImage[D::JoystickSetting]);
    LoadSafetyTriggers(CalImage[D::JoystickSetting]);
    LoadOptions(ostrel);
    LoadGroupCombos();
    LoadCaptions(product, CalImage[D::JoystickSetting]);
    LoadFlag(joy1saftey, D::Joy1Safety);
    LoadFlag(joy2saftey, D::Joy2Safety);
    LoadFlag(joy3safety, D::Joy3Safety);
    ScrollBar80->setValue(CalImage[D::StickSafetySensitivity]);
    SpinEdit34->setValue(CalImage[D::FloatDelay]);
    LoadFrequency();
    LoadGlobalTrims();
    LoadTrims();
    LoadButtonModes();
}

void DorsellPage::ShowSafetyBoxes(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{Label122, joy1saftey, joy2saftey, joy3safety})
        w->setVisible(visible);
}

void DorsellPage::LoadVariant(bool ostrel)
{
    if (ostrel) {
        // The Ostrel 2 has no joystick 1 safety trigger, hoist limit nor attitude control.
        joy1saftey->setChecked(false);
        hoistlimit->setChecked(false);
        attitudecontrol->setChecked(false);
    } else {
        Label424->hide();
        SetGroupCombosEnabled(false);
    }
    for (int i = 0; i < DorsellTrimGroupCount; ++i) m_trims[i].box->setVisible(!ostrel || DorsellTrimGroups[i].onOstrel);
    joysetting->setVisible(!ostrel);
    joysetting2->setVisible(ostrel);
    for (QWidget *w : std::initializer_list<QWidget *>{hoistlimit, CheckBox16, cartridge, CheckBox22, attitudecontrol,
                                                       togglevplow})
        w->setVisible(!ostrel);
    CheckBox15->show();
    ShowSafetyBoxes(!ostrel);
    SetGroupCombosVisible(!ostrel);
}

void DorsellPage::LoadSafetyTriggers(int setting)
{
    if (setting == GroupsOf2Setting) {
        ShowSafetyBoxes(false);
        attitudecontrol->hide();
        togglevplow->hide();
        SetGroupCombosEnabled(true);
        return;
    }
    for (const SafetyTriggers &entry : DorsellSafetyTriggers) {
        if (entry.setting != setting) continue;
        joy1saftey->setEnabled(entry.joystick[0]);
        joy2saftey->setEnabled(entry.joystick[1]);
        joy3safety->setEnabled(entry.joystick[2]);
    }
}

void DorsellPage::LoadFlag(QCheckBox *box, int offset)
{
    box->setChecked(CalImage[offset] == 1);
}

bool DorsellPage::LoadOptionPair(QCheckBox *option, int offset, QCheckBox *sub, int subOffset)
{
    if (CalImage[offset] == 1) {
        option->setChecked(true);
        sub->setEnabled(true);
        sub->setChecked(CalImage[subOffset] == 1);
        return true;
    }
    option->setChecked(false);
    sub->setEnabled(false);
    sub->setChecked(false);
    return false;
}

void DorsellPage::LoadExclusive(QCheckBox *box, int offset, QCheckBox *other)
{
    if (CalImage[offset] == 1) {
        box->setEnabled(true);
        box->setChecked(true);
        other->setChecked(false);
        other->setEnabled(false);
    } else {
        box->setChecked(false);
        other->setEnabled(true);
    }
}

void DorsellPage::LoadOptions(bool ostrel)
{
    const bool floating = LoadOptionPair(plowfloat, D::PlowFloat, CheckBox15, D::DoubleActingFloat);
    Label424->setVisible(floating && ostrel);
    LoadOptionPair(hoistlimit, D::HoistLimit, CheckBox16, D::HoistLimitOverride);

    // The cartridge valve and the hoist dump valve share the CART port; the cartridge valve is
    // looked at first, so it wins when both are set.
    LoadExclusive(cartridge, D::CartridgeValve, CheckBox22);
    LoadExclusive(CheckBox22, D::HoistDownDumpValve, cartridge);

    LoadFlag(attitudecontrol, D::AttitudeControl);
    LoadFlag(togglevplow, D::ToggleVPlow);
}

void DorsellPage::LoadCaptions(uint8_t product, int setting)
{
    const char *const *captions = DorsellGroupCaptions(product, setting);
    for (int i = 0; i < DorsellTrimGroupCount; ++i)
        if (captions[i]) m_trims[i].box->setTitle(QString::fromLatin1(captions[i]));
}
