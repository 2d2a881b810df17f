#pragma once
// The Dorsell page's drop-downs of the "Groups of 2 settings" tab, by image byte.
#include "core/image_layout.h"
#include "core/catalog/dorsellitems.h"
#include "ui/pages/controlsat.h"

struct DorsellComboControls {
    int offset;
    const char *name;
};
inline constexpr DorsellComboControls DorsellModeComboControls[] = {
    {Off::Dorsell::NoButtonMode, "combonomode"},
    {Off::Dorsell::RedButtonMode, "comboredmode"},
    {Off::Dorsell::GreenButtonMode, "combogreenmode"},
};
inline constexpr DorsellComboControls DorsellGroupComboControls[] = {
    {Off::Dorsell::GroupJ1PrimaryX, "ComboBox4"},
    {Off::Dorsell::GroupJ1PrimaryY, "ComboBox5"},
    {Off::Dorsell::GroupJ1SecondaryX, "ComboBox6"},
    {Off::Dorsell::GroupJ1SecondaryY, "ComboBox7"},
    {Off::Dorsell::GroupJ2PrimaryX, "ComboBox8"},
    {Off::Dorsell::GroupJ2PrimaryY, "ComboBox9"},
    {Off::Dorsell::GroupJ2SecondaryX, "ComboBox10"},
    {Off::Dorsell::GroupJ2SecondaryY, "ComboBox11"},
};
static_assert(HasRowFor(DorsellModeComboControls, DorsellModeCombos, [](const DorsellCombo &c) { return c.offset; }));
static_assert(HasRowFor(DorsellGroupComboControls, DorsellGroupCombos, [](const DorsellCombo &c) { return c.offset; }));
