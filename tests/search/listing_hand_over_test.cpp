// SPDX-License-Identifier: GPL-3.0-or-later
// Folders that list faster than a hand-over costs (a warm cache) are listed by the walk
// itself, with the workers idle; the records are the same as when every listing is handed
// over, and as with one thread. A cost of a second stands for a cache whatever the machine's
// load; the default's choice is timed by bench/search_bench.
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
               std::chrono::microseconds handOverCost = FileSearch::kListingHandOverCost)
{
    FileSearch search;
    test::SetTexts(search, names, "", tree.Root());
    search.SetWorkerThreads(threads);
    search.SetListingHandOverCost(handOverCost);
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

TEST(ListingHandOver, ACachedTreeIsListedByTheWalkWithTheSameRecordsAsEveryOtherWay)
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
        const Outcome handedOver = Search(tree, names, 4, std::chrono::microseconds{0});
        const Outcome listedHere = Search(tree, names, 4, std::chrono::seconds{1});
        const Outcome chosen = Search(tree, names, 4);
        EXPECT_EQ(handedOver, one) << names;
        EXPECT_EQ(listedHere, one) << names;
        EXPECT_EQ(chosen, one) << names;
        EXPECT_EQ(one.takenAhead, 0u);
        EXPECT_GT(handedOver.takenAhead, kFolders) << names;
        // Only the first plan's listings, started before any folder was timed.
        EXPECT_LT(listedHere.takenAhead, kFolders / 10) << names;
    }
}

} // namespace
} // namespace sifter
