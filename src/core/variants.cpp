#include "core/variants.h"

#include "core/calimage.h"
#include "core/catalog/fielddefs.h"
#include "core/catalog/frequencybar.h"

namespace {
using namespace Catalogue;

const Variant Table[] = {
    {Product::Quarn, 'j', "Quarn 2", "QUARN 2 v1.1 Connected and Listening", VariantPage::Quarn, QuarnFields,
     CurveABar, false, false},
    {Product::Dorsell, 'b', "Dorsell", "DORSELL Connected and Listening", VariantPage::Dorsell,
     [] { return DorsellFields(Product::Dorsell); }, CurveBBar, true, false},
    {Product::Ostrel, 'a', "Ostrel 2", "Ostrel 2 Connected and Listening", VariantPage::Dorsell,
     [] { return DorsellFields(Product::Ostrel); }, CurveBBar, true, true},
    {Product::Brennic, 'd', "Brennic", "BRENNIC Connected and Listening", VariantPage::Brennic, BrennicFields,
     CurveABar, false, false},
    {Product::CsCan, 'z', "Quarn 2 CsCAN", "QUARN 2 CsCAN Connected and Listening", VariantPage::CsCan, CsCanFields,
     CurveABar, false, false},
    {Product::Vintle, 'c', "Vintle", "VINTLE Connected and Listening", VariantPage::Vintle, nullptr, CurveABar, false,
     false},
};
}  // namespace

std::span<const Variant> Variants() { return Table; }

const Variant *VariantOfCode(uint8_t code)
{
    for (const Variant &variant : Table)
        if (variant.code == code) return &variant;
    return nullptr;
}

const Variant *VariantOfLetter(uint8_t letter)
{
    for (const Variant &variant : Table)
        if (uint8_t(variant.letter) == letter) return &variant;
    return nullptr;
}

size_t VariantIndex(const Variant &variant) { return size_t(&variant - Table); }

bool ShowsOstrelSubset(uint8_t code)
{
    const Variant *variant = VariantOfCode(code);
    return variant && variant->ostrelSubset;
}
