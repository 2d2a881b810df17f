#include "core/catalog/joysticktables.h"

#include "core/conversions.h"
#include "core/image_layout.h"

#include <iterator>

namespace Joy {

const JoystickPageInfo JoystickPages[JoystickPageCount] = {
    {"4 Button Vexa", "FourButton", Type::FourButton, "grip_4button.jpg"},
    {"6 Button Vexa", "SixButton", Type::SixButton, "grip_6button.jpg"},
    {"8 Button Vexa", "EightButton", Type::EightButton, "grip_8button.jpg"},
    {"2 Sarix", "TwoStick", Type::TwoStickPlowHoist, "grip_2stick.jpg"},
    {"3 Sarix", "ThreeStick", Type::ThreeStickPlow, "grip_3stick.jpg"},
    {"Slave Mode", "SlaveMode", Type::SlaveMode, "grip_slave.jpg"},
    {"Ostrel", "Ostrel", Type::Ostrel, nullptr},
    {"4 Sarix", "4 Sarix", Type::FourStick, "grip_4stick.jpg"},
    {"3 Sarix (Groups of 2)", "M3G2", Type::ThreeStickGroups, "grip_3stick.jpg"},
    {"4 Sarix (Groups of 2)", "M4G2", Type::FourStickGroups, "grip_4stick.jpg"},
};

int JoystickItemOfType(int type)
{
    switch (type) {
    case Type::TwoStickPlowHoistWingBlade:
    case Type::TwoStickPlowHook:
        return TwoStickPage;
    case Type::ThreeStickWing:
    case Type::ThreeStickCustom:
        return ThreeStickPage;
    default:
        for (int i = 0; i < JoystickPageCount; ++i)
            if (JoystickPages[i].type == type) return i;
        return -1;
    }
}

bool IsButtonPage(int page)
{
    return page == FourButtonPage || page == SixButtonPage || page == EightButtonPage || page == SlaveModePage;
}

const ButtonInfo Buttons[ButtonCount] = {
    {"No", Off::Quarn::NoButtonMode, Code::Inactive, Off::Quarn::NoButtonLabel, Off::Quarn::NoButtonAxes, -1,
     0x000000, 0x000000, "No Button Mode", nullptr},
    {"Red", Off::RedMode, Code::Hoist, Off::Quarn::RedLabel, Off::Quarn::RedAxes, 0, 0xFF0000,
     0xFF0000, "Red Button Mode", "Red Button"},
    {"Green", Off::GreenMode, Code::Plow, Off::Quarn::GreenLabel, Off::Quarn::GreenAxes, 1, 0x008000,
     0x008000, "Green Button Mode", "Green Button"},
    {"Blue", Off::BlueMode, Code::Wing, Off::Quarn::BlueLabel, Off::Quarn::BlueAxes, 2, 0x0000FF,
     0x008080, "Blue Button Mode", "Blue Button"},
    {"Yellow", Off::YellowMode, Code::Blade, Off::Quarn::YellowLabel, Off::Quarn::YellowAxes, 3, 0x808000,
     0x808000, "Yellow Button Mode", "Yellow Button"},
    {"Orange", Off::OrangeMode, Code::Inactive, Off::Quarn::OrangeLabel, Off::Quarn::OrangeAxes, 4,
     0x800000, 0x800000, "Orange Button Mode", "Orange Button"},
    {"Purple", Off::PurpleMode, Code::Inactive, Off::Quarn::PurpleLabel, Off::Quarn::PurpleAxes, 5,
     0x800080, 0x800080, "Purple Button Mode", "Purple Button"},
};

const std::vector<ModeDropDown> ModeDropDowns = {
    {"FourButton0DropDown", NoButton},  {"FourButton1DropDown", Red},    {"FourButton2DropDown", Green},
    {"SixButton0DropDown", NoButton},   {"SixButton1DropDown", Red},     {"SixButton2DropDown", Green},
    {"SixButton3DropDown", Blue},       {"SixButton4DropDown", Yellow},  {"EightButton0DropDown", NoButton},
    {"EightButton1DropDown", Red},      {"EightButton2DropDown", Green}, {"EightButton3DropDown", Blue},
    {"EightButton4DropDown", Yellow},   {"EightButton5DropDown", Orange}, {"EightButton6DropDown", Purple},
    {"SlaveButton1DropDown", Red},      {"SlaveButton2DropDown", Green}, {"SlaveButton3DropDown", Blue},
    {"SlaveButton4DropDown", Yellow},
};

QStringList ModeItems()
{
    return {"Inactive", "Hoist ", "Plow ", "Wing ", "Blade", "Custom", "Remote Button", "Slave Hydraulics", "Blade 2",
            "Panic Button"};
}

const std::vector<LabelEdit> LabelEdits = {
    {"SixButton0LabelEdit", Off::Quarn::NoButtonLabel, NoButton, false},
    {"EightButton0LabelEdit", Off::Quarn::NoButtonLabel, NoButton, false},
    {"Edit10", Off::Quarn::NoButtonLabel, ButtonCount, false},
    {"SixButton1LabelEdit", Off::Quarn::RedLabel, Red, false},
    {"EightButton1LabelEdit", Off::Quarn::RedLabel, Red, false},
    {"Edit8", Off::Quarn::RedLabel, ButtonCount, false},
    {"Edit1", Off::Quarn::RedLabel, ButtonCount, true},
    {"Edit4", Off::Quarn::RedLabel, ButtonCount, true},
    {"SixButton2LabelEdit", Off::Quarn::GreenLabel, Green, false},
    {"EightButton2LabelEdit", Off::Quarn::GreenLabel, Green, false},
    {"Edit9", Off::Quarn::GreenLabel, ButtonCount, false},
    {"Edit2", Off::Quarn::GreenLabel, ButtonCount, true},
    {"Edit5", Off::Quarn::GreenLabel, ButtonCount, true},
    {"SixButton3LabelEdit", Off::Quarn::BlueLabel, Blue, false},
    {"EightButton3LabelEdit", Off::Quarn::BlueLabel, Blue, false},
    {"Edit3", Off::Quarn::BlueLabel, ButtonCount, true},
    {"Edit6", Off::Quarn::BlueLabel, ButtonCount, true},
    {"SixButton4LabelEdit", Off::Quarn::YellowLabel, Yellow, false},
    {"EightButton4LabelEdit", Off::Quarn::YellowLabel, Yellow, false},
    {"Edit7", Off::Quarn::YellowLabel, ButtonCount, true},
    {"EightButton5LabelEdit", Off::Quarn::OrangeLabel, Orange, false},
    {"EightButton6LabelEdit", Off::Quarn::PurpleLabel, Purple, false},
    {"alwayslivetext", Off::Quarn::AlwaysLiveLabel, ButtonCount, false},
    {"alwayslivetext2", Off::Quarn::AlwaysLiveLabel, ButtonCount, false},
};

QString DefaultLabel(int code)
{
    static const char *const labels[] = {"",     "HOIST",    "PLOW",   "WING",  "BLADE",  "SAFETY", "MODE",   "OVERRIDE",
                                         "CUSTOM", "REMOTE", "SLAVE", "TOGGLE", "PASS", "BLADE 2", "PANIC"};
    if (code < 0 || code >= int(std::size(labels))) return QString();
    return QString::fromLatin1(labels[code]);
}

QByteArray StoredLabel(const QString &text) { return CentredLabel(text).toLatin1() + '\0'; }

QString CentredLabel(const QString &text)
{
    constexpr int width = Off::LabelWidth - 1;
    QString label = text.toUpper().left(width);
    bool atEnd = true;
    while (label.size() < width) {
        if (atEnd) label.append(QLatin1Char(' '));
        else label.prepend(QLatin1Char(' '));
        atEnd = !atEnd;
    }
    return label;
}

namespace {
QString StickOptionText(int code)
{
    switch (code) {
    case Code::Inactive: return QStringLiteral("None");
    case Code::Safety: return QStringLiteral("Safety");
    case Code::PrimaryButtonSecondary: return QStringLiteral("Primary / Button Secondary");
    case Code::HoistLimitOverride: return QStringLiteral("Hoist Limit Override");
    case Code::TogglePrimarySecondary: return QStringLiteral("Toggle Primary/Secondary");
    case Code::PassButton: return QStringLiteral("Pass Button");
    case Code::PanicButton: return QStringLiteral("Panic Button");
    default: return QString();
    }
}
constexpr int BlankItem = -1;
}  // namespace

QString ButtonFunctionText(int code)
{
    // The stick options name codes 5, 6, 7, 11, 12 and 14; the mode lists name the others.
    const QString option = StickOptionText(code);
    if (code != Code::Inactive && !option.isEmpty()) return option;
    const QStringList items = ModeItems();
    const int index = ModeCodeToIndex(code);
    return index >= 0 && index < items.size() ? items.at(index).trimmed() : QString();
}

const OptionListInfo OptionLists[OptionListCount] = {
    {"TwoHoistButtonDropDown", Off::RedMode, {0, 5, 7}, {}, false},
    {"ThreeHoistButtonDropDown", Off::RedMode, {0, 5, 7}, {}, true},
    {"ThreeWingButtonDropDown", Off::BlueMode, {0, 5, 6, 11},
     {"Disabled (Primary only)", "Safety (Primary)", "Primary / Button Secondary", "Toggle Primary/Secondary"}, true},
    {"plowoptions", Off::GreenMode, {0, 5, 12}, {}, true},
    {"ComboBox1", Off::RedMode, {0, 5, 7, 6, 11, 14, 12}, {}, true},
    {"ComboBox3", Off::GreenMode, {0, 5, 12, 6, 11, 14}, {}, true},
    {"ComboBox2", Off::BlueMode, {0, 5, 6, 11, 14, 12}, {}, true},
    {"ComboBox12", Off::RedMode, {0, 5, 7, 12, 14}, {}, true},
    {"ComboBox13", Off::GreenMode, {0, 5, 7, 12, 14, 6, 11, BlankItem}, {}, true},
    {"ComboBox14", Off::BlueMode, {0, 5, 7, 12, 14, 6, 11, BlankItem}, {}, true},
    {"ComboBox15", Off::YellowMode, {0, 5, 7, 12, 14, 6, 11, BlankItem}, {}, true},
};

QStringList OptionItems(const OptionListInfo &list)
{
    if (!list.texts.isEmpty()) return list.texts;
    QStringList items;
    for (int code : list.codes) items << (code == BlankItem ? QString() : StickOptionText(code));
    return items;
}

int OptionCode(const OptionListInfo &list, int item)
{
    if (item < 0 || item >= int(list.codes.size())) return Code::Inactive;
    return list.codes[size_t(item)] == BlankItem ? Code::Inactive : list.codes[size_t(item)];
}

int OptionItemOfCode(const OptionListInfo &list, int code)
{
    for (size_t i = 0; i < list.codes.size(); ++i)
        if (list.codes[i] == code) return int(i);
    return 0;
}

const std::vector<StickFunctionList> StickFunctionLists = {
    {"joystick1", Off::Quarn::StickFunction1, false},  {"joystick2a", Off::Quarn::StickFunction2, false},
    {"joystick2b", Off::Quarn::StickFunction3, false}, {"joystick3", Off::Quarn::StickFunction4, false},
    {"js1setting", Off::Quarn::StickFunction1, true},  {"js2setting", Off::Quarn::StickFunction4, true},
    {"js3setting", Off::Quarn::StickFunction2, true},  {"js4setting", Off::Quarn::StickFunction3, true},
    {"js5setting", Off::Quarn::StickFunctionSecondary, true},
};

QStringList StickFunctionItems()
{
    return {"None", "Hoist (A 5/6)", "Plow (A 1-4)", "Wing (A 7/8 B 1/2)", "Blade (B 5-8)", "Hook (C 1-4)",
            "Slide/Tilt (B 3/4)"};
}

const std::vector<FlagBox> FlagBoxes = {
    {"TwoButton1Checkbox", Off::GreenMode, Code::Safety, true},
    {"TwoButton2Checkbox", Off::BlueMode, Code::Safety, true},
    {"js1checkbox", Off::RedMode, Code::Safety, true},
    {"js2checkbox", Off::GreenMode, Code::Safety, true},
    {"js3checkbox", Off::BlueMode, Code::Safety, true},
    {"js4checkbox", Off::YellowMode, Code::Safety, true},
    {"CheckBox8", Off::Quarn::SafetyLatch, 1, false},
    {"CheckBox10", Off::Quarn::SafetyLatch, 1, false},
};

const TwoStickLayout TwoStickLayouts[3] = {
    {"JS1 Plow / JS2 Hoist", Type::TwoStickPlowHoist, Code::Safety, Code::Inactive},
    {"JS1 Plow/Hoist / JS2 Wing or Blade", Type::TwoStickPlowHoistWingBlade, Code::Inactive,
     Code::PrimaryButtonSecondary},
    {"JS1 Plow / JS2 Hook", Type::TwoStickPlowHook, Code::Inactive, Code::Inactive},
};

const ThreeStickLayout ThreeStickLayouts[3] = {
    {"Plow on JS2", Type::ThreeStickPlow},
    {"Wing on JS2", Type::ThreeStickWing},
    {"Custom", Type::ThreeStickCustom},
};

QStringList AxisItems()
{
    return {"Inactive",      "PORTS A5 / A6", "PORTS A3 / A4", "PORTS A1 / A2", "PORTS B1 / B2", "PORTS A7 / A8",
            "PORTS B3 / B4", "PORTS B7 / B8", "PORTS B5 / B6", "PORTS C3 / C4", "PORTS C1 / C2"};
}

QStringList AlwaysLiveItems() { return {"Inactive", "Hoist ", "Plow ", "Wing ", "Blade ", "", "", "", "Blade 2"}; }

QStringList RemoteModeItems() { return {"Red", "Green", "Blue", "Yellow"}; }

}  // namespace Joy
