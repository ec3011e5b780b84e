// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/locale_text.h"

#include "support/system_time.h"
#include "text/under_locale.h"

#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

using test::ExpectUnderLocale;
using test::SystemTimeOf;

bool StartsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(FormatShortDate, FollowsTheLocalesFieldOrder)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2026, 7, 12, 14, 5)), "7/12/26");
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2100, 3, 1, 0, 0)), "3/1/00");
    });
    ExpectUnderLocale("de_DE.UTF-8", [] {
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2026, 7, 12, 14, 5)), "12.07.26");
        EXPECT_EQ(FormatShortDate(SystemTimeOf(1969, 12, 31, 23, 59)), "31.12.69");
    });
}

TEST(FormatShortDate, CLocaleGivesDayMonthNameAndFullYear)
{
    ExpectUnderLocale("C", [] { EXPECT_EQ(FormatShortDate(SystemTimeOf(1601, 1, 1, 0, 0)), "1 Jan 1601"); });
}

TEST(FormatShortDate, UsesTheLocalesDigits)
{
    ExpectUnderLocale("fa_IR.UTF-8", [] {
        const std::string text = FormatShortDate(SystemTimeOf(2026, 7, 12, 0, 0));
        // ۲۰۲۶ (2026) must be there and no ASCII digit.
        EXPECT_NE(text.find("\xDB\xB2\xDB\xB0\xDB\xB2\xDB\xB6"), std::string::npos) << text;
        EXPECT_EQ(text.find_first_of("0123456789"), std::string::npos) << text;
    });
}

TEST(FormatShortDate, InvalidDatesGiveEmptyText)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2026, 13, 1, 0, 0)), "");
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2026, 2, 30, 0, 0)), "");
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2026, 0, 1, 0, 0)), "");
        EXPECT_EQ(FormatShortDate(SystemTimeOf(0, 0, 0, 10, 30)), "");
        EXPECT_EQ(FormatShortDate(SystemTimeOf(2024, 2, 29, 25, 0)), "2/29/24"); // the time part is not read
    });
}

TEST(FormatHoursMinutes, TwelveHourClockWithMarker)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        // Newer locale data puts a narrow no-break space before PM; either blank is right.
        const std::string afternoon = FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 14, 5, 59));
        EXPECT_TRUE(StartsWith(afternoon, "2:05") && EndsWith(afternoon, "PM")) << afternoon;
        EXPECT_EQ(afternoon.find("59"), std::string::npos) << afternoon;
        const std::string night = FormatHoursMinutes(SystemTimeOf(0, 0, 0, 0, 30));
        EXPECT_TRUE(StartsWith(night, "12:30") && EndsWith(night, "AM")) << night;
    });
}

TEST(FormatHoursMinutes, TwentyFourHourClock)
{
    ExpectUnderLocale("de_DE.UTF-8", [] {
        EXPECT_EQ(FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 14, 5, 30)), "14:05");
        EXPECT_EQ(FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 9, 7)), "09:07");
    });
}

TEST(FormatHoursMinutes, SecondsAreLeftOutWhereTheLocaleHasThem)
{
    // The C locale's short time format is HH:mm:ss.
    ExpectUnderLocale("C", [] {
        EXPECT_EQ(FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 14, 5, 59)), "14:05");
        EXPECT_EQ(FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 23, 59, 59)), "23:59");
    });
}

TEST(FormatHoursMinutes, InvalidTimesGiveEmptyText)
{
    ExpectUnderLocale("de_DE.UTF-8", [] {
        EXPECT_EQ(FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 24, 0)), "");
        EXPECT_EQ(FormatHoursMinutes(SystemTimeOf(2026, 7, 12, 12, 60)), "");
    });
}

} // namespace
} // namespace sifter
