// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/relative_dates.h"

#include "search/entry_filters.h"

#include <algorithm>
#include <ctime>

namespace sifter {
namespace {

constexpr std::int64_t kDaysPerWeek = 7;
constexpr std::int64_t kMonthsPerYear = 12;
constexpr std::int64_t kEarliestYear = 1601; // the first year a FILETIME holds

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms),
// in 64 bits so that no count of days can overflow.
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t &y, std::int64_t &m, std::int64_t &d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2);
}

std::int64_t DaysInMonth(std::int64_t y, std::int64_t m)
{
    return m == 12 ? 31 : DaysFromCivil(y, m + 1, 1) - DaysFromCivil(y, m, 1);
}

SystemTime FieldsOf(const std::tm &local)
{
    SystemTime fields;
    fields.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    fields.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    fields.day = static_cast<std::uint16_t>(local.tm_mday);
    fields.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
    fields.hour = static_cast<std::uint16_t>(local.tm_hour);
    fields.minute = static_cast<std::uint16_t>(local.tm_min);
    fields.second = static_cast<std::uint16_t>(local.tm_sec);
    return fields;
}

SystemTime Earliest()
{
    SystemTime fields;
    fields.year = kEarliestYear;
    fields.month = 1;
    fields.day = 1;
    fields.dayOfWeek = 1; // 1601-01-01 was a Monday
    return fields;
}

// The local fields of the moment, or the earliest moment when it lies before it (or the
// system cannot split it).
SystemTime LocalFieldsAt(std::int64_t seconds)
{
    const std::time_t moment = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&moment, &local) || local.tm_year + 1900 < kEarliestYear)
        return Earliest();
    return FieldsOf(local);
}

// The calendar date y-m-d at the wall time of now, as mktime reads it (a time the clocks
// skip is read with the offset before the change), split again into local fields.
SystemTime OnDate(std::int64_t y, std::int64_t m, std::int64_t d, const std::tm &now, bool midnight)
{
    if (y < kEarliestYear)
        return Earliest();
    std::tm local{};
    local.tm_year = static_cast<int>(y - 1900);
    local.tm_mon = static_cast<int>(m - 1);
    local.tm_mday = static_cast<int>(d);
    local.tm_hour = midnight ? 0 : now.tm_hour;
    local.tm_min = midnight ? 0 : now.tm_min;
    local.tm_sec = midnight ? 0 : now.tm_sec;
    local.tm_isdst = -1;
    const std::time_t moment = mktime(&local);
    if (moment == static_cast<std::time_t>(-1))
        return Earliest(); // only for dates no system time reaches
    return LocalFieldsAt(moment);
}

void PutBound(const SystemTime &moment, SystemTime &date, SystemTime &time)
{
    date = moment;
    time = moment;
}

} // namespace

SystemTime RelativeDateMoment(const RelativeDate &relative, std::int64_t now)
{
    const std::int64_t count = relative.count;
    switch (relative.unit) {
    case kRelativeMinutes:
        return LocalFieldsAt(now - count * kSecondsPerMinute);
    case kRelativeHours:
        return LocalFieldsAt(now - count * kSecondsPerHour);
    default:
        break;
    }
    const std::time_t moment = static_cast<std::time_t>(now);
    std::tm local{};
    if (!localtime_r(&moment, &local))
        return Earliest();
    const std::int64_t today = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    std::int64_t y = 0;
    std::int64_t m = 0;
    std::int64_t d = 0;
    switch (relative.unit) {
    case kRelativeDays:
    case kRelativeWeeks:
    case kRelativeToday:
    case kRelativeYesterday: {
        const std::int64_t back = relative.unit == kRelativeDays    ? count
                                  : relative.unit == kRelativeWeeks ? count * kDaysPerWeek
                                  : relative.unit == kRelativeToday ? 0
                                                                    : 1;
        CivilFromDays(today - back, y, m, d);
        const bool midnight = relative.unit == kRelativeToday || relative.unit == kRelativeYesterday;
        return OnDate(y, m, d, local, midnight);
    }
    case kRelativeMonths: {
        const std::int64_t months = (local.tm_year + 1900) * kMonthsPerYear + local.tm_mon - count;
        y = months >= 0 ? months / kMonthsPerYear : (months - kMonthsPerYear + 1) / kMonthsPerYear;
        m = months - y * kMonthsPerYear + 1;
        d = std::min<std::int64_t>(local.tm_mday, DaysInMonth(y, m));
        return OnDate(y, m, d, local, false);
    }
    default:
        return LocalFieldsAt(now);
    }
}

void ApplyRelativeDates(const ExtraCriteria &extras, SearchCriteria &criteria, std::int64_t now)
{
    if (extras.date1.unit != kRelativeNone)
        PutBound(RelativeDateMoment(extras.date1, now), criteria.date1, criteria.time1);
    if (extras.date2.unit != kRelativeNone)
        PutBound(RelativeDateMoment(extras.date2, now), criteria.date2, criteria.time2);
}

} // namespace sifter
