#pragma once
// The "Floats" tab of the Quarn 2 page as data: the four float rows (port list and name edit) and
// the float option boxes, each with its caption and place.
#include "core/image_layout.h"

#include <QRect>

namespace QuarnFloatTables {
using namespace Off::Quarn;

// One row of the float group: the port list and the name edit. The name fields are not in row
// order: the second row edits float 3's field and the third row float 2's.
struct FloatRow {
    const char *portCaption;
    const char *select;
    int portOffset;
    const char *nameCaption;
    const char *edit;
    int nameOffset;
    bool storeOnLeave;  // float1 stores when the user leaves the edit; the others on each change
};
constexpr FloatRow FloatRows[] = {
    {"Float One:", "PlowFloatSelect", Off::PlowFloatPort, "Float One Name:", "float1", Float1Name, true},
    {"Float Two:", "WingFloatSelect", Off::WingFloatPort, "Float Two Name:", "float3", Float3Name, false},
    {"Float Three:", "BladeFloatSelect", Off::BladeFloatPort, "Float Three Name:", "float2", Float2Name, false},
    {"Float Four:", "ToeFloatSelect", Off::ToeFloatPort, "Float Four Name:", "float4", Float4Name, false},
};

struct Box {
    const char *name;
    const char *caption;
    QRect place;
};
constexpr QRect FloatGroup{4, 4, 584, 132};
constexpr int RowTop = 22, RowPitch = 27;
constexpr Box minfloatBox{"minfloat", "Make Float TWO an active pressure holding float.  ", {8, 142, 578, 20}};
constexpr Box doubleactingBox{"doubleactingfloat",
                              "Make Float One a double acting float, which will turn on the DA float port for a dump "
                              "valve.",
                              {8, 164, 578, 20}};
constexpr Box forceBlockBox{"CheckBox34",
                            "Float One is a Force Float Block where we need a block output and a plow up output to "
                            "function",
                            {8, 186, 578, 20}};
// The float-four cartridge-port box stands at {8, 208}.
constexpr Box lockoutBox{"CheckBox19",
                         "Enable Float Lockout for summer / winter operation (grey wire on quarn 2 aux input cable)",
                         {8, 230, 578, 20}};

}  // namespace QuarnFloatTables
