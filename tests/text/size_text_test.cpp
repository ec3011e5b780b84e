// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/size_text.h"

#include "text/under_locale.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace sifter {
namespace {

using test::ExpectUnderLocale;

constexpr std::uint64_t kLargest = UINT64_MAX;

TEST(FormatKBSize, RoundsUpToWholeKilobytesWithGrouping)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        EXPECT_EQ(FormatKBSize(0), "0 KB");
        EXPECT_EQ(FormatKBSize(1), "1 KB");
        EXPECT_EQ(FormatKBSize(1023), "1 KB");
        EXPECT_EQ(FormatKBSize(1024), "1 KB");
        EXPECT_EQ(FormatKBSize(1025), "2 KB");
        EXPECT_EQ(FormatKBSize(1'263'616), "1,234 KB");
        EXPECT_EQ(FormatKBSize(1'263'617), "1,235 KB");
        // No overflow at the very top: 2^64 - 1 bytes is 2^54 KB after rounding up.
        EXPECT_EQ(FormatKBSize(kLargest), "18,014,398,509,481,984 KB");
    });
}

TEST(FormatKBSize, UsesTheLocalesGroupSeparator)
{
    ExpectUnderLocale("de_DE.UTF-8", [] {
        EXPECT_EQ(FormatKBSize(1'263'616), "1.234 KB");
        EXPECT_EQ(FormatKBSize(1023), "1 KB");
    });
}

TEST(FormatKBSize, GroupsEvenInTheCLocale)
{
    ExpectUnderLocale("C", [] { EXPECT_EQ(FormatKBSize(1'263'616), "1,234 KB"); });
}

TEST(FormatByteSize, SmallSizesAreBytes)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        EXPECT_EQ(FormatByteSize(0), "0 bytes");
        EXPECT_EQ(FormatByteSize(1), "1 byte");
        EXPECT_EQ(FormatByteSize(532), "532 bytes");
        EXPECT_EQ(FormatByteSize(1023), "1023 bytes");
    });
}

TEST(FormatByteSize, ThreeSignificantDigitsTruncated)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        EXPECT_EQ(FormatByteSize(1024), "1.00 KB");
        EXPECT_EQ(FormatByteSize(1025), "1.00 KB");
        EXPECT_EQ(FormatByteSize(1340), "1.30 KB");  // 1.308...
        EXPECT_EQ(FormatByteSize(1485), "1.45 KB");  // 1.450...
        EXPECT_EQ(FormatByteSize(1500), "1.46 KB");  // 1.464...
        EXPECT_EQ(FormatByteSize(1535), "1.49 KB");  // 1.499..., never rounded up to 1.50
        EXPECT_EQ(FormatByteSize(10 * 1024), "10.0 KB");
        EXPECT_EQ(FormatByteSize(23'506), "22.9 KB"); // 22.95...
        EXPECT_EQ(FormatByteSize(12'595), "12.2 KB"); // 12.29...
        EXPECT_EQ(FormatByteSize(100 * 1024), "100 KB");
        EXPECT_EQ(FormatByteSize(126'463), "123 KB"); // 123.49...
        EXPECT_EQ(FormatByteSize(1'048'575), "1023 KB");
        EXPECT_EQ(FormatByteSize(1'048'576), "1.00 MB");
        EXPECT_EQ(FormatByteSize(1'263'616), "1.20 MB");
        EXPECT_EQ(FormatByteSize(2'400'016), "2.28 MB");
        EXPECT_EQ(FormatByteSize(2'400'000'000), "2.23 GB");
    });
}

TEST(FormatByteSize, LargeUnitsUpToExabytes)
{
    ExpectUnderLocale("en_US.UTF-8", [] {
        EXPECT_EQ(FormatByteSize(std::uint64_t{1} << 30), "1.00 GB");
        EXPECT_EQ(FormatByteSize(std::uint64_t{1} << 40), "1.00 TB");
        EXPECT_EQ(FormatByteSize(std::uint64_t{1} << 50), "1.00 PB");
        EXPECT_EQ(FormatByteSize(std::uint64_t{1} << 60), "1.00 EB");
        EXPECT_EQ(FormatByteSize((std::uint64_t{1} << 60) - 1), "1023 PB");
        // 15.99999... EB: truncation keeps it below 16.
        EXPECT_EQ(FormatByteSize(kLargest), "15.9 EB");
    });
}

TEST(FormatByteSize, UsesTheLocalesDecimalPoint)
{
    ExpectUnderLocale("de_DE.UTF-8", [] {
        EXPECT_EQ(FormatByteSize(1485), "1,45 KB");
        EXPECT_EQ(FormatByteSize(23'506), "22,9 KB");
        EXPECT_EQ(FormatByteSize(1'048'575), "1023 KB");
        EXPECT_EQ(FormatByteSize(532), "532 bytes");
    });
}

TEST(FormatByteSize, UsesTheLocalesDigits)
{
    // Persian: digits ۰-۹ and the Arabic decimal separator U+066B.
    ExpectUnderLocale("fa_IR.UTF-8", [] {
        EXPECT_EQ(FormatByteSize(1485), "\xDB\xB1\xD9\xAB\xDB\xB4\xDB\xB5 KB"); // ۱٫۴۵
    });
}

} // namespace
} // namespace sifter
