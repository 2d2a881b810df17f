#include "core/catalog/quarn_rules.h"

#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/joysticktables.h"
#include "core/catalog/quarn_cartridge_uses.h"
#include "core/catalog/quarn_trimgroups.h"
#include "core/catalog/trimpair.h"

#include <algorithm>

namespace QuarnRules {

using namespace Joy;

namespace {
const RemoteRule RemoteRules[] = {
    {Code::RemoteButton, 101, 200, 0, 11, "Switch No.:", true},
    {Code::SlaveHydraulics, 10, 100, 1, 4, "Slave Mode:", false},
};
}  // namespace

void StoreLabel(CalImageBytes &image, int field, const QString &text)
{
    const QByteArray bytes = StoredLabel(text);
    for (int i = 0; i < Off::LabelWidth; ++i) image[size_t(field + i)] = uint8_t(bytes.at(i));
}

const RemoteRule *RemoteRuleOf(int mode)
{
    for (const RemoteRule &rule : RemoteRules)
        if (rule.mode == mode) return &rule;
    return nullptr;
}

void SettleRemotePair(CalImageBytes &image, int button)
{
    const ButtonInfo &info = Buttons[button];
    if (info.remote < 0) return;
    uint8_t &first = image[size_t(Off::RemotePairs[info.remote][0])];
    uint8_t &second = image[size_t(Off::RemotePairs[info.remote][1])];
    if (const RemoteRule *rule = RemoteRuleOf(image[size_t(info.modeByte)])) {
        first = uint8_t(std::clamp<int>(first, rule->firstMin, rule->firstMax));
        // A target ID below the mode's range shows (and stores) the range's lowest.
        second = uint8_t(std::clamp<int>(second, rule->targetMin, rule->targetMax));
    } else {
        first = NotRemote;
        second = NotRemote;
    }
}

void ChooseButtonMode(CalImageBytes &image, int button, int code)
{
    image[size_t(Buttons[button].modeByte)] = uint8_t(code);
    // The button's label becomes the mode's label; a label that reads so already stores nothing
    // new.
    const QString label = DefaultLabel(code);
    const int field = Buttons[button].labelField;
    if (ReadTextField(image.data(), field, Off::LabelWidth - 1) != label) StoreLabel(image, field, label);
    SettleRemotePair(image, button);
}

void SetButtonOption(CalImageBytes &image, int modeByte, int code)
{
    image[size_t(modeByte)] = uint8_t(code);
    for (int button = 0; button < ButtonCount; ++button)
        if (Buttons[button].modeByte == modeByte) SettleRemotePair(image, button);
}

void ChooseJoystick(CalImageBytes &image, int previousPage, int page)
{
    if (IsButtonPage(page)) {
        image[Off::Quarn::StickSafetyDisabled] = 0;
        if (previousPage == TwoStickPage || previousPage == ThreeStickPage) {
            // The stick layouts kept stick options in the mode bytes: put the usual modes back.
            for (const ButtonInfo &button : Buttons) image[size_t(button.modeByte)] = uint8_t(button.resetMode);
        } else if ((previousPage == SixButtonPage || previousPage == EightButtonPage || previousPage == SlaveModePage) &&
                   page == FourButtonPage) {
            // The four-button grip has no custom mode: a custom button gets its usual mode.
            for (const ButtonInfo &button : Buttons)
                if (image[size_t(button.modeByte)] == Code::Custom) image[size_t(button.modeByte)] = uint8_t(button.resetMode);
        }
    } else if (page == TwoStickPage || page == ThreeStickPage || page == M3G2Page) {
        image[Off::RedMode] = Code::Safety;
        image[Off::GreenMode] = Code::Inactive;
        image[Off::BlueMode] = page == TwoStickPage ? Code::Inactive : Code::PrimaryButtonSecondary;
    }
    image[Off::JoystickType] = uint8_t(JoystickPages[page].type);
}

void ChooseTwoStickLayout(CalImageBytes &image, int layout)
{
    const TwoStickLayout &chosen = TwoStickLayouts[layout];
    image[Off::JoystickType] = uint8_t(chosen.type);
    image[Off::RedMode] = uint8_t(chosen.redMode);
    image[Off::GreenMode] = uint8_t(chosen.greenMode);
}

void ChooseThreeStickLayout(CalImageBytes &image, int layout)
{
    image[Off::JoystickType] = uint8_t(ThreeStickLayouts[layout].type);
}

void SetModeButtonsAreTrigger(CalImageBytes &image, bool on)
{
    image[Off::Quarn::ModeButtonsAreTrigger] = on ? 1 : 0;
    if (on) return;
    image[Off::Quarn::MultiMode] = 0;
    image[Off::Quarn::AlwaysLiveMode] = 0;
    for (int i = 0; i < Off::LabelWidth; ++i) image[size_t(Off::Quarn::AlwaysLiveLabel + i)] = 0;
}

void SetHoistLimit(CalImageBytes &image, int offset, bool on)
{
    image[size_t(offset)] = on ? 1 : 0;
    if (!on) return;
    const int other = offset == Off::Quarn::HoistLimitNC ? Off::Quarn::HoistLimitNO : Off::Quarn::HoistLimitNC;
    image[size_t(other)] = 0;
}

bool CartridgeUseGoverns(int use, int other)
{
    using namespace QuarnCartridgeUses;
    return other != use && !(use == Float4Use && other == CameraUse);
}

void SetCartridgeUse(CalImageBytes &image, int use, bool on)
{
    using namespace QuarnCartridgeUses;
    image[size_t(Uses[use].offset)] = on ? 1 : 0;
    if (!on) return;
    for (int other = 0; other < UseCount; ++other)
        if (CartridgeUseGoverns(use, other)) image[size_t(Uses[other].offset)] = 0;
}

void SetAllTrims(CalImageBytes &image, uint8_t globalMin, uint8_t globalMax, bool husco)
{
    for (const QuarnTrimGroup &g : QuarnTrimGroups) {
        image[size_t(g.minOffset)] = globalMin;
        image[size_t(g.maxOffset())] = globalMax;
    }
    if (!husco) return;
    for (int min : {Off::Quarn::HoistUpMin, Off::Quarn::HoistDownMin}) {
        image[size_t(min)] = HuscoHoistMin;
        image[size_t(min + Off::Quarn::TrimMaxAfterMin)] = HuscoHoistMax;
    }
}

void SetForceBlock(CalImageBytes &image, bool on)
{
    image[Off::Quarn::Float1ForceBlock] = on ? 1 : 0;
    if (on) image[Off::Quarn::Float1DoubleActing] = 1;
}

}  // namespace QuarnRules
