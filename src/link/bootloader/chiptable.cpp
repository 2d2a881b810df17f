#include "link/bootloader/chiptable.h"

#include "core/hex/flashimage.h"

namespace {

struct ChipRow {
    const char *name;   // upper-case substring of the identification line
    ChipInfo chip;
};

constexpr ChipInfo kDefault{0x3C00, 128};

// Searched in order; the first row whose name is in the line wins, so the generic "AT90CAN"
// comes after the specific parts.
constexpr ChipRow kChips[] = {
    {"ATMEGA32", {0x7C00, 128}},
    {"AT90CAN64", {0xF800, 256}},
    {"AT90CAN128", {0x1F800, 256}},
    {"AT90CAN", {0x1F800, 256}},
};

constexpr bool FitsImage()
{
    for (const ChipRow &row : kChips)
        if (row.chip.flashLimit > FlashImage::kSize || row.chip.pageSize % Boot::kBlockBytes) return false;
    return kDefault.flashLimit <= FlashImage::kSize;
}
static_assert(FitsImage(), "every chip must fit the flash image and hold whole blocks per page");

}  // namespace

ChipInfo DefaultChip() { return kDefault; }

ChipInfo ChipFromIdentification(const QByteArray &identificationLine)
{
    const QByteArray upper = identificationLine.toUpper();
    for (const ChipRow &row : kChips)
        if (upper.contains(row.name)) return row.chip;
    return kDefault;
}
