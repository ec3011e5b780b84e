// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size, date and attribute tests of the folder walk, and the bounds they compare with.
#include "fs/folder_listing.h"
#include "search/date_test_values.h"
#include "search/search_criteria.h"
#include "text/file_time.h"

#include <cstdint>

namespace sifter {

inline constexpr std::uint64_t kBytesPerKB = 1024;
inline constexpr std::uint64_t kBytesPerMB = 1024 * kBytesPerKB;
inline constexpr std::uint64_t kBytesPerGB = 1024 * kBytesPerMB;
inline constexpr std::int64_t kSecondsPerHour = 3600;
inline constexpr std::int64_t kSecondsPerMinute = 60;

struct SizeBounds {
    std::uint64_t bound1 = 0;
    std::uint64_t bound2 = 0;
};

struct DateBounds {
    std::int64_t bound1 = 0; // seconds since 1970 (local fields), or since midnight
    std::int64_t bound2 = 0;
};

// sizeValue1/2 times the unit's bytes; both 0 for no or an unknown unit.
SizeBounds ComputeSizeBounds(const SearchCriteria &criteria);
// Clears the time part of date1/date2 and the date part of time1/time2 in the record,
// copies the times into the dates for date-and-time, and converts by datePart.
DateBounds PrepareDateBounds(SearchCriteria &criteria);

// Comparison code kCompare* of value against bound; code 0 and unknown codes pass.
template <typename T>
bool PassesComparison(std::int32_t code, T value, T bound)
{
    switch (code) {
    case kCompareEqual:
        return value == bound;
    case kCompareAtLeast:
        return value >= bound;
    case kCompareAtMost:
        return value <= bound;
    default:
        return true;
    }
}

// Midnight of the fields' day; the seconds since midnight of their time.
void ClearTimeOfDay(SystemTime &fields);
std::int64_t SecondsOfDay(const SystemTime &fields);
// Whether the size test is made (a known size unit) and the date test (a known date kind and part).
bool HasSizeTest(const SearchCriteria &criteria);
bool HasDateTest(const SearchCriteria &criteria);
bool PassesSizeTest(const SearchCriteria &criteria, const SizeBounds &bounds, std::uint64_t size);
// Compares the value (DateTestValues) of the entry's time of the kind tested with the bounds.
bool PassesDateTest(const SearchCriteria &criteria, const DateBounds &bounds, const EntryData &entry,
                    DateTestValues &values);
// Hidden, read-only and system entries pass only when their search* flag is set.
bool PassesAttributeTest(const SearchCriteria &criteria, std::uint32_t attributes);
// Whether the attribute test needs more than the name (read-only or system are tested).
bool AttributeTestNeedsData(const SearchCriteria &criteria);

} // namespace sifter
