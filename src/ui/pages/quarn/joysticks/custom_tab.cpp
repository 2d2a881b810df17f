// The "Custom" tab: one group per button with its "Activate Custom Mode" box and the X, Y and Z
// output pairs its custom mode drives; captions and colours follow the joystick type.
#include "core/calimage.h"
#include "core/image_layout.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"
#include "ui/pages/quarn/quarnpage.h"
#include "ui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

using namespace Joy;

namespace {
constexpr int GroupWidth = 144;
constexpr int GroupHeight = 118;
constexpr char AxisLetters[] = {'X', 'Y', 'Z'};
// Place of each button's group: four across, two rows.
QRect GroupPlace(int slot) { return {4 + (slot % 4) * (GroupWidth + 2), 4 + (slot / 4) * (GroupHeight + 6), GroupWidth, GroupHeight}; }

// What the groups show for the groups-of-two layouts.
struct GroupsOfTwoCaptions {
    int type;
    const char *captions[ButtonCount];  // in the order of the button table
};
const GroupsOfTwoCaptions GroupsOfTwo[] = {
    {Type::ThreeStickGroups,
     {"No Button Mode", "JS1 Primary Modes", "JS2 Primary Modes", "JS3 Primary Modes", "JS1 Secondary Modes",
      "JS2 Secondary Modes", "JS3 Secondary Modes"}},
    {Type::FourStickGroups,
     {"JS4 Secondary Modes", "JS1 Primary Modes", "JS2 Primary Modes", "JS3 Primary Modes", "JS4 Primary Modes",
      "JS2 Secondary Modes", "JS3 Secondary Modes"}},
};

// How many coloured buttons (from red on) each button joystick has.
int ButtonsOfType(int type)
{
    switch (type) {
    case Type::FourButton: return 2;
    case Type::SixButton: return 4;
    case Type::EightButton: return 6;
    default: return -1;
    }
}
}  // namespace

void QuarnJoystickPart::BuildCustomTab(QWidget *tab)
{
    for (int b = 0; b < ButtonCount; ++b) {
        const ButtonInfo &button = Buttons[b];
        const QString name = QString::fromLatin1(button.name);
        QGroupBox *group =
            NewGroup(tab, name + "ButtonCustomGroup", QString::fromLatin1(button.customCaption), GroupPlace(b));
        SetFontColour(group, button.customColour);
        m_customGroups[size_t(b)] = group;
        QCheckBox *box =
            NewCheckBox(group, name + "ButtonCustom", QStringLiteral("Activate Custom Mode"), {6, 18, 136, 20});
        m_customBoxes[size_t(b)] = box;
        connect(box, &QCheckBox::toggled, this,
                [this, b](bool ticked) { ActivateCustomModeClick(Button(b), ticked); });
        for (int a = 0; a < 3; ++a) {
            const int y = 42 + a * 24;
            NewLabel(group, nullptr, QString(QLatin1Char(AxisLetters[a])) + ':', {8, y + 3, 14, 16});
            QComboBox *axis =
                NewDropDown(group, name + "Button" + AxisLetters[a] + "Axis", AxisItems(), {24, y, 112, 22}, ListRows);
            m_axes[size_t(b)][size_t(a)] = axis;
            connect(axis, &QComboBox::activated, this, [this, b, a](int item) { ButtonAxisChange(Button(b), a, item); });
        }
    }
    const QRect spare = GroupPlace(ButtonCount);
    auto *help = NewButton(tab, "CustomHelpButton", QStringLiteral("Custom Help"),
                           {spare.x() + 22, spare.y() + 24, 100, 26});
    connect(help, &QPushButton::clicked, this, &QuarnJoystickPart::CustomHelpButtonClick);
    auto *other = NewButton(tab, "axisswitches", QStringLiteral("Other Options"),
                            {spare.x() + 22, spare.y() + 62, 100, 26});
    connect(other, &QPushButton::clicked, this, &QuarnJoystickPart::axisswitchesClick);
}

void QuarnJoystickPart::LoadCustomAxes()
{
    for (int b = 0; b < ButtonCount; ++b) {
        m_customBoxes[size_t(b)]->setChecked(CalImage[size_t(Buttons[b].modeByte)] == Code::Custom);
        for (int a = 0; a < 3; ++a) {
            const int value = CalImage[size_t(Buttons[b].axes + a)];
            m_axes[size_t(b)][size_t(a)]->setCurrentIndex(value < m_axes[size_t(b)][size_t(a)]->count() ? value : -1);
        }
    }
    ApplyOutputNameRule();
}

void QuarnJoystickPart::ApplyOutputNameRule()
{
    bool anyAxis = false;
    for (const ButtonInfo &button : Buttons)
        for (int a = 0; a < 3; ++a) anyAxis = anyAxis || CalImage[size_t(button.axes + a)] > 0;
    m_page.SetOutputNamesVisible(!anyAxis);
}

void QuarnJoystickPart::LoadCustomCaptions()
{
    const int type = CalImage[Off::JoystickType];
    const auto enableAxes = [this](int b, bool x, bool y, bool z) {
        m_axes[size_t(b)][0]->setEnabled(x);
        m_axes[size_t(b)][1]->setEnabled(y);
        m_axes[size_t(b)][2]->setEnabled(z);
    };
    if (const int present = ButtonsOfType(type); present >= 0) {
        for (int b = Red; b < ButtonCount; ++b) {
            m_customGroups[size_t(b)]->setTitle(QString::fromLatin1(Buttons[b].customCaption));
            const bool has = b <= present;
            m_customBoxes[size_t(b)]->setEnabled(has);
            enableAxes(b, has, has, has && type != Type::FourButton);
            SetFontColour(m_customGroups[size_t(b)], has ? Buttons[b].customColour : NotApplicable);
        }
        m_customGroups[NoButton]->setTitle(QString::fromLatin1(Buttons[NoButton].customCaption));
        m_customBoxes[NoButton]->setEnabled(true);
        enableAxes(NoButton, true, true, type != Type::FourButton);
        SetFontColour(m_customGroups[NoButton], Buttons[NoButton].customColour);
        return;
    }
    for (const GroupsOfTwoCaptions &layout : GroupsOfTwo) {
        if (layout.type != type) continue;
        for (int b = 0; b < ButtonCount; ++b) {
            m_customGroups[size_t(b)]->setTitle(QString::fromLatin1(layout.captions[b]));
            m_customBoxes[size_t(b)]->setEnabled(false);
        }
        // Red and green keep the colour and enabled axes they had; the others are set here.
        m_axes[Red][2]->setEnabled(false);
        m_axes[Green][2]->setEnabled(false);
        if (type == Type::ThreeStickGroups) {
            enableAxes(Red, true, true, false);
            enableAxes(Green, true, true, false);
        }
        for (int b = Blue; b < ButtonCount; ++b) {
            enableAxes(b, true, true, false);
            SetFontColour(m_customGroups[size_t(b)], Buttons[b].customColour);
        }
        if (type == Type::ThreeStickGroups) {
            enableAxes(NoButton, false, false, false);
            SetFontColour(m_customGroups[NoButton], NotApplicable);
        } else {
            enableAxes(NoButton, true, true, false);
            SetFontColour(m_customGroups[NoButton], Buttons[NoButton].customColour);
        }
    }
}

void QuarnJoystickPart::SetVPlowAttached(bool attached)
{
    m_customGroups[Green]->setHidden(attached);
    m_customGroups[Orange]->setHidden(attached);
    m_optionLists[ComboBox13]->setHidden(attached);
    m_optionLists[ComboBox3]->setHidden(attached);
}
