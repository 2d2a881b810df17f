#pragma once
// The six uses of the Quarn 2's one cartridge ("CART") output, as data: the box's caption, its flag
// byte and its tab (the boxes themselves: ui/pages/quarn/quarn_cartridge_controls.h). At most one
// use is on.
#include "core/image_layout.h"
#include "core/catalog/quarn_tabs.h"

namespace QuarnCartridgeUses {
using namespace Off::Quarn;

struct CartridgeUse {
    const char *caption;
    int offset;
    QuarnTabs::Tab tab;
};
// In the order the loader settles them: the first use found on wins and clears the later ones.
enum Use { CartridgeValveUse, HoistDumpUse, CameraUse, HoistLightUse, PlowLightUse, Float4Use, UseCount };
constexpr CartridgeUse Uses[] = {
    {"Enable Power/ Cartridge Valve (see note below)", CartridgeValve, QuarnTabs::GlobalTab},
    {"Enable Hoist Down Dump valve", HoistDownDumpValve, QuarnTabs::A5A8Tab},
    {"Camera System Power Trigger", CameraPowerTrigger, QuarnTabs::GlobalTab},
    {"Enable Hoist Limit Light", HoistLimitLight, QuarnTabs::A5A8Tab},
    {"Plow Float light (on Cartridge port)", PlowFloatLight, QuarnTabs::A1A4Tab},
    {"Make Float FOUR a double acting float, which will turn on the CART port for a dump valve.", Float4DoubleActing, QuarnTabs::FloatsTab},
};

}  // namespace QuarnCartridgeUses
