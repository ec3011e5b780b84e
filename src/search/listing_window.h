// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folder listings read on the pool's workers ahead of the walk, within a window of folders,
// and handed to the walk in its own order. The walk is depth-first: a folder's subfolders go
// to the front of the work list, last listed first. So the folders it takes next are the
// front of its work list with each listed folder followed by its subfolders, and theirs in
// turn: the window covers those, as far as the listings read so far tell, and workers take
// the nearest first. A listing that newly known subfolders push out of the window keeps its
// place while there is room, and is dropped for a nearer one when there is not (it is read
// again when the walk gets there). The walk only ever takes the listing of the folder it
// takes, checked to be still that folder; the filters, records and sinks stay with the walk.
#include "fs/file_identity.h"
#include "fs/folder_anchor.h"
#include "fs/folder_listing.h"
#include "search/exclusions.h"
#include "search/search_pool.h"
#include "search/slow_steps.h"
#include "search/text_expression.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace sifter {

class ListingTask;
class EntryDataTask;

// A folder of the work list: its whole path, as records and the status show it, and how
// to open it without that path, which may be longer than the system accepts.
struct QueuedFolder {
    std::string path;
    std::size_t nameAt = 0; // where its name (the last component) starts in path
    FolderAnchorRef parent; // null for a folder of the user's list, opened by its path
    std::shared_ptr<ListingTask> ahead; // its listing read ahead, if one was started

    const char *Name() const { return path.c_str() + nameAt; }
};

// Which entry data the walk asks a listing for, so that workers read them first: in each
// of the first passes (one per pattern), the data of every entry other than "." and ".."
// that the pass's pattern matches.
struct EntryDataPlan {
    std::vector<std::string> listingPatterns;
    std::size_t passes = 0; // 0: no data read ahead
    Exclusions exclusions;  // folders not listed ahead, since the walk never enters them
    // Names whose data are read ahead must match it too (null: no expression); the walk
    // reads no other entry's data.
    std::shared_ptr<const TextExpression> nameExpression;
};

class ListingWindow {
public:
    // Keeps at most folders listings ahead (and their entries to about a window's worth);
    // subfolders are planned for only when descend is set. While folders list faster than
    // coldCost (a warm cache) at most warmListers workers list at once (none: the walk
    // lists), else all of them; a coldCost of 0 has all of them list always.
    ListingWindow(SearchPool &pool, std::size_t folders, bool descend, EntryDataPlan plan,
                  std::chrono::nanoseconds coldCost, std::size_t warmListers);
    ~ListingWindow();
    ListingWindow(const ListingWindow &) = delete;
    ListingWindow &operator=(const ListingWindow &) = delete;

    // Starts listings for the folders the walk takes next, nearest first, as far as the
    // window reaches.
    void Plan(std::deque<QueuedFolder> &workList, FolderAnchors &anchors);
    // The listings ahead the walk has taken so far.
    std::size_t ListingsTaken() const { return listingsTaken_; }
    // The listing of the folder the walk takes now: the one read ahead when it is read (or
    // a worker finishes it within moments) and still that folder's, else own, filled as a
    // walk without workers fills it. Valid until Leave.
    const FolderListing &Take(QueuedFolder &folder, FolderAnchors &anchors, FolderListing &own);
    // The listing read ahead for the taken folder's subfolder of that ordinal (counted
    // over its subfolders in listing order), for its work-list entry; null when none.
    std::shared_ptr<ListingTask> TakeSubfolder(std::size_t ordinal);
    // The taken folder's subfolders went to the work list with anchor as their parent.
    void SubfoldersQueuedUnder(const FolderAnchorRef &anchor);
    // The identity of the taken folder as its listing ahead found it (examined now when the
    // worker had no need to); null when the walk listed it itself or it cannot be examined.
    const FileIdentity *TakenIdentity() const;
    // Done with the taken folder: what was read ahead for it and not taken goes.
    void Leave();
    // Reads the data of the taken folder's entry on the walk (when Data gave NotAhead), timed
    // with its listing when the walk listed the folder itself.
    bool ReadHere(const FolderListing &listing, std::size_t index, EntryData &out);

    // The walk has called a sink or the pump, which may have changed any folder.
    void NoteCallOut() { ++callOuts_; }

    enum class DataAhead { Read, Gone, NotAhead };
    // The data of the taken folder's entry index for the pass, as read ahead: Gone when the
    // entry was gone by then, NotAhead when it was not read ahead (the walk reads it itself).
    DataAhead Data(std::size_t pass, std::size_t index, EntryData &out);

private:
    struct Missing;
    void Drop(std::shared_ptr<ListingTask> task);
    // Drops listings outside the window until there is room for one more; false when none can go.
    bool MakeRoom(std::size_t &entriesHeld);
    std::shared_ptr<ListingTask> Start(const Missing &slot, FolderAnchors &anchors);
    // Shares folder, anchor's, with the listings of the anchor's subfolders from now on.
    void ShareFolderOf(const FolderAnchorRef &anchor, std::shared_ptr<const SharedFolder> folder);
    // Returns once the task is done: run here when no worker has it yet, else waited for.
    void AwaitDone(PoolTask &task);
    // Counts what one folder's listing of entries and the data of dataRead of them took into
    // the recent cost.
    void NoteListingTime(std::chrono::nanoseconds took, std::size_t entries, std::size_t dataRead);
    // True while recent folders listed as slowly as from a disk.
    bool Cold() const { return listingTime_ >= coldCost_; }

    SearchPool &pool_;
    const std::size_t folders_;
    const std::size_t started_; // listings are started within this many folders of the walk
    const bool descend_;
    const std::shared_ptr<const EntryDataPlan> plan_;
    const std::chrono::nanoseconds coldCost_;
    const std::size_t warmListers_;
    std::size_t listers_ = 0;              // the workers that may list now, as last told the pool
    std::chrono::nanoseconds listingTime_; // what recent folders' listing and data cost
    SlowSteps slowListings_;
    bool timingOwn_ = false;                // the walk listed the taken folder, timed
    std::chrono::nanoseconds ownTime_{0};   // what its listing and data took so far
    std::size_t ownEntries_ = 0;            // and how many entries it has
    std::size_t ownDataRead_ = 0;           // and of how many the walk read the data

    std::vector<std::shared_ptr<ListingTask>> live_; // started and neither taken nor dropped
    std::uint64_t plans_ = 0;
    std::size_t stepsSincePlan_ = 0;
    std::size_t entriesTaken_ = 0; // in the listings the walk took from the window
    std::size_t listingsTaken_ = 0;
    std::uint64_t callOuts_ = 0;
    std::shared_ptr<ListingTask> taken_; // the folder the walk is in, when read ahead
    std::deque<std::shared_ptr<EntryDataTask>> dataTasks_; // of taken_, in walk order
    std::size_t dataIssued_ = 0; // entry-data steps of taken_ started so far

    // Kept between plans, so that planning allocates nothing once they have grown.
    std::vector<Missing> missing_;
    std::vector<PoolTask *> order_;
    struct Frame;
    std::vector<Frame> stack_;
    std::shared_ptr<const SharedFolder> shareOf_; // a parent's folder, for its subfolders' listings
    FolderAnchorRef sharedAnchor_;                // the parent it is
};

} // namespace sifter
