// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/date_test_values.h"
#include "search/search_criteria.h"
#include "support/scoped_time_zone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

namespace sifter {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;

// The value with nothing cached: the zone looked up, the fields read back by themselves.
std::int64_t UncachedValue(std::int32_t datePart, FileTime time)
{
    SystemTime fields;
    if (!FileTimeToLocalFields(time, fields))
        return 0;
    if (datePart == kDatePartTime)
        return fields.hour * 3600 + fields.minute * 60 + fields.second;
    if (datePart == kDatePartDate)
        fields.hour = fields.minute = fields.second = 0;
    fields.milliseconds = 0;
    return LocalFieldsToSeconds(fields);
}

FileTime FromUnix(std::int64_t seconds, std::int64_t ticks = 0)
{
    return FileTimeFromUnix(seconds) + static_cast<FileTime>(ticks);
}

long OffsetAt(std::int64_t seconds)
{
    const auto moment = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&moment, &local);
    return local.tm_gmtoff;
}

// Times around every change of the clocks a zone has from 1900 to 2040 (the instant found
// by halving the day it falls in), at the change, a second either side and every 97
// seconds for two hours either side; and random times from 1900 to 2100, all in an order
// that fills the caches from all sides.
std::vector<FileTime> TimesToTry(const char *zone)
{
    const test::ScopedTimeZone scoped(zone);
    std::vector<FileTime> times;
    std::mt19937_64 random(7);
    const std::int64_t first = -2'208'988'800; // 1900-01-01
    const std::int64_t changesUntil = 2'208'988'800; // 2040-01-01
    const std::int64_t last = 4'102'444'800;   // 2100-01-01
    std::uniform_int_distribution<std::int64_t> anywhere(first, last);
    std::uniform_int_distribution<std::int64_t> ticks(0, kTicksPerSecond - 1);
    for (int i = 0; i < 20'000; ++i)
        times.push_back(FromUnix(anywhere(random), ticks(random)));
    for (std::int64_t day = first; day < changesUntil; day += kSecondsPerDay) {
        if (OffsetAt(day) == OffsetAt(day + kSecondsPerDay))
            continue;
        std::int64_t before = day, after = day + kSecondsPerDay;
        while (after - before > 1) {
            const std::int64_t middle = before + (after - before) / 2;
            (OffsetAt(middle) == OffsetAt(before) ? before : after) = middle;
        }
        for (const std::int64_t near : {after - 1, after, after + 1})
            times.push_back(FromUnix(near, ticks(random)));
        for (std::int64_t around = after - 7200; around <= after + 7200; around += 97)
            times.push_back(FromUnix(around, ticks(random)));
    }
    std::shuffle(times.begin(), times.end(), random);
    return times;
}

// Zones whose clocks change by an hour, by half an hour (Lord Howe), at odd seconds before
// 1940 (Amsterdam, +0:19:32), and not at all.
TEST(DateTestValues, GiveTheUncachedValuesInEveryPartAroundEveryClockChange)
{
    for (const char *zone : {"Europe/Berlin", "America/St_Johns", "Australia/Lord_Howe", "Europe/Amsterdam", "UTC0"}) {
        if (std::string(zone) != "UTC0" && !std::filesystem::exists(std::string("/usr/share/zoneinfo/") + zone)) {
            ADD_FAILURE() << "no zone data for " << zone << " (tzdata is installed by scripts/install-deps.sh)";
            continue;
        }
        const std::vector<FileTime> times = TimesToTry(zone);
        ASSERT_GE(times.size(), 20'000u);
        const test::ScopedTimeZone scoped(zone);
        for (const std::int32_t part : {kDatePartDate, kDatePartTime, kDatePartDateTime}) {
            DateTestValues values;
            std::size_t differing = 0;
            for (const FileTime time : times) {
                const std::int64_t expected = UncachedValue(part, time);
                if (values.Value(part, time) != expected && ++differing <= 5)
                    ADD_FAILURE() << zone << ", part " << part << ", unix " << FileTimeToUnixSeconds(time)
                                  << ": " << values.Value(part, time) << " instead of " << expected;
            }
            EXPECT_EQ(differing, 0u) << zone << ", part " << part;
        }
    }
}

} // namespace
} // namespace sifter
