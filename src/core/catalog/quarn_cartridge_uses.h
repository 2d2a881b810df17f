#pragma once
// The six uses of the Quarn 2's one cartridge ("CART") output, as data: the box, its caption, its
// flag byte and where it stands. At most one use is on.
#include "core/image_layout.h"
#include "core/catalog/quarn_tabs.h"

#include <QRect>

namespace QuarnCartridgeUses {
using namespace Off::Quarn;

struct CartridgeUse {
    const char *name;
    const char *caption;
    int offset;
    QuarnTabs::Tab tab;
    QRect place;
};
// In the order the loader settles them: the first use found on wins and clears the later ones.
enum Use { CartridgeValveUse, HoistDumpUse, CameraUse, HoistLightUse, PlowLightUse, Float4Use, UseCount };
constexpr CartridgeUse Uses[] = {
    {"cartridgebox", "Enable Power/ Cartridge Valve (see note below)", CartridgeValve, QuarnTabs::GlobalTab,
     {300, 48, 286, 18}},
    {"CheckBox20", "Enable Hoist Down Dump valve", HoistDownDumpValve, QuarnTabs::A5A8Tab, {8, 264, 280, 18}},
    {"CheckBox30", "Camera System Power Trigger", CameraPowerTrigger, QuarnTabs::GlobalTab, {300, 68, 286, 18}},
    {"CheckBox1", "Enable Hoist Limit Light", HoistLimitLight, QuarnTabs::A5A8Tab, {8, 284, 280, 18}},
    {"CheckBox21", "Plow Float light (on Cartridge port)", PlowFloatLight, QuarnTabs::A1A4Tab, {8, 264, 280, 18}},
    {"CheckBox28", "Make Float FOUR a double acting float, which will turn on the CART port for a dump valve.",
     Float4DoubleActing, QuarnTabs::FloatsTab, {8, 208, 578, 20}},
};

}  // namespace QuarnCartridgeUses
