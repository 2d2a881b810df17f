// The loader steps of the joystick tabs: the joystick type and its page, the button modes and
// labels, the stick options, trigger and multi mode, and the controller ID.
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <iterator>

using namespace Joy;

namespace {
uint8_t Byte(int offset) { return CalImage[size_t(offset)]; }

// A drop-down shows the item of a stored index; an index it does not have shows no selection.
void SelectItem(QComboBox *list, int item) { list->setCurrentIndex(item >= 0 && item < list->count() ? item : -1); }
}  // namespace

void QuarnJoystickPart::LoadJoystickType()
{
    JoystickCombo->setCurrentIndex(JoystickItemOfType(Byte(Off::JoystickType)));
}

void QuarnJoystickPart::LoadJoystickSubPage() { JoystickNotebook->setCurrentIndex(JoystickCombo->currentIndex()); }

void QuarnJoystickPart::LoadButtonModes()
{
    if (IsButtonPage(JoystickNotebook->currentIndex())) LoadButtonPages();
    else LoadStickPages();
}

void QuarnJoystickPart::LoadButtonPages()
{
    for (size_t i = 0; i < ModeDropDowns.size(); ++i)
        SelectItem(m_modeDropDowns[i], ModeCodeToIndex(Byte(Buttons[ModeDropDowns[i].button].modeByte)));
    LoadLabelEdits(false);
}

void QuarnJoystickPart::LoadLabelEdits(bool stickLabels)
{
    for (size_t i = 0; i < LabelEdits.size(); ++i) {
        if (LabelEdits[i].stickLabel != stickLabels) continue;
        // A label holds eight characters and its NUL; a field without the NUL is read as far as
        // the edit can show it, so that nothing beyond the eighth character survives the trimming.
        const QString text = ReadTextField(CalImage.data(), LabelEdits[i].offset, Off::LabelWidth - 1);
        // An edit that already shows this label, give or take the blanks around it, keeps its
        // text: a blank typed between two words must survive the reload the typing causes.
        if (TrimText(m_labelEdits[i]->text()) != text) m_labelEdits[i]->setText(text);
    }
}

void QuarnJoystickPart::LoadOptionList(OptionList list)
{
    const OptionListInfo &info = OptionLists[list];
    m_optionLists[list]->setCurrentIndex(OptionItemOfCode(info, Byte(info.byte)));
}

void QuarnJoystickPart::LoadStickFunctions(size_t first, size_t last)
{
    for (size_t i = first; i <= last; ++i) SelectItem(m_stickFunctions[i], Byte(StickFunctionLists[i].byte));
}

void QuarnJoystickPart::LoadStickPages()
{
    QCheckBox *plowSafety = m_flagBoxes[0];  // TwoButton1Checkbox
    plowSafety->setChecked(Byte(Off::GreenMode) != 0);
    const int type = Byte(Off::JoystickType);
    LoadTwoStickPage(type);

    for (QLabel *label : {Label12, Label9, Label10, Label13, Label14, WingBladeLabel}) label->show();
    for (QLabel *label : {Label119, Label120}) label->hide();
    for (size_t i = 0; i < 4; ++i) m_stickFunctions[i]->hide();
    LoadThreeStickPage(type);

    if (type == Type::FourStick) LoadFourStickPage();
}

void QuarnJoystickPart::LoadTwoStickPage(int type)
{
    QCheckBox *button1 = m_flagBoxes[0];  // TwoButton1Checkbox
    QCheckBox *button2 = m_flagBoxes[1];  // TwoButton2Checkbox
    QComboBox *hoistButton = m_optionLists[TwoHoistButtonDropDown];
    struct TwoStickCaptions {
        int type;
        const char *label140, *label142, *j1, *j2, *button1;
    };
    static const TwoStickCaptions captions[] = {
        {Type::TwoStickPlowHoist, "Plow or JS2", "Hoist or JS1", "Plow (port A)", "Hoist (port A)", "Safety"},
        {Type::TwoStickPlowHoistWingBlade, "Hoist or JS1", "Wing/Blade or JS3", "Plow/Hoist (port A)",
         "Wing or Blade (port C)", "Plow/Hoist"},
        {Type::TwoStickPlowHook, "Plow or JS2", "Wing/Blade or JS3", "Plow (port A)", "Hook (port C)", "Safety"},
    };
    for (size_t item = 0; item < std::size(captions); ++item) {
        const TwoStickCaptions &c = captions[item];
        if (c.type != type) continue;
        const bool hoistStick = type == Type::TwoStickPlowHoist;
        if (!hoistStick) {
            button2->setChecked(Byte(Off::BlueMode) != 0);
        }
        button2->setVisible(!hoistStick);
        Label140->setText(QString::fromLatin1(c.label140));
        Label142->setText(QString::fromLatin1(c.label142));
        TwoJ1Label->setText(QString::fromLatin1(c.j1));
        TwoJ2Label->setText(QString::fromLatin1(c.j2));
        button1->setText(QString::fromLatin1(c.button1));
        button1->setEnabled(type != Type::TwoStickPlowHoistWingBlade);
        hoistButton->setVisible(hoistStick);
        if (hoistStick) LoadOptionList(TwoHoistButtonDropDown);
        TwoStickComboBox->setCurrentIndex(int(item));
    }
}

