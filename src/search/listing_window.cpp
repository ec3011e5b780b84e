// SPDX-License-Identifier: GPL-3.0-or-later
// The listings read ahead of the walk: what a worker reads for one folder, which folders
// the window covers, and how the walk takes a listing and the entry data read with it.
#include "search/listing_window.h"

#include "search/name_match.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <utility>

namespace sifter {
namespace {

// The listings ahead hold about this many entries between them (a few MB), however large
// their folders: past it, none is started until the walk has taken some.
constexpr std::size_t kWindowEntries = 4 * 1024;
// Listings are started only for the nearest part of the window; the rest of it keeps
// listings that subfolders found meanwhile pushed back, so that their work is not lost.
constexpr std::size_t kKeptPerStarted = 4;
// How long the walk waits for a listing or entry data a worker is reading before it reads
// them itself: about what reading a small folder takes.
constexpr std::chrono::microseconds kPatience{50};
// Listings from a warm cache keep a core busy each: more listing threads than cores
// only take turns on them, and take the walk's (on two cores a warm name search of /usr
// took 0.19-0.20 s with one worker listing and the walk, 0.24-0.25 s with three; under the
// load of two busy processes 0.37-0.64 s and 0.55-0.94 s). From a cold disk each listing
// waits for it, and every worker reading ahead halves the time. So while folders list as
// fast as from the cache (FileSearch::kColdListingCost), one worker fewer than there are
// cores lists; past it all of them. A run that tests contents keeps its workers testing
// while the cache is warm and the walk lists: listing ahead there took a core from the
// tests (an absent word in /usr/include and /usr/share 1.09x the time).
// A listing weighs this share in the recent cost, while one as slow as a disk read sets it:
// on a cold disk some folders list fast, their blocks read with a neighbour's, and the next
// is slow again (cold name searches took a tenth to a third longer when each counted alike).
constexpr int kListingWeight = 8;
constexpr std::chrono::microseconds kDiskRead{100};
// What each entry adds to a listing from the cache (its name, sorting), and each entry's
// data read with it (a statx of a cached inode), left out of the cost: a large folder is
// slow to list however warm, and counted whole the few of /usr had all workers list a warm
// search for long stretches (0.23-0.27 s against 0.20-0.22 s); the folders of /usr/include,
// where `*.h` matches nearly every name, took 3-4 us an entry with their data, and turned
// half the warm runs cold.
constexpr std::chrono::nanoseconds kCachedEntryCost{2000};
constexpr std::chrono::nanoseconds kCachedDataCost{4000};
// Entry data are read ahead in steps of this many entries of one pass; the walk keeps
// this many steps of its folder started ahead of the one it is in.
constexpr std::size_t kDataStepEntries = 256;
constexpr std::size_t kDataStepsAhead = 4;

// One entry's data as a worker read it.
struct AheadEntry {
    enum class State : std::uint8_t { Read, Gone, Used };
    std::uint32_t index = 0;
    State state = State::Gone;
    EntryData data;
};

// Reads the data of entries [first, first + count) of the listing that the pass asks for,
// folders left out (their data come with the listing, for every pass).
void ReadPassData(const FolderListing &listing, const EntryDataPlan &plan, std::size_t pass, std::size_t first,
                  std::size_t count, const std::atomic<bool> &abandon, std::vector<AheadEntry> &out)
{
    const std::string &pattern = plan.listingPatterns[pass];
    const std::size_t end = std::min(listing.Count(), first + count);
    for (std::size_t i = first; i < end; ++i) {
        if (abandon.load(std::memory_order_relaxed))
            return;
        const std::string_view name = listing.Name(i);
        if (IsDotEntry(name) || listing.IsFolder(i) || !PatternMatches(pattern, name) ||
            (plan.nameExpression && !plan.nameExpression->Contains(name)) || plan.exclusions.SkipsName(name))
            continue;
        AheadEntry &entry = out.emplace_back();
        entry.index = static_cast<std::uint32_t>(i);
        if (listing.Data(i, entry.data))
            entry.state = AheadEntry::State::Read;
    }
}

// Hands out the data of index from entries (sorted by index); keep leaves it for another
// pass. Only what a worker read counts.
ListingWindow::DataAhead TakeAhead(std::vector<AheadEntry> &entries, std::size_t index, bool keep, EntryData &out)
{
    const auto found = std::lower_bound(entries.begin(), entries.end(), index,
                                        [](const AheadEntry &entry, std::size_t at) { return entry.index < at; });
    if (found == entries.end() || found->index != index || found->state == AheadEntry::State::Used)
        return ListingWindow::DataAhead::NotAhead;
    if (found->state == AheadEntry::State::Gone)
        return ListingWindow::DataAhead::Gone;
    if (keep) {
        out = found->data;
    } else {
        out = std::move(found->data);
        found->state = AheadEntry::State::Used;
    }
    return ListingWindow::DataAhead::Read;
}

} // namespace

// One folder listed ahead of the walk: opened relative to its parent without following a
// link (a folder of the user's list by its path), read, sorted, its entry types settled,
// and the data of its subfolders and of its first entries read as the plan says.
class ListingTask final : public PoolTask {
public:
    // Set before it is queued.
    std::shared_ptr<const SharedFolder> parent; // null: name is a path
    std::string name;
    std::shared_ptr<const EntryDataPlan> plan;

