#include "core/catalog/dorsellitems.h"

#include "core/image_layout.h"

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
    {"Joystick 1 (Hoist/Hook) ", D::Joy1Safety, false},
    {"Joystick 2 (Plow)", D::Joy2Safety, false},
    {"Joystick 3 (Wing)", D::Joy3Safety, false},
    {"Enable Plow Float", D::PlowFloat, true},
    {"Double Acting Float", D::DoubleActingFloat, true},
    {"Enable Hoist Limit", D::HoistLimit, false},
    {"Hoist limit Override", D::HoistLimitOverride, false},
    {"Cartridge valve control for open center systems ", D::CartridgeValve, false},
    {"Hoist Dump Valve on CART port", D::HoistDownDumpValve, false},
    {"Henke V-plow with attitude control", D::AttitudeControl, false},
    {"toggle V-plow modes of running lift or wings", D::ToggleVPlow, false},
};

const char *DorsellOptionCaption(int offset)
{
    for (const DorsellOption &option : DorsellOptions)
        if (option.offset == offset) return option.caption;
    return "";
}