void QuarnJoystickPart::LoadThreeStickPage(int type)
{
    struct ThreeStickCaptions {
        int type;
        const char *stick2, *stick2Button, *stick3Button, *stick3, *stick3WithSecondary;
    };
    static const ThreeStickCaptions captions[] = {
        {Type::ThreeStickPlow, "Plow", "Plow Button:", "Wing/Blade Button:", "Primary Wing (port B)",
         "Primary Wing (port B)/Secondary Blade (port C)"},
        {Type::ThreeStickWing, "Wing", "Wing Button:", "Plow/Blade Button:", "Primary Plow (port A)",
         "Primary Plow (port A)/Secondary Blade (port C)"},
    };
    for (size_t item = 0; item < std::size(ThreeStickLayouts); ++item) {
        if (ThreeStickLayouts[item].type != type) continue;
        triomodes->setCurrentIndex(int(item));
        if (type == Type::ThreeStickCustom) {
            for (QLabel *label : {Label12, Label9, Label10, Label13, Label14, WingBladeLabel}) label->hide();
            for (QLabel *label : {Label119, Label120}) label->show();
            for (size_t i = 0; i < 4; ++i) m_stickFunctions[i]->show();
        } else {
            const ThreeStickCaptions &c = captions[item];
            Label12->setText(QString::fromLatin1(c.stick2));
            Label9->setText(QString::fromLatin1(c.stick2Button));
            Label10->setText(QString::fromLatin1(c.stick3Button));
        }
        LoadOptionList(plowoptions);
        LoadOptionList(ThreeHoistButtonDropDown);
        LoadOptionList(ThreeWingButtonDropDown);
        if (type == Type::ThreeStickCustom) {
            LoadStickFunctions(0, 3);
        } else {
            const ThreeStickCaptions &c = captions[item];
            const int wing = Byte(Off::BlueMode);
            const bool secondary = wing == Code::PrimaryButtonSecondary || wing == Code::TogglePrimarySecondary;
            WingBladeLabel->setText(QString::fromLatin1(secondary ? c.stick3WithSecondary : c.stick3));
        }
    }
}

void QuarnJoystickPart::LoadFourStickPage()
{
    LoadStickFunctions(4, 8);
    // Each stick's option is safety or nothing.
    for (size_t i = FirstStickSafetyBox; i < FirstStickSafetyBox + StickSafetyBoxCount; ++i)
        m_flagBoxes[i]->setChecked(Byte(FlagBoxes[i].byte) == Code::Safety);
}

void QuarnJoystickPart::LoadTrigger()
{
    for (QCheckBox *box : m_triggerBoxes) box->setChecked(Byte(Off::Quarn::ModeButtonsAreTrigger) != 0);
    for (QCheckBox *box : m_multiModeBoxes) box->setChecked(Byte(Off::Quarn::MultiMode) != 0);
    const bool trigger = Byte(Off::Quarn::ModeButtonsAreTrigger) != 0;
    for (QCheckBox *box : m_multiModeBoxes) box->setEnabled(trigger);
    for (QComboBox *list : m_alwaysLive) {
        list->setEnabled(trigger);
        if (!trigger) list->setCurrentIndex(0);
    }
    for (QLineEdit *edit : m_alwaysLiveText) {
        edit->setEnabled(trigger);
        if (!trigger) edit->clear();
    }
}

void QuarnJoystickPart::LoadSticksAndRemote()
{
    for (OptionList list : {ComboBox1, ComboBox3, ComboBox2, ComboBox12, ComboBox13, ComboBox14, ComboBox15})
        LoadOptionList(list);
    LoadLabelEdits(true);
    LoadTrigger();
    IDSpin->setValue(Byte(Off::ControllerId));
    IDSpin2->setValue(Byte(Off::ControllerId));
    LoadCustomCaptions();
    LoadRemote();
}
