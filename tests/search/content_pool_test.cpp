// SPDX-License-Identifier: GPL-3.0-or-later
// The run with content-test threads as the process sees it: the workers live exactly as
// long as the run, and a tight descriptor limit changes nothing a user can see.
#include "fs/usable_cores.h"
#include "search/file_search.h"
#include "search/run_helpers.h"
#include "support/process_entries.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace sifter {
namespace {

using test::CountProcEntries;
using test::RecordingSinks;
using test::SetTexts;
using test::TempTree;

// Every record as "path offset", in list order.
std::vector<std::string> Outcome(const FileSearch &search)
{
    std::vector<std::string> lines;
    for (const FoundFile *record = search.Head(); record; record = record->next)
        lines.push_back(record->Path() + " " + std::to_string(record->matchOffset));
    return lines;
}

// The outcome of the search as set up, run on one thread.
std::vector<std::string> OneThreadOutcome(FileSearch &search, RecordingSinks &sinks)
{
    search.SetWorkerThreads(1);
    test::Run(search, sinks);
    return Outcome(search);
}

// Folders of a few files each: "hit" holds the word (past the first chunk in some),
// "miss" does not.
void MakeFolders(const TempTree &tree, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string folder = "d" + std::to_string(i) + "/";
        tree.WriteFile(folder + "hit", std::string(static_cast<std::size_t>(i) * 1500, 'x') + "needle");
        tree.WriteFile(folder + "miss", std::string(100, 'y'));
    }
}

TEST(ContentPool, WorkersLiveExactlyAsLongAsTheRun)
{
    TempTree tree;
    MakeFolders(tree, 20);
    FileSearch search;
    SetTexts(search, "", "needle", tree.Root());
    test::SetThreadsListingAsCold(search, 4);
    RecordingSinks sinks;
    test::StartFirstThread();
    const int before = CountProcEntries("/proc/self/task");
    int during = 0;
    sinks.onRow = [&](FoundFile &) { during = CountProcEntries("/proc/self/task"); };
    test::Run(search, sinks);
    EXPECT_EQ(search.CountFoundFiles(), 20u);
    EXPECT_EQ(during, before + 4);
    EXPECT_EQ(test::SettledThreadCount(before), before);
}

// From a cache (a cold cost of a second: never reached), a run has a thread per core however
// many it may have, the walk one of them (it tests files too when it would wait); the records
// are those of one thread.
TEST(ContentPool, AWarmRunStartsAWorkerPerCore)
{
    TempTree tree;
    MakeFolders(tree, 20);
    const std::size_t cores = UsableCores();
    for (const char *words : {"needle", ""}) {
        FileSearch search;
        SetTexts(search, "", words, tree.Root());
        RecordingSinks sinks;
        const std::vector<std::string> one = OneThreadOutcome(search, sinks);

        search.SetWorkerThreads(cores + 3);
        search.SetColdListingCost(std::chrono::seconds{1});
        search.SetColdTestCost(std::chrono::seconds{1});
        test::StartFirstThread();
        const int before = CountProcEntries("/proc/self/task");
        int during = 0;
        sinks.onRow = [&](FoundFile &) { during = std::max(during, CountProcEntries("/proc/self/task")); };
        test::Run(search, sinks);
        EXPECT_EQ(Outcome(search), one) << words;
        EXPECT_EQ(during, before + static_cast<int>(std::max<std::size_t>(1, cores - 1))) << words;
        EXPECT_EQ(test::SettledThreadCount(before), before);
    }
}

// A process held to one processor (taskset, a container) counts one core, whatever the
// machine has: a warm name search lists on the walk alone, its worker kept for a cold disk.
TEST(ContentPool, OnOneUsableCoreAWarmNameSearchListsOnTheWalk)
{
    cpu_set_t all;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    int first = 0;
    while (!CPU_ISSET(first, &all))
        ++first;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(first, &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    EXPECT_EQ(UsableCores(), 1u);

    TempTree tree;
    MakeFolders(tree, 20);
    FileSearch search;
    SetTexts(search, "", "", tree.Root());
    RecordingSinks sinks;
    const std::vector<std::string> single = OneThreadOutcome(search, sinks);
    search.SetWorkerThreads(4);
    search.SetColdListingCost(std::chrono::seconds{1});
    test::Run(search, sinks);
    EXPECT_EQ(Outcome(search), single);
    EXPECT_EQ(search.ListingsTakenAhead(), 0u);
    // With every listing as slow as a disk's, the listings are read ahead on one core too.
    test::SetThreadsListingAsCold(search, 4);
    test::Run(search, sinks);
    EXPECT_EQ(Outcome(search), single);
    EXPECT_GT(search.ListingsTakenAhead(), 0u);
    ASSERT_EQ(sched_setaffinity(0, sizeof all, &all), 0);
}

TEST(ContentPool, FewDescriptorsGiveTheOneThreadOutcome)
{
    TempTree tree;
    MakeFolders(tree, 150);
    tree.MakeChain("deep", 40, [](int folderFd, int level) {
        test::WriteFileAt(folderFd, "hit", std::string(static_cast<std::size_t>(level), 'z') + "needle");
    });
    FileSearch search;
    SetTexts(search, "", "needle", tree.Root());
    RecordingSinks sinks;
    const std::vector<std::string> expected = OneThreadOutcome(search, sinks);
    ASSERT_EQ(expected.size(), 190u);

    // In a child: the limit stays there. Ten descriptors for the walk's folders and ten
    // for the pool, which must then do with fewer threads than asked for.
    auto runWithFewDescriptors = [&] {
        constexpr rlim_t kLimit = 40;
        const rlimit limit{kLimit, kLimit};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
            std::_Exit(2);
        test::SetThreadsListingAsCold(search, 8);
        test::Run(search, sinks);
        const std::vector<std::string> got = Outcome(search);
        for (std::size_t i = 0; i < got.size() || i < expected.size(); ++i) {
            if (i >= got.size() || i >= expected.size() || got[i] != expected[i]) {
                std::fprintf(stderr, "first difference at %zu of %zu\n", i, got.size());
                std::_Exit(1);
            }
        }
        std::_Exit(0);
    };
    EXPECT_EXIT(runWithFewDescriptors(), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace sifter
