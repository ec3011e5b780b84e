// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sorting of the results list: the sort state, the comparison of two rows' records by a
// column's key, and a stable sort of the rows by that comparison.
#include "text/file_time.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace sifter {

struct FoundFile;

// The last sort of the list. Not sorted: sortCommandId 0 (ascending).
struct SortState {
    std::uint32_t sortCommandId = 0; // an "Arrange Icons By" command id, or 0
    bool sortDescending = false;

    // The state after the command: the same id again flips the direction, another id
    // starts ascending.
    void ArrangeBy(std::uint32_t id);
};

// -1, 0 or +1 as record1 comes before, with or after record2 in the state's column and
// direction; 0 when either is null or the column has no key (0, 32779, unknown ids).
int CompareRows(const FoundFile *record1, const FoundFile *record2, const SortState &state);

// Orders the rows as CompareRows orders their records; rows that compare equal keep their
// present order. The state's column key of each record is computed once.
void SortRows(std::vector<FoundFile *> &rows, const SortState &state);

// Byte-wise comparison with ASCII A-Z folded to a-z (-1, 0, +1); a prefix comes first.
int CompareTextNoCase(std::string_view text1, std::string_view text2);

// The sort key of a time: the UTC time as local time, in seconds since 1970 read back
// from its local calendar fields; 0 when it has no local calendar time, -1 when the count
// falls outside a signed 32-bit number.
std::int32_t LocalSortSeconds(FileTime time);

} // namespace sifter
