// The Horner CsCAN page's fields: the PWM frequency, the bus bit rate, the three output ports and
// the ramp of each of the twenty outputs. Bars show their value clamped to their range, as the
// page's labels print it.
#include "app/image_layout.h"
#include "catalog/cscan_tables.h"
#include "catalog/fielddefs.h"
#include "catalog/pagetexts.h"

namespace Catalogue {

namespace {
// The bit-rate button byte 1 checks; bytes 2 and 3 follow from it.
QString BitRateText(const CalImageBytes &image)
{
    const uint8_t timing = image[Off::CsCan::CanBitTiming1];
    for (int i = 0; i < Off::CsCan::BitRateCount; ++i)
        if (Off::CsCan::BitRates[i].timing1 == timing) return Caption(CsCan::BitRateButtons[i].caption);
    return ListItemText({}, timing);
}
}  // namespace

FieldDefs CsCanFields()
{
    using namespace CsCan;
    namespace C = Off::CsCan;
    FieldDefs defs;
    defs << ByteField(Caption(FrequencyCaption), Off::Frequency, CurveAText);
    defs << FieldDef{Caption(BitRateCaption), {C::CanBitTiming1, C::CanBitTiming2, C::CanBitTiming3}, BitRateText};
    for (const PortGroup &port : PortGroups) {
        defs << ByteField(Caption(port.group), port.idOffset,
                          [](uint8_t b) { return IdText(SliderPosition(b, 0, C::NetworkIdMax)); });
        defs << FlagField(Caption(port.activeCaption), port.activeOffset);
    }
    for (int k = 0; k < C::OutputCount; ++k) {
        const QString output = OutputCaption(OutputGroups[size_t(k)].port, OutputGroups[size_t(k)].number);
        const int time = C::OutputRamps + 2 * k, size = time + 1;
        defs << ByteField(output + QStringLiteral(" Step Time"), time,
                          [k](uint8_t b) { return OutputText(2 * k, SliderPosition(b, C::StepTimeMin, C::StepTimeMax)); });
        defs << ByteField(output + QStringLiteral(" Step Size"), size, [k](uint8_t b) {
            return OutputText(2 * k + 1, SliderPosition(b, C::StepSizeMin, C::StepSizeMax));
        });
    }
    return defs;
}

}  // namespace Catalogue
