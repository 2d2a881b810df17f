#pragma once
// The "Floats" tab's controls: each float row's port list and name edit (by the port's byte), the
// float option boxes with their places, and the float group's place.
#include "core/image_layout.h"
#include "core/catalog/quarn_float_tables.h"
#include "ui/pages/controlsat.h"

#include <QRect>

namespace QuarnFloatTables {

struct FloatRowControls {
    int offset;
    const char *select;
    const char *edit;
};
constexpr FloatRowControls FloatRowsControls[] = {
    {Off::PlowFloatPort, "PlowFloatSelect", "float1"},
    {Off::WingFloatPort, "WingFloatSelect", "float3"},
    {Off::BladeFloatPort, "BladeFloatSelect", "float2"},
    {Off::ToeFloatPort, "ToeFloatSelect", "float4"},
};
static_assert(HasRowFor(FloatRowsControls, FloatRows, [](const FloatRow &r) { return r.portOffset; }));

struct Box {
    const char *name;
    const char *caption;
    QRect place;
};
constexpr QRect FloatGroup{4, 4, 584, 132};
constexpr int RowTop = 22, RowPitch = 27;
constexpr Box minfloatBox{"minfloat", MinFloatCaption, {8, 142, 578, 20}};
constexpr Box doubleactingBox{"doubleactingfloat", DoubleActingCaption, {8, 164, 578, 20}};
constexpr Box forceBlockBox{"CheckBox34", ForceBlockCaption, {8, 186, 578, 20}};
// The float-four cartridge-port box stands at {8, 208}.
constexpr Box lockoutBox{"CheckBox19", LockoutCaption, {8, 230, 578, 20}};

}  // namespace QuarnFloatTables
