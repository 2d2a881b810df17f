#pragma once
// The controller variants, once: the code kept beside the image, the letter the controller's
// application announces itself with, the name a technician reads, the banner of the status strip,
// the page the window shows it on, the fields that page shows and its PWM frequency bar. Every
// place that chooses by variant reads this table.
#include <QList>

#include <cstddef>
#include <cstdint>
#include <span>

namespace Catalogue {
struct FieldDef;
}
struct FrequencyBar;

// The page a variant is shown on; the window maps each to its own page. A page's loaders are also
// what normalises an image when it is shown, so the page is the key of the show rules.
enum class VariantPage : uint8_t { Quarn, Dorsell, Vintle, Brennic, CsCan };

struct Variant {
    uint8_t code;        // Product::, kept beside the image (the Quarn 2 is kept as 1)
    char letter;         // announced by the controller's application
    const char *name;    // "Quarn 2"
    const char *banner;  // the status strip's text once the controller is identified
    VariantPage page;
    // The named fields its page shows (null: none, every byte is listed by number).
    QList<Catalogue::FieldDef> (*fields)();
    const FrequencyBar &(*frequencyBar)();
    // Its page marks the image with the Dorsell joystick type, the mark files are read by.
    bool marksJoystickType;
    // The Dorsell page with the Ostrel 2's fewer trim groups, options and joystick settings.
    bool ostrelSubset;
};

std::span<const Variant> Variants();
// The variant of a kept code or of an announced letter; nullptr for none.
const Variant *VariantOfCode(uint8_t code);
const Variant *VariantOfLetter(uint8_t letter);
// Whether the code's page is the Dorsell page reduced to what an Ostrel 2 has.
bool ShowsOstrelSubset(uint8_t code);
// The variant's place in the table, for lists built beside it.
size_t VariantIndex(const Variant &variant);
