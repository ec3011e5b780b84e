// SPDX-License-Identifier: GPL-3.0-or-later
// Finding bytes gives the first occurrence a plain byte-by-byte scan gives, wherever it
// lies against the blocks the scan reads, and however common the needle's bytes are.
#include "search/byte_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace sifter {
namespace {

std::int64_t ScanEveryPosition(std::string_view haystack, std::string_view needle)
{
    if (needle.size() > haystack.size())
        return -1;
    for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
        if (haystack.compare(i, needle.size(), needle) == 0)
            return static_cast<std::int64_t>(i);
    }
    return -1;
}

std::int64_t Find(std::string_view haystack, std::string_view needle)
{
    return FindBytes(haystack.data(), haystack.size(), needle);
}

TEST(ByteSearchTest, EmptyAndOversizedNeedles)
{
    EXPECT_EQ(Find("abc", ""), 0);
    EXPECT_EQ(Find("", ""), 0);
    EXPECT_EQ(Find("abc", "abcd"), -1);
    EXPECT_EQ(Find("", "a"), -1);
}

TEST(ByteSearchTest, EveryPlaceAndLengthAgreesWithAPlainScan)
{
    for (std::size_t length = 1; length <= 80; ++length) {
        for (std::size_t n = 1; n <= std::min<std::size_t>(length, 20); ++n) {
            for (std::size_t at = 0; at + n <= length; ++at) {
                std::string haystack(length, '.');
                std::string needle(n, 'x');
                needle.front() = 'F';
                needle.back() = n > 1 ? 'L' : 'F';
                haystack.replace(at, n, needle);
                ASSERT_EQ(Find(haystack, needle), static_cast<std::int64_t>(at)) << length << " " << n << " " << at;
            }
        }
    }
}

TEST(ByteSearchTest, RandomDataOfFewSymbolsAgreesWithAPlainScan)
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const int symbols = 2 + round % 3;
        std::string haystack(static_cast<std::size_t>(random() % 300), '\0');
        for (char &c : haystack)
            c = static_cast<char>('a' + static_cast<int>(random() % static_cast<unsigned>(symbols)));
        std::string needle(1 + random() % 12, '\0');
        for (char &c : needle)
            c = static_cast<char>('a' + static_cast<int>(random() % static_cast<unsigned>(symbols)));
        ASSERT_EQ(Find(haystack, needle), ScanEveryPosition(haystack, needle)) << haystack << " / " << needle;
    }
}

TEST(ByteSearchTest, CommonFirstAndLastBytesStillFindTheFirstMatch)
{
    // Every position is a candidate (a...a over a run of a's) until the one match at the end.
    std::string needle(40, 'a');
    needle[20] = 'b';
    std::string haystack(100000, 'a');
    haystack.replace(99000, needle.size(), needle);
    EXPECT_EQ(Find(haystack, needle), 99000);
    EXPECT_EQ(Find(haystack.substr(0, 99000), needle), -1);
    // Bytes of every value, high ones included.
    std::string bytes;
    for (int i = 0; i < 256 * 4; ++i)
        bytes.push_back(static_cast<char>(255 - i % 256));
    EXPECT_EQ(Find(bytes, std::string("\x01\x00\xff\xfe", 4)), ScanEveryPosition(bytes, std::string("\x01\x00\xff\xfe", 4)));
}

} // namespace
} // namespace sifter
