// SPDX-License-Identifier: GPL-3.0-or-later
// Stopping a run whose folders are listed and whose content tests run on several threads:
// nothing is reported after the stop, the run returns promptly, and it leaves no thread and
// no open file or folder behind.
#include "search/file_search.h"
#include "search/found_file.h"
#include "search/run_helpers.h"
#include "support/process_entries.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstddef>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::CountProcEntries;
using test::FoundPaths;
using test::RecordingSinks;
using test::SetTexts;
using test::TempTree;

constexpr std::size_t kThreads = 8;

// True when one of this process's descriptors is open on path.
bool HasOpen(const std::string &path)
{
    DIR *dir = opendir("/proc/self/fd");
    if (!dir)
        return false;
    bool open = false;
    char target[PATH_MAX];
    while (const dirent *entry = readdir(dir)) {
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t length = readlink(link.c_str(), target, sizeof target);
        if (length > 0 && std::string(target, static_cast<std::size_t>(length)) == path)
            open = true;
    }
    closedir(dir);
    return open;
}

// A tree made, its walk order found on one thread, and a whole run with kThreads checked to
// give the same and to leave no thread and no descriptor behind.
class ThreadsStop : public ::testing::Test {
protected:
    void Prepare(const std::function<void()> &makeTree, std::string_view names, std::string_view words)
    {
        test::StartFirstThread();
        threadsBefore = CountProcEntries("/proc/self/task");
        makeTree();
        SetTexts(search, names, words, tree.Root());
        search.SetWorkerThreads(1);
        test::Run(search, sinks);
        walkOrder = FoundPaths(search, tree.Root());
        // Counted after a run: type names come from the MIME database, kept open once read.
        descriptorsBefore = CountProcEntries("/proc/self/fd");
        test::SetThreadsListingAsCold(search, kThreads);
        test::Run(search, sinks);
        ASSERT_EQ(FoundPaths(search, tree.Root()), walkOrder);
        // A whole run leaves nothing behind either, nor keeps its threads for the next.
        ASSERT_EQ(test::SettledThreadCount(threadsBefore), threadsBefore);
        ASSERT_EQ(CountProcEntries("/proc/self/fd"), descriptorsBefore);
    }

    TempTree tree;
    FileSearch search;
    RecordingSinks sinks;
    std::vector<std::string> walkOrder;
    int threadsBefore = 0;
    int descriptorsBefore = 0;
};

class ContentThreadsStop : public ThreadsStop {
protected:
    // Many small matches in several folders, with larger files between them so that the
    // workers run ahead of the sink.
    void SetUp() override
    {
        Prepare(
            [this] {
                for (int folder = 0; folder < 4; ++folder) {
                    for (int file = 0; file < 60; ++file) {
                        const std::string name = "s" + std::to_string(folder) + "/f" + std::to_string(100 + file);
                        tree.WriteFile(name, file % 10 == 0 ? std::string(200000, '.') + "alpha" : "alpha");
                    }
                }
            },
            "", "alpha");
    }
};

TEST_F(ContentThreadsStop, StopFromTheSinkReportsExactlyTheRowsUpToIt)
{
    ASSERT_EQ(walkOrder.size(), 240u);
    for (std::size_t stopAt : {std::size_t{1}, std::size_t{7}, std::size_t{61}}) {
        RecordingSinks stopping;
        stopping.onRow = [&](FoundFile &) {
            if (stopping.rows.size() == stopAt)
                search.SetRunning(false);
        };
        search.SetRunning(true);
        EXPECT_EQ(search.RunSearch(stopping.Sinks()), 0);
        const std::vector<std::string> found = FoundPaths(search, tree.Root());
        EXPECT_EQ(stopping.rows.size(), stopAt) << "stopped at " << stopAt;
        ASSERT_EQ(found.size(), stopAt);
        EXPECT_TRUE(std::equal(found.begin(), found.end(), walkOrder.begin())) << "stopped at " << stopAt;
        EXPECT_EQ(test::SettledThreadCount(threadsBefore), threadsBefore) << "stopped at " << stopAt;
        EXPECT_EQ(CountProcEntries("/proc/self/fd"), descriptorsBefore) << "stopped at " << stopAt;
    }
}

