// The Quarn 2 page's fields: trims by output and port, the joystick, button and custom-mode
// settings, floats, the cartridge-port uses, option boxes, panic outputs and output links. Names
// and lists come from the page's own tables; the button names stay the same whatever joystick is
// fitted, so that two images always compare field by field.
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/joysticktables.h"
#include "core/catalog/pagetexts.h"
#include "core/catalog/quarn_captions.h"
#include "core/catalog/quarn_cartridge_uses.h"
#include "core/catalog/quarn_float_tables.h"
#include "core/catalog/quarn_lists.h"
#include "core/catalog/quarn_option_tables.h"
#include "core/catalog/quarn_trimgroups.h"

namespace Catalogue {

namespace {
using namespace Off::Quarn;

// A button label: its edit stores the text upper case and centred, then a NUL.
FieldDef LabelField(const QString &name, int field)
{
    FieldDef def = TextField(name, field, Off::LabelWidth);
    def.edit.textWidth = Off::LabelWidth - 1;
    def.edit.encodeText = Joy::StoredLabel;
    return def;
}

QString FunctionText(uint8_t code)
{
    const QString text = Joy::ButtonFunctionText(code);
    return text.isEmpty() ? QStringLiteral("code %1").arg(code) : text;
}

// The joystick type as the joystick list names it; the two- and three-stick types add the layout
// their own list chooses.
QString JoystickTypeText(uint8_t type)
{
    const int item = Joy::JoystickItemOfType(type);
    if (item < 0) return ListItemText({}, type);
    QString text = QString::fromLatin1(Joy::JoystickPages[item].item);
    for (const Joy::TwoStickLayout &layout : Joy::TwoStickLayouts)
        if (layout.type == type) text += QStringLiteral(": ") + QString::fromLatin1(layout.item);
    for (const Joy::ThreeStickLayout &layout : Joy::ThreeStickLayouts)
        if (layout.type == type) text += QStringLiteral(": ") + QString::fromLatin1(layout.item);
    return text;
}

void AddButtons(FieldDefs &defs)
{
    static const char *const axisNames[Off::Quarn::AxesPerButton] = {" X Axis", " Y Axis", " Z Axis"};
    for (const Joy::ButtonInfo &button : Joy::Buttons) {
        const QString mode = QString::fromLatin1(button.customCaption);
        defs << ByteField(mode, button.modeByte, FunctionText);
        defs << LabelField(QString::fromLatin1(button.name) + QStringLiteral(" Button Label"), button.labelField);
        for (int axis = 0; axis < Off::Quarn::AxesPerButton; ++axis)
            defs << ListField(mode + QString::fromLatin1(axisNames[axis]), button.axes + axis, Joy::AxisItems());
        if (button.remote < 0) continue;
        // The first remote byte is the switch number less one for a remote button, the slave
        // colour for slave hydraulics; the remote-ID spin shows the switch number itself.
        const int modeByte = button.modeByte;
        const int first = Off::RemotePairs[button.remote][0];
        const QString remote = QString::fromLatin1(button.remoteCaption);
        defs << FieldDef{remote + QStringLiteral(" Switch / Slave Mode"), {first}, [modeByte, first](const CalImageBytes &image) {
                             const uint8_t b = image[size_t(first)];
                             switch (image[size_t(modeByte)]) {
                             case Joy::Code::RemoteButton: return QString::number(b + 1);
                             case Joy::Code::SlaveHydraulics: return ListItemText(Joy::RemoteModeItems(), b - 1);
                             default: return QString::number(b);
                             }
                         }};
        defs << NumberField(remote + QStringLiteral(" Target ID"), Off::RemotePairs[button.remote][1]);
    }
    // No edit stores the always-live label: the trigger box only clears it.
    FieldDef alwaysLive = TextField(QStringLiteral("Always Live Label"), AlwaysLiveLabel, Off::LabelWidth);
    alwaysLive.edit.choices = {QByteArray(Off::LabelWidth, '\0')};
    defs << alwaysLive;
    defs << ListField(Caption(QuarnCaptions::AlwaysLiveMode), AlwaysLiveMode, Joy::AlwaysLiveItems());
}

void AddJoystick(FieldDefs &defs)
{
    defs << ByteField(QStringLiteral("Joystick Type"), Off::JoystickType, JoystickTypeText);
    defs << NumberField(Caption(QuarnCaptions::ControllerId), Off::ControllerId, ControlRange::ControllerId);
    defs << ByteField(Caption(QuarnCaptions::ModeButtonsAreTrigger), ModeButtonsAreTrigger,
                      [](uint8_t b) { return OnOffText(b != 0); });
    defs << ByteField(Caption(QuarnCaptions::MultiMode), MultiMode, [](uint8_t b) { return OnOffText(b != 0); });
    defs << FlagField(Caption(QuarnCaptions::SafetyLatch), SafetyLatch);
    // The four-stick layout uses all five stick-function bytes: JS1 to JS4 and the secondary one.
    const struct {
        const char *name;
        int offset;
    } sticks[] = {{"JS1 Function", StickFunction1}, {"JS2 Function", StickFunction4}, {"JS3 Function", StickFunction2},
                  {"JS4 Function", StickFunction3}, {"Secondary Function", StickFunctionSecondary}};
    for (const auto &stick : sticks)
        defs << ListField(QString::fromLatin1(stick.name), stick.offset, Joy::StickFunctionItems());
}

void AddFloatsAndOptions(FieldDefs &defs)
{
    using namespace QuarnFloatTables;
    for (const FloatRow &row : FloatRows) {
        defs << ListField(Caption(row.portCaption), row.portOffset, QuarnPortList());
        defs << TextField(Caption(row.nameCaption), row.nameOffset, Off::FloatNameWidth);
    }
    defs << FlagField(Caption(MinFloatCaption), Float2PressureHolding);
    defs << FlagField(Caption(DoubleActingCaption), Float1DoubleActing);
    defs << FlagField(Caption(ForceBlockCaption), Float1ForceBlock);
    defs << FlagField(Caption(LockoutCaption), FloatLockout);
    defs << NumberField(Caption(QuarnCaptions::FloatDelay), FloatDelay, ControlRange::FloatDelay);

    for (const QuarnCartridgeUses::CartridgeUse &use : QuarnCartridgeUses::Uses)
        defs << FlagField(Caption(use.caption), use.offset);

    for (const QuarnOptionTables::FlagBox &box : QuarnOptionTables::FlagBoxes) {
        if (box.where == QuarnOptionTables::Where::JoystickTabs) continue;  // the safety latch, above
        const QString panic = box.where == QuarnOptionTables::Where::PanicOutputs ? QStringLiteral("Panic ") : QString();
        defs << FlagField(panic + Caption(box.caption), box.offset);
    }
    for (size_t i = 0; i < std::size(QuarnOptionTables::OutputLinks); ++i)
        defs << ListField(QString::fromLatin1(QuarnCaptions::OutputLinkRow).arg(i / 2 + 1) +
                              (i % 2 == 0 ? QStringLiteral(" A") : QStringLiteral(" B")),
                          QuarnOptionTables::OutputLinks[i].offset, QuarnOutputList());

    defs << FlagField(Caption(QuarnCaptions::VPlowAttached), VPlowAttached);
    defs << FlagField(Caption(QuarnCaptions::HoistLimitNC), HoistLimitNC);
    defs << FlagField(Caption(QuarnCaptions::HoistLimitNO), HoistLimitNO);
    // "Enable Stayhand" is ticked unless the byte is exactly 1.
    defs << ByteField(Caption(QuarnCaptions::StickSafety), StickSafetyDisabled, [](uint8_t b) { return OnOffText(b != 1); });
    defs << NumberField(QStringLiteral("Stick Safety Sensitivity"), StickSafetySensitivity, ControlRange::QuarnSensitivity);
    defs << NumberField(Caption(QuarnCaptions::BladeUpTime), BladeUpTime, {0, MaxBladeUpTime});
    defs << ListField(Caption(QuarnCaptions::AutoBladePort), AutoBladePort, QuarnPortList());
    defs << NumberField(Caption(QuarnCaptions::StartupDelay), StartupDelay, ControlRange::QuarnStartupDelay);
}
}  // namespace


FieldDefs QuarnFields()
{
    FieldDefs defs;
    defs << FrequencyField(Caption(QuarnCaptions::Frequency), CurveABar());
    for (const QuarnTrimGroup &group : QuarnTrimGroups) {
        const QString output = QString::fromLatin1(group.outputName) + QLatin1Char(' ') + QString::fromLatin1(group.portLabel);
        defs << TrimField(output + QStringLiteral(" Min"), group.minOffset, ControlRange::QuarnTrimBytes, group.maxOffset(), false);
        defs << TrimField(output + QStringLiteral(" Max"), group.maxOffset(), ControlRange::QuarnTrimBytes, group.minOffset, true);
    }
    AddJoystick(defs);
    AddButtons(defs);
    AddFloatsAndOptions(defs);
    AddQuarnSeasonFields(defs);
    SetQuarnEditRules(defs);
    return defs;
}

}  // namespace Catalogue
