#include "search/content_pool.h"

#include "fs/entry_data.h"
#include "fs/file_reader.h"

#include <system_error>

namespace sifter {
namespace {

// Jobs queued before a sleeping worker is woken for them (Kick wakes one for fewer).
constexpr std::size_t kWakeBatch = 8;

} // namespace

ContentPool::ContentPool(std::size_t threads, std::size_t windowFiles, const MatcherFactory &makeMatcher)
    : windowFiles_(windowFiles < 1 ? 1 : windowFiles)
{
    // Reserved first, so that no matcher a worker holds can be lost to a failed insertion.
    matchers_.reserve(threads);
    workers_.reserve(threads);
    for (std::size_t i = 0; i < threads; ++i) {
        std::unique_ptr<ContentMatcher> matcher = makeMatcher();
        if (!matcher)
            break;
        matcher->SetChunkCallback([this] { return !abandon_.load(std::memory_order_relaxed); });
        try {
            workers_.emplace_back(&ContentPool::Work, this, std::ref(*matcher));
        } catch (const std::system_error &) {
            break; // the system refused another thread: the ones running share the work
        }
        matchers_.push_back(std::move(matcher));
    }
}

ContentPool::~ContentPool()
{
    abandon_.store(true, std::memory_order_relaxed);
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        waiting_.clear();
    }
    workAdded_.notify_all();
    for (std::thread &worker : workers_)
        worker.join();
}

void ContentPool::Submit(std::unique_ptr<ContentJob> job)
{
    ContentJob *queued = job.get();
    window_.push_back(std::move(job));
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back(queued);
        wake = sleeping_ > 0 && waiting_.size() >= kWakeBatch;
    }
    if (wake)
        workAdded_.notify_one();
}

void ContentPool::Kick()
{
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = sleeping_ > 0 && !waiting_.empty();
    }
    if (wake)
        workAdded_.notify_all();
}

bool ContentPool::HeadDone() const
{
    return !window_.empty() && window_.front()->done.load(std::memory_order_acquire);
}

bool ContentPool::WaitForDone(std::size_t count, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Kick(); // they may still be queued, with every worker asleep
    std::unique_lock lock(mutex_);
    for (std::size_t i = 0; i < count && i < window_.size(); ++i) {
        const ContentJob &job = *window_[i];
        awaited_ = &job;
        const bool done =
            jobDone_.wait_until(lock, deadline, [&job] { return job.done.load(std::memory_order_acquire); });
        awaited_ = nullptr;
        if (!done)
            return false;
    }
    return true;
}

std::unique_ptr<ContentJob> ContentPool::TakeHead()
{
    std::unique_ptr<ContentJob> head = std::move(window_.front());
    window_.pop_front();
    return head;
}

std::shared_ptr<const std::string> ContentPool::HeadFolder() const
{
    return window_.empty() ? nullptr : window_.front()->folderPath;
}

void ContentPool::Work(ContentMatcher &matcher)
{
    for (;;) {
        ContentJob *job = nullptr;
        {
            std::unique_lock lock(mutex_);
            while (!closing_ && waiting_.empty()) {
                ++sleeping_;
                workAdded_.wait(lock);
                --sleeping_;
            }
            if (closing_)
                return;
            job = waiting_.front();
            waiting_.pop_front();
            // Woken for a batch: a sleeping neighbour shares it.
            if (sleeping_ > 0 && waiting_.size() >= kWakeBatch)
                workAdded_.notify_one();
        }
        Test(matcher, *job);
        Done(*job);
    }
}

bool ContentPool::TestOneHere(ContentMatcher &matcher)
{
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

void ContentPool::Done(ContentJob &job)
{
    bool awaited = false;
    {
        // Set under the lock, so that a wait for this job cannot miss it.
        std::lock_guard lock(mutex_);
        job.done.store(true, std::memory_order_release);
        awaited = &job == awaited_;
    }
    // Only the awaited job wakes the calling thread: the others are reported with it.
    if (awaited)
        jobDone_.notify_one();
}

void ContentPool::Test(ContentMatcher &matcher, ContentJob &job)
{
    FileReader reader;
    if (!reader.OpenAt(job.folder->Descriptor(), job.name.c_str(), job.knownRegular))
        return; // folders, FIFOs, devices and unreadable files never match
    job.matchOffset = matcher.Match(reader, 0);
    reader.Close();
    // A match needs the entry's data for its record; an entry gone by now has none.
    if (job.matchOffset >= 0 && !job.haveData)
        job.haveData = ReadEntryDataAt(job.folder->Descriptor(), job.name.c_str(), job.name, job.data);
}

} // namespace sifter
