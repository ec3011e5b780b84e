// SPDX-License-Identifier: GPL-3.0-or-later
// Folders are listed ahead whether they list fast (a warm cache: by fewer workers) or slow,
// with the same records as with one thread. A cold cost of a second stands for a cache
// whatever the machine's load, 0 for a cold disk; the default's choice is timed by
// bench/search_bench, the limit on the workers by search_pool_test.
#include "run_helpers.h"
#include "support/temp_tree.h"

#include "search/file_search.h"
#include "search/found_file.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace sifter {
namespace {

struct Outcome {
    std::vector<std::string> paths;
    std::vector<FoundFileBytes> stored;
    std::size_t takenAhead = 0;
    bool operator==(const Outcome &other) const { return paths == other.paths && stored == other.stored; }
};

Outcome Search(const test::TempTree &tree, std::string_view names, std::size_t threads,
               std::chrono::microseconds coldCost = FileSearch::kColdListingCost)
{
    FileSearch search;
    test::SetTexts(search, names, "", tree.Root());
    search.SetWorkerThreads(threads);
    search.SetColdListingCost(coldCost);
    test::RecordingSinks sinks;
    test::Run(search, sinks);
    Outcome outcome;
    for (const FoundFile *record = search.Head(); record; record = record->next) {
        outcome.paths.push_back(record->Path());
        outcome.stored.push_back(EncodeFoundFile(record->Stored()));
    }
    outcome.takenAhead = search.ListingsTakenAhead();
    return outcome;
}

TEST(ListingHandOver, ACachedTreeIsListedAheadWithTheSameRecordsAsEveryOtherWay)
{
    constexpr std::size_t kFolders = 400;
    test::TempTree tree;
    for (std::size_t i = 0; i < kFolders; ++i) {
        const std::string folder = "d" + std::to_string(i % 20) + "/e" + std::to_string(i) + "/";
        tree.WriteFile(folder + "a.txt", "x");
        tree.WriteFile(folder + "b.log", "yy");
    }
    // Listed once, so that the tree is cached and listing it moves no access time any more.
    (void)Search(tree, "", 1);
    for (const char *names : {"", "*.txt"}) {
        const Outcome one = Search(tree, names, 1);
        ASSERT_EQ(one.paths.size(), names[0] ? kFolders : 3 * kFolders + 20);
        const Outcome cold = Search(tree, names, 4, std::chrono::microseconds{0});
        const Outcome warm = Search(tree, names, 4, std::chrono::seconds{1});
        const Outcome chosen = Search(tree, names, 4);
        EXPECT_EQ(cold, one) << names;
        EXPECT_EQ(warm, one) << names;
        EXPECT_EQ(chosen, one) << names;
        EXPECT_EQ(one.takenAhead, 0u);
        EXPECT_GT(cold.takenAhead, kFolders) << names;
        EXPECT_GT(warm.takenAhead, kFolders) << names;
    }
}

} // namespace
} // namespace sifter
