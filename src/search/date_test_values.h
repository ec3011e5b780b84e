// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values the date test compares, for the entries of one run.
#include "text/file_time.h"

#include <cstdint>
#include <unordered_map>

namespace sifter {

// The value of an entry's time for the date test: the time split into local calendar
// fields, then seconds since 1970 of its date (kDatePartDate) or of date and time
// (kDatePartDateTime, milliseconds dropped) as LocalFieldsToSeconds reads them, or seconds
// since midnight (kDatePartTime). The zone is looked up once, by dateTimes_ (each lookup
// examines /etc/localtime), a date becomes seconds once per day, and a date and time
// through LocalSecondsCache: converting every entry's time alone took a date search of
// /usr four times as long as the same search without the test.
class DateTestValues {
public:
    std::int64_t Value(std::int32_t datePart, FileTime time);

private:
    std::int64_t DaySeconds(const SystemTime &fields);

    std::unordered_map<std::int64_t, std::int64_t> days_; // by the date as YYYYMMDD
    LocalSecondsCache dateTimes_;
};

} // namespace sifter
