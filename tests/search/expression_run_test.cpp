// SPDX-License-Identifier: GPL-3.0-or-later
// Regular expressions of names and words in real runs, on the calling thread and on
// workers: anchors and case, any and without, a match across a chunk border, invalid
// expressions refused with their position, and hostile ones in bounded time and memory.
#include "search/content_matcher.h"
#include "search/criteria_expressions.h"
#include "search/file_search.h"
#include "search/run_helpers.h"
#include "support/temp_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

namespace sifter {
namespace {

using test::FoundPaths;
using test::RecordingSinks;
using test::SetTexts;
using test::TempTree;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ExpressionRun : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override
    {
        test::SetThreadsListingAsCold(search, GetParam());
    }
    std::vector<std::string> RunNames(std::string_view names, bool caseSensitive = false)
    {
        SetTexts(search, names, "", tree.Root());
        search.criteria.caseSensitive = caseSensitive ? 1 : 0;
        search.extras.regexNames = true;
        test::Run(search, sinks);
        return FoundPaths(search, tree.Root());
    }
    std::vector<std::string> RunWords(std::string_view words, std::int32_t mode = kWordModeAny)
    {
        SetTexts(search, "*.txt", words, tree.Root());
        search.criteria.wordMode = mode;
        search.extras.regexWords = true;
        test::Run(search, sinks);
        return FoundPaths(search, tree.Root());
    }

    TempTree tree;
    FileSearch search;
    RecordingSinks sinks;
};

INSTANTIATE_TEST_SUITE_P(Threads, ExpressionRun, ::testing::Values(std::size_t{1}, std::size_t{4}),
                         [](const ::testing::TestParamInfo<std::size_t> &count) {
                             return std::to_string(count.param) + "Threads";
                         });

TEST_P(ExpressionRun, NameExpressionMatchesAPartUnlessAnchoredAndFoldsCaseUnlessAsked)
{
    tree.WriteFile("Report.MD", "");
    tree.WriteFile("myreport.md", "");
    tree.WriteFile("report.txt", "");
    EXPECT_THAT(RunNames("^rep.*\\.md$"), ElementsAre("Report.MD"));
    EXPECT_THAT(RunNames("port\\.(md|txt)"), ElementsAre("myreport.md", "Report.MD", "report.txt"));
    EXPECT_THAT(RunNames("report\\.md$", true), ElementsAre("myreport.md"));
    // ";" is part of the expression, not a separator of patterns.
    EXPECT_THAT(RunNames("x;y"), IsEmpty());
}

TEST_P(ExpressionRun, WordExpressionIsOneExpressionFoundAnyOrWithout)
{
    tree.WriteFile("a.txt", "the needle42 here");
    tree.WriteFile("b.txt", "needle and 42 apart");
    tree.WriteFile("c.txt", "");
    EXPECT_THAT(RunWords("needle[0-9]+ here"), ElementsAre("a.txt"));
    ASSERT_EQ(search.Head()->matchOffset, 4);
    EXPECT_THAT(RunWords("needle[0-9]+", kWordModeWithout), ElementsAre("b.txt", "c.txt"));
}

TEST_P(ExpressionRun, MatchAcrossAChunkBorderIsFoundAtItsFileOffset)
{
    const std::size_t at = kContentChunkSize - 3;
    tree.WriteFile("big.txt", std::string(at, 'x') + "needle77" + std::string(1000, 'x'));
    EXPECT_THAT(RunWords("ne+dle7+"), ElementsAre("big.txt"));
    EXPECT_EQ(search.Head()->matchOffset, static_cast<std::int64_t>(at));
}

TEST_P(ExpressionRun, InvalidExpressionEndsTheRunWithNothing)
{
    tree.WriteFile("a.txt", "a");
    EXPECT_THAT(RunNames("a("), IsEmpty());
    EXPECT_THAT(RunWords("[a"), IsEmpty());
}

// Longer than a criteria field takes, so straight to the expression and the matcher.
TEST(TextExpression, TenThousandAlternativesCompileWithinTheBudgetAndMatchInOnePass)
{
    std::string alternatives;
    for (int i = 0; i < 10000; ++i)
        alternatives += (i ? "|" : "") + std::string("word") + std::to_string(i * 7919) + "x";
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    const std::shared_ptr<const TextExpression> expression = TextExpression::Compile(alternatives, false, &error);
    ASSERT_NE(expression, nullptr) << error;
    const std::string text = std::string(1 << 20, 'w') + " word" + std::to_string(9999 * 7919) + "x";
    EXPECT_EQ(expression->FindFirst(text), static_cast<std::int64_t>((1 << 20) + 1));
    EXPECT_FALSE(expression->Contains(std::string(1 << 20, 'w')));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(CriteriaExpressions, InvalidExpressionIsNamedWithItsBoxAndPosition)
{
    SearchCriteria criteria;
    ResetCriteria(criteria, SystemTime{});
    ExtraCriteria extras;
    extras.regexNames = true;
    extras.regexWords = true;
    SetTextField(criteria.names, "^ok$");
    SetTextField(criteria.words, "ab(cd");
    EXPECT_THAT(CriteriaExpressionError(criteria, extras),
                ::testing::AllOf(HasSubstr("words"), HasSubstr("missing )"), HasSubstr("position 3")));
    SetTextField(criteria.names, "x**");
    EXPECT_THAT(CriteriaExpressionError(criteria, extras), ::testing::AllOf(HasSubstr("file name"), HasSubstr("position 2")));
    SetTextField(criteria.names, "x");
    SetTextField(criteria.words, "x");
    EXPECT_EQ(CriteriaExpressionError(criteria, extras), "");
}

TEST_P(ExpressionRun, HostileExpressionsFinishInBoundedTimeAndMemory)
{
    // Backtracking engines take exponential time on this; a linear-time one reads the file once.
    tree.WriteFile("as.txt", std::string(1 << 20, 'a') + "!");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THAT(RunWords("(a+)+$"), IsEmpty());
    EXPECT_THAT(RunWords("(a|aa)+!"), ElementsAre("as.txt"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    // Past the memory budget an expression is refused, never compiled without end.
    SearchCriteria criteria;
    ResetCriteria(criteria, SystemTime{});
    ExtraCriteria extras;
    extras.regexWords = true;
    SetTextField(criteria.words, "((((((((a{1,100}){1,100}){1,100}){1,100}))))))");
    EXPECT_THAT(CriteriaExpressionError(criteria, extras), HasSubstr("words"));
}

} // namespace
} // namespace sifter