TEST_F(ContentThreadsStop, StopFromThePumpWhileALargeFileIsReadAbandonsIt)
{
    TempTree large;
    large.WriteFile("a", "alpha");
    // A sparse file: long to read, cheap to make; its only match is at its end.
    const std::string big = large.Path("big");
    const int fd = open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    constexpr off_t kBigSize = off_t{256} << 20;
    const bool written = ftruncate(fd, kBigSize) == 0 && pwrite(fd, "alpha", 5, kBigSize - 5) == 5;
    ASSERT_EQ(close(fd), 0);
    ASSERT_TRUE(written);
    for (int file = 0; file < 50; ++file)
        large.WriteFile("c" + std::to_string(100 + file), "alpha");

    bool stoppedWhileOpen = false;
    RecordingSinks stopping;
    stopping.onDispatch = [&] {
        if (!stoppedWhileOpen && !stopping.rows.empty() && HasOpen(big)) {
            stoppedWhileOpen = true;
            search.SetRunning(false);
        }
    };
    SetTexts(search, "", "alpha", large.Root());
    test::SetThreadsListingAsCold(search, kThreads);
    search.SetRunning(true);
    EXPECT_EQ(search.RunSearch(stopping.Sinks()), 0);
    EXPECT_TRUE(stoppedWhileOpen); // the run keeps pumping while the file is read
    EXPECT_EQ(FoundPaths(search, large.Root()), std::vector<std::string>{"a"});
    EXPECT_EQ(stopping.rows.size(), 1u);
    EXPECT_FALSE(HasOpen(big));
    EXPECT_EQ(test::SettledThreadCount(threadsBefore), threadsBefore);
    EXPECT_EQ(CountProcEntries("/proc/self/fd"), descriptorsBefore);
}

// Names only: many folders of small files, two of them large (one step of entry data
// and more), so that workers are listing and reading entry data when the stop comes.
class ListingThreadsStop : public ThreadsStop {
protected:
    void SetUp() override
    {
        Prepare(
            [this] {
                for (int folder = 0; folder < 40; ++folder) {
                    const int files = folder % 20 == 3 ? 700 : 8;
                    for (int file = 0; file < files; ++file)
                        tree.WriteFile("s" + std::to_string(100 + folder) + "/in/f" + std::to_string(1000 + file), "");
                }
            },
            "f1*", "");
    }
};

TEST_F(ListingThreadsStop, StopFromTheSinkReportsExactlyTheRowsUpToItAndReturnsPromptly)
{
    ASSERT_EQ(walkOrder.size(), 2 * 700u + 38 * 8);
    for (std::size_t stopAt : {std::size_t{1}, std::size_t{7}, std::size_t{800}}) {
        RecordingSinks stopping;
        std::chrono::steady_clock::time_point stopped;
        stopping.onRow = [&](FoundFile &) {
            if (stopping.rows.size() == stopAt) {
                search.SetRunning(false);
                stopped = std::chrono::steady_clock::now();
            }
        };
        search.SetRunning(true);
        EXPECT_EQ(search.RunSearch(stopping.Sinks()), 0);
        const auto returned = std::chrono::steady_clock::now();
        const std::vector<std::string> found = FoundPaths(search, tree.Root());
        EXPECT_EQ(stopping.rows.size(), stopAt) << "stopped at " << stopAt;
        ASSERT_EQ(found.size(), stopAt);
        EXPECT_TRUE(std::equal(found.begin(), found.end(), walkOrder.begin())) << "stopped at " << stopAt;
        // Far more than a stop takes (a few milliseconds even under a sanitizer): what is
        // pinned is that no worker finishes what was ahead of the walk first.
        EXPECT_LT(returned - stopped, std::chrono::seconds(1)) << "stopped at " << stopAt;
        EXPECT_EQ(test::SettledThreadCount(threadsBefore), threadsBefore) << "stopped at " << stopAt;
        EXPECT_EQ(CountProcEntries("/proc/self/fd"), descriptorsBefore) << "stopped at " << stopAt;
    }
}

TEST_F(ListingThreadsStop, StopFromThePumpLeavesNothingBehind)
{
    RecordingSinks stopping;
    stopping.onDispatch = [&] {
        if (!stopping.rows.empty())
            search.SetRunning(false);
    };
    stopping.onRow = [&](FoundFile &) {
        if (stopping.rows.size() == 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(11)); // the next entry pumps
    };
    search.SetRunning(true);
    EXPECT_EQ(search.RunSearch(stopping.Sinks()), 0);
    const std::vector<std::string> found = FoundPaths(search, tree.Root());
    ASSERT_LT(found.size(), walkOrder.size());
    EXPECT_TRUE(std::equal(found.begin(), found.end(), walkOrder.begin()));
    EXPECT_EQ(test::SettledThreadCount(threadsBefore), threadsBefore);
    EXPECT_EQ(CountProcEntries("/proc/self/fd"), descriptorsBefore);
}

} // namespace
} // namespace sifter
