// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FILETIME and SYSTEMTIME: the time records that result files store, and their conversions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace sifter {

// 100-nanosecond intervals since 1601-01-01 00:00 UTC.
using FileTime = std::uint64_t;

inline constexpr FileTime kFileTimeTicksPerSecond = 10'000'000;
// 1970-01-01 00:00 UTC as a FileTime.
inline constexpr FileTime kUnixEpochFileTime = 116'444'736'000'000'000ULL;

// Calendar fields, 16 bytes, stored as they are in the criteria record.
// dayOfWeek: 0 = Sunday. All fields little-endian unsigned 16-bit.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;     // 1..12
    std::uint16_t dayOfWeek = 0; // 0..6, 0 = Sunday
    std::uint16_t day = 0;       // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};
static_assert(sizeof(SystemTime) == 16);
static_assert(offsetof(SystemTime, year) == 0);
static_assert(offsetof(SystemTime, month) == 2);
static_assert(offsetof(SystemTime, dayOfWeek) == 4);
static_assert(offsetof(SystemTime, day) == 6);
static_assert(offsetof(SystemTime, hour) == 8);
static_assert(offsetof(SystemTime, minute) == 10);
static_assert(offsetof(SystemTime, second) == 12);
static_assert(offsetof(SystemTime, milliseconds) == 14);

// Unix time (seconds and nanoseconds since 1970, either may be negative) to FileTime;
// times before 1601 give 0, times past the FileTime range the largest FileTime.
FileTime FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds = 0);
// FileTime to whole seconds since 1970 (rounded towards minus infinity).
std::int64_t FileTimeToUnixSeconds(FileTime time);

// Splits a FileTime into UTC calendar fields, day of week included.
// False (out untouched) when the year would pass 30827.
bool FileTimeToUtcFields(FileTime time, SystemTime &out);
// Splits a FileTime into calendar fields of the local time zone (TZ as it is now).
// False (out untouched) when the local year would pass 30827.
bool FileTimeToLocalFields(FileTime time, SystemTime &out);
// The local time zone looked up once, for converting many times: each lookup (tzset)
// examines /etc/localtime again, a stat for every line of a long list printed. Converts
// as FileTimeToLocalFields does, in the zone as last looked up in the process.
class LocalTimeZone {
public:
    LocalTimeZone();
    bool ToLocalFields(FileTime time, SystemTime &out) const;
};
// Reads the fields (dayOfWeek and milliseconds ignored) as local time and gives
// seconds since 1970 (64-bit, negative before 1970), as mktime with tm_isdst = -1 gives
// them; out-of-range fields roll over as in mktime. A local time met twice (clocks set
// back) gives the earlier instant, one skipped (clocks set forward) is read with the
// offset in force before the change, whatever earlier calls were. A year before 1900 gives 0.
std::int64_t LocalFieldsToSeconds(const SystemTime &fields);
// LocalFieldsToSeconds of many times' own local fields, as LocalTimeZone splits them (0 when
// it cannot): within a UTC day without a change of offset that is the UTC second plus one
// shift, found once per day (a few C-library calls each time otherwise); the days with a
// change are converted time by time. At most kMostDays days are kept.
class LocalSecondsCache {
public:
    static constexpr std::size_t kMostDays = 4096;
    std::int64_t Seconds(FileTime time);
    // The zone looked up when the cache was made, for the fields of the same times.
    const LocalTimeZone &Zone() const { return zone_; }

private:
    std::int64_t Uncached(FileTime time) const;
    std::optional<std::int64_t> DayShift(std::int64_t day) const;

    LocalTimeZone zone_;
    std::unordered_map<std::int64_t, std::optional<std::int64_t>> shifts_;
};
// Reads the fields (milliseconds included) as local time, as LocalFieldsToSeconds does,
// and gives the FileTime; false (out untouched) when the year is before 1601 or the
// instant is outside the FileTime range.
bool LocalFieldsToFileTime(const SystemTime &fields, FileTime &out);
// The current local time, day of week and milliseconds included (all zero should the
// clock be unreadable).
SystemTime CurrentLocalTime();

} // namespace sifter
