#pragma once
// The Quarn 2 page's boxes for the cartridge port's uses, by flag byte: object name and place.
#include "core/image_layout.h"
#include "core/catalog/quarn_cartridge_uses.h"
#include "ui/pages/controlsat.h"

#include <QRect>

namespace QuarnCartridgeUses {

struct CartridgeUseControls {
    int offset;
    const char *name;
    QRect place;
};
constexpr CartridgeUseControls UsesControls[] = {
    {CartridgeValve, "cartridgebox", {300, 48, 286, 18}},
    {HoistDownDumpValve, "CheckBox20", {8, 264, 280, 18}},
    {CameraPowerTrigger, "CheckBox30", {300, 68, 286, 18}},
    {HoistLimitLight, "CheckBox1", {8, 284, 280, 18}},
    {PlowFloatLight, "CheckBox21", {8, 264, 280, 18}},
    {Float4DoubleActing, "CheckBox28", {8, 208, 578, 20}},
};
static_assert(HasRowFor(UsesControls, Uses, [](const CartridgeUse &u) { return u.offset; }));

}  // namespace QuarnCartridgeUses
