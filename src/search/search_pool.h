// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worker threads of one run and the work they do ahead of the walk: tasks (folder
// listings and the entry data that goes with them, which the walk needs to go on at all,
// so they come first) and content tests. The walk hands each file to the pool in walk
// order and takes the outcomes back from the content window's head, in the same order, so
// a run with workers reports exactly what a run without them would. Only the thread that
// made the pool calls its members.
#include "fs/folder_listing.h"
#include "fs/shared_folder.h"
#include "fs/usable_cores.h"
#include "search/content_matcher.h"
#include "search/slow_steps.h"

#include <algorithm>
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

// Work for the walk other than a content test, run by a worker or by the walk itself.
class PoolTask {
public:
    PoolTask() = default;
    virtual ~PoolTask() = default;
    PoolTask(const PoolTask &) = delete;
    PoolTask &operator=(const PoolTask &) = delete;

    // Does the work on whichever thread runs it; abandon is set when the run ends, and
    // work that takes long gives up then.
    virtual void Run(const std::atomic<bool> &abandon) = 0;
    // True once Run has returned; what it left is then the caller's to read.
    bool Done() const { return done_.load(std::memory_order_acquire); }
    // Blocks until Run has returned on whichever thread runs it.
    void WaitDone() const { done_.wait(false, std::memory_order_acquire); }

private:
    friend class SearchPool;
    void MarkDone()
    {
        done_.store(true, std::memory_order_release);
        done_.notify_all();
    }

    std::atomic<bool> done_{false};
    bool queued_ = false;        // under the pool's lock: waiting for a thread
    std::uint64_t placedIn_ = 0; // under the pool's lock: the last Prioritize that placed it
    std::size_t placeAt_ = 0;    // and where
};

class SearchPool {
public:
    using MatcherFactory = std::function<std::unique_ptr<ContentMatcher>()>;

    // Makes the pool of a run of threads threads, each worker with a matcher of its own from
    // makeMatcher; at most windowFiles content jobs are handed in and not yet taken back
    // (LimitUndone bounds those not yet done).
    // A run without a content test (makeMatcher empty) has one worker fewer: its walk is
    // busy all along, testing every entry and listing what the workers have not, and is one
    // of the threads; a run with one tests files itself whenever it would wait for its
    // workers (TestOneHere), and a warm one starts a worker fewer. Only firstWorkers
    // start now, the rest with StartAllWorkers; workers that cannot be started are done
    // without (Workers() tells how many run). cores are the processors the process may run
    // on (UsableCores).
    SearchPool(std::size_t threads, std::size_t windowFiles, const MatcherFactory &makeMatcher,
               std::size_t firstWorkers = SIZE_MAX, std::size_t cores = UsableCores());
    // Abandons every task and job still waiting or under way and joins the workers.
    ~SearchPool();
    SearchPool(const SearchPool &) = delete;
    SearchPool &operator=(const SearchPool &) = delete;

    std::size_t Workers() const { return workers_.size(); }
    // Starts the workers not started yet: a warm cache keeps a core busy with each thread, and
    // more threads than cores only take turns on them, while a cold disk keeps every one
    // waiting for it, so a run starts with a worker per core and adds the rest once listings
    // or reads turn out slow.
    void StartAllWorkers();
    // A content test slower than cold, beyond what reading its bytes from the cache takes,
    // reads from a disk, where the file system cannot tell whether its reads waited for the
    // disk (elsewhere those that did); 0: every one. Before any job is handed in.
    void SetColdTestCost(std::chrono::nanoseconds cold) { coldTestCost_ = cold.count(); }
    // True once tests have turned out to read from a disk (SlowSteps).
    bool ReadsCold() const { return readsCold_.load(std::memory_order_relaxed); }
    // Bounds the window's jobs not yet done to most (windowFiles until this is called); the
    // rest of the window holds outcomes behind a slow test at its head, so that the other
    // threads go on while one reads a large file.
    void LimitUndone(std::size_t most) { undoneFiles_ = std::max<std::size_t>(1, most); }
    bool Full() const
    {
        return window_.size() >= windowFiles_ ||
               window_.size() - doneInWindow_.load(std::memory_order_relaxed) >= undoneFiles_;
    }
    bool Empty() const { return window_.empty(); }

    // Queues the job behind every earlier one. Only while not Full. Jobs are handed to the
    // workers a few at a time, and sleeping workers woken for a few more, since a wake-up
    // costs more than a small file's test.
    void Submit(std::unique_ptr<ContentJob> job);
    // Hands the workers the jobs queued and not handed over yet; before the walk does
    // anything that takes long (listing a folder) and before any wait for a job.
    void HandOver();
    // Hands over, and wakes sleeping workers for the jobs queued since the last wake-up.
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