    // Left by Run, for the thread that sees it Done.
    bool listed = false;
    std::chrono::nanoseconds took{0}; // the whole of Run: the listing and the data read with it
    FolderListing listing;
    std::vector<std::uint32_t> subfolders; // indices of the listing's folders, in listing order
    std::vector<AheadEntry> folderData;    // of the subfolders, for every pass
    std::vector<AheadEntry> firstData;     // of the other entries of the first step

    // The window's alone.
    std::vector<std::pair<std::uint32_t, std::shared_ptr<ListingTask>>> children; // by subfolder ordinal
    std::uint64_t plannedIn = 0;
    std::uint64_t queuedAfter = 0; // the call-outs of the walk before it was queued
    bool dropped = false;

    void Run(const std::atomic<bool> &abandon) override
    {
        if (parent && plan->exclusions.SkipsName(name))
            return; // an excluded subfolder: the walk does not queue it
        const auto start = std::chrono::steady_clock::now();
        const int fd = OpenFolderAt(parent ? parent->Descriptor() : AT_FDCWD, name.c_str(), !parent);
        parent.reset();
        if (fd < 0)
            return; // the walk tries again itself, as it would without workers
        if (plan->exclusions.HasIdentities() && (!Examine(fd) || plan->exclusions.SkipsIdentity(*identity_))) {
            close(fd); // only read through; the walk skips an excluded one by its path
            return;
        }
        if (!listing.Adopt(fd, &abandon))
            return;
        listing.ResolveTypes();
        for (std::size_t i = 0; i < listing.Count(); ++i) {
            if (!IsDotEntry(listing.Name(i)) && listing.IsFolder(i))
                subfolders.push_back(static_cast<std::uint32_t>(i));
        }
        // The walk anchors a folder with subfolders, by its identity; for the others it
        // needs one only to check a folder that a call-out may have changed.
        if (!subfolders.empty() && !Examine(listing.Descriptor())) {
            listing.Close();
            return;
        }
        ReadFolderData(abandon);
        if (plan->passes > 0)
            ReadPassData(listing, *plan, 0, 0, kDataStepEntries, abandon, firstData);
        took = std::chrono::steady_clock::now() - start;
        listed = !abandon.load(std::memory_order_relaxed);
    }

    // The listed folder's identity, examined now if Run did not need it; null when it cannot
    // be. Only once the task is done.
    const FileIdentity *Identity() { return Examine(listing.Descriptor()) ? &*identity_ : nullptr; }
    // Entries whose data Run read.
    std::size_t DataRead() const { return folderData.size() + firstData.size(); }

    ListingTask *Child(std::uint32_t ordinal) const
    {
        for (const auto &[at, child] : children) {
            if (at == ordinal)
                return child->dropped ? nullptr : child.get();
        }
        return nullptr;
    }

