// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_pool.h"

#include "fs/entry_data.h"
#include "fs/file_reader.h"

#include <algorithm>
#include <system_error>

namespace sifter {
namespace {

// Jobs queued before a sleeping worker is woken for them (Kick wakes one for fewer).
constexpr std::size_t kWakeBatch = 8;
// Jobs the walk queues before it hands them to the workers under one lock.
constexpr std::size_t kHandOverBatch = 4;
// Tasks waiting before a busy worker wakes a sleeping one to share them.
constexpr std::size_t kTaskWakeBatch = 4;
// What reading a byte from the cache takes at least, left out of a test's time.
constexpr std::int64_t kCachedByteNs = 1;
// How long a worker with a core of its own waits for more work before it sleeps. The walk
// hands out listings a few folders at a time, a few hundred microseconds apart; a worker
// woken from sleep took up to 4 ms to run again (a virtual machine's idle core), and slept
// 17-28 ms of a 0.2 s name search of /usr in all.
constexpr std::chrono::microseconds kIdleSpin{200};

} // namespace

SearchPool::SearchPool(std::size_t threads, std::size_t windowFiles, const MatcherFactory &makeMatcher,
                       std::size_t firstWorkers, std::size_t cores)
    : windowFiles_(windowFiles < 1 ? 1 : windowFiles), undoneFiles_(windowFiles_), makeMatcher_(makeMatcher),
      workersWanted_(makeMatcher || threads == 0 ? threads : threads - 1), cores_(cores),
      taskWorkers_(threads)
{
    // Reserved first, so that no matcher a worker holds can be lost to a failed insertion.
    matchers_.reserve(workersWanted_);
    workers_.reserve(workersWanted_);
    StartWorkers(std::min(firstWorkers, workersWanted_));
}

void SearchPool::StartAllWorkers()
{
    if (workers_.size() < workersWanted_)
        StartWorkers(workersWanted_);
}

void SearchPool::StartWorkers(std::size_t count)
{
    // More workers than cores share them: one waiting for work would keep another from it.
    if (count >= cores_)
        spinWhenIdle_.store(false, std::memory_order_relaxed);
    while (workers_.size() < count) {
        std::unique_ptr<ContentMatcher> matcher;
        if (makeMatcher_) {
            matcher = makeMatcher_();
            if (!matcher)
                break;
            matcher->SetChunkCallback([this] { return !abandon_.load(std::memory_order_relaxed); });
        }
        try {
            workers_.emplace_back(&SearchPool::Work, this, matcher.get());
        } catch (const std::system_error &) {
            break; // the system refused another thread: the ones running share the work
        }
        matchers_.push_back(std::move(matcher));
    }
    // What could not be started is not tried again.
    if (workers_.size() < count)
        workersWanted_ = workers_.size();
}

SearchPool::~SearchPool()
{
    abandon_.store(true, std::memory_order_relaxed);
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        added_.fetch_add(1, std::memory_order_release);
        waiting_.clear();
        for (const std::shared_ptr<PoolTask> &task : tasks_)
            task->queued_ = false;
        tasks_.clear();
        spent_.clear();
    }
    workAdded_.notify_all();
    for (std::thread &worker : workers_)
        worker.join();
}

void SearchPool::Submit(std::unique_ptr<ContentJob> job)
{
    if (ReadsCold())
        StartAllWorkers();
    window_.push_back(std::move(job));
    if (++unqueued_ >= kHandOverBatch)
        HandOver();
}

void SearchPool::HandOver()
{
    if (unqueued_ == 0)
        return;
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        for (std::size_t i = window_.size() - unqueued_; i < window_.size(); ++i)
            waiting_.push_back(window_[i].get());
        added_.fetch_add(1, std::memory_order_release);
        wake = sleeping_ > 0 && waiting_.size() >= kWakeBatch;
    }
    unqueued_ = 0;
    if (wake)
        workAdded_.notify_one();
}

void SearchPool::Kick()
{
    HandOver();
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = sleeping_ > 0 && (!waiting_.empty() || TaskFree());
    }
    if (wake)
        workAdded_.notify_all();
}

bool SearchPool::HeadDone() const
{
    return !window_.empty() && window_.front()->done.load(std::memory_order_acquire);
}

