#include "core/catalog/joysticktables.h"

#include "core/conversions.h"
#include "core/image_layout.h"

#include <iterator>

namespace Joy {

const JoystickPageInfo JoystickPages[JoystickPageCount] = {
    {"4 Button Vexa", Type::FourButton},
    {"6 Button Vexa", Type::SixButton},
    {"8 Button Vexa", Type::EightButton},
    {"2 Sarix", Type::TwoStickPlowHoist},
    {"3 Sarix", Type::ThreeStickPlow},
    {"Slave Mode", Type::SlaveMode},
    {"Ostrel", Type::Ostrel},
    {"4 Sarix", Type::FourStick},
    {"3 Sarix (Groups of 2)", Type::ThreeStickGroups},
    {"4 Sarix (Groups of 2)", Type::FourStickGroups},
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

QStringList ModeItems()
{
    return {"Inactive", "Hoist ", "Plow ", "Wing ", "Blade", "Custom", "Remote Button", "Slave Hydraulics", "Blade 2",
            "Panic Button"};
}

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

QString ButtonFunctionText(int code)
{
    // The stick options name codes 5, 6, 7, 11, 12 and 14; the mode lists name the others.
    const QString option = StickOptionText(code);
    if (code != Code::Inactive && !option.isEmpty()) return option;
    const QStringList items = ModeItems();
    const int index = ModeCodeToIndex(code);
    return index >= 0 && index < items.size() ? items.at(index).trimmed() : QString();
}

QStringList StickFunctionItems()
{
    return {"None", "Hoist (A 5/6)", "Plow (A 1-4)", "Wing (A 7/8 B 1/2)", "Blade (B 5-8)", "Hook (C 1-4)",
            "Slide/Tilt (B 3/4)"};
}

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
