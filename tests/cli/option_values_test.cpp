// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/option_values.h"
#include "search/search_criteria.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(ParseUnsigned32, TakesTheWholeRangeAndNothingElse)
{
    EXPECT_EQ(ParseUnsigned32("0"), 0u);
    EXPECT_EQ(ParseUnsigned32("007"), 7u);
    EXPECT_EQ(ParseUnsigned32("4294967295"), 4294967295u);
    EXPECT_FALSE(ParseUnsigned32("4294967296"));
    EXPECT_FALSE(ParseUnsigned32("99999999999999999999999"));
    EXPECT_FALSE(ParseUnsigned32(""));
    EXPECT_FALSE(ParseUnsigned32("-1"));
    EXPECT_FALSE(ParseUnsigned32("+1"));
    EXPECT_FALSE(ParseUnsigned32(" 1"));
    EXPECT_FALSE(ParseUnsigned32("1 "));
    EXPECT_FALSE(ParseUnsigned32("5x"));
    EXPECT_FALSE(ParseUnsigned32("0x10"));
}

TEST(ParseSizeBound, ReadsTheThreeComparisons)
{
    const auto equal = ParseSizeBound("=5");
    ASSERT_TRUE(equal);
    EXPECT_EQ(equal->compare, kCompareEqual);
    EXPECT_EQ(equal->value, 5u);
    const auto atLeast = ParseSizeBound(">=4294967295");
    ASSERT_TRUE(atLeast);
    EXPECT_EQ(atLeast->compare, kCompareAtLeast);
    EXPECT_EQ(atLeast->value, 4294967295u);
    const auto atMost = ParseSizeBound("<=0");
    ASSERT_TRUE(atMost);
    EXPECT_EQ(atMost->compare, kCompareAtMost);
    EXPECT_EQ(atMost->value, 0u);
}

TEST(ParseSizeBound, RefusesOtherComparisonsAndBadNumbers)
{
    for (const char *text : {"5", ">5", "<5", "==5", "=>5", "=<5", "=", ">=", "=-5", "=5x", "= 5", ">=4294967296", ""})
        EXPECT_FALSE(ParseSizeBound(text)) << text;
}

TEST(ParseDateValue, ReadsDateTimeAndBoth)
{
    const auto date = ParseDateValue("2026-03-07");
    ASSERT_TRUE(date);
    EXPECT_TRUE(date->hasDate);
    EXPECT_FALSE(date->hasTime);
    EXPECT_EQ(date->year, 2026);
    EXPECT_EQ(date->month, 3);
    EXPECT_EQ(date->day, 7);

    const auto time = ParseDateValue("9:05");
    ASSERT_TRUE(time);
    EXPECT_FALSE(time->hasDate);
    EXPECT_TRUE(time->hasTime);
    EXPECT_EQ(time->hour, 9);
    EXPECT_EQ(time->minute, 5);
    EXPECT_EQ(time->second, 0);

    const auto both = ParseDateValue("2024-02-29T23:59:58");
    ASSERT_TRUE(both);
    EXPECT_TRUE(both->hasDate);
    EXPECT_TRUE(both->hasTime);
    EXPECT_EQ(both->day, 29);
    EXPECT_EQ(both->hour, 23);
    EXPECT_EQ(both->second, 58);

    const auto blank = ParseDateValue("2026-1-2 07:08");
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->month, 1);
    EXPECT_EQ(blank->day, 2);
    EXPECT_EQ(blank->hour, 7);
    EXPECT_EQ(blank->minute, 8);
}

TEST(ParseDateValue, RefusesDaysThatDoNotExist)
{
    EXPECT_FALSE(ParseDateValue("2026-02-30"));
    EXPECT_FALSE(ParseDateValue("2025-02-29"));
    EXPECT_TRUE(ParseDateValue("2000-02-29"));
    EXPECT_FALSE(ParseDateValue("1900-02-29"));
    EXPECT_FALSE(ParseDateValue("2026-04-31"));
    EXPECT_FALSE(ParseDateValue("2026-13-01"));
    EXPECT_FALSE(ParseDateValue("2026-00-10"));
    EXPECT_FALSE(ParseDateValue("2026-01-00"));
}

TEST(ParseDateValue, RefusesTimesPastTheDay)
{
    EXPECT_TRUE(ParseDateValue("23:59:59"));
    EXPECT_FALSE(ParseDateValue("24:00"));
    EXPECT_FALSE(ParseDateValue("12:60"));
    EXPECT_FALSE(ParseDateValue("12:30:60"));
}

TEST(ParseDateValue, RefusesYearsBefore1900AndOtherForms)
{
    EXPECT_FALSE(ParseDateValue("1899-12-31"));
    EXPECT_TRUE(ParseDateValue("1900-01-01"));
    for (const char *text : {"", "2026", "2026-03", "26-03-07", "20260-03-07", "2026-003-07", "2026/03/07",
                             "2026-03-07T", "2026-03-07T10", "2026-03-07X10:00", "2026-03-07T10:00Z",
                             "10", "10:", "10:5", "10:05:", "10:05:5", "100:05", "-5", "2026-03-07 ", " 10:00"})
        EXPECT_FALSE(ParseDateValue(text)) << text;
}

TEST(ParseDateBound, NeedsAComparisonBeforeTheValue)
{
    const auto bound = ParseDateBound(">=2026-03-07T10:00");
    ASSERT_TRUE(bound);
    EXPECT_EQ(bound->compare, kCompareAtLeast);
    EXPECT_EQ(bound->value.hour, 10);
    EXPECT_FALSE(ParseDateBound("2026-03-07"));
    EXPECT_FALSE(ParseDateBound(">2026-03-07"));
    EXPECT_FALSE(ParseDateBound("<=2026-02-30"));
}

TEST(DayOfWeek, CountsFromSunday)
{
    EXPECT_EQ(DayOfWeek(1970, 1, 1), 4); // Thursday
    EXPECT_EQ(DayOfWeek(2000, 2, 29), 2); // Tuesday
    EXPECT_EQ(DayOfWeek(2026, 3, 8), 0);  // Sunday
}

} // namespace
} // namespace sifter
