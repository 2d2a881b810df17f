#pragma once
// The "Floats" tab of the Quarn 2 page as data: the four float rows (port list and name edit) and
// the captions of the float option boxes (their controls: ui/pages/quarn/quarn_float_controls.h).
#include "core/image_layout.h"

namespace QuarnFloatTables {
using namespace Off::Quarn;

// One row of the float group: the port list and the name edit. The name fields are not in row
// order: the second row edits float 3's field and the third row float 2's.
struct FloatRow {
    const char *portCaption;
    int portOffset;
    const char *nameCaption;
    int nameOffset;
    bool storeOnLeave;  // float1 stores when the user leaves the edit; the others on each change
};
constexpr FloatRow FloatRows[] = {
    {"Float One:", Off::PlowFloatPort, "Float One Name:", Float1Name, true},
    {"Float Two:", Off::WingFloatPort, "Float Two Name:", Float3Name, false},
    {"Float Three:", Off::BladeFloatPort, "Float Three Name:", Float2Name, false},
    {"Float Four:", Off::ToeFloatPort, "Float Four Name:", Float4Name, false},
};

// The float option boxes.
constexpr const char *MinFloatCaption = "Make Float TWO an active pressure holding float.  ";
constexpr const char *DoubleActingCaption =
    "Make Float One a double acting float, which will turn on the DA float port for a dump valve.";
constexpr const char *ForceBlockCaption =
    "Float One is a Force Float Block where we need a block output and a plow up output to function";
constexpr const char *LockoutCaption =
    "Enable Float Lockout for summer / winter operation (grey wire on quarn 2 aux input cable)";

}  // namespace QuarnFloatTables
