// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The criteria that the fixed criteria record has no room for: exclusions, regular
// expressions and relative date bounds. A search that uses none of them has them all at
// their defaults (Used() false), and its result file is then that of the plain format.
#include <cstdint>
#include <string>

namespace sifter {

// What a relative date bound counts back from the start of the run.
inline constexpr std::int32_t kRelativeNone = 0; // the absolute date and time of the record
inline constexpr std::int32_t kRelativeMinutes = 1;
inline constexpr std::int32_t kRelativeHours = 2;
inline constexpr std::int32_t kRelativeDays = 3;
inline constexpr std::int32_t kRelativeWeeks = 4;
inline constexpr std::int32_t kRelativeMonths = 5;
inline constexpr std::int32_t kRelativeToday = 6;     // today at midnight; no count
inline constexpr std::int32_t kRelativeYesterday = 7; // yesterday at midnight; no count
inline constexpr std::int32_t kRelativeLast = kRelativeYesterday;

struct RelativeDate {
    std::int32_t unit = kRelativeNone;
    std::uint32_t count = 0; // of units back, for minutes to months

    bool operator==(const RelativeDate &) const = default;
};

struct ExtraCriteria {
    std::string excludes;    // entries separated by ";": folder paths (with a "/") or name patterns
    bool regexNames = false; // names is one regular expression
    bool regexWords = false; // words is one regular expression
    RelativeDate date1;      // replaces date1/time1 of the record at the start of each run
    RelativeDate date2;

    bool operator==(const ExtraCriteria &) const = default;
    // True when any of them differs from its default.
    bool Used() const { return *this != ExtraCriteria{}; }
};

} // namespace sifter
