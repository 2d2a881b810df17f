#pragma once
// What the tool knows of each bootloader chip: how much flash a firmware file may fill and how
// large a flash page is.
#include "link/bootloader/bootprotocol.h"

#include <QByteArray>
#include <cstdint>

struct ChipInfo {
    uint32_t flashLimit;    // writable flash bytes, counted from address 0
    uint16_t pageSize;      // bytes in one flash page
    uint16_t BlocksPerPage() const { return uint16_t(pageSize / Boot::kBlockBytes); }
};

// The values in force before any chip has named itself.
ChipInfo DefaultChip();

// The chip named (in any case) somewhere in the bootloader's identification line; the default
// when no known name is in it.
ChipInfo ChipFromIdentification(const QByteArray &identificationLine);
