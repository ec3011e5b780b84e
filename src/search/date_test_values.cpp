// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/date_test_values.h"

#include "search/entry_filters.h"
#include "search/search_criteria.h"

namespace sifter {
namespace {

// Past this many days or hours a cache starts over, so that no tree grows it unbounded.
constexpr std::size_t kMostCached = 4096;
constexpr std::int64_t kLastSecondOfHour = 3599;
constexpr std::uint16_t kHalfHour = 30;

// The date (and hour) as decimal digits, YYYYMMDD(HH).
std::int64_t DayKey(const SystemTime &fields)
{
    return (std::int64_t{fields.year} * 100 + fields.month) * 100 + fields.day;
}

std::int64_t HourKey(const SystemTime &fields)
{
    return DayKey(fields) * 100 + fields.hour;
}

std::int64_t SecondsAt(SystemTime fields, std::uint16_t minute, std::uint16_t second)
{
    fields.minute = minute;
    fields.second = second;
    fields.milliseconds = 0;
    return LocalFieldsToSeconds(fields);
}

} // namespace

std::int64_t DateTestValues::Value(std::int32_t datePart, FileTime time)
{
    // Local time, as the date pickers and the results list show dates: a file written at
    // 23:30 local time belongs to that day, not to the next UTC day.
    SystemTime fields;
    if (!zone_.ToLocalFields(time, fields))
        return 0; // beyond year 30827: treated like a year before 1900
    switch (datePart) {
    case kDatePartDate:
        return DaySeconds(fields);
    case kDatePartTime:
        return fields.hour * kSecondsPerHour + fields.minute * kSecondsPerMinute + fields.second;
    default: {
        const Hour &hour = HourOf(fields);
        if (hour.even)
            return hour.start + fields.minute * kSecondsPerMinute + fields.second;
        // The clocks change within the hour: its times are read one by one.
        fields.milliseconds = 0;
        return LocalFieldsToSeconds(fields);
    }
    }
}

std::int64_t DateTestValues::DaySeconds(const SystemTime &fields)
{
    const std::int64_t key = DayKey(fields);
    if (const auto found = days_.find(key); found != days_.end())
        return found->second;
    if (days_.size() >= kMostCached)
        days_.clear();
    SystemTime midnight = fields;
    midnight.hour = 0;
    const std::int64_t seconds = SecondsAt(midnight, 0, 0);
    days_.emplace(key, seconds);
    return seconds;
}

const DateTestValues::Hour &DateTestValues::HourOf(const SystemTime &fields)
{
    const std::int64_t key = HourKey(fields);
    if (const auto found = hours_.find(key); found != hours_.end())
        return found->second;
    if (hours_.size() >= kMostCached)
        hours_.clear();
    // A change of the clocks within the hour (an overlap or a gap, by any amount) puts its
    // last second or its half-hour elsewhere than the hour's start plus their seconds.
    Hour hour;
    hour.start = SecondsAt(fields, 0, 0);
    hour.even = SecondsAt(fields, 59, 59) - hour.start == kLastSecondOfHour &&
                SecondsAt(fields, kHalfHour, 0) - hour.start == kHalfHour * kSecondsPerMinute;
    return hours_.emplace(key, hour).first->second;
}

} // namespace sifter