    // Tasks. Queues the task behind the waiting ones; a worker holds it while it runs.
    // Wakes no worker: Wake or Kick does, once the walk has queued what it has.
    void Queue(std::shared_ptr<PoolTask> task);
    // Wakes one sleeping worker when a task waits.
    void Wake();
    // Moves the tasks of order that still wait to the front, in that order.
    void Prioritize(const std::vector<PoolTask *> &order);
    // Takes a waiting task back, so that no thread will run it; false once one has it.
    bool Withdraw(PoolTask &task);
    // Runs the task here unless a thread has it already; false then.
    bool RunHere(PoolTask &task);
    // Runs the first waiting task here, so that a thread waiting for a worker's task does
    // the next one meanwhile; false when none waits.
    bool RunNextHere();
    // At most most workers run tasks at once (at least one; the others test contents or
    // sleep); all of them until this is called. Wakes sleeping ones when it rises.
    void SetTaskWorkers(std::size_t most);
    // Takes over what the walk is done with, for a worker to free when it next takes work
    // (freeing a listing closes its folder, a system call the walk need not wait for); at
    // most `most` wait: past that, or when every worker sleeps, they are freed here.
    void Discard(std::shared_ptr<const void> spent, std::size_t most);

private:
    void StartWorkers(std::size_t count);
    void Work(ContentMatcher *matcher);
    // Under the lock: the first waiting task, no longer waiting.
    std::shared_ptr<PoolTask> TakeFirstTask();
    // Runs the task on this thread and marks it done.
    void Run(PoolTask &task);
    // Returns once work was added since added_ was seen, or after a short while.
    void AwaitAdded(std::uint64_t seen) const;
    // Under the lock: a worker may take a waiting task now.
    bool TaskFree() const { return !tasks_.empty() && runningTasks_ < taskWorkers_; }
    // What a test read: the file's size (0 when none was read), and whether the reads had
    // to wait for the disk where the file system could tell.
    struct TestRead {
        std::int64_t bytes = 0;
        bool waitKnown = false;
        bool waited = false;
    };
    TestRead Test(ContentMatcher &matcher, ContentJob &job);
    // Whether the test begun at start read from a disk (SetColdTestCost).
    bool ReadFromDisk(const TestRead &read, std::chrono::steady_clock::time_point start) const;
    // Marks the job done, waking the calling thread when it waits for it.
    void Done(ContentJob &job);

    const std::size_t windowFiles_;
    std::size_t undoneFiles_;
    std::atomic<std::size_t> doneInWindow_{0}; // raised before a job's done is set
    std::deque<std::unique_ptr<ContentJob>> window_; // the calling thread's alone
    std::size_t unqueued_ = 0; // the window's last jobs, not handed over yet
    const MatcherFactory makeMatcher_;
    std::size_t workersWanted_;
    const std::size_t cores_; // the processors the process may run on
    std::vector<std::unique_ptr<ContentMatcher>> matchers_;
    std::vector<std::thread> workers_;
    // Set before any job is handed in, read by workers after it.
    std::int64_t coldTestCost_ = 0; // ns
    SlowSteps slowTests_;           // under the lock
    std::atomic<bool> readsCold_{false};

    std::mutex mutex_;
    std::condition_variable workAdded_;
    std::condition_variable jobDone_;
    std::deque<ContentJob *> waiting_; // jobs no worker has taken yet, oldest first
    std::deque<std::shared_ptr<PoolTask>> tasks_; // tasks no thread has taken yet, first first
    std::vector<std::shared_ptr<const void>> spent_; // for a worker to free
    std::uint64_t placements_ = 0;     // Prioritize calls so far
    std::size_t sleeping_ = 0;         // workers waiting for a job
    std::size_t waking_ = 0;           // of them, woken by Wake and not running yet
    std::size_t taskWorkers_;          // workers that may run tasks at once
    std::size_t runningTasks_ = 0;     // workers running a task now
    std::atomic<const ContentJob *> awaited_{nullptr}; // the job the calling thread waits for, if any
    bool closing_ = false;
    std::atomic<bool> abandon_{false}; // workers give up the file under way
    // Counts additions of work (jobs, tasks, more task workers, the end), for a worker
    // waiting for some without sleeping; that it does while each has a core of its own.
    std::atomic<std::uint64_t> added_{0};
    std::atomic<bool> spinWhenIdle_{true};
};

} // namespace sifter
