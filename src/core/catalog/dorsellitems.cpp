#include "core/catalog/dorsellitems.h"

#include "core/image_layout.h"

#include <cstring>
#include <iterator>

namespace D = Off::Dorsell;

QStringList DorsellJoystickSettings()
{
    return {"Single (Hoist / Plow)", "Dual (Hoist / Plow)", "Dual (Hoist / V-Plow)", "Hoist Only", "V-Plow Only",
            "Plow Only", "Dual (Hoist / Wide Out Plow)", "Wide Out Only", "Hook Only", "3 stick", "Groups of 2",
            "Western Standard Plow", "4-Button", "Boss Plow Straight"};
}

QStringList OstrelJoystickSettings()
{
    return {"Pendent", "Dual Sarix", "Single Sarix", "Hoist only Sarix", "Plow only Sarix", "Wing 3 axis Sarix",
            "V-plow Pendent", "4-Button", "Western Standard Plow", "Boss Plow Straight"};
}

const SafetyTriggers DorsellSafetyTriggers[10] = {
    {0, {false, false, false}}, {1, {true, true, false}},  {2, {true, false, false}}, {3, {true, false, false}},
    {4, {false, false, false}}, {5, {false, true, false}}, {6, {true, false, false}}, {7, {false, false, false}},
    {8, {true, false, false}},  {9, {true, true, true}},
};

QStringList DorsellButtonModes() { return {"Inactive", "Hoist", "Plow", "Wing"}; }

QStringList DorsellOutputGroups()
{
    return {"Inactive", "Group 1 (J5 / J6)", "Group 2 (J1 / J2)", "Group 3 (J3 / J4)", "Group 4 (SF CABLES)",
            "Group 5 (J7 / J8)"};
}

QStringList DorsellValveTypes() { return {"Other", "VQ40", "HydraForce", "Husco", "Sauer Danfoss"}; }

const ValvePreset *DorsellValvePreset(int entry)
{
    static const ValvePreset presets[] = {
        {150, 70, 120},  // VQ40
        {220, 70, 180},  // HydraForce
        {100, 88, 180},  // Husco
        {100, 50, 128},  // Sauer Danfoss
    };
    if (entry < 1 || entry > int(std::size(presets))) return nullptr;
    return &presets[entry - 1];
}

const DorsellOption DorsellOptions[11] = {
    {"joy1saftey", "Joystick 1 (Hoist/Hook) ", D::Joy1Safety, false},
    {"joy2saftey", "Joystick 2 (Plow)", D::Joy2Safety, false},
    {"joy3safety", "Joystick 3 (Wing)", D::Joy3Safety, false},
    {"plowfloat", "Enable Plow Float", D::PlowFloat, true},
    {"CheckBox15", "Double Acting Float", D::DoubleActingFloat, true},
    {"hoistlimit", "Enable Hoist Limit", D::HoistLimit, false},
    {"CheckBox16", "Hoist limit Override", D::HoistLimitOverride, false},
    {"cartridge", "Cartridge valve control for open center systems ", D::CartridgeValve, false},
    {"CheckBox22", "Hoist Dump Valve on CART port", D::HoistDownDumpValve, false},
    {"attitudecontrol", "Henke V-plow with attitude control", D::AttitudeControl, false},
    {"togglevplow", "toggle V-plow modes of running lift or wings", D::ToggleVPlow, false},
};

const char *DorsellOptionCaption(const char *name)
{
    for (const DorsellOption &option : DorsellOptions)
        if (std::strcmp(option.name, name) == 0) return option.caption;
    return "";
}

const DorsellCombo DorsellModeCombos[3] = {
    {"combonomode", "No Button", D::NoButtonMode},
    {"comboredmode", "Red Button", D::RedButtonMode},
    {"combogreenmode", "Green Button", D::GreenButtonMode},
};

const DorsellCombo DorsellGroupCombos[8] = {
    {"ComboBox4", "Joystick 1 Primary X", D::GroupJ1PrimaryX},
    {"ComboBox5", "Joystick 1 Primary Y", D::GroupJ1PrimaryY},
    {"ComboBox6", "Joystick 1 Secondary X", D::GroupJ1SecondaryX},
    {"ComboBox7", "Joystick 1 Secondary Y", D::GroupJ1SecondaryY},
    {"ComboBox8", "Joystick 2 Primary X", D::GroupJ2PrimaryX},
    {"ComboBox9", "Joystick 2 Primary Y", D::GroupJ2PrimaryY},
    {"ComboBox10", "Joystick 2 Secondary X", D::GroupJ2SecondaryX},
    {"ComboBox11", "Joystick 2 Secondary Y", D::GroupJ2SecondaryY},
};
