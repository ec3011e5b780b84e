// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/file_texts.h"

#include "fs/file_attributes.h"
#include "support/scoped_time_zone.h"
#include "text/locale_text.h"
#include "text/size_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace sifter {
namespace {

TEST(FormatAttributesTest, LettersInFixedOrderOtherBitsIgnored)
{
    EXPECT_EQ(FormatAttributes(0), "");
    EXPECT_EQ(FormatAttributes(kAttributeReadOnly | kAttributeArchive), "RA");
    EXPECT_EQ(FormatAttributes(kAttributeArchive | kAttributeSystem | kAttributeHidden | kAttributeReadOnly), "RHSA");
    EXPECT_EQ(FormatAttributes(kAttributeFolder | kAttributeNormal | kAttributeReparsePoint), "");
    EXPECT_EQ(FormatAttributes(0xFFFFFFFF), "RHSA");
}

TEST(FormatFileSizeTest, KilobyteStyleForTheColumnShortFormOtherwise)
{
    EXPECT_EQ(FormatFileSize(532, false), "532 bytes");
    EXPECT_EQ(FormatFileSize(532, true), "1 KB");
    EXPECT_EQ(FormatFileSize(0, true), "0 KB");
    EXPECT_EQ(FormatFileSize(1'263'616, true), FormatKBSize(1'263'616));
    EXPECT_EQ(FormatFileSize(1'263'616, false), FormatByteSize(1'263'616));
}

class FormatFileTimeTest : public ::testing::Test {
protected:
    test::ScopedTimeZone zone_{"XST-2"}; // two hours east of UTC
};

TEST_F(FormatFileTimeTest, ShowsTheLocalDateAndHoursMinutes)
{
    // 2026-03-09 22:30:45 UTC is 2026-03-10 00:30:45 local.
    const FileTime time = FileTimeFromUnix(1'773'095'445);
    SystemTime local{};
    local.year = 2026;
    local.month = 3;
    local.dayOfWeek = 2;
    local.day = 10;
    local.hour = 0;
    local.minute = 30;
    local.second = 45;
    EXPECT_EQ(FormatFileTime(time, true), FormatShortDate(local) + " " + FormatHoursMinutes(local));
    EXPECT_EQ(FormatFileTime(time, false), FormatShortDate(local));
    EXPECT_NE(FormatFileTime(time, true).find("30"), std::string::npos);
}

TEST_F(FormatFileTimeTest, TimeBeyondTheCalendarGivesAnEmptyText)
{
    EXPECT_EQ(FormatFileTime(~FileTime{0}, true), "");
}

} // namespace
} // namespace sifter
