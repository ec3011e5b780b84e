// SPDX-License-Identifier: GPL-3.0-or-later
// Sources that change under a running transfer: a file that another entry takes the place of,
// a file written to while it is copied or after, before its move removes it.
#include "support/special_files.h"
#include "support/temp_tree.h"
#include "transfer/file_transfer.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <condition_variable>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace sifter {
namespace {

using test::Bytes;
using test::EntryExists;
using test::FakeSink;
using test::ModeOf;
using test::ReadFileContent;
using test::Snapshot;

// Opens a FIFO for writing and closes it again once a while has passed, unless the test ended
// first: a reader waiting for a writer then sees the end of the FIFO instead of waiting on.
class FifoRescue {
public:
    FifoRescue(std::string path, std::chrono::milliseconds after)
        : thread_([this, path = std::move(path), after] {
              std::unique_lock lock(mutex_);
              if (woken_.wait_for(lock, after, [this] { return stopped_; }))
                  return;
              const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
              if (fd >= 0) {
                  rescued_ = true;
                  close(fd);
              }
          })
    {
    }
    ~FifoRescue() { Stop(); }
    // Ends the wait; true when a reader had to be rescued.
    bool Stop()
    {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        woken_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return rescued_;
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool stopped_ = false;
    bool rescued_ = false;
    std::thread thread_;
};

TEST(TransferChanges, AFileThatBecameAFifoBeforeItsCopyIsReportedNotWaitedOn)
{
    for (const TransferKind kind : {TransferKind::kCopy, TransferKind::kMove}) {
        test::TempTree tree;
        const std::string file = tree.WriteFile("src/file", "content");
        tree.MakeFolder("dst");
        FakeSink sink;
        // Found as a file, a FIFO when its copy starts.
        sink.onProgress = [&](int) {
            if (sink.last.current == file && !S_ISFIFO(ModeOf(file))) {
                unlink(file.c_str());
                test::MakeFifo(file);
            }
        };
        TransferOptions options;
        options.forceCopy = true;
        FifoRescue rescue(file, std::chrono::seconds(3));
        const TransferOutcome outcome = TransferEntries({file}, tree.Path("dst"), kind, sink, options);
        EXPECT_FALSE(rescue.Stop()) << "the transfer waited for a writer of the FIFO";
        ASSERT_EQ(outcome.failures.size(), 1u);
        EXPECT_EQ(outcome.failures[0].path, file);
        EXPECT_NE(outcome.failures[0].reason.find("a FIFO"), std::string::npos) << outcome.failures[0].reason;
        EXPECT_TRUE(S_ISFIFO(ModeOf(file)));
        EXPECT_TRUE(Snapshot(tree.Path("dst")).empty());
    }
}

// Moves a.txt then b.txt across file systems (forced); when b.txt comes up, a.txt is copied
// and waits for its batch to be removed, and change changes it.
TransferOutcome MoveChangingTheFirstAfterItsCopy(const test::TempTree &tree,
                                                 const std::function<void(const std::string &)> &change)
{
    const std::string first = tree.WriteFile("src/a.txt", "first version");
    const std::string second = tree.WriteFile("src/b.txt", "b");
    tree.MakeFolder("dst");
    FakeSink sink;
    bool changed = false;
    sink.onProgress = [&](int) {
        if (!changed && sink.last.current == second) {
            changed = true;
            change(first);
        }
    };
    TransferOptions options;
    options.forceCopy = true;
    return TransferEntries({first, second}, tree.Path("dst"), TransferKind::kMove, sink, options);
}

void ExpectKeptAtBothPlaces(const test::TempTree &tree, const TransferOutcome &outcome, const std::string &now)
{
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, tree.Path("src/a.txt"));
    EXPECT_EQ(outcome.failures[0].reason, "changed during the move: kept at both places");
    EXPECT_EQ(ReadFileContent(tree.Path("src/a.txt")), now);
    EXPECT_EQ(ReadFileContent(tree.Path("dst/a.txt")), "first version");
    EXPECT_EQ(ReadFileContent(tree.Path("dst/b.txt")), "b");
    EXPECT_FALSE(EntryExists(tree.Path("src/b.txt")));
}

TEST(TransferChanges, AFileAppendedToAfterItsCopyIsKeptAtBothPlaces)
{
    test::TempTree tree;
    const TransferOutcome outcome = MoveChangingTheFirstAfterItsCopy(tree, [](const std::string &path) {
        std::ofstream(path, std::ios::binary | std::ios::app) << ", appended";
    });
    ExpectKeptAtBothPlaces(tree, outcome, "first version, appended");
}

TEST(TransferChanges, AFileSavedOverAfterItsCopyIsKeptAtBothPlaces)
{
    test::TempTree tree;
    const TransferOutcome outcome = MoveChangingTheFirstAfterItsCopy(tree, [](const std::string &path) {
        // As an editor saves: a new file renamed over the old one.
        std::ofstream(path + "~", std::ios::binary) << "saved again";
        ASSERT_EQ(rename((path + "~").c_str(), path.c_str()), 0);
    });
    ExpectKeptAtBothPlaces(tree, outcome, "saved again");
}

TEST(TransferChanges, AFileOverwrittenInPlaceWhileItIsCopiedStaysAtItsSourceOnly)
{
    test::TempTree tree;
    const std::string big = Bytes(3 * 1024 * 1024, 'o');
    const std::string file = tree.WriteFile("src/big.bin", big);
    tree.MakeFolder("dst");
    FakeSink sink;
    // At the report after its first megabyte, as many bytes as before, so only the times tell.
    std::string now = big;
    sink.onProgress = [&](int) {
        if (sink.last.current == file && sink.last.bytesDone > 0 && now == big) {
            now.replace(10, 5, "NEW!!");
            // Past the coarse clock tick of a file system without fine-grained times.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const int fd = open(file.c_str(), O_WRONLY | O_CLOEXEC);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(pwrite(fd, "NEW!!", 5, 10), 5);
            close(fd);
        }
    };
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome =
        TransferEntries({file}, tree.Path("dst"), TransferKind::kMove, sink, options);
    ASSERT_NE(now, big) << "no report during the copy";
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, file);
    EXPECT_NE(outcome.failures[0].reason.find("changed while it was copied"), std::string::npos)
        << outcome.failures[0].reason;
    EXPECT_EQ(ReadFileContent(file), now);
    EXPECT_TRUE(Snapshot(tree.Path("dst")).empty());
}

} // namespace
} // namespace sifter
