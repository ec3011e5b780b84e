// SPDX-License-Identifier: GPL-3.0-or-later
// The Exclude criterion in real runs: folders by path (absolute, relative to each searched
// folder, with "~" and a trailing "/"), names by pattern, a searched folder itself, and
// folders behind links, on the calling thread alone and with workers listing ahead.
#include "search/file_search.h"
#include "search/run_helpers.h"
#include "support/scoped_env.h"
#include "support/temp_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

namespace sifter {
namespace {

using test::FoundPaths;
using test::RecordingSinks;
using test::SetTexts;
using test::TempTree;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ExclusionsRun : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override
    {
        test::SetThreadsListingAsCold(search, GetParam());
        tree.WriteFile("keep/a.txt", "");
        tree.WriteFile("big/b.txt", "");
        tree.WriteFile("big/deep/c.txt", "");
        tree.WriteFile("big.txt", "");
    }
    std::vector<std::string> RunExcluding(std::string_view excludes, std::string_view names = "*.txt")
    {
        SetTexts(search, names, "", tree.Root());
        search.extras.excludes = excludes;
        test::Run(search, sinks);
        return FoundPaths(search, tree.Root());
    }

    TempTree tree;
    FileSearch search;
    RecordingSinks sinks;
};

INSTANTIATE_TEST_SUITE_P(Threads, ExclusionsRun, ::testing::Values(std::size_t{1}, std::size_t{4}),
                         [](const ::testing::TestParamInfo<std::size_t> &count) {
                             return std::to_string(count.param) + "Threads";
                         });

TEST_P(ExclusionsRun, FolderPathSkipsTheFolderAndEverythingBelowIt)
{
    EXPECT_THAT(RunExcluding(tree.Path("big")), ElementsAre("big.txt", "keep/a.txt"));
}

TEST_P(ExclusionsRun, SkippedFolderIsNotListedItself)
{
    EXPECT_THAT(RunExcluding(tree.Path("big"), "big"), ElementsAre("big.txt"));
}

TEST_P(ExclusionsRun, TrailingSlashAndBlanksAroundAnEntryChangeNothing)
{
    EXPECT_THAT(RunExcluding(" " + tree.Path("big") + "/ ; "), ElementsAre("big.txt", "keep/a.txt"));
}

TEST_P(ExclusionsRun, RelativePathLiesInEachSearchedFolder)
{
    EXPECT_THAT(RunExcluding("big/deep"), ElementsAre("big.txt", "keep/a.txt", "big/b.txt"));
}

TEST_P(ExclusionsRun, TildeStandsForTheHomeFolder)
{
    const test::ScopedEnv home("HOME", tree.Root().c_str());
    EXPECT_THAT(RunExcluding("~/keep"), ElementsAre("big.txt", "big/b.txt", "big/deep/c.txt"));
}

TEST_P(ExclusionsRun, NamePatternSkipsFoldersAndFilesWhoseNameItMatches)
{
    EXPECT_THAT(RunExcluding("BIG"), ElementsAre("keep/a.txt"));
    EXPECT_THAT(RunExcluding("*.txt"), IsEmpty());
    EXPECT_THAT(RunExcluding("de?p"), ElementsAre("big.txt", "keep/a.txt", "big/b.txt"));
}

TEST_P(ExclusionsRun, SearchedFolderInsideAnExcludedOneIsSkippedWhole)
{
    SetTexts(search, "*.txt", "", tree.Path("big/deep") + ";" + tree.Path("keep"));
    search.extras.excludes = tree.Path("big");
    test::Run(search, sinks);
    EXPECT_THAT(FoundPaths(search, tree.Root()), ElementsAre("keep/a.txt"));
}

TEST_P(ExclusionsRun, PathThroughALinkExcludesNothingTheWalkWouldEnter)
{
    ASSERT_EQ(symlink(tree.Path("big").c_str(), tree.Path("keep/tobig").c_str()), 0);
    // The walk never enters the link; excluding a path through it leaves the real folder.
    EXPECT_THAT(RunExcluding(tree.Path("keep/tobig")), ElementsAre("big.txt", "keep/a.txt", "big/b.txt",
                                                                   "big/deep/c.txt"));
    // Excluding the real folder leaves the link's entry (it is an entry, never a way in).
    EXPECT_THAT(RunExcluding(tree.Path("big"), "tobig"), ElementsAre("keep/tobig"));
}

TEST_P(ExclusionsRun, SearchedFolderGivenThroughALinkIsSearchedByItsOwnPath)
{
    ASSERT_EQ(symlink(tree.Path("big").c_str(), tree.Path("alias").c_str()), 0);
    SetTexts(search, "*.txt", "", tree.Path("alias"));
    search.extras.excludes = tree.Path("big");
    test::Run(search, sinks);
    // The excluded path is another one; the same folder found by identity changes nothing.
    EXPECT_THAT(FoundPaths(search, tree.Root()), ElementsAre("alias/b.txt", "alias/deep/c.txt"));
}

TEST(ExclusionsText, HostileEntriesExcludeOnlyWhatTheySay)
{
    TempTree tree;
    tree.WriteFile("a/x.txt", "");
    FileSearch search;
    RecordingSinks sinks;
    SetTexts(search, "*.txt", "", tree.Root());
    // Empty pieces, blanks, ".." (a name pattern) and a long wildcard run name nothing here.
    search.extras.excludes = ";;  ;" + std::string(5000, ';') + "..;" + std::string(3000, '*') + "y";
    test::Run(search, sinks);
    EXPECT_THAT(FoundPaths(search, tree.Root()), ElementsAre("a/x.txt"));
    search.extras.excludes = "/"; // the root holds everything
    test::Run(search, sinks);
    EXPECT_THAT(FoundPaths(search, tree.Root()), IsEmpty());
}

} // namespace
} // namespace sifter
