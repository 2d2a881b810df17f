#pragma once
// The pages keep their controls' object names and places beside the core's tables, one row per
// setting keyed by the setting's image byte (`offset`), so that the core holds no widget names.
#include <cstddef>

// The row of `rows` for the byte `offset` (the first row where there is none; HasRowFor checks at
// compile time that there always is one).
template <typename Row, size_t N>
constexpr const Row &ControlsAt(const Row (&rows)[N], int offset)
{
    for (const Row &row : rows)
        if (row.offset == offset) return row;
    return rows[0];
}

// Whether every setting of `settings` (read through `offsetOf`) has a row in `rows`.
template <typename Row, size_t N, typename Setting, size_t M, typename OffsetOf>
constexpr bool HasRowFor(const Row (&rows)[N], const Setting (&settings)[M], OffsetOf offsetOf)
{
    for (const Setting &setting : settings) {
        bool found = false;
        for (const Row &row : rows) found = found || row.offset == offsetOf(setting);
        if (!found) return false;
    }
    return true;
}
