#include "core/files/reportlines.h"

#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/joysticktables.h"

#include <span>

namespace {

// A trim line: its label, then the pair's minimum (at minByte) and maximum (the next byte).
struct TrimRow {
    const char *label;
    int minByte;
};

constexpr TrimRow DorsellTrims[] = {
    {"Plow Up:                            ", 9},  {"Plow Down:                          ", 11},
    {"Plow Left / V-Plow Left Wing Out:   ", 13}, {"Plow Right / V-Plow Left Wing In:   ", 15},
    {"Hoist Up:                           ", 1},  {"Hoist Down:                         ", 3},
    {"Hoist left / V-Plow Right Wing out: ", 5},  {"Hoist Right / V-Plow Right Wing In: ", 7},
};

constexpr TrimRow QuarnTrims[] = {
    {"Hoist Up:      ", 1},  {"Hoist Down:    ", 3},  {"Plow Up:       ", 5},  {"Plow Down:     ", 7},
    {"Plow Left:     ", 9},  {"Plow Right:    ", 11}, {"Wing Toe Up    ", 13}, {"Wing Toe Down: ", 15},
    {"Heel Up:       ", 17}, {"Heel Down:     ", 19}, {"Wing Slide In: ", 21}, {"Wing Slide Out:", 23},
    {"Blade Up:      ", 25}, {"Blade Down:    ", 27}, {"Blade Left:    ", 29}, {"Blade Right:   ", 31},
};

// Dorsell joystick settings the report names, by item index; other settings print nothing.
constexpr const char *DorsellSettings[] = {"Single Stick", "Dual Stick", "Dual Stick (V-PLOW)"};

// Quarn joystick types.
constexpr int FourButtonVexa = 1;
constexpr int SixButtonVexa = 2;
constexpr int EightButtonVexa = 3;
constexpr int SlaveMode = 19;
constexpr int TwinSarixPlowHoist = 21;
constexpr int TwinSarixPlowHoistBlade = 22;
constexpr int TripleSarix = 23;

struct JoystickCaption {
    int type;
    const char *caption;
};
constexpr JoystickCaption QuarnCaptions[] = {
    {FourButtonVexa, "4 button Vexa"}, {SixButtonVexa, "6 button Vexa"},   {EightButtonVexa, "8 button Vexa"},
    {SlaveMode, " Slave Mode"},        {TwinSarixPlowHoist, "   Twin Sarix"}, {TwinSarixPlowHoistBlade, "   Twin Sarix"},
    {TripleSarix, " Triple Sarix"},
};

// A button-mode line: its label and the button whose mode list's text follows it.
struct ModeRow {
    const char *label;
    Joy::Button button;
};
constexpr ModeRow FourButtonRows[] = {
    {"Default mode:      ", Joy::NoButton},
    {"Red button mode:   ", Joy::Red},
    {"Green button mode: ", Joy::Green},
};
constexpr ModeRow SixButtonRows[] = {
    {"Default mode:      ", Joy::NoButton}, {"Red button mode:   ", Joy::Red},
    {"Green button mode: ", Joy::Green},    {"Blue button mode:  ", Joy::Blue},
    {"Yellow button mode:", Joy::Yellow},
};
constexpr ModeRow EightButtonRows[] = {
    {"Default mode:      ", Joy::NoButton}, {"Red button mode:   ", Joy::Red},
    {"Green button mode: ", Joy::Green},    {"Blue button mode:  ", Joy::Blue},
    {"Yellow button mode:", Joy::Yellow},   {"Orange button mode:", Joy::Orange},
    {"Purple button mode:", Joy::Purple},
};
constexpr ModeRow SlaveRows[] = {
    {"Red mode:          ", Joy::Red},
    {"Green mode:        ", Joy::Green},
    {"Blue mode:         ", Joy::Blue},
    {"Yellow mode:       ", Joy::Yellow},
};

struct ButtonJoystick {
    int type;
    std::span<const ModeRow> rows;
};
constexpr ButtonJoystick ButtonJoysticks[] = {
    {FourButtonVexa, FourButtonRows},
    {SixButtonVexa, SixButtonRows},
    {EightButtonVexa, EightButtonRows},
    {SlaveMode, SlaveRows},
};

// Stick options of the stick layouts: byte 35 belongs to the first stick (the hoist stick, or the
// blade stick of the plow/hoist + blade pair), 36 to the plow stick and 37 to the third stick
// (blade or blade/wing); option 6 makes the stick's button switch modes.
constexpr int FirstStickOption = Off::RedMode;
constexpr int PlowStickOption = Off::GreenMode;
constexpr int ThirdStickOption = Off::BlueMode;
constexpr int SwitchModeOption = 6;

constexpr int ModeTextWidth = 20;
constexpr int TrimTextWidth = 5;
constexpr int FrequencyWidth = 3;

QString Latin(const char *text) { return QString::fromLatin1(text); }

QString TrimVolts(uint8_t b) { return TrimVoltsText(b).rightJustified(TrimTextWidth, QLatin1Char(' ')); }

QString OnOff(uint8_t b) { return b == 0 ? QStringLiteral("Off") : QStringLiteral(" On"); }

void AddTrimLines(QStringList &lines, const CalImageBytes &image, std::span<const TrimRow> rows)
{
    for (const TrimRow &row : rows)
        lines << Latin(row.label) + QStringLiteral("Min: ") + TrimVolts(image[row.minByte]) +
                     QStringLiteral("    Max: ") + TrimVolts(image[row.minByte + 1]);
}

QStringList DorsellLines(const CalImageBytes &image, const ReportControls &controls)
{
    const uint8_t setting = image[Off::Dorsell::JoystickSetting];
    const QString settingText = setting < std::size(DorsellSettings) ? Latin(DorsellSettings[setting]) : QString();
    QStringList lines{
        QStringLiteral("DorSell Trim/Configuration Settings"),
        QString(),
        QStringLiteral("Joystick Configuration:     ") + settingText,
        QString(),
        QStringLiteral("Frequency:                  ") + QString::number(controls.freqbarPosition),
        QString(),
        QStringLiteral("Trims:"),
        QString(),
    };
    AddTrimLines(lines, image, DorsellTrims);
    return lines;
}

void AddStickLines(QStringList &lines, const CalImageBytes &image, int type)
{
    const QString plowSafety = QStringLiteral("Plow Stick Safety:                  ") + OnOff(image[PlowStickOption]);
    const QString hoistSafety = QStringLiteral("Hoist Stick Safety:                 ") + OnOff(image[FirstStickOption]);
    const QString bladeSafetyLabel = QStringLiteral("Blade Stick Safety:                 ");
    if (type == TwinSarixPlowHoist) {
        lines << QStringLiteral("Stick Configuration:       Plow + Hoist") << QString() << plowSafety << hoistSafety;
    } else if (type == TwinSarixPlowHoistBlade) {
        lines << QStringLiteral("Stick Configuration: Plow/Hoist + Blade") << QString()
              << QStringLiteral("Plow/Hoist Stick Button:    Switch Mode") << bladeSafetyLabel + OnOff(image[FirstStickOption]);
    } else if (type == TripleSarix) {
        const bool bladeWing = image[ThirdStickOption] == SwitchModeOption;
        lines << (bladeWing ? QStringLiteral("Configuration:Plow + Blade/Wing + Hoist")
                            : QStringLiteral("Configuration:     Plow + Blade + Hoist"))
              << QString() << plowSafety
              << (bladeWing ? QStringLiteral("Blade/Wing Stick Button:    Switch Mode")
                         : bladeSafetyLabel + OnOff(image[ThirdStickOption])) << hoistSafety;
    }
}

QStringList QuarnLines(const CalImageBytes &image, const ReportControls &controls)
{
    const int type = image[Off::JoystickType];
    QString caption;
    for (const JoystickCaption &c : QuarnCaptions)
        if (c.type == type) caption = Latin(c.caption);

    QStringList lines{
        QStringLiteral("Quarn Trim/Configuration Settings"),
        QString(),
        QStringLiteral("Joystick Configuration:     ") + caption,
        QString(),
    };
    for (const ButtonJoystick &joystick : ButtonJoysticks) {
        if (joystick.type != type) continue;
        for (const ModeRow &row : joystick.rows)
            lines << Latin(row.label) +
                         controls.modeText(row.button).rightJustified(ModeTextWidth, QLatin1Char(' '));
    }
    AddStickLines(lines, image, type);

    lines << QString() << QStringLiteral("Frequency:                          ") +
                              QString::number(controls.freqbarPosition).rightJustified(FrequencyWidth, QLatin1Char(' '));
    lines << QString() << QStringLiteral("Trims:") << QString();
    AddTrimLines(lines, image, QuarnTrims);
    return lines;
}

}  // namespace

ReportControls ReportControlsOfImage(const CalImageBytes &image, uint8_t product)
{
    ReportControls controls;
    controls.freqbarPosition = Catalogue::FrequencyBarPosition(image, product);
    for (int button = 0; button < Joy::ButtonCount; ++button)
        controls.modeTexts[size_t(button)] = Catalogue::ButtonModeListText(image[size_t(Joy::Buttons[button].modeByte)]);
    return controls;
}

QStringList ReportLines(const CalImageBytes &image, uint8_t product)
{
    return ReportLines(image, ReportControlsOfImage(image, product));
}

QStringList ReportLines(const CalImageBytes &image) { return ReportLines(image, Catalogue::ProductOfFile(image)); }

QStringList ReportLines(const CalImageBytes &image, const ReportControls &controls)
{
    if (image[Off::JoystickType] == Off::Dorsell::JoystickTypeMark) return DorsellLines(image, controls);
    return QuarnLines(image, controls);
}
