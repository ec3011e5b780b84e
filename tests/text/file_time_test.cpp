// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/file_time.h"

#include "support/scoped_time_zone.h"
#include "support/system_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <random>
#include <string>
#include <sys/stat.h>

namespace sifter {
namespace {

using test::ScopedTimeZone;
using test::SystemTimeOf;

constexpr std::int64_t kUnix2100March1 = 4'107'542'400;
constexpr std::int64_t kUnix1900January1 = -2'208'988'800;
constexpr std::int64_t kUnixSecondsAt1601 = -11'644'473'600;

// Seconds since 1970 of 30827-12-31 23:59:59 UTC, the last second calendar fields can hold.
std::int64_t LastSystemTimeSecond()
{
    std::tm last{};
    last.tm_year = 30827 - 1900;
    last.tm_mon = 11;
    last.tm_mday = 31;
    last.tm_hour = 23;
    last.tm_min = 59;
    last.tm_sec = 59;
    return timegm(&last);
}

void ExpectFields(const SystemTime &f, int year, int month, int day, int dayOfWeek, int hour, int minute,
                  int second, int ms)
{
    EXPECT_EQ(f.year, year);
    EXPECT_EQ(f.month, month);
    EXPECT_EQ(f.day, day);
    EXPECT_EQ(f.dayOfWeek, dayOfWeek);
    EXPECT_EQ(f.hour, hour);
    EXPECT_EQ(f.minute, minute);
    EXPECT_EQ(f.second, second);
    EXPECT_EQ(f.milliseconds, ms);
}

// Berlin: +1, +2 in summer, changes at 01:00 UTC on the last Sundays of March and October.
constexpr char kBerlin[] = "Europe/Berlin";

// Whether the system holds the zone database's file of the zone.
bool HasZoneData(const std::string &zone)
{
    struct stat info {};
    return stat(("/usr/share/zoneinfo/" + zone).c_str(), &info) == 0;
}

TEST(FileTimeUnix, EpochAndSubsecondsConvertExactly)
{
    EXPECT_EQ(FileTimeFromUnix(0), kUnixEpochFileTime);
    EXPECT_EQ(FileTimeFromUnix(0, 123'456'789), kUnixEpochFileTime + 1'234'567);
    EXPECT_EQ(FileTimeFromUnix(1, 0), kUnixEpochFileTime + kFileTimeTicksPerSecond);
    EXPECT_EQ(FileTimeFromUnix(kUnixSecondsAt1601), 0u);
}

TEST(FileTimeUnix, NegativeTimesUseFloorDivision)
{
    EXPECT_EQ(FileTimeFromUnix(-1), kUnixEpochFileTime - kFileTimeTicksPerSecond);
    // One nanosecond before 1970 is the last whole tick before it.
    EXPECT_EQ(FileTimeFromUnix(0, -100), kUnixEpochFileTime - 1);
    EXPECT_EQ(FileTimeFromUnix(-1, 2'000'000'000), kUnixEpochFileTime + kFileTimeTicksPerSecond);
    EXPECT_EQ(FileTimeToUnixSeconds(kUnixEpochFileTime - 1), -1);
    EXPECT_EQ(FileTimeToUnixSeconds(kUnixEpochFileTime - kFileTimeTicksPerSecond), -1);
    EXPECT_EQ(FileTimeToUnixSeconds(kUnixEpochFileTime - kFileTimeTicksPerSecond - 1), -2);
    EXPECT_EQ(FileTimeToUnixSeconds(0), kUnixSecondsAt1601);
}

TEST(FileTimeUnix, OutOfRangeTimesClampInsteadOfWrapping)
{
    EXPECT_EQ(FileTimeFromUnix(kUnixSecondsAt1601 - 1), 0u);
    EXPECT_EQ(FileTimeFromUnix(kUnixSecondsAt1601, -1), 0u);
    EXPECT_EQ(FileTimeFromUnix(INT64_MIN), 0u);
    EXPECT_EQ(FileTimeFromUnix(INT64_MAX / 2), UINT64_MAX);
    const std::int64_t lastSecond = FileTimeToUnixSeconds(UINT64_MAX);
    EXPECT_EQ(FileTimeFromUnix(lastSecond, 999'999'999), UINT64_MAX);
    EXPECT_EQ(FileTimeFromUnix(lastSecond + 1), UINT64_MAX);
    EXPECT_LT(FileTimeFromUnix(lastSecond), UINT64_MAX);
}

TEST(FileTimeUnix, RoundTripsWholeSeconds)
{
    for (std::int64_t s : {kUnixSecondsAt1601, kUnix1900January1, std::int64_t{-1}, std::int64_t{0},
                           std::int64_t{2'147'483'648}, kUnix2100March1})
        EXPECT_EQ(FileTimeToUnixSeconds(FileTimeFromUnix(s, 999'999'999)), s) << s;
}

TEST(FileTimeUtcFields, KnownDatesHaveRightFieldsAndDayOfWeek)
{
    SystemTime f;
    ASSERT_TRUE(FileTimeToUtcFields(0, f));
    ExpectFields(f, 1601, 1, 1, 1 /*Monday*/, 0, 0, 0, 0);

    ASSERT_TRUE(FileTimeToUtcFields(FileTimeFromUnix(-1, 250'000'000), f));
    ExpectFields(f, 1969, 12, 31, 3 /*Wednesday*/, 23, 59, 59, 250);

    ASSERT_TRUE(FileTimeToUtcFields(FileTimeFromUnix(kUnix2100March1 + 3723, 7'000'000), f));
    ExpectFields(f, 2100, 3, 1, 1 /*Monday*/, 1, 2, 3, 7);

    // The first second past signed 32-bit time.
    ASSERT_TRUE(FileTimeToUtcFields(FileTimeFromUnix(2'147'483'648), f));
    ExpectFields(f, 2038, 1, 19, 2 /*Tuesday*/, 3, 14, 8, 0);

    // 2100 is no leap year: the day before 1 March is 28 February.
    ASSERT_TRUE(FileTimeToUtcFields(FileTimeFromUnix(kUnix2100March1 - 1), f));
    ExpectFields(f, 2100, 2, 28, 0 /*Sunday*/, 23, 59, 59, 0);
}

TEST(FileTimeUtcFields, AgreesWithGmtimeAcrossTheWholeRange)
{
    std::mt19937_64 random(20261207);
    const std::uint64_t lastValid = FileTimeFromUnix(LastSystemTimeSecond(), 999'999'999);
    std::uniform_int_distribution<std::uint64_t> pick(0, lastValid);
    for (int i = 0; i < 20'000; ++i) {
        const FileTime time = pick(random);
        SystemTime f;
        ASSERT_TRUE(FileTimeToUtcFields(time, f));
        const std::time_t seconds = FileTimeToUnixSeconds(time);
        std::tm expected{};
        ASSERT_NE(gmtime_r(&seconds, &expected), nullptr);
        ASSERT_EQ(f.year, expected.tm_year + 1900) << time;
        ASSERT_EQ(f.month, expected.tm_mon + 1) << time;
        ASSERT_EQ(f.day, expected.tm_mday) << time;
        ASSERT_EQ(f.dayOfWeek, expected.tm_wday) << time;
        ASSERT_EQ(f.hour, expected.tm_hour) << time;
        ASSERT_EQ(f.minute, expected.tm_min) << time;
        ASSERT_EQ(f.second, expected.tm_sec) << time;
        // And back: the fields name the same second.
        std::tm back = expected;
        ASSERT_EQ(timegm(&back), seconds);
    }
}

TEST(FileTimeUtcFields, YearsPast30827AreRefusedAndLeaveFieldsAlone)
{
    const std::time_t lastSecond = LastSystemTimeSecond();
    std::tm last{};
    ASSERT_NE(gmtime_r(&lastSecond, &last), nullptr);
    SystemTime f;
    ASSERT_TRUE(FileTimeToUtcFields(FileTimeFromUnix(lastSecond, 999'000'000), f));
    ExpectFields(f, 30827, 12, 31, last.tm_wday, 23, 59, 59, 999);

    SystemTime untouched = SystemTimeOf(1234, 5, 6);
    EXPECT_FALSE(FileTimeToUtcFields(FileTimeFromUnix(lastSecond + 1), untouched));
    EXPECT_FALSE(FileTimeToUtcFields(UINT64_MAX, untouched));
    ExpectFields(untouched, 1234, 5, 6, 0, 0, 0, 0, 0);
}

TEST(TimeZoneTest, LocalFieldsInUtcEqualUtcFields)
{
    const ScopedTimeZone zone("UTC0");
    for (FileTime time : {FileTime{0}, FileTimeFromUnix(-1, 500'000'000), FileTimeFromUnix(kUnix2100March1)}) {
        SystemTime local, utc;
        ASSERT_TRUE(FileTimeToLocalFields(time, local));
        ASSERT_TRUE(FileTimeToUtcFields(time, utc));
        ExpectFields(local, utc.year, utc.month, utc.day, utc.dayOfWeek, utc.hour, utc.minute, utc.second,
                     utc.milliseconds);
    }
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(1969, 12, 31, 23, 59, 59)), -1);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(1900, 1, 1)), kUnix1900January1);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(2100, 3, 1)), kUnix2100March1);
    FileTime first = 1;
    ASSERT_TRUE(LocalFieldsToFileTime(SystemTimeOf(1601, 1, 1), first));
    EXPECT_EQ(first, 0u);
}

TEST(TimeZoneTest, LocalRoundTripKeepsTheFileTime)
{
    if (!HasZoneData(kBerlin))
        GTEST_SKIP() << "no Europe/Berlin zone data";
    const ScopedTimeZone berlin(kBerlin);
    std::mt19937_64 random(7);
    // Whole milliseconds from 1900 to 2200: the local split keeps only milliseconds.
    std::uniform_int_distribution<std::int64_t> pickMs(kUnix1900January1 * 1000, std::int64_t{7'258'118'400} * 1000);
    for (int i = 0; i < 5'000; ++i) {
        const std::int64_t ms = pickMs(random);
        const FileTime time = FileTimeFromUnix(0, ms * 1'000'000);
        SystemTime f;
        ASSERT_TRUE(FileTimeToLocalFields(time, f));
        FileTime back = 0;
        ASSERT_TRUE(LocalFieldsToFileTime(f, back));
        // The second hour of a fall-back night is met twice; the earlier instant wins.
        if (back != time)
            EXPECT_EQ(back, time - 3600 * kFileTimeTicksPerSecond) << ms;
        else
            EXPECT_EQ(LocalFieldsToSeconds(f), FileTimeToUnixSeconds(time)) << ms;
    }
}

TEST(TimeZoneTest, LocalSplitAfter2038KnowsSummerTime)
{
    if (!HasZoneData(kBerlin))
        GTEST_SKIP() << "no Europe/Berlin zone data";
    const ScopedTimeZone berlin(kBerlin);
    SystemTime f;
    // 2100-07-01 12:00 UTC is 14:00 summer time in Berlin.
    ASSERT_TRUE(FileTimeToLocalFields(FileTimeFromUnix(kUnix2100March1 + 122 * 86'400 + 12 * 3600), f));
    ExpectFields(f, 2100, 7, 1, 4 /*Thursday*/, 14, 0, 0, 0);
    EXPECT_EQ(LocalFieldsToSeconds(f), kUnix2100March1 + 122 * 86'400 + 12 * 3600);
}

TEST(TimeZoneTest, GapTimeResolvesAfterTheGapWhateverCameBefore)
{
    if (!HasZoneData(kBerlin))
        GTEST_SKIP() << "no Europe/Berlin zone data";
    const ScopedTimeZone berlin(kBerlin);
    const SystemTime gap = SystemTimeOf(2026, 3, 29, 2, 30); // never shown on Berlin clocks
    const std::int64_t expected = 1'774'747'800;        // 01:30 UTC = 03:30 summer time
    const SystemTime winter = SystemTimeOf(2026, 1, 15, 12, 0);
    const SystemTime summer = SystemTimeOf(2026, 7, 15, 12, 0);
    // mktime remembers the last offset it used; prime it both ways.
    LocalFieldsToSeconds(winter);
    EXPECT_EQ(LocalFieldsToSeconds(gap), expected);
    LocalFieldsToSeconds(summer);
    EXPECT_EQ(LocalFieldsToSeconds(gap), expected);
    EXPECT_EQ(LocalFieldsToSeconds(gap), expected);

    SystemTime shown;
    ASSERT_TRUE(FileTimeToLocalFields(FileTimeFromUnix(expected), shown));
    ExpectFields(shown, 2026, 3, 29, 0, 3, 30, 0, 0);
    // The minutes around the gap stay in order.
    EXPECT_LT(LocalFieldsToSeconds(SystemTimeOf(2026, 3, 29, 1, 59, 59)), expected);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(2026, 3, 29, 3, 30)), expected);
}

TEST(TimeZoneTest, OverlapTimeTakesTheEarlierInstantWhateverCameBefore)
{
    if (!HasZoneData(kBerlin))
        GTEST_SKIP() << "no Europe/Berlin zone data";
    const ScopedTimeZone berlin(kBerlin);
    const SystemTime twice = SystemTimeOf(2026, 10, 25, 2, 30);
    const std::int64_t firstPass = 1'792'888'200;  // 00:30 UTC, still summer time
    const std::int64_t secondPass = 1'792'891'800; // 01:30 UTC, winter time
    SystemTime shown;
    ASSERT_TRUE(FileTimeToLocalFields(FileTimeFromUnix(firstPass), shown));
    ExpectFields(shown, 2026, 10, 25, 0, 2, 30, 0, 0);
    ASSERT_TRUE(FileTimeToLocalFields(FileTimeFromUnix(secondPass), shown));
    ExpectFields(shown, 2026, 10, 25, 0, 2, 30, 0, 0);

    LocalFieldsToSeconds(SystemTimeOf(2026, 12, 1));
    EXPECT_EQ(LocalFieldsToSeconds(twice), firstPass);
    LocalFieldsToSeconds(SystemTimeOf(2026, 8, 1));
    EXPECT_EQ(LocalFieldsToSeconds(twice), firstPass);
    FileTime time = 0;
    ASSERT_TRUE(LocalFieldsToFileTime(twice, time));
    EXPECT_EQ(time, FileTimeFromUnix(firstPass));
}

TEST(TimeZoneTest, YearsBefore1900GiveZeroSeconds)
{
    const ScopedTimeZone zone("UTC0");
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(1899, 12, 31, 23, 59, 59)), 0);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(1601, 1, 1)), 0);
    // Cleared date parts, as the date test leaves them in a time-of-day bound.
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(0, 0, 0, 10, 30)), 0);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(1900, 1, 1)), kUnix1900January1);
}

