// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/date_test_values.h"

#include "search/entry_filters.h"
#include "search/search_criteria.h"

namespace sifter {

std::int64_t DateTestValues::Value(std::int32_t datePart, FileTime time)
{
    if (datePart == kDatePartDateTime)
        return dateTimes_.Seconds(time);
    // Local time, as the date pickers and the results list show dates: a file written at
    // 23:30 local time belongs to that day, not to the next UTC day.
    SystemTime fields;
    if (!dateTimes_.Zone().ToLocalFields(time, fields))
        return 0; // beyond year 30827: treated like a year before 1900
    if (datePart == kDatePartDate)
        return DaySeconds(fields);
    return SecondsOfDay(fields);
}

std::int64_t DateTestValues::DaySeconds(const SystemTime &fields)
{
    const std::int64_t key = (std::int64_t{fields.year} * 100 + fields.month) * 100 + fields.day;
    if (const auto found = days_.find(key); found != days_.end())
        return found->second;
    // Past this many days the cache starts over, as LocalSecondsCache does.
    if (days_.size() >= LocalSecondsCache::kMostDays)
        days_.clear();
    SystemTime midnight = fields;
    ClearTimeOfDay(midnight);
    const std::int64_t seconds = LocalFieldsToSeconds(midnight);
    days_.emplace(key, seconds);
    return seconds;
}

} // namespace sifter
