#pragma once
// The content tests of a run on worker threads, ahead of the walk. The walk hands each
// file to the pool in walk order and takes the outcomes back from the window's head, in
// the same order, so a run with workers reports exactly what a run without them would.
// Only the thread that made the pool calls its members.
#include "fs/folder_listing.h"
#include "fs/shared_folder.h"
#include "search/content_matcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sifter {

// One file's content test: what the walk knows of it, and the outcome a worker fills in.
struct ContentJob {
    std::shared_ptr<const SharedFolder> folder; // the file is opened relative to it
    std::shared_ptr<const std::string> folderPath; // as records show it
    std::string name;
    bool knownRegular = false;
    EntryData data;        // the entry's data, when the walk already read it
    bool haveData = false; // else a worker reads it after a match

    std::int64_t matchOffset = kNoMatch; // the outcome, once done
    std::atomic<bool> done{false};
};

class ContentPool {
public:
    using MatcherFactory = std::function<std::unique_ptr<ContentMatcher>()>;

    // Starts threads workers, each with a matcher of its own from makeMatcher; at most
    // windowFiles jobs are handed in and not yet taken back. Workers that cannot be
    // started are done without (Workers() tells how many run).
    ContentPool(std::size_t threads, std::size_t windowFiles, const MatcherFactory &makeMatcher);
    // Abandons every job still in the window and joins the workers.
    ~ContentPool();
    ContentPool(const ContentPool &) = delete;
    ContentPool &operator=(const ContentPool &) = delete;

    std::size_t Workers() const { return workers_.size(); }
    bool Full() const { return window_.size() >= windowFiles_; }
    bool Empty() const { return window_.empty(); }

    // Queues the job behind every earlier one. Only while not Full. Sleeping workers are
    // woken for a few jobs at a time, since a wake-up costs more than a small file's test.
    void Submit(std::unique_ptr<ContentJob> job);
    // Wakes sleeping workers for the jobs queued since the last wake-up.
    void Kick();
    // Tests the oldest job no worker has taken yet here, with this thread's matcher, so
    // that a thread that would wait for the workers helps them instead; false when every
    // job is taken.
    bool TestOneHere(ContentMatcher &matcher);
    // True when the window holds a job and the oldest one's test is done.
    bool HeadDone() const;
    // Waits up to timeout for the oldest count jobs (as many as there are) to be done;
    // false when they are not.
    bool WaitForDone(std::size_t count, std::chrono::milliseconds timeout);
    std::size_t Size() const { return window_.size(); }
    // Takes the oldest job out of the window (only when HeadDone).
    std::unique_ptr<ContentJob> TakeHead();
    // The folder of the oldest job, or null when the window is empty.
    std::shared_ptr<const std::string> HeadFolder() const;

private:
    void Work(ContentMatcher &matcher);
    void Test(ContentMatcher &matcher, ContentJob &job);
    // Marks the job done, waking the calling thread when it waits for it.
    void Done(ContentJob &job);

    const std::size_t windowFiles_;
    std::deque<std::unique_ptr<ContentJob>> window_; // the calling thread's alone
    std::vector<std::unique_ptr<ContentMatcher>> matchers_;
    std::vector<std::thread> workers_;

    std::mutex mutex_;
    std::condition_variable workAdded_;
    std::condition_variable jobDone_;
    std::deque<ContentJob *> waiting_; // jobs no worker has taken yet, oldest first
    std::size_t sleeping_ = 0;         // workers waiting for a job
    const ContentJob *awaited_ = nullptr; // the job the calling thread waits for, if any
    bool closing_ = false;
    std::atomic<bool> abandon_{false}; // workers give up the file under way
};

} // namespace sifter