bool SearchPool::WaitForDone(std::size_t count, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Kick(); // they may still be queued, with every worker asleep
    std::unique_lock lock(mutex_);
    for (std::size_t i = 0; i < count && i < window_.size(); ++i) {
        const ContentJob &job = *window_[i];
        awaited_.store(&job);
        const bool done = jobDone_.wait_until(lock, deadline, [&job] { return job.done.load(); });
        awaited_.store(nullptr);
        if (!done)
            return false;
    }
    return true;
}

std::unique_ptr<ContentJob> SearchPool::TakeHead()
{
    std::unique_ptr<ContentJob> head = std::move(window_.front());
    window_.pop_front();
    doneInWindow_.fetch_sub(1, std::memory_order_relaxed);
    return head;
}

std::shared_ptr<const std::string> SearchPool::HeadFolder() const
{
    return window_.empty() ? nullptr : window_.front()->folderPath;
}

void SearchPool::Work(ContentMatcher *matcher)
{
    std::vector<std::shared_ptr<const void>> spent;
    bool ranTask = false;
    bool tested = false;
    bool slowTest = false;
    for (;;) {
        ContentJob *job = nullptr;
        std::shared_ptr<PoolTask> task;
        {
            std::unique_lock lock(mutex_);
            if (ranTask) {
                --runningTasks_;
                ranTask = false;
            }
            if (tested && slowTests_.Note(slowTest))
                readsCold_.store(true, std::memory_order_relaxed);
            tested = false;
            bool waited = false;
            while (!closing_ && waiting_.empty() && !TaskFree() && spent_.empty()) {
                if (!waited && spinWhenIdle_.load(std::memory_order_relaxed)) {
                    waited = true;
                    const std::uint64_t seen = added_.load(std::memory_order_acquire);
                    lock.unlock();
                    AwaitAdded(seen);
                    lock.lock();
                    continue;
                }
                ++sleeping_;
                workAdded_.wait(lock);
                --sleeping_;
                if (waking_ > 0)
                    --waking_;
            }
            if (closing_)
                return;
            spent.swap(spent_);
            if (TaskFree()) {
                task = TakeFirstTask();
                ++runningTasks_;
                ranTask = true;
            } else if (!waiting_.empty()) {
                job = waiting_.front();
                waiting_.pop_front();
            }
            // Woken for a batch: a sleeping neighbour shares it.
            if (sleeping_ > 0 && ((TaskFree() && tasks_.size() >= kTaskWakeBatch) || waiting_.size() >= kWakeBatch))
                workAdded_.notify_one();
        }
        spent.clear();
        if (task) {
            Run(*task);
        } else if (job) {
            // Content jobs come only from a run with a content test, whose workers all have a matcher.
            const auto start = std::chrono::steady_clock::now();
            slowTest = ReadFromDisk(Test(*matcher, *job), start);
            Done(*job);
            tested = true;
        }
    }
}

bool SearchPool::ReadFromDisk(const TestRead &read, std::chrono::steady_clock::time_point start) const
{
    if (coldTestCost_ == 0)
        return true;
    // The file system's word, where it gives one, is not fooled by a thread that had to wait
    // for a core (a warm run taken for a cold one started all its threads in one run of
    // twenty on two busy cores).
    if (read.waitKnown)
        return read.waited;
    const std::int64_t took = (std::chrono::steady_clock::now() - start).count();
    return took - read.bytes * kCachedByteNs > coldTestCost_;
}

void SearchPool::AwaitAdded(std::uint64_t seen) const
{
    const auto giveUp = std::chrono::steady_clock::now() + kIdleSpin;
    while (added_.load(std::memory_order_acquire) == seen && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::yield();
}

void SearchPool::Discard(std::shared_ptr<const void> spent, std::size_t most)
{
    std::vector<std::shared_ptr<const void>> freed;
    {
        std::lock_guard lock(mutex_);
        // Only a worker that is awake frees it soon: with none, it is freed here; so are all
        // once most wait. A worker takes them all when it next looks for work (freeing here
        // whenever one waited, with one worker, closed half the folders of /usr on the walk).
        if (sleeping_ == workers_.size() || spent_.size() >= most)
            freed.swap(spent_);
        else
            spent_.push_back(std::move(spent));
    }
}

void SearchPool::Wake()
{
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        // A worker already woken and not yet running is not woken again.
        wake = sleeping_ > waking_ && TaskFree();
        if (wake)
            ++waking_;
    }
    if (wake)
        workAdded_.notify_one();
}