    // Frees what was read, while the work list still holds the task; only once it is done.
    void Release()
    {
        listing.Close();
        subfolders = {};
        folderData = {};
        firstData = {};
    }

private:
    // True once the identity is known, examining the folder open as fd if it is not yet.
    bool Examine(int fd)
    {
        if (!identity_)
            identity_ = FileIdentityOf(fd);
        return identity_.has_value();
    }

    std::optional<FileIdentity> identity_; // of the folder that was listed, once examined

    // A subfolder's own data are read before anything lists it, as a walk without workers
    // reads them: listing a folder can move its access time.
    void ReadFolderData(const std::atomic<bool> &abandon)
    {
        for (const std::uint32_t index : subfolders) {
            const std::string_view entryName = listing.Name(index);
            bool wanted = false;
            for (std::size_t pass = 0; pass < plan->passes && !wanted; ++pass)
                wanted = PatternMatches(plan->listingPatterns[pass], entryName);
            if (!wanted || abandon.load(std::memory_order_relaxed))
                continue;
            AheadEntry &entry = folderData.emplace_back();
            entry.index = index;
            if (listing.Data(index, entry.data))
                entry.state = AheadEntry::State::Read;
        }
    }
};

// The data of one step of the walk's folder: entries [first, first + kDataStepEntries)
// for one pass.
class EntryDataTask final : public PoolTask {
public:
    EntryDataTask(std::shared_ptr<const ListingTask> folder, std::size_t step, std::size_t pass, std::size_t first)
        : folder_(std::move(folder)), step_(step), pass_(pass), first_(first)
    {
    }

    void Run(const std::atomic<bool> &abandon) override
    {
        ReadPassData(folder_->listing, *folder_->plan, pass_, first_, kDataStepEntries, abandon, data);
    }
    std::size_t Step() const { return step_; }