TEST(TimeZoneTest, FieldsToFileTimeRefusesWhatAFileTimeCannotHold)
{
    const ScopedTimeZone zone("UTC0");
    FileTime time = 42;
    EXPECT_FALSE(LocalFieldsToFileTime(SystemTimeOf(1600, 12, 31, 23, 59, 59), time));
    EXPECT_FALSE(LocalFieldsToFileTime(SystemTimeOf(0, 0, 0), time));
    EXPECT_FALSE(LocalFieldsToFileTime(SystemTimeOf(65535, 12, 31), time));
    EXPECT_EQ(time, 42u);
    // East of Greenwich, midnight of 1 January 1601 comes before the FileTime epoch.
    const ScopedTimeZone east("UTC-1");
    EXPECT_FALSE(LocalFieldsToFileTime(SystemTimeOf(1601, 1, 1), time));
    ASSERT_TRUE(LocalFieldsToFileTime(SystemTimeOf(1601, 1, 1, 1, 0, 0, 5), time));
    EXPECT_EQ(time, 5 * 10'000u);
}

TEST(TimeZoneTest, OutOfRangeFieldsRollOverAsMktimeDoes)
{
    const ScopedTimeZone zone("UTC0");
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(2099, 14, 1)), LocalFieldsToSeconds(SystemTimeOf(2100, 2, 1)));
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(2100, 3, 0)), kUnix2100March1 - 86'400);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(2100, 2, 29)), kUnix2100March1);
    EXPECT_EQ(LocalFieldsToSeconds(SystemTimeOf(2100, 2, 28, 24)), kUnix2100March1);
}

TEST(CurrentLocalTime, MatchesTheClock)
{
    // The clock CurrentLocalTime reads: time() reads a coarser one, which can still give the
    // second before just after a second has begun.
    const auto clockSeconds = [] {
        std::timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return now.tv_sec;
    };
    const std::time_t before = clockSeconds();
    const SystemTime now = CurrentLocalTime();
    const std::time_t after = clockSeconds();
    EXPECT_GE(now.year, 2024);
    EXPECT_LT(now.milliseconds, 1000);
    const std::int64_t seconds = LocalFieldsToSeconds(now);
    // An overlap hour may read an hour early; anything else must be this very second.
    const bool inClockRange = seconds >= before && seconds <= after;
    const bool overlapEarly = seconds >= before - 3600 && seconds <= after - 3600;
    EXPECT_TRUE(inClockRange || overlapEarly) << seconds << " vs " << before;
    std::tm calendar{};
    calendar.tm_year = now.year - 1900;
    calendar.tm_mon = now.month - 1;
    calendar.tm_mday = now.day;
    timegm(&calendar);
    EXPECT_EQ(now.dayOfWeek, calendar.tm_wday);
}

} // namespace
} // namespace sifter
