// The Horner CsCAN page's fields: the PWM frequency, the bus bit rate, the three output ports and
// the ramp of each of the twenty outputs. Bars show their value clamped to their range, as the
// page's labels print it.
#include "core/image_layout.h"
#include "core/catalog/cscan_tables.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"
#include "core/catalog/pagetexts.h"

namespace Catalogue {

namespace {
// The bit-rate button byte 1 checks; bytes 2 and 3 follow from it.
QString BitRateText(const CalImageBytes &image)
{
    const uint8_t timing = image[Off::CsCan::CanBitTiming1];
    for (int i = 0; i < Off::CsCan::BitRateCount; ++i)
        if (Off::CsCan::BitRates[i].timing1 == timing) return Caption(CsCan::BitRateCaptions[i]);
    return ListItemText({}, timing);
}
}  // namespace

FieldDefs CsCanFields()
{
    using namespace CsCan;
    namespace C = Off::CsCan;
    FieldDefs defs;
    defs << FrequencyField(Caption(FrequencyCaption), CurveABar());
    FieldDef bitRate{Caption(BitRateCaption), {C::CanBitTiming1, C::CanBitTiming2, C::CanBitTiming3}, BitRateText};
    // A rate button stores all three timing bytes.
    for (const C::BitRate &rate : C::BitRates)
        bitRate.edit.choices << QByteArray(1, char(rate.timing1)) + char(rate.timing2) + char(rate.timing3);
    defs << bitRate;
    for (const PortGroup &port : PortGroups) {
        FieldDef id = ByteField(Caption(port.group), port.idOffset,
                                [](uint8_t b) { return IdText(SliderPosition(b, 0, C::NetworkIdMax)); });
        id.edit.stores = InRange({0, C::NetworkIdMax});
        defs << id;
        defs << FlagField(Caption(port.activeCaption), port.activeOffset);
    }
    for (int k = 0; k < C::OutputCount; ++k) {
        const QString output = OutputCaption(OutputGroups[size_t(k)].port, OutputGroups[size_t(k)].number);
        const int time = C::OutputRamps + 2 * k, size = time + 1;
        FieldDef stepTime = ByteField(output + QStringLiteral(" Step Time"), time, [k](uint8_t b) {
            return OutputText(2 * k, SliderPosition(b, C::StepTimeMin, C::StepTimeMax));
        });
        stepTime.edit.stores = InRange({C::StepTimeMin, C::StepTimeMax});
        FieldDef stepSize = ByteField(output + QStringLiteral(" Step Size"), size, [k](uint8_t b) {
            return OutputText(2 * k + 1, SliderPosition(b, C::StepSizeMin, C::StepSizeMax));
        });
        stepSize.edit.stores = InRange({C::StepSizeMin, C::StepSizeMax});
        defs << stepTime << stepSize;
    }
    return defs;
}

}  // namespace Catalogue
