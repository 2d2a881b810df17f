#include "core/catalog/frequencybar.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/variants.h"
#include "core/catalog/pagetexts.h"

#include <cstdlib>

const FrequencyBar &CurveABar()
{
    static const FrequencyBar bar{FreqByteToHertzA, HertzToFreqByteA, CurveAMinHz, CurveAMaxHz};
    return bar;
}

const FrequencyBar &CurveBBar()
{
    static const FrequencyBar bar{FreqByteToHertzB, HertzToFreqByteB, CurveBMinHz, CurveBMaxHz};
    return bar;
}

const FrequencyBar &FrequencyBarOf(uint8_t product)
{
    const Variant *variant = VariantOfCode(product);
    return variant ? variant->frequencyBar() : CurveABar();
}

int FrequencyReading(const FrequencyBar &bar, uint8_t b) { return FrequencySliderPosition(bar.toHertz(b)); }

int FrequencyPosition(const FrequencyBar &bar, uint8_t b)
{
    return IntMin(bar.maxHz, IntMax(bar.minHz, FrequencyReading(bar, b)));
}

uint8_t FrequencyByteForPosition(const FrequencyBar &bar, int position)
{
    const int own = bar.toByte(position);
    if (FrequencyReading(bar, uint8_t(own)) == position) return uint8_t(own);
    for (int distance = 1; distance < 256; ++distance)
        for (int candidate : {own - distance, own + distance})
            if (candidate >= 0 && candidate <= 255 && FrequencyReading(bar, uint8_t(candidate)) == position)
                return uint8_t(candidate);
    int best = 0;
    for (int b = 1; b < 256; ++b)
        if (std::abs(bar.toHertz(uint8_t(b)) - position) < std::abs(bar.toHertz(uint8_t(best)) - position)) best = b;
    return uint8_t(best);
}

uint8_t ShownFrequencyByte(const FrequencyBar &bar, uint8_t b)
{
    const int reading = FrequencyReading(bar, b);
    if (reading >= bar.minHz && reading <= bar.maxHz) return b;
    return FrequencyByteForPosition(bar, FrequencyPosition(bar, b));
}
