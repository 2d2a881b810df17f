// The "Remote/Slave" tab: how a button set to "Remote Button" or "Slave Hydraulics" reaches
// another controller, and the controller's own ID.
#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"
#include "core/catalog/quarn_captions.h"
#include "core/catalog/quarn_rules.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"
#include "ui/pages/quarn/quarn_controls.h"
#include "ui/widgets/controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

using namespace Joy;

namespace {
constexpr int GroupWidth = 190;
constexpr int GroupHeight = 100;

using QuarnRules::NotRemote;
using QuarnRules::RemoteRule;

// The first of the six buttons that have remote settings (red).
constexpr int FirstRemoteButton = Red;
}  // namespace

void QuarnJoystickPart::BuildRemoteTab(QWidget *tab)
{
    for (size_t r = 0; r < m_remote.size(); ++r) {
        const ButtonInfo &button = Buttons[FirstRemoteButton + int(r)];
        const QString name = QString::fromLatin1(button.name);
        RemoteControls &c = m_remote[r];
        const QRect place{4 + int(r % 3) * (GroupWidth + 4), 4 + int(r / 3) * (GroupHeight + 6), GroupWidth, GroupHeight};
        c.group = NewGroup(tab, name + "RemoteGroup", QString::fromLatin1(button.remoteCaption), place);
        NewLabel(c.group, nullptr, QStringLiteral("Target ID:"), {10, 27, 70, 16});
        c.target = NewSpin(c.group, name + "TargetIDSpin", NotRemote, NotRemote, {90, 24, 80, 22});
        c.typeLabel = NewLabel(c.group, name + "SlaveTypeLabel", QString(), {10, 59, 78, 16});
        c.remoteId = NewSpin(c.group, name + "RemoteIDSpin", 1, 12, {90, 56, 80, 22});
        c.mode = NewDropDown(c.group, name + "RemoteModeDropdown", RemoteModeItems(), {90, 56, 80, 22}, ListRows);
        const int remote = int(r);
        connect(c.target, &QSpinBox::valueChanged, this, [this, remote](int v) { RedTargetIDSpinChange(remote, v); });
        connect(c.remoteId, &QSpinBox::valueChanged, this, [this, remote](int v) { RedRemoteIDSpinChange(remote, v); });
        connect(c.mode, &QComboBox::activated, this,
                [this, remote](int item) { RedRemoteModeDropdownChange(remote, item); });
    }
    NewLabel(tab, nullptr, QString::fromLatin1(QuarnCaptions::ControllerId), {8, 227, 60, 16});
    IDSpin2 = NewSpin(tab, "IDSpin2", ControlRange::ControllerId.lowest, ControlRange::ControllerId.highest, {70, 224, 70, 22});
    connect(IDSpin2, &QSpinBox::valueChanged, this, &QuarnJoystickPart::IDSpinChange);
}

void QuarnJoystickPart::LoadRemote()
{
    for (size_t r = 0; r < m_remote.size(); ++r) {
        const ButtonInfo &button = Buttons[FirstRemoteButton + int(r)];
        const int first = Off::RemotePairs[button.remote][0];
        const int second = Off::RemotePairs[button.remote][1];
        RemoteControls &c = m_remote[r];
        // The pair is held within the ranges of the button's mode (both 255 without remote settings).
        const RemoteRule *rule = QuarnRules::RemoteRuleOf(CalImage[size_t(button.modeByte)]);

        if (rule) {
            SetFontColour(c.group, button.remoteColour);
            c.target->setEnabled(true);
            SetSpinRangeQuietly(c.target, rule->targetMin, rule->targetMax);
            c.mode->setHidden(rule->showsSwitch);
            c.remoteId->setVisible(rule->showsSwitch);
            c.typeLabel->setText(QString::fromLatin1(rule->typeCaption));
            // The switch-number spin always holds the pair's first byte plus one.
            SetSpinRangeQuietly(c.remoteId, rule->firstMin + 1, rule->firstMax + 1);
        } else {
            SetFontColour(c.group, NotApplicable);
            c.target->setEnabled(false);
            SetSpinRangeQuietly(c.target, NotRemote, NotRemote);
            c.mode->hide();
            c.remoteId->hide();
            c.typeLabel->clear();
            SetSpinRangeQuietly(c.remoteId, NotRemote + 1, NotRemote + 1);
        }
        c.target->setValue(CalImage[size_t(second)]);
        c.remoteId->setValue(CalImage[size_t(first)] + 1);
        c.mode->setCurrentIndex(CalImage[size_t(first)] - 1 < c.mode->count() ? CalImage[size_t(first)] - 1 : -1);
    }
}

void QuarnJoystickPart::RedTargetIDSpinChange(int remote, int value)
{
    StoreByte(Off::RemotePairs[Buttons[FirstRemoteButton + remote].remote][1], value);
}

void QuarnJoystickPart::RedRemoteIDSpinChange(int remote, int value)
{
    StoreByte(Off::RemotePairs[Buttons[FirstRemoteButton + remote].remote][0], value - 1);
}

void QuarnJoystickPart::RedRemoteModeDropdownChange(int remote, int item)
{
    StoreByte(Off::RemotePairs[Buttons[FirstRemoteButton + remote].remote][0], item + 1);
}

void QuarnJoystickPart::IDSpinChange(int value)
{
    StoreByte(Off::ControllerId, value);
    Refresh();
}
