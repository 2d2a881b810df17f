// The Brennic page's fields: trims by output and port, time, ratio and cushion bars, ramps, the
// shake count and the option boxes, named from the page's tables.
#include "core/image_layout.h"
#include "core/catalog/brennic_couplings.h"
#include "core/catalog/brennic_tables.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/pagetexts.h"

namespace Catalogue {

FieldDefs BrennicFields()
{
    using namespace Brennic;
    namespace B = Off::Brennic;
    FieldDefs defs;
    defs << FrequencyField(Caption(FrequencyCaption), CurveABar());
    for (const TrimGroup &group : TrimGroups) {
        const QString output = Caption(group.caption) + QLatin1Char(' ') + Caption(group.port);
        defs << TrimField(output + QStringLiteral(" Min"), group.minOffset, ControlRange::TrimBarBytes, group.maxOffset, false);
        defs << TrimField(output + QStringLiteral(" Max"), group.maxOffset, ControlRange::TrimBarBytes, group.minOffset, true);
    }
    // A bar is named by the line above it, or by its group where it has none; its value is its
    // label at the position the bar takes (bars clamp to their range).
    for (int i = 0; i < ValueBarCount; ++i) {
        const ValueBar &bar = ValueBars[i];
        const BarKind kind = bar.kind;
        const int min = bar.min, max = bar.max;
        FieldDef def = ByteField(Caption(*bar.caption ? bar.caption : bar.group), bar.offset,
                                 [kind, min, max](uint8_t b) { return BarText(kind, SliderPosition(b, min, max)); });
        def.edit.stores = InRange({min, max});
        def.edit.after = [i](CalImageBytes &image, const CalImageBytes &) { CoupleBar(image, i); };
        defs << def;
    }
    for (const RampGroup &ramp : RampGroups) {
        defs << NumberField(Caption(ramp.caption) + QLatin1Char(' ') + Caption(ramp.rateCaption), ramp.rateOffset, {B::RampMin, B::RampMax});
        defs << NumberField(Caption(ramp.caption) + QStringLiteral(" Update Laps"), ramp.lapsOffset, {B::RampMin, B::RampMax});
    }
    defs << NumberField(Caption(ShakeCountCaption), B::ShakeCount, {B::ShakeCountMin, B::ShakeCountMax});
    for (const FlagBox &box : FlagBoxes) defs << FlagField(Caption(box.caption), box.offset);
    return defs;
}

}  // namespace Catalogue
