// SPDX-License-Identifier: GPL-3.0-or-later
// The one-pass search of several byte strings: each string that occurs is told once with
// the end of one of its occurrences, no other is told, and the sink can end the scan.
#include "search/byte_set_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {
namespace {

class Recorder final : public BytePatternSink {
public:
    explicit Recorder(std::size_t patterns, std::size_t stopAfter = 0) : ends(patterns, 0), stopAfter_(stopAfter) {}
    bool Occurs(std::size_t pattern, std::size_t end) override
    {
        EXPECT_EQ(ends.at(pattern), 0u) << "told twice: " << pattern;
        ends.at(pattern) = end;
        return ++reports != stopAfter_;
    }
    std::vector<std::size_t> ends;
    std::size_t reports = 0;

private:
    std::size_t stopAfter_;
};

std::string RandomText(std::mt19937 &random, std::size_t size, std::string_view alphabet)
{
    std::string text(size, ' ');
    for (char &c : text)
        c = alphabet[random() % alphabet.size()];
    return text;
}

TEST(BytePatternSetTest, TellsEachStringThatOccursOnceWithTheEndOfAnOccurrence)
{
    std::mt19937 random(5);
    const std::string alphabet("ab\0\xFF", 4);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> patterns;
        const std::size_t count = 2 + random() % 40;
        while (patterns.size() < count) {
            std::string pattern = RandomText(random, 1 + random() % 5, alphabet);
            if (!patterns.empty() && random() % 3 == 0)
                pattern = patterns[random() % patterns.size()] + pattern; // one extends another
            patterns.push_back(pattern); // the same string twice is told for each index
        }
        const std::string buffer = RandomText(random, random() % 2000, alphabet);
        const std::shared_ptr<const BytePatternSet> set = BytePatternSet::Make(patterns);
        ASSERT_TRUE(set);
        EXPECT_EQ(set->Size(), patterns.size());
        BytePatternScanner scanner(set);
        ASSERT_TRUE(scanner.Ready());
        Recorder recorder(patterns.size());
        ASSERT_TRUE(scanner.Scan(buffer.data(), buffer.size(), recorder));
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            const std::string &pattern = patterns[i];
            const std::size_t end = recorder.ends[i];
            if (buffer.find(pattern) == std::string::npos) {
                EXPECT_EQ(end, 0u) << "round " << round << " pattern " << i;
                continue;
            }
            ASSERT_GE(end, pattern.size()) << "round " << round << " pattern " << i;
            EXPECT_EQ(buffer.compare(end - pattern.size(), pattern.size(), pattern), 0)
                << "round " << round << " pattern " << i;
        }
    }
}

TEST(BytePatternSetTest, SinkEndsTheScan)
{
    const std::vector<std::string> patterns{"x", "y", "z"};
    BytePatternScanner scanner(BytePatternSet::Make(patterns));
    ASSERT_TRUE(scanner.Ready());
    Recorder stopAtFirst(patterns.size(), 1);
    EXPECT_TRUE(scanner.Scan("zyx", 3, stopAtFirst));
    EXPECT_EQ(stopAtFirst.reports, 1u);
    Recorder all(patterns.size());
    EXPECT_TRUE(scanner.Scan("zyx", 3, all));
    EXPECT_EQ(all.reports, 3u);
}

TEST(BytePatternSetTest, OnlyNonEmptyStringsMakeASet)
{
    EXPECT_FALSE(BytePatternSet::Make({}));
    EXPECT_FALSE(BytePatternSet::Make({"a", ""}));
    BytePatternScanner none(nullptr);
    EXPECT_FALSE(none.Ready());
    Recorder recorder(0);
    EXPECT_FALSE(none.Scan("a", 1, recorder));
}

TEST(BytePatternSetTest, BufferOfOverlappingOccurrencesTellsEachStringOnce)
{
    std::vector<std::string> patterns;
    for (std::size_t length = 1; length <= 30; ++length)
        patterns.emplace_back(length, 'a');
    BytePatternScanner scanner(BytePatternSet::Make(patterns));
    const std::string buffer(65535, 'a');
    Recorder recorder(patterns.size());
    ASSERT_TRUE(scanner.Scan(buffer.data(), buffer.size(), recorder));
    EXPECT_EQ(recorder.reports, patterns.size());
}

} // namespace
} // namespace sifter
