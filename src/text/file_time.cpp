// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/file_time.h"

#include <array>
#include <ctime>
#include <limits>
#include <optional>

namespace sifter {
namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::int64_t kNanosecondsPerTick = 100;
constexpr std::uint64_t kTicksPerMillisecond = 10'000;
// Seconds from 1601-01-01 to 1970-01-01 (369 years, 89 of them leap years).
constexpr std::int64_t kEpochDifferenceSeconds = 11'644'473'600;
// The last second since 1970 whose start a FileTime can still hold.
constexpr std::int64_t kLastRepresentableUnixSecond =
    static_cast<std::int64_t>(std::numeric_limits<FileTime>::max() / kFileTimeTicksPerSecond) -
    kEpochDifferenceSeconds;
constexpr int kLastSystemTimeYear = 30'827;
constexpr int kFirstFileTimeYear = 1601;
constexpr int kFirstMktimeYear = 1900;
constexpr int kTmYearBase = 1900;
// 1970-01-01 was a Thursday.
constexpr std::int64_t kUnixEpochDayOfWeek = 4;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

struct CivilDate {
    std::int64_t year;
    unsigned month; // 1..12
    unsigned day;   // 1..31
};

// Days since 1970-01-01 of a proleptic Gregorian date. Shifting the year to start in
// March puts the leap day last, so month lengths follow one formula.
constexpr std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(year, 400);
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + static_cast<std::int64_t>(dayOfEra) - 719'468;
}

// The proleptic Gregorian date of a day counted from 1970-01-01 (inverse of DaysFromCivil).
constexpr CivilDate CivilFromDays(std::int64_t days)
{
    days += 719'468;
    const std::int64_t era = FloorDiv(days, 146'097);
    const auto dayOfEra = static_cast<unsigned>(days - era * 146'097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DaysFromCivil(1601, 1, 1) * kSecondsPerDay == -kEpochDifferenceSeconds);
static_assert(CivilFromDays(-1).year == 1969 && CivilFromDays(-1).month == 12 && CivilFromDays(-1).day == 31);

// The fields read as if they were UTC, normalised as mktime normalises them
// (month 13 is January of the next year, day 0 the last day of the month before).
std::int64_t NaiveSeconds(const SystemTime &fields)
{
    const std::int64_t monthIndex = static_cast<std::int64_t>(fields.month) - 1;
    const std::int64_t year = fields.year + FloorDiv(monthIndex, 12);
    const auto month = static_cast<unsigned>(FloorMod(monthIndex, 12) + 1);
    const std::int64_t days = DaysFromCivil(year, month, 1) + static_cast<std::int64_t>(fields.day) - 1;
    return days * kSecondsPerDay + fields.hour * std::int64_t{3600} + fields.minute * std::int64_t{60} +
           fields.second;
}

// Offset of local time from UTC in force at the instant, in seconds.
std::optional<std::int64_t> UtcOffsetAt(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&time, &local))
        return std::nullopt;
    return local.tm_gmtoff;
}

// Seconds since 1970 of the fields read as local time. mktime gives the first answer;
// where a local time occurs twice or never, glibc's answer depends on earlier calls, so
// the result is settled here: an overlap takes the earlier instant, a gap the offset in
// force before it (02:30 in a spring-forward gap becomes 03:30 of the new offset).
std::optional<std::int64_t> LocalToUnix(const SystemTime &fields)
{
    std::tm local{};
    local.tm_year = static_cast<int>(fields.year) - kTmYearBase;
    local.tm_mon = static_cast<int>(fields.month) - 1;
    local.tm_mday = fields.day;
    local.tm_hour = fields.hour;
    local.tm_min = fields.minute;
    local.tm_sec = fields.second;
    local.tm_isdst = -1;
    // mktime leaves tm_wday alone when it fails; -1 is also a valid result, so errno cannot tell.
    local.tm_wday = -1;
    const std::time_t guess = std::mktime(&local);
    if (local.tm_wday < 0)
        return std::nullopt;

    const std::int64_t naive = NaiveSeconds(fields);
    const std::array<std::int64_t, 3> probes = {guess - kSecondsPerDay, guess, guess + kSecondsPerDay};
    std::optional<std::int64_t> best;
    for (std::int64_t probe : probes) {
        const auto offset = UtcOffsetAt(probe);
        if (!offset)
            continue;
        const std::int64_t candidate = naive - *offset;
        if (UtcOffsetAt(candidate) == offset && (!best || candidate < *best))
            best = candidate;
    }
    if (best)
        return best;
    if (const auto before = UtcOffsetAt(guess - kSecondsPerDay))
        return naive - *before;
    return static_cast<std::int64_t>(guess);
}

bool FieldsFromTm(const std::tm &tm, std::uint16_t milliseconds, SystemTime &out)
{
    const std::int64_t year = static_cast<std::int64_t>(tm.tm_year) + kTmYearBase;
    if (year < 1 || year > kLastSystemTimeYear)
        return false;
    out.year = static_cast<std::uint16_t>(year);
    out.month = static_cast<std::uint16_t>(tm.tm_mon + 1);
    out.dayOfWeek = static_cast<std::uint16_t>(tm.tm_wday);
    out.day = static_cast<std::uint16_t>(tm.tm_mday);
    out.hour = static_cast<std::uint16_t>(tm.tm_hour);
    out.minute = static_cast<std::uint16_t>(tm.tm_min);
    // A leap second (60) is shown as the last second of its minute.
    out.second = static_cast<std::uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    out.milliseconds = milliseconds;
    return true;
}

} // namespace