    std::vector<AheadEntry> data; // left by Run

private:
    const std::shared_ptr<const ListingTask> folder_;
    const std::size_t step_;
    const std::size_t pass_;
    const std::size_t first_;
};

struct ListingWindow::Missing {
    QueuedFolder *entry = nullptr; // a folder of the work list, or else
    ListingTask *parent = nullptr; // the subfolder ordinal of a listed folder
    std::uint32_t ordinal = 0;
    std::size_t position = 0; // in the plan's order
};

struct ListingWindow::Frame {
    ListingTask *task;
    std::size_t next; // subfolders still to plan for, counted down: the last listed comes first
};

ListingWindow::ListingWindow(SearchPool &pool, std::size_t folders, bool descend, EntryDataPlan plan,
                             std::chrono::nanoseconds coldCost, std::size_t warmListers)
    : pool_(pool), folders_(std::max<std::size_t>(1, folders)),
      started_(std::max<std::size_t>(1, folders_ / kKeptPerStarted)), descend_(descend),
      plan_(std::make_shared<const EntryDataPlan>(std::move(plan))), coldCost_(coldCost),
      warmListers_(warmListers),
      // A run starts as if warm; the first listing as slow as a disk read has every worker
      // started list, and a few more start the rest.
      listingTime_(0)
{
}

void ListingWindow::NoteListingTime(std::chrono::nanoseconds took, std::size_t entries, std::size_t dataRead)
{
    const auto entriesCost = kCachedEntryCost * static_cast<std::int64_t>(entries) +
                             kCachedDataCost * static_cast<std::int64_t>(dataRead);
    took = took > entriesCost ? took - entriesCost : std::chrono::nanoseconds{0};
    const bool diskSlow = took >= std::max<std::chrono::nanoseconds>(kDiskRead, coldCost_);
    // The workers not started yet start once folders list from a disk.
    if (!slowListings_.Turned() && slowListings_.Note(diskSlow))
        pool_.StartAllWorkers();
    if (diskSlow && took > listingTime_)
        listingTime_ = took;
    else
        listingTime_ += (took - listingTime_) / kListingWeight;
}

ListingWindow::~ListingWindow() = default;

void ListingWindow::Plan(std::deque<QueuedFolder> &workList, FolderAnchors &anchors)
{
    const std::size_t listers = Cold() ? pool_.Workers() : warmListers_;
    if (listers == 0)
        return; // the listings started already are still taken, or read here if no worker has one
    if (listers != listers_) {
        pool_.SetTaskWorkers(listers);
        listers_ = listers;
    }
    // Planning looks at the whole window; the walk moves one folder at a time, so once in a
    // while is enough, unless the folder it takes next has no listing started.
    // Listings not read yet count in the window at the size the walk's listings have had so
    // far, since a folder's size shows only once it is read: many may wait for small folders,
    // a few for large ones (at least one a worker).
    const std::size_t averageEntries = std::max<std::size_t>(1, listingsTaken_ ? entriesTaken_ / listingsTaken_ : 1);
    const std::size_t mostPending = std::max(pool_.Workers(), std::min(started_, kWindowEntries / averageEntries));
    const bool frontCovered = !workList.empty() && workList.front().ahead && !workList.front().ahead->dropped;
    if (frontCovered && ++stepsSincePlan_ < std::max<std::size_t>(1, mostPending / 2))
        return;
    stepsSincePlan_ = 0;
    const std::uint64_t plan = ++plans_;
    missing_.clear();
    order_.clear();
    std::size_t seen = 0;
    std::size_t entriesHeld = 0;
    auto visit = [&](ListingTask &task) {
        task.plannedIn = plan;
        if (!task.Done()) {
            order_.push_back(&task);
            return;
        }
        entriesHeld += task.listing.Count();
        if (descend_ && task.listed && !task.subfolders.empty())
            stack_.push_back(Frame{&task, task.subfolders.size()});
    };
    auto missing = [&](QueuedFolder *entry, ListingTask *parent, std::uint32_t ordinal) {
        if (seen > started_)
            return; // kept there if read already, but not started so far ahead
        missing_.push_back(Missing{entry, parent, ordinal, order_.size()});
        order_.push_back(nullptr); // its place, filled once it is started
    };
    // The walk's order: each folder of the work list, then what its listing shows below it.
    for (auto entry = workList.begin(); entry != workList.end() && seen < folders_; ++entry) {
        ++seen;
        ListingTask *task = entry->ahead && !entry->ahead->dropped ? entry->ahead.get() : nullptr;
        if (task)
            visit(*task);
        else
            missing(&*entry, nullptr, 0);
        while (!stack_.empty() && seen < folders_) {
            Frame &top = stack_.back();
            if (top.next == 0) {
                stack_.pop_back();
                continue;
            }
            ListingTask &parent = *top.task;
            const auto ordinal = static_cast<std::uint32_t>(--top.next);
            ++seen;
            if (ListingTask *child = parent.Child(ordinal))
                visit(*child);
            else
                missing(nullptr, &parent, ordinal);
        }
        stack_.clear();
    }

    bool started = false;
    std::size_t pending = 0; // listings in the window not read yet
    for (const PoolTask *task : order_)
        pending += task != nullptr;
    for (const Missing &slot : missing_) {
        if (pending >= mostPending || !MakeRoom(entriesHeld))
            break;
        std::shared_ptr<ListingTask> task = Start(slot, anchors);
        if (!task)
            continue;
        task->plannedIn = plan;
        order_[slot.position] = task.get();
        started = true;
        ++pending;
    }
    order_.erase(std::remove(order_.begin(), order_.end(), nullptr), order_.end());
    if (order_.empty())
        return;
    if (started || order_.size() > 1)
        pool_.Prioritize(order_);
    // The walk plans once in several folders, so what waits is worth a wake-up then: waking
    // only for many listings, or for one the walk was about to reach, left a worker asleep
    // for up to 30 ms with 23 listings waiting.
    pool_.Wake();
}

bool ListingWindow::MakeRoom(std::size_t &entriesHeld)
{
    while (live_.size() >= folders_ || entriesHeld >= kWindowEntries) {
        // Only listings outside the window can go, those not started first: no work is lost.
        std::shared_ptr<ListingTask> leaving;
        for (const std::shared_ptr<ListingTask> &task : live_) {
            if (task->plannedIn == plans_)
                continue;
            if (pool_.Withdraw(*task)) {
                task->parent.reset(); // it never ran
                leaving = task;
                break;
            }
            if (!leaving && task->Done())
                leaving = task;
        }
        if (!leaving)
            return false;
        if (leaving->Done())
            entriesHeld -= std::min(entriesHeld, leaving->listing.Count());
        Drop(leaving);
    }
    return true;
}

std::shared_ptr<ListingTask> ListingWindow::Start(const Missing &slot, FolderAnchors &anchors)
{
    auto task = std::make_shared<ListingTask>();
    task->plan = plan_;
    if (slot.entry) {
        QueuedFolder &entry = *slot.entry;
        if (entry.parent) {
            // Siblings share their parent's descriptor.
            if (sharedAnchor_ != entry.parent)
                ShareFolderOf(entry.parent, anchors.Share(entry.parent));
            if (!shareOf_)
                return nullptr; // the walk reaches it itself, as it would without workers
            task->parent = shareOf_;
        }
        task->name = entry.Name();
        entry.ahead = task;
    } else {
        ListingTask &parent = *slot.parent;
        task->parent = parent.listing.Folder();
        task->name = parent.listing.Name(parent.subfolders[slot.ordinal]);
        parent.children.emplace_back(slot.ordinal, task);
    }
    task->queuedAfter = callOuts_;
    live_.push_back(task);
    pool_.Queue(task);
    return task;
}

void ListingWindow::Drop(std::shared_ptr<ListingTask> task)
{
    if (task->dropped)
        return;
    task->dropped = true;
    live_.erase(std::remove(live_.begin(), live_.end(), task), live_.end());
    // A task that never ran lets its parent's folder go now; one under way does so itself.
    if (pool_.Withdraw(*task))
        task->parent.reset();
    for (auto &[ordinal, child] : task->children)
        Drop(child);
    task->children.clear();
    if (task->Done())
        task->Release();
}

void ListingWindow::AwaitDone(PoolTask &task)
{
    if (task.Done() || pool_.RunHere(task))
        return;
    // A worker has it. Meanwhile the walk does the next work waiting, which it would
    // soon wait for too: with a worker listing the folder the walk takes next, and the
    // walk only waiting for it, the two took turns instead of listing side by side.
    while (!task.Done() && pool_.RunNextHere()) {
    }
    // Then it is most likely nearly done. The first moments spin rather than sleep: on a
    // busy machine a thread that yields its core can wait for it much longer than the
    // worker takes. Past them it sleeps until the worker is done: doing the work again
    // here would read the same folder twice, and while the disk is slow (a cold cache) or
    // the worker is preempted the second read would only wait for the same blocks,
    // keeping a core from the worker.
    const auto giveUp = std::chrono::steady_clock::now() + kPatience;
    do {
        if (task.Done())
            return;
    } while (std::chrono::steady_clock::now() < giveUp);
    task.WaitDone();
}

void ListingWindow::SubfoldersQueuedUnder(const FolderAnchorRef &anchor)
{
    if (!taken_ || !anchor)
        return;
    // Their listings open them relative to the taken folder, already open: no descriptor
    // of its own is needed for it.
    ShareFolderOf(anchor, taken_->listing.Folder());
}

void ListingWindow::ShareFolderOf(const FolderAnchorRef &anchor, std::shared_ptr<const SharedFolder> folder)
{
    // The folder shared before may have no other holder left: a worker closes it.
    if (shareOf_)
        pool_.Discard(std::move(shareOf_), folders_);
    shareOf_ = std::move(folder);
    sharedAnchor_ = anchor;
}

const FolderListing &ListingWindow::Take(QueuedFolder &folder, FolderAnchors &anchors, FolderListing &own)
{
    std::shared_ptr<ListingTask> task = std::move(folder.ahead);
    if (task && !task->dropped) {
        live_.erase(std::remove(live_.begin(), live_.end(), task), live_.end());
        // Swapped for a link or another folder since it was listed: the walk opens what is
        // there now, as it would have without workers. Only a sink or the pump can have
        // changed it, and only once the listing was under way: the walk itself changes nothing.
        const bool unchanged = task->queuedAfter == callOuts_;
        AwaitDone(*task);
        if (task->listed)
            NoteListingTime(task->took, task->listing.Count(), task->DataRead());
        const FileIdentity *identity = task->listed && !unchanged ? task->Identity() : nullptr;
        if (task->listed && (unchanged || (identity && anchors.StillLeadsTo(folder.parent, folder.Name(), *identity)))) {
            own.Close(); // an earlier folder's, which would only hold its descriptor and entries
            taken_ = std::move(task);
            entriesTaken_ += taken_->listing.Count();
            ++listingsTaken_;
            dataIssued_ = 1; // the first step came with the listing
            return taken_->listing;
        }
        Drop(task);
    }
    // A folder the walk lists itself counts, with the entry data it reads of it, into the
    // recent cost as a worker's listing does.
    timingOwn_ = true;
    const auto start = std::chrono::steady_clock::now();
    anchors.Open(folder.parent, folder.Name(), own);
    ownTime_ = std::chrono::steady_clock::now() - start;
    ownEntries_ = own.Count();
    ownDataRead_ = 0;
    return own;
}

bool ListingWindow::ReadHere(const FolderListing &listing, std::size_t index, EntryData &out)
{
    if (!timingOwn_)
        return listing.Data(index, out);
    const auto start = std::chrono::steady_clock::now();
    const bool read = listing.Data(index, out);
    ownTime_ += std::chrono::steady_clock::now() - start;
    ++ownDataRead_;
    return read;
}

std::shared_ptr<ListingTask> ListingWindow::TakeSubfolder(std::size_t ordinal)
{
    if (!taken_)
        return nullptr;
    auto &children = taken_->children;
    const auto found = std::find_if(children.begin(), children.end(),
                                    [ordinal](const auto &child) { return child.first == ordinal; });
    if (found == children.end())
        return nullptr;
    std::shared_ptr<ListingTask> child = std::move(found->second);
    children.erase(found);
    return child->dropped ? nullptr : child;
}

void ListingWindow::Leave()
{
    if (timingOwn_) {
        NoteListingTime(ownTime_, ownEntries_, ownDataRead_);
        timingOwn_ = false;
    }
    if (!taken_)
        return;
    for (auto &[ordinal, child] : taken_->children)
        Drop(child);
    taken_->children.clear();
    for (const std::shared_ptr<EntryDataTask> &task : dataTasks_)
        (void)pool_.Withdraw(*task); // false when it ran or runs
    dataTasks_.clear();
    pool_.Discard(std::move(taken_), folders_);
}

const FileIdentity *ListingWindow::TakenIdentity() const
{
    return taken_ ? taken_->Identity() : nullptr;
}

ListingWindow::DataAhead ListingWindow::Data(std::size_t pass, std::size_t index, EntryData &out)
{
    if (!taken_ || pass >= plan_->passes)
        return DataAhead::NotAhead;
    if (taken_->listing.IsFolder(index))
        return TakeAhead(taken_->folderData, index, true, out);
    const std::size_t stepsPerPass = std::max<std::size_t>(1, (taken_->listing.Count() + kDataStepEntries - 1) /
                                                                      kDataStepEntries);
    const std::size_t step = pass * stepsPerPass + index / kDataStepEntries;
    if (step == 0)
        return TakeAhead(taken_->firstData, index, false, out);

    // The walk's passes go one way, so steps before this one are done with.
    while (!dataTasks_.empty() && dataTasks_.front()->Step() < step) {
        (void)pool_.Withdraw(*dataTasks_.front());
        dataTasks_.pop_front();
    }
    const std::size_t last = std::min(step + kDataStepsAhead, plan_->passes * stepsPerPass - 1);
    bool started = false;
    for (dataIssued_ = std::max(dataIssued_, step); dataIssued_ <= last; ++dataIssued_) {
        const std::size_t first = (dataIssued_ % stepsPerPass) * kDataStepEntries;
        auto task = std::make_shared<EntryDataTask>(taken_, dataIssued_, dataIssued_ / stepsPerPass, first);
        dataTasks_.push_back(task);
        pool_.Queue(std::move(task));
        started = true;
    }
    if (started) {
        std::vector<PoolTask *> first{dataTasks_.front().get()};
        pool_.Prioritize(first); // the walk waits for it before anything else
        pool_.Wake();
    }
    EntryDataTask &task = *dataTasks_.front();
    AwaitDone(task);
    return TakeAhead(task.data, index, false, out);
}

} // namespace sifter
