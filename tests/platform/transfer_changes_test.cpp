// Sources that change under a running transfer: a file that another entry takes the place of,
// a file written to while it is copied or after, before its move removes it.
#include "platform/file_transfer.h"
#include "special_files.h"
#include "support/temp_tree.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace sifter {
namespace {

using test::FakeSink;
using test::ModeOf;
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

} // namespace
} // namespace sifter
