#include "search/content_pool.h"

#include "platform/entry_data.h"
#include "platform/file_reader.h"

#include <system_error>

namespace sifter {

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
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back(queued);
    }
    workAdded_.notify_one();
}

ContentJob *ContentPool::DoneHead() const
{
    if (window_.empty() || !window_.front()->done.load(std::memory_order_acquire))
        return nullptr;
    return window_.front().get();
}

bool ContentPool::WaitForHead(std::chrono::milliseconds timeout)
{
    if (window_.empty())
        return false;
    const ContentJob &head = *window_.front();
    std::unique_lock lock(mutex_);
    return jobDone_.wait_for(lock, timeout, [&head] { return head.done.load(std::memory_order_acquire); });
}

std::unique_ptr<ContentJob> ContentPool::TakeHead()
{
    std::unique_ptr<ContentJob> head = std::move(window_.front());
    window_.pop_front();
    return head;
}

const std::string *ContentPool::HeadFolder() const
{
    return window_.empty() ? nullptr : window_.front()->folderPath.get();
}

void ContentPool::Work(ContentMatcher &matcher)
{
    for (;;) {
        ContentJob *job = nullptr;
        {
            std::unique_lock lock(mutex_);
            workAdded_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
            if (closing_)
                return;
            job = waiting_.front();
            waiting_.pop_front();
        }
        Test(matcher, *job);
        {
            // Set under the lock, so that a wait for this job cannot miss it.
            std::lock_guard lock(mutex_);
            job->done.store(true, std::memory_order_release);
        }
        jobDone_.notify_all();
    }
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
