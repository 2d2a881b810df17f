// The Brennic page's fields: trims by output and port, time, ratio and cushion bars, ramps, the
// shake count and the option boxes, named from the page's tables.
#include "app/image_layout.h"
#include "catalog/brennic_tables.h"
#include "catalog/fielddefs.h"
#include "catalog/pagetexts.h"

namespace Catalogue {

FieldDefs BrennicFields()
{
    using namespace Brennic;
    namespace B = Off::Brennic;
    FieldDefs defs;
    defs << ByteField(Caption(FrequencyCaption), Off::Frequency, CurveAText);
    for (const TrimGroup &group : TrimGroups) {
        const QString output = Caption(group.caption) + QLatin1Char(' ') + Caption(group.port);
        defs << TrimField(output + QStringLiteral(" Min"), group.minOffset);
        defs << TrimField(output + QStringLiteral(" Max"), group.maxOffset);
    }
    // A bar is named by the line above it, or by its group where it has none; its value is its
    // label at the position the bar takes (bars clamp to their range).
    for (const ValueBar &bar : ValueBars) {
        const BarKind kind = bar.kind;
        const int min = bar.min, max = bar.max;
        defs << ByteField(Caption(*bar.caption ? bar.caption : bar.group), bar.offset,
                          [kind, min, max](uint8_t b) { return BarText(kind, SliderPosition(b, min, max)); });
    }
    for (const RampGroup &ramp : RampGroups) {
        defs << NumberField(Caption(ramp.caption) + QLatin1Char(' ') + Caption(ramp.rateCaption), ramp.rateOffset);
        defs << NumberField(Caption(ramp.caption) + QStringLiteral(" Update Laps"), ramp.lapsOffset);
    }
    defs << NumberField(Caption(ShakeCountCaption), B::ShakeCount);
    for (const FlagBox &box : FlagBoxes) defs << FlagField(Caption(box.caption), box.offset);
    return defs;
}

}  // namespace Catalogue
