// The Quarn 2 page's show rules: every setting its controls cannot show as the bytes stand is
// brought to what the control shows (a trim into its bar, a flag to 0 or 1, a spin value into its
// range, one cartridge-port use...). They run in the order the page sets its controls: a later
// rule sees what an earlier one left (a mode byte cleared on the four-stick page settles its
// remote pair).
#include "core/catalog/show.h"

#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/joysticktables.h"
#include "core/catalog/quarn_cartridge_uses.h"
#include "core/catalog/quarn_float_tables.h"
#include "core/catalog/quarn_option_tables.h"
#include "core/catalog/quarn_rules.h"
#include "core/catalog/quarn_trimgroups.h"
#include "core/catalog/trimpair.h"

#include <algorithm>
#include <cstring>

namespace Catalogue {

namespace {
using namespace Off::Quarn;

// A flag shown in a check box: 1 is on, anything else is shown and stored as off.
void SettleFlag(uint8_t &flag)
{
    if (flag != 1) flag = 0;
}

// A box that starts unticked and stores only when it is ticked: any non-zero byte becomes 1.
void SettleNonZero(uint8_t &flag)
{
    if (flag != 0) flag = 1;
}

uint8_t Clamped(uint8_t b, const ByteRange &range) { return uint8_t(std::clamp<int>(b, range.lowest, range.highest)); }

// An unknown joystick type is shown as the four-button grip.
void SettleJoystickType(CalImageBytes &image)
{
    if (Joy::JoystickItemOfType(image[Off::JoystickType]) < 0)
        image[Off::JoystickType] = uint8_t(Joy::JoystickPages[Joy::FourButtonPage].type);
}

// A trim bar brings its side into the bar's range and, once it has moved from the top of the bar
// where it starts, pairs the other side: the minimum first, then the maximum.
void SettleTrimSide(uint8_t &min, uint8_t &max, bool maxSide)
{
    uint8_t &side = maxSide ? max : min;
    const uint8_t shown = Clamped(side, ControlRange::QuarnTrimBytes);
    if (shown == ControlRange::QuarnTrimBytes.highest) return;  // the bar stays where it starts
    side = shown;
    if (maxSide) PairTrimMax(min, max);
    else PairTrimMin(min, max);
}

void SettleTrims(CalImageBytes &image)
{
    for (const QuarnTrimGroup &g : QuarnTrimGroups)
        for (bool maxSide : {false, true}) SettleTrimSide(image[size_t(g.minOffset)], image[size_t(g.maxOffset())], maxSide);
}

// The cartridge port has one use: the first found on wins, every other use is off.
void SettleCartridgeUses(CalImageBytes &image)
{
    using namespace QuarnCartridgeUses;
    bool taken = false;
    for (const CartridgeUse &use : Uses) {
        uint8_t &flag = image[size_t(use.offset)];
        if (flag == 1 && !taken) taken = true;
        else flag = 0;
    }
}

// An edit shows the text its field reads, and storing what it shows can leave a blank at the end
// of the field (a letter whose upper case is two, 'ß', pushes the last one out) that the next
// reading trims: the field is stored again until it reads back as it was stored, so that showing
// a second time changes nothing.
template <class StoreText>
void StoreShownText(CalImageBytes &image, int offset, int width, StoreText store)
{
    QString text = ReadTextField(image.data(), offset, width);
    for (int pass = 0; pass <= width && !text.isEmpty(); ++pass) {
        store(text);
        const QString again = ReadTextField(image.data(), offset, width);
        if (again == text) break;
        text = again;
    }
}

// A label shown as text stores that text as a label is stored.
template <size_t N>
void SettleLabels(CalImageBytes &image, const int (&labels)[N])
{
    for (int field : labels)
        StoreShownText(image, field, Off::LabelWidth - 1,
                       [&](const QString &text) { QuarnRules::StoreLabel(image, field, text); });
}

// The four-stick page's safety boxes: each stick's option is safety or nothing.
void SettleFourStickSafety(CalImageBytes &image)
{
    for (int byte : Joy::FourStickOptionBytes) {
        uint8_t &option = image[size_t(byte)];
        if (option != Joy::Code::Safety) option = 0;
    }
}

bool OnButtonPage(const CalImageBytes &image) { return Joy::IsButtonPage(Joy::JoystickItemOfType(image[Off::JoystickType])); }

void SettleJoystickPages(CalImageBytes &image)
{
    if (OnButtonPage(image)) SettleLabels(image, Joy::ButtonPageLabels);
    else if (image[Off::JoystickType] == Joy::Type::FourStick) SettleFourStickSafety(image);
}

// Float names stored on each change show (and store) the field's text in upper case; the first
// float's name is stored only when the technician leaves its edit.
void SettleFloatNames(CalImageBytes &image)
{
    for (const QuarnFloatTables::FloatRow &row : QuarnFloatTables::FloatRows) {
        if (row.storeOnLeave) continue;
        uint8_t *field = image.data() + row.nameOffset;
        StoreShownText(image, row.nameOffset, Off::FloatNameWidth, [field](const QString &text) {
            const QByteArray shown = text.toUpper().left(Off::FloatNameWidth).toLatin1();
            std::memset(field, 0, Off::FloatNameWidth);
            std::memcpy(field, shown.constData(), size_t(shown.size()));
        });
    }
}

// Float one is double acting while it is a force float block.
void SettleFloatOne(CalImageBytes &image)
{
    SettleFlag(image[Float1DoubleActing]);
    SettleFlag(image[Float1ForceBlock]);
    if (image[Float1ForceBlock] == 1) image[Float1DoubleActing] = 1;
}

// The hoist limit switch is normally closed or normally open; closed wins when both are set.
void SettleHoistLimit(CalImageBytes &image)
{
    SettleFlag(image[HoistLimitNC]);
    SettleFlag(image[HoistLimitNO]);
    if (image[HoistLimitNC] == 1) image[HoistLimitNO] = 0;
}

void SettleTimings(CalImageBytes &image)
{
    image[FloatDelay] = Clamped(image[FloatDelay], ControlRange::FloatDelay);
    if (image[BladeUpTime] > MaxBladeUpTime) image[BladeUpTime] = 0;
    if (image[StartupDelay] > MaxStartupDelay) image[StartupDelay] = StartupDelayReset;
    image[StartupDelay] = Clamped(image[StartupDelay], ControlRange::QuarnStartupDelay);
}

void SettleTrigger(CalImageBytes &image)
{
    SettleNonZero(image[ModeButtonsAreTrigger]);
    SettleNonZero(image[MultiMode]);
    // Without the trigger the button pages clear the always-live label's edits, which store a
    // blank label over any text the label held.
    if (image[ModeButtonsAreTrigger] == 0 && OnButtonPage(image) &&
        !ReadTextField(image.data(), AlwaysLiveLabel, Off::LabelWidth - 1).isEmpty())
        QuarnRules::StoreLabel(image, AlwaysLiveLabel, QString());
}
}  // namespace

void ShowQuarnRules(CalImageBytes &image, uint8_t)
{
    SettleJoystickType(image);
    image[Off::Frequency] = ShownFrequencyByte(CurveABar(), image[Off::Frequency]);
    SettleTrims(image);
    image[StickSafetySensitivity] = Clamped(image[StickSafetySensitivity], ControlRange::QuarnSensitivity);
    // "Enable Stayhand" is unticked only by a 1 in its byte.
    SettleFlag(image[StickSafetyDisabled]);
    SettleCartridgeUses(image);
    SettleFlag(image[VPlowAttached]);
    SettleJoystickPages(image);
    for (const QuarnFloatTables::FloatRow &row : QuarnFloatTables::FloatRows)
        if (image[size_t(row.portOffset)] > LastPortIndex) image[size_t(row.portOffset)] = 0;
    SettleFloatNames(image);
    SettleFloatOne(image);
    SettleFlag(image[Float2PressureHolding]);
    SettleTimings(image);
    SettleHoistLimit(image);
    for (const QuarnOptionTables::FlagBox &box : QuarnOptionTables::FlagBoxes) SettleFlag(image[size_t(box.offset)]);
    SettleLabels(image, Joy::StickLabels);
    SettleTrigger(image);
    for (int button = 0; button < Joy::ButtonCount; ++button) QuarnRules::SettleRemotePair(image, button);
}

}  // namespace Catalogue
