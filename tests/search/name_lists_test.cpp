// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting the criteria texts into lists, and the name tests.
#include "search/name_match.h"
#include "search/split_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sifter {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SplitListTest, DropsEmptyPiecesAndAsciiCaseDuplicatesKeepingBlanks)
{
    std::vector<std::string> list{"stale"};
    EXPECT_TRUE(SplitList(";a;;b; c;A;", ';', list));
    EXPECT_THAT(list, ElementsAre("a", "b", " c"));
}

TEST(SplitListTest, WordsAAAndCapitalAGiveOneWord)
{
    std::vector<std::string> list;
    EXPECT_TRUE(SplitList("a a A", ' ', list));
    EXPECT_THAT(list, ElementsAre("a"));
}

TEST(SplitListTest, NonAsciiLettersAreNotFoldedForDuplicates)
{
    std::vector<std::string> list;
    SplitList("\xC3\xA4 \xC3\x84", ' ', list);
    EXPECT_EQ(list.size(), 2u);
}

TEST(SplitListTest, ExactRuleKeepsFoldersDifferingInCase)
{
    std::vector<std::string> list;
    SplitList("/tmp/Dir;/tmp/dir;/tmp/dir", ';', list, DuplicateRule::Exact);
    EXPECT_THAT(list, ElementsAre("/tmp/Dir", "/tmp/dir"));
}

TEST(SplitListTest, EmptyTextIsFalseAndEmptiesTheList)
{
    std::vector<std::string> list{"stale"};
    EXPECT_FALSE(SplitList("", ';', list));
    EXPECT_THAT(list, IsEmpty());
    EXPECT_TRUE(SplitList(";;", ';', list));
    EXPECT_THAT(list, IsEmpty());
}

TEST(NameMatchTest, WildcardsAreStarAndQuestionMarkOnly)
{
    EXPECT_TRUE(HasWildcards("*.txt"));
    EXPECT_TRUE(HasWildcards("a?c"));
    EXPECT_FALSE(HasWildcards("[ab].txt"));
}

TEST(NameMatchTest, PatternWithWildcardsAlwaysHolds)
{
    EXPECT_TRUE(NameContains("anything", "*.zip", true));
    EXPECT_TRUE(NameContains("anything", "*.zip", false));
}

TEST(NameMatchTest, PlainPatternIsASubstringTest)
{
    EXPECT_TRUE(NameContains("Program Files", "program", false));
    EXPECT_FALSE(NameContains("Program Files", "program", true));
    EXPECT_TRUE(NameContains("Program Files", "m F", true));
    EXPECT_FALSE(NameContains("Program Files", "~1", false));
}

TEST(NameMatchTest, UpperCasingWorksOnWholeCharacters)
{
    EXPECT_TRUE(NameContains("STRASSE-\xC3\x9C" "BER", "\xC3\xBC" "ber", false)); // ÜBER / über
    EXPECT_TRUE(NameContains("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", false));   // été / ÉTÉ
    EXPECT_FALSE(NameContains("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", true));
}

} // namespace
} // namespace sifter
