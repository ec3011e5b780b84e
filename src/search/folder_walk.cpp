// SPDX-License-Identifier: GPL-3.0-or-later
// The inner loop of a run: one folder's entries tested against the criteria, and its
// subfolders queued so that the walk goes depth-first.
#include "fs/file_attributes.h"
#include "fs/path.h"
#include "search/file_search.h"
#include "search/name_match.h"
#include "search/search_run.h"

#include <algorithm>
#include <new>

namespace sifter {
namespace {

bool IsHiddenName(std::string_view name)
{
    return !name.empty() && name[0] == '.';
}

} // namespace

bool FileSearch::KeepAlive(Run &run, const std::string *folder, bool atEntry)
{
    if (!Running())
        return false;
    // Tests finished ahead of the walk are reported as soon as it is their turn.
    if (run.pool && !ReportContentTests(run))
        return false;
    if (atEntry ? run.throttle.DueAtStep() : run.throttle.Due()) {
        // Files queued in a slow stretch of the walk wait no longer than one interval.
        if (run.pool)
            run.pool->Kick();
        if (run.listings && run.sinks.eventsMayChangeFiles)
            run.listings->NoteCallOut();
        if (folder && run.sinks.status)
            run.sinks.status->ShowSearchFolder(*folder);
        if (run.sinks.pump)
            run.sinks.pump->DispatchPendingEvents();
    }
    // A Stop pressed during that dispatch takes effect now, not one entry later.
    return Running();
}

int FileSearch::SearchFolder(Run &run, std::string &folder, const FolderListing &listing)
{
    // The folder is already without a trailing "/" (except the root); the listing is read
    // once and every pattern takes its own pass over it, so a name matching two patterns
    // is reported twice.
    run.sharedFolder.reset();
    run.sharedPath.reset();
    for (std::size_t p = 0; p < run.patterns.size(); ++p) {
        for (std::size_t i = 0; i < listing.Count(); ++i) {
            if (!KeepAlive(run, &folder, true))
                return 0;
            const std::string_view name = listing.Name(i);
            if (IsDotEntry(name) || !PatternMatches(run.listingPatterns[p], name) ||
                (run.nameExpression && !run.nameExpression->Contains(name)) || IsExcludedEntry(run, folder, listing, i))
                continue;
            EntryData data;
            bool haveData = false;
            if (!PassesEntryTests(run, listing, p, i, data, haveData))
                continue;

            std::int64_t matchOffset = 0;
            if (run.matcher && run.pool) {
                bool handedOver = false;
                if (!QueueContentTest(run, folder, listing, i, data, haveData, handedOver))
                    return 0;
                if (handedOver)
                    continue;
            }
            if (run.matcher) {
                if (!listing.OpenForReading(i, run.reader))
                    continue; // folders, FIFOs, devices and unreadable files never match
                run.folder = &folder; // a long read keeps showing where the run is
                matchOffset = run.matcher->Match(run.reader, 0);
                run.folder = nullptr;
                run.reader.Close();
                if (matchOffset < 0)
                    continue;
            }
            if (!haveData && !RecordData(run, listing, p, i, data))
                continue; // gone since it was listed

            if (!AddFound(run, std::move(data), folder, matchOffset))
                return 0;
        }
    }
    return 0;
}

bool FileSearch::AddFound(Run &run, EntryData &&data, std::string_view folder, std::int64_t matchOffset)
{
    std::unique_ptr<FoundFile> record(new (std::nothrow) FoundFile);
    if (!record)
        return false;
    FillFoundFile(*record, std::move(data), folder, matchOffset);
    AppendFoundFile(std::move(record));
    if (run.sinks.results) {
        if (run.listings && run.sinks.rowsMayChangeFiles)
            run.listings->NoteCallOut();
        run.sinks.results->AddResultRow(*tail_);
        run.throttle.AfterCallOut();
    }
    return true;
}

bool FileSearch::ReadData(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index,
                          EntryData &data)
{
    if (run.listings) {
        switch (run.listings->Data(pass, index, data)) {
        case ListingWindow::DataAhead::Read:
            return true;
        case ListingWindow::DataAhead::Gone:
            return false;
        case ListingWindow::DataAhead::NotAhead:
            break;
        }
        return run.listings->ReadHere(listing, index, data);
    }
    return listing.Data(index, data);
}

bool FileSearch::RecordData(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index,
                            EntryData &data)
{
    if (entryDataWanted_)
        return ReadData(run, listing, pass, index, data);
    data.name = listing.Name(index);
    return true;
}

bool FileSearch::PassesEntryTests(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index,
                                  EntryData &data, bool &haveData)
{
    const std::string &pattern = run.patterns[pass];
    // Entry data costs a stat; it is read only when an active test needs it.
    auto needData = [&] {
        if (!haveData)
            haveData = ReadData(run, listing, pass, index, data);
        return haveData;
    };
    if (run.sizeTest && (!needData() || !PassesSizeTest(criteria, run.sizeBounds, data.Size())))
        return false;
    if (run.dateTest && (!needData() || !PassesDateTest(criteria, run.dateBounds, data, run.dateValues)))
        return false;
    const std::string_view name = listing.Name(index);
    if (run.attributeData) {
        if (!needData() || !PassesAttributeTest(criteria, data.attributes))
            return false;
    } else if (!criteria.searchHidden && IsHiddenName(name)) {
        return false;
    }
    // An expression has tested the name already, with or without case as asked.
    if (!run.nameExpression) {
        if (criteria.caseSensitive && !NameContains(name, pattern, true))
            return false;
        if (!criteria.searchShortNames && !NameContains(name, pattern, false))
            return false;
    }
    // Last, so that only a file the run would have tested or listed counts as met.
    return !IsExcluded(run, listing, pass, index, data, haveData);
}

bool FileSearch::IsExcludedEntry(const Run &run, const std::string &folder, const FolderListing &listing,
                                 std::size_t index) const
{
    if (run.exclusions.Empty())
        return false;
    const std::string_view name = listing.Name(index);
    if (run.exclusions.SkipsName(name))
        return true;
    return run.exclusions.HasPaths() && listing.IsFolder(index) &&
           run.exclusions.SkipsPath(PathAppend(folder, name));
}

bool FileSearch::IsExcluded(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index,
                            EntryData &data, bool &haveData)
{
    // Only regular files are excluded; a folder the listing knows costs no stat.
    if (excluded_.empty() || listing.IsFolder(index))
        return false;
    if (!haveData)
        haveData = ReadData(run, listing, pass, index, data);
    if (!haveData)
        return false; // gone: nothing of it will be read or listed either
    const auto found = std::find(excluded_.begin(), excluded_.end(), data.identity);
    if (found == excluded_.end())
        return false;
    excludedMet_[static_cast<std::size_t>(found - excluded_.begin())] = true;
    return true;
}

int FileSearch::QueueSubfolders(Run &run, std::deque<QueuedFolder> &workList, const QueuedFolder &folder,
                                const FolderListing &listing)
{
    // Each subfolder goes to the front, so they are visited last-listed first, each with
    // its subtree, before anything queued earlier. Links to folders are not folders here,
    // so a link loop cannot trap the walk.
    FolderAnchorRef anchor; // only a folder with subfolders needs one
    std::size_t ordinal = 0; // of the subfolder, as the listings ahead count them
    for (std::size_t i = 0; i < listing.Count(); ++i) {
        if (!KeepAlive(run, nullptr, true))
            return 0;
        const std::string_view name = listing.Name(i);
        if (IsDotEntry(name) || !listing.IsFolder(i))
            continue;
        if (IsExcludedEntry(run, folder.path, listing, i)) {
            ++ordinal; // its listing ahead, if any, goes with the others not taken
            continue;
        }
        if (!anchor) {
            anchor = run.anchors.Anchor(folder.parent, folder.Name(), listing,
                                        run.listings ? run.listings->TakenIdentity() : nullptr);
            if (!anchor)
                return 1; // the folder cannot be examined, so no subfolder can be opened safely
        }
        std::string path = PathAppend(folder.path, name);
        const std::size_t nameAt = path.size() - name.size();
        workList.push_front(
            QueuedFolder{std::move(path), nameAt, anchor, run.listings ? run.listings->TakeSubfolder(ordinal) : nullptr});
        ++ordinal;
    }
    if (run.listings)
        run.listings->SubfoldersQueuedUnder(anchor);
    return 1;
}

} // namespace sifter