void SearchPool::Queue(std::shared_ptr<PoolTask> task)
{
    std::lock_guard lock(mutex_);
    task->queued_ = true;
    tasks_.push_back(std::move(task));
    added_.fetch_add(1, std::memory_order_release);
}

void SearchPool::Prioritize(const std::vector<PoolTask *> &order)
{
    std::lock_guard lock(mutex_);
    const std::uint64_t placement = ++placements_;
    std::size_t placedCount = 0;
    for (PoolTask *task : order) {
        if (task->queued_ && task->placedIn_ != placement) {
            task->placedIn_ = placement;
            task->placeAt_ = placedCount++;
        }
    }
    // The tasks of order first, in its order; the others after them, as they were.
    std::deque<std::shared_ptr<PoolTask>> placed(placedCount);
    for (std::shared_ptr<PoolTask> &task : tasks_) {
        if (task->placedIn_ == placement)
            placed[task->placeAt_] = std::move(task);
        else
            placed.push_back(std::move(task));
    }
    tasks_.swap(placed);
}

bool SearchPool::Withdraw(PoolTask &task)
{
    std::lock_guard lock(mutex_);
    if (!task.queued_)
        return false;
    const auto found = std::find_if(tasks_.begin(), tasks_.end(),
                                    [&task](const std::shared_ptr<PoolTask> &queued) { return queued.get() == &task; });
    task.queued_ = false;
    if (found != tasks_.end())
        tasks_.erase(found);
    return true;
}

bool SearchPool::RunHere(PoolTask &task)
{
    if (!Withdraw(task))
        return false;
    Run(task);
    return true;
}

bool SearchPool::RunNextHere()
{
    std::shared_ptr<PoolTask> task;
    {
        std::lock_guard lock(mutex_);
        if (tasks_.empty())
            return false;
        task = TakeFirstTask();
    }
    Run(*task);
    return true;
}

std::shared_ptr<PoolTask> SearchPool::TakeFirstTask()
{
    std::shared_ptr<PoolTask> task = std::move(tasks_.front());
    tasks_.pop_front();
    task->queued_ = false;
    return task;
}

void SearchPool::Run(PoolTask &task)
{
    task.Run(abandon_);
    task.MarkDone();
}

void SearchPool::SetTaskWorkers(std::size_t most)
{
    bool rose = false;
    {
        std::lock_guard lock(mutex_);
        most = std::max<std::size_t>(1, most);
        rose = most > taskWorkers_;
        taskWorkers_ = most;
        if (rose)
            added_.fetch_add(1, std::memory_order_release);
    }
    if (rose)
        workAdded_.notify_all();
}

bool SearchPool::TestOneHere(ContentMatcher &matcher)
{
    HandOver();
    ContentJob *job = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (waiting_.empty())
            return false;
        job = waiting_.front();
        waiting_.pop_front();
    }
    Test(matcher, *job);
    Done(*job);
    return true;
}

void SearchPool::Done(ContentJob &job)
{
    // Only the awaited job wakes the calling thread: the others are reported with it. The
    // calling thread names the job before it looks at done, and this one looks at the name
    // after setting done, so one of the two sees the other (both sequentially consistent).
    doneInWindow_.fetch_add(1, std::memory_order_relaxed);
    job.done.store(true);
    if (awaited_.load() != &job)
        return;
    // Taken once, so that the notification cannot come between the waiter's look and its sleep.
    { std::lock_guard lock(mutex_); }
    jobDone_.notify_one();
}

SearchPool::TestRead SearchPool::Test(ContentMatcher &matcher, ContentJob &job)
{
    FileReader reader;
    if (!reader.OpenAt(job.folder->Descriptor(), job.name.c_str(), job.knownRegular))
        return {}; // folders, FIFOs, devices and unreadable files never match
    job.matchOffset = matcher.Match(reader, 0);
    const TestRead read{reader.SizeAtOpen(), reader.WaitKnown(), reader.WaitedForData()};
    reader.Close();
    // A match needs the entry's data for its record; an entry gone by now has none.
    if (job.matchOffset >= 0 && !job.haveData)
        job.haveData = ReadEntryDataAt(job.folder->Descriptor(), job.name.c_str(), job.name, job.data);
    return read;
}

} // namespace sifter
