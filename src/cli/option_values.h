// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of the command line's criteria options: comparisons with a number or a date,
// and named choices. Each parser accepts the whole text or nothing (no trailing junk).
#include "search/extra_criteria.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace sifter {

// A size test as the record stores it: a comparison code (kCompare*) and a value.
struct SizeBound {
    std::int32_t compare = 0;
    std::uint32_t value = 0;
};

// A local calendar value with a date part, a time part or both.
struct DateValue {
    bool hasDate = false;
    bool hasTime = false;
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// A date test: a comparison code (kCompare*) and the value compared with, absolute or,
// when relative.unit is set, counted back from the start of the run.
struct DateBound {
    std::int32_t compare = 0;
    DateValue value;
    RelativeDate relative;
};

// Earliest year a date value may have: earlier years convert to no time at all.
inline constexpr int kMinDateYear = 1900;

// Digits only, 0 to 4,294,967,295; no sign, blank or anything after the digits.
std::optional<std::uint32_t> ParseUnsigned32(std::string_view text);
// "=N", ">=N" or "<=N" with N as ParseUnsigned32 takes it.
std::optional<SizeBound> ParseSizeBound(std::string_view text);
// "YYYY-MM-DD", "HH:MM[:SS]" or "YYYY-MM-DDTHH:MM[:SS]" (a blank may stand for the "T");
// month, day and hour take one or two digits. Only real calendar dates from kMinDateYear
// to 9999 and times up to 23:59:59 are accepted.
std::optional<DateValue> ParseDateValue(std::string_view text);
// "-N" and a unit (min, h, d, w or mo: minutes, hours, days, weeks, months), "today" or
// "yesterday"; N from 0 to 4,294,967,295.
std::optional<RelativeDate> ParseRelativeDate(std::string_view text);
// "=VALUE", ">=VALUE" or "<=VALUE" with VALUE as ParseDateValue or ParseRelativeDate takes it.
std::optional<DateBound> ParseDateBound(std::string_view text);

// 0 = Sunday, for a valid calendar date.
int DayOfWeek(int year, int month, int day);

} // namespace sifter