FileTime FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds)
{
    seconds += FloorDiv(nanoseconds, kNanosecondsPerSecond);
    const std::int64_t subsecondTicks = FloorMod(nanoseconds, kNanosecondsPerSecond) / kNanosecondsPerTick;
    if (seconds < -kEpochDifferenceSeconds)
        return 0;
    if (seconds > kLastRepresentableUnixSecond)
        return std::numeric_limits<FileTime>::max();
    const FileTime whole = static_cast<FileTime>(seconds + kEpochDifferenceSeconds) * kFileTimeTicksPerSecond;
    const auto extra = static_cast<FileTime>(subsecondTicks);
    if (whole > std::numeric_limits<FileTime>::max() - extra)
        return std::numeric_limits<FileTime>::max();
    return whole + extra;
}

std::int64_t FileTimeToUnixSeconds(FileTime time)
{
    // Unsigned division already rounds down; the epoch shift keeps it that way.
    return static_cast<std::int64_t>(time / kFileTimeTicksPerSecond) - kEpochDifferenceSeconds;
}

bool FileTimeToUtcFields(FileTime time, SystemTime &out)
{
    const std::int64_t seconds = FileTimeToUnixSeconds(time);
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const std::int64_t secondOfDay = seconds - days * kSecondsPerDay;
    const CivilDate date = CivilFromDays(days);
    if (date.year > kLastSystemTimeYear)
        return false;
    out.year = static_cast<std::uint16_t>(date.year);
    out.month = static_cast<std::uint16_t>(date.month);
    out.dayOfWeek = static_cast<std::uint16_t>(FloorMod(days + kUnixEpochDayOfWeek, 7));
    out.day = static_cast<std::uint16_t>(date.day);
    out.hour = static_cast<std::uint16_t>(secondOfDay / 3600);
    out.minute = static_cast<std::uint16_t>(secondOfDay % 3600 / 60);
    out.second = static_cast<std::uint16_t>(secondOfDay % 60);
    out.milliseconds = static_cast<std::uint16_t>(time % kFileTimeTicksPerSecond / kTicksPerMillisecond);
    return true;
}

bool FileTimeToLocalFields(FileTime time, SystemTime &out)
{
    return LocalTimeZone().ToLocalFields(time, out);
}

LocalTimeZone::LocalTimeZone()
{
    // localtime_r need not notice a changed TZ; mktime does, so both stay on one zone.
    tzset();
}

bool LocalTimeZone::ToLocalFields(FileTime time, SystemTime &out) const
{
    const auto seconds = static_cast<std::time_t>(FileTimeToUnixSeconds(time));
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return false;
    SystemTime fields;
    const auto milliseconds = static_cast<std::uint16_t>(time % kFileTimeTicksPerSecond / kTicksPerMillisecond);
    if (!FieldsFromTm(local, milliseconds, fields))
        return false;
    out = fields;
    return true;
}

std::int64_t LocalFieldsToSeconds(const SystemTime &fields)
{
    if (fields.year < kFirstMktimeYear)
        return 0;
    return LocalToUnix(fields).value_or(0);
}

std::int64_t LocalSecondsCache::Seconds(FileTime time)
{
    const std::int64_t seconds = FileTimeToUnixSeconds(time);
    const std::int64_t day = FloorDiv(seconds, kSecondsPerDay);
    auto found = shifts_.find(day);
    if (found == shifts_.end()) {
        if (shifts_.size() >= kMostDays)
            shifts_.clear();
        found = shifts_.emplace(day, DayShift(day)).first;
    }
    return found->second ? seconds + *found->second : Uncached(time);
}

std::int64_t LocalSecondsCache::Uncached(FileTime time) const
{
    SystemTime fields;
    return zone_.ToLocalFields(time, fields) ? LocalFieldsToSeconds(fields) : 0;
}

std::optional<std::int64_t> LocalSecondsCache::DayShift(std::int64_t day) const
{
    const std::int64_t first = day * kSecondsPerDay;
    const std::int64_t last = first + kSecondsPerDay - 1;
    const std::int64_t firstSeconds = Uncached(FileTimeFromUnix(first));
    const std::int64_t lastSeconds = Uncached(FileTimeFromUnix(last));
    // 0 comes from the range rules (a year before 1900, no fields), not from a shift.
    if (firstSeconds == 0 || lastSeconds == 0 || firstSeconds - first != lastSeconds - last)
        return std::nullopt;
    const auto firstOffset = UtcOffsetAt(first);
    if (!firstOffset || firstOffset != UtcOffsetAt(last))
        return std::nullopt;
    return firstSeconds - first;
}

bool LocalFieldsToFileTime(const SystemTime &fields, FileTime &out)
{
    if (fields.year < kFirstFileTimeYear)
        return false;
    const auto seconds = LocalToUnix(fields);
    if (!seconds || *seconds < -kEpochDifferenceSeconds || *seconds > kLastRepresentableUnixSecond)
        return false;
    const FileTime whole = FileTimeFromUnix(*seconds);
    const FileTime extra = fields.milliseconds * kTicksPerMillisecond;
    if (whole > std::numeric_limits<FileTime>::max() - extra)
        return false;
    out = whole + extra;
    return true;
}

SystemTime CurrentLocalTime()
{
    tzset();
    std::timespec now{};
    // CLOCK_REALTIME always exists; should the call fail anyway, the fields stay zero.
    if (clock_gettime(CLOCK_REALTIME, &now) != 0)
        return {};
    std::tm local{};
    if (!localtime_r(&now.tv_sec, &local))
        return {};
    SystemTime fields;
    const auto milliseconds = static_cast<std::uint16_t>(now.tv_nsec / (kNanosecondsPerSecond / 1000));
    if (!FieldsFromTm(local, milliseconds, fields))
        return {};
    return fields;
}

} // namespace sifter
