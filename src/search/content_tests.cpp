// SPDX-License-Identifier: GPL-3.0-or-later
// The run's side of the content pool: files handed over in walk order, outcomes taken
// back in the same order and reported as a run without workers would report them.
#include "search/file_search.h"
#include "search/search_run.h"

#include <algorithm>

namespace sifter {
namespace {

// Long enough not to spin, short enough for the pump to keep its own interval.
constexpr std::chrono::milliseconds kWaitSlice{5};
constexpr std::size_t kRoomShare = 4;

} // namespace

bool FileSearch::QueueContentTest(Run &run, const std::string &folder, const FolderListing &listing,
                                  std::size_t index, EntryData &data, bool haveData, bool &handedOver)
{
    handedOver = true;
    bool knownRegular = false;
    if (!listing.MayOpenForReading(index, knownRegular))
        return true; // never read, so never a match
    if (!MakeContentRoom(run))
        return false;
    if (!run.sharedFolder) {
        // The listing's own descriptor, held on while the tests of its files wait.
        run.sharedFolder = listing.Folder();
        if (!run.sharedFolder) {
            handedOver = false;
            return true;
        }
        run.sharedPath = std::make_shared<const std::string>(folder);
    }
    auto job = std::make_unique<ContentJob>();
    job->folder = run.sharedFolder;
    job->folderPath = run.sharedPath;
    job->name = listing.Name(index);
    job->knownRegular = knownRegular;
    if (haveData) {
        job->data = std::move(data);
        job->haveData = true;
    } else if (!entryDataWanted_) {
        job->data.name = job->name; // all its record holds: no worker examines it
        job->haveData = true;
    }
    run.pool->Submit(std::move(job));
    return true;
}

bool FileSearch::ReportContentTests(Run &run)
{
    while (run.pool->HeadDone()) {
        // Nothing is reported after a stop, though its test may have finished before it.
        if (!Running())
            return false;
        const std::unique_ptr<ContentJob> job = run.pool->TakeHead();
        if (job->matchOffset < 0 || !job->haveData)
            continue; // no match, or gone before its data could be read
        if (!AddFound(run, std::move(job->data), *job->folderPath, job->matchOffset))
            return false;
    }
    return Running();
}

bool FileSearch::MakeContentRoom(Run &run)
{
    // Room for a quarter of the window at once: one file at a time would wake this thread
    // for every file a worker finishes.
    while (run.pool->Full()) {
        if (!AdvanceContentTests(run, std::max<std::size_t>(1, run.pool->Size() / kRoomShare)))
            return false;
    }
    return true;
}

bool FileSearch::FinishContentTests(Run &run)
{
    while (!run.pool->Empty()) {
        if (!AdvanceContentTests(run, 1))
            return false;
    }
    return true;
}

bool FileSearch::AdvanceContentTests(Run &run, std::size_t count)
{
    // Held here: reporting may free the job that the status text is taken from.
    const std::shared_ptr<const std::string> shown = run.pool->HeadFolder();
    run.folder = shown.get(); // a long test here keeps showing where the run is
    const bool tested = run.pool->TestOneHere(*run.matcher);
    run.folder = nullptr;
    if (!tested && !run.pool->WaitForDone(count, kWaitSlice) && !KeepAlive(run, shown.get()))
        return false;
    return ReportContentTests(run);
}

} // namespace sifter
