#pragma once
// The product codes a controller's application announces itself with: the letter on the wire,
// the value kept as the product code, and the status text on identification.
#include "core/calimage.h"

#include <cstdint>

struct ProductCodeEntry {
    uint8_t letter;      // sent by the controller
    uint8_t stored;      // kept beside the image (the Quarn 2 is kept as 1)
    const char *banner;  // status text once identified
};

inline constexpr ProductCodeEntry ProductCodes[] = {
    {'j', Product::Quarn, "QUARN 2 v1.1 Connected and Listening"},
    {'b', Product::Dorsell, "DORSELL Connected and Listening"},
    {'a', Product::Ostrel, "Ostrel 2 Connected and Listening"},
    {'d', Product::Brennic, "BRENNIC Connected and Listening"},
    {'z', Product::CsCan, "QUARN 2 CsCAN Connected and Listening"},
    {'c', Product::Vintle, "VINTLE Connected and Listening"},
};

// The entry of a product letter, or nullptr when the byte is no product code.
constexpr const ProductCodeEntry *FindProductCode(uint8_t letter)
{
    for (const ProductCodeEntry &entry : ProductCodes)
        if (entry.letter == letter) return &entry;
    return nullptr;
}
