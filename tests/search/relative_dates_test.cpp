// SPDX-License-Identifier: GPL-3.0-or-later
// Relative date bounds: each unit counted back in local time, across a change of the clocks
// and over month ends, and a run that counts from its own start.
#include "search/relative_dates.h"
#include "search/run_helpers.h"
#include "support/scoped_time_zone.h"
#include "support/temp_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>

namespace sifter {
namespace {

using test::ScopedTimeZone;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Berlin sets its clocks forward at 02:00 on 29 March 2026 and back at 03:00 on 25 October.
constexpr const char *kBerlin = "Europe/Berlin";

std::int64_t Utc(int y, int m, int d, int h, int mi)
{
    std::tm fields{};
    fields.tm_year = y - 1900;
    fields.tm_mon = m - 1;
    fields.tm_mday = d;
    fields.tm_hour = h;
    fields.tm_min = mi;
    return static_cast<std::int64_t>(timegm(&fields));
}

struct Wall {
    int y, m, d, h, mi;
    bool operator==(const Wall &) const = default;
};

Wall WallOf(const SystemTime &t)
{
    return {t.year, t.month, t.day, t.hour, t.minute};
}

void PrintTo(const Wall &w, std::ostream *os)
{
    *os << w.y << "-" << w.m << "-" << w.d << " " << w.h << ":" << w.mi;
}

Wall Back(std::int32_t unit, std::uint32_t count, std::int64_t now)
{
    return WallOf(RelativeDateMoment({unit, count}, now));
}

TEST(RelativeDateMoment, MinutesAndHoursAreElapsedTimeAcrossTheClockChange)
{
    const ScopedTimeZone zone(kBerlin);
    const std::int64_t now = Utc(2026, 3, 29, 1, 10); // 03:10 summer time, 20 minutes after the change
    EXPECT_EQ(Back(kRelativeMinutes, 30, now), (Wall{2026, 3, 29, 1, 40}));
    EXPECT_EQ(Back(kRelativeHours, 2, now), (Wall{2026, 3, 29, 0, 10}));
}

TEST(RelativeDateMoment, DaysAndWeeksKeepTheWallTimeAcrossTheClockChange)
{
    const ScopedTimeZone zone(kBerlin);
    const std::int64_t now = Utc(2026, 3, 30, 10, 0); // 12:00 summer time
    EXPECT_EQ(Back(kRelativeDays, 1, now), (Wall{2026, 3, 29, 12, 0}));
    EXPECT_EQ(Back(kRelativeWeeks, 1, now), (Wall{2026, 3, 23, 12, 0}));
    const std::int64_t autumn = Utc(2026, 10, 25, 23, 30); // 00:30 on 26 October, winter time
    EXPECT_EQ(Back(kRelativeDays, 1, autumn), (Wall{2026, 10, 25, 0, 30}));
    // 24 hours back is not a day back when the day had 25 hours.
    EXPECT_EQ(Back(kRelativeHours, 24, autumn), (Wall{2026, 10, 25, 1, 30}));
}

TEST(RelativeDateMoment, MonthsLandOnTheLastDayOfAShorterMonth)
{
    const ScopedTimeZone zone("UTC");
    EXPECT_EQ(Back(kRelativeMonths, 1, Utc(2026, 3, 31, 9, 0)), (Wall{2026, 2, 28, 9, 0}));
    EXPECT_EQ(Back(kRelativeMonths, 1, Utc(2024, 3, 31, 9, 0)), (Wall{2024, 2, 29, 9, 0}));
    EXPECT_EQ(Back(kRelativeMonths, 13, Utc(2026, 3, 31, 9, 0)), (Wall{2025, 2, 28, 9, 0}));
    EXPECT_EQ(Back(kRelativeMonths, 2, Utc(2026, 1, 15, 9, 0)), (Wall{2025, 11, 15, 9, 0}));
    EXPECT_EQ(Back(kRelativeDays, 1, Utc(2026, 3, 1, 9, 0)), (Wall{2026, 2, 28, 9, 0}));
}

TEST(RelativeDateMoment, TodayAndYesterdayAreMidnightsAlsoOverAMonthEndAndTheClockChange)
{
    const ScopedTimeZone zone(kBerlin);
    const std::int64_t now = Utc(2026, 3, 29, 22, 30); // 00:30 on 30 March
    EXPECT_EQ(Back(kRelativeToday, 0, now), (Wall{2026, 3, 30, 0, 0}));
    EXPECT_EQ(Back(kRelativeYesterday, 0, now), (Wall{2026, 3, 29, 0, 0}));
    EXPECT_EQ(Back(kRelativeYesterday, 0, Utc(2026, 3, 1, 8, 0)), (Wall{2026, 2, 28, 0, 0}));
}

TEST(RelativeDateMoment, HugeCountsStopAtTheEarliestMoment)
{
    const ScopedTimeZone zone("UTC");
    const std::int64_t now = Utc(2026, 12, 9, 10, 0);
    for (const std::int32_t unit : {kRelativeMinutes, kRelativeHours, kRelativeDays, kRelativeWeeks, kRelativeMonths})
        EXPECT_EQ(Back(unit, UINT32_MAX, now), (Wall{1601, 1, 1, 0, 0})) << unit;
}

TEST(RelativeDates, RunCountsFromItsOwnStart)
{
    const ScopedTimeZone zone(kBerlin);
    test::TempTree tree;
    tree.WriteFile("old.txt", "");
    tree.WriteFile("new.txt", "");
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    tree.SetTimes("old.txt", now - 3 * 3600);
    tree.SetTimes("new.txt", now - 60);
    FileSearch search;
    test::RecordingSinks sinks;
    test::SetTexts(search, "*.txt", "", tree.Root());
    search.criteria.dateKind = kDateKindModified;
    search.criteria.datePart = kDatePartDateTime;
    search.criteria.dateCompare1 = kCompareAtLeast;
    search.extras.date1 = {kRelativeHours, 1};
    test::Run(search, sinks);
    EXPECT_THAT(test::FoundPaths(search, tree.Root()), ElementsAre("new.txt"));
    // The record holds the bounds of the last run; the next run computes its own.
    search.criteria.date1 = search.criteria.time1 = SystemTime{2000, 1, 6, 1, 0, 0, 0, 0};
    search.extras.date1 = {kRelativeHours, 4};
    test::Run(search, sinks);
    EXPECT_THAT(test::FoundPaths(search, tree.Root()), ElementsAre("new.txt", "old.txt"));
    search.criteria.dateCompare1 = kCompareAtMost;
    search.extras.date1 = {kRelativeYesterday, 0};
    test::Run(search, sinks);
    EXPECT_THAT(test::FoundPaths(search, tree.Root()), IsEmpty());
}

} // namespace
} // namespace sifter
