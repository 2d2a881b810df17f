// Handlers of the joystick, custom and remote/slave tabs: each stores its control's value in the
// image at once and, where other controls depend on it, reloads the page.
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/quarn_rules.h"
#include "ui/dialogs/taliveform.h"
#include "ui/dialogs/taxisscreen.h"
#include "ui/editorhost.h"
#include "ui/pages/quarn/quarn_controls.h"
#include "ui/pages/quarn/quarnpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStackedWidget>

using namespace Joy;

QuarnJoystickPart::QuarnJoystickPart(QuarnPage &page, QObject *parent) : QObject(parent), m_page(page) {}

EditorHost &QuarnJoystickPart::host() const { return m_page.editor(); }

void QuarnJoystickPart::Refresh() { host().ImageToControls(false); }

void QuarnJoystickPart::JoystickComboChange(int item)
{
    if (item < 0 || item >= JoystickPageCount) return;
    const int previous = JoystickNotebook->currentIndex();
    if (IsButtonPage(item)) {
        // Button joysticks always run with the stick safety on.
        if (auto *stayhand = m_page.findChild<QCheckBox *>(QStringLiteral("stayhandbox"))) {
            stayhand->setEnabled(false);
            stayhand->setChecked(true);
        }
    }
    // Another joystick brings its layout; the same one chosen again puts its layout's modes back.
    if (item != previous) StoreByte(Off::JoystickType, JoystickPages[item].type);
    else QuarnRules::ChooseJoystick(CalImage, previous, item);
    Refresh();
}

void QuarnJoystickPart::FourButton1DropDownChange(size_t dropDown, int item)
{
    if (item < 0) return;
    // The core's rule for a mode chosen in its list gives the button the mode's label; the
    // reload shows it in every edit of that label.
    StoreByte(Buttons[ModeDropDowns[dropDown].button].modeByte, ModeIndexToCode(item));
    Refresh();
}

void QuarnJoystickPart::StoreLabel(int field, const QString &text) { StoreField(field, StoredLabel(text)); }

void QuarnJoystickPart::SixButtonLabelEditChange(size_t edit)
{
    QLineEdit *control = m_labelEdits[edit];
    const QString text = control->text();
    if (text != text.toUpper()) {
        // Labels are upper case only: show them so while the technician types.
        const QSignalBlocker quiet(control);
        const int cursor = control->cursorPosition();
        control->setText(text.toUpper());
        control->setCursorPosition(cursor);
    }
    StoreLabel(LabelEdits[edit].offset, text);
    Refresh();
}

void QuarnJoystickPart::ActivateCustomModeClick(Button button, bool ticked)
{
    // The loader ticks a box exactly when its button's mode is custom. Storing on its unticking
    // would overwrite a mode the technician has just chosen (or a file has just brought) with
    // "Inactive", so while loading the box only shows the mode.
    if (host().Loading()) return;
    QuarnRules::SetButtonOption(CalImage, Buttons[button].modeByte, ticked ? Code::Custom : Code::Inactive);
    Refresh();
}

void QuarnJoystickPart::ButtonAxisChange(Button button, int axis, int item)
{
    if (item < 0) return;
    StoreByte(Buttons[button].axes + axis, item);
    ApplyOutputNameRule();
}

void QuarnJoystickPart::ModeButtonsAreTriggerCheckboxClick(bool ticked)
{
    // Without the trigger there is neither multi mode nor an always-live function (nor its label);
    // the refresh shows that on every joystick page's boxes, lists and edits.
    StoreByte(Off::Quarn::ModeButtonsAreTrigger, ticked);
    Refresh();
}

void QuarnJoystickPart::MultiModeCheckboxClick(bool ticked) { StoreByte(Off::Quarn::MultiMode, ticked); }

void QuarnJoystickPart::alwaysliveChange(int list, int item)
{
    StoreByte(Off::Quarn::AlwaysLiveMode, uint8_t(item));  // no item (typed text) is stored as 255
    m_alwaysLive[size_t(1 - list)]->setCurrentIndex(item);
    if (item != 0) TaliveForm::ShowWarning(m_page.window());
}

void QuarnJoystickPart::StickOptionChange(OptionList list, int item)
{
    if (item < 0) return;
    const OptionListInfo &info = OptionLists[list];
    QuarnRules::SetButtonOption(CalImage, info.byte, OptionCode(info, item));
    if (info.refresh) Refresh();
}

void QuarnJoystickPart::StickFunctionChange(size_t list, int item)
{
    if (item < 0) return;
    StoreByte(StickFunctionLists[list].byte, item);
    if (StickFunctionLists[list].refresh) Refresh();
}

void QuarnJoystickPart::FlagBoxClick(size_t box, bool ticked)
{
    // The loader ticks these boxes for any non-zero option (and normalises the bytes it must
    // itself): storing "safety" on its ticking would replace a pass button or a secondary mode
    // chosen in another list of the same byte.
    if (host().Loading()) return;
    const FlagBox &flag = FlagBoxes[box];
    const int value = ticked ? flag.onValue : 0;
    if (flag.byte == Off::Quarn::SafetyLatch) StoreByte(flag.byte, value);
    else QuarnRules::SetButtonOption(CalImage, flag.byte, value);
    if (flag.refresh) Refresh();
}

void QuarnJoystickPart::TwoStickComboBoxChange(int item)
{
    if (item < 0) return;
    StoreByte(Off::JoystickType, TwoStickLayouts[item].type);
    Refresh();
}

void QuarnJoystickPart::triomodesChange(int item)
{
    if (item < 0) return;
    StoreByte(Off::JoystickType, ThreeStickLayouts[item].type);
    Refresh();
}

void QuarnJoystickPart::CustomHelpButtonClick() { host().ShowHelp(); }

void QuarnJoystickPart::axisswitchesClick()
{
    TAxisScreen dialog(m_page.window());
    dialog.exec();
}
