// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FileSearch: the criteria, the result set (a doubly linked list of FoundFile records in
// the order found), the running flag, and the search run itself.
#include "desktop/type_names.h"
#include "fs/folder_listing.h"
#include "search/extra_criteria.h"
#include "search/found_file.h"
#include "search/search_criteria.h"
#include "search/search_sinks.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace sifter {

struct QueuedFolder;

// The folders a run of these criteria walks, in the order typed: split at ";", the home
// expanded, no trailing "/", each once.
std::vector<std::string> SearchedFolders(const SearchCriteria &criteria);
// One typed folder as the walk writes it: the home expanded, no trailing "/".
std::string NormalizedFolder(const std::string &typed);

class FileSearch {
public:
    // Empty list, running flag cleared, default criteria (ResetCriteria).
    FileSearch();
    // Frees every record. Must not run while RunSearch is on the stack (the document waits
    // for the run to wind down before it is destroyed).
    ~FileSearch();
    FileSearch(const FileSearch &) = delete;
    FileSearch &operator=(const FileSearch &) = delete;

    SearchCriteria criteria{};
    // The criteria the record has no room for; stored after it in result files.
    ExtraCriteria extras;

    // Defaults for every criterion; the four SYSTEMTIMEs take the current local time.
    void ResetCriteria();

    // The running flag: the caller sets it before RunSearch and clears it afterwards;
    // clearing it during a run (from a sink or the pump) asks the run to stop.
    bool Running() const { return running_ != 0; }
    void SetRunning(bool running) { running_ = running ? 1 : 0; }
    // True while RunSearch is in progress (records must not be freed then).
    bool InRun() const { return inRun_; }

    // Threads that list folders and test file contents during a run, ahead of the walk: 1
    // lists and tests everything on the calling thread as the walk reaches it; 0 (the
    // default) means one per core, and at least kLeastDefaultThreads. A run without a content test counts the calling thread
    // among them. The records, their order and the sinks' calls are the same for every count.
    void SetWorkerThreads(std::size_t threads) { workerThreads_ = threads; }
    // The count a run uses: the one set, or the default for 0.
    std::size_t WorkerThreads() const;
    static constexpr std::size_t kLeastDefaultThreads = 4;
    // With workers, folders are listed ahead of the walk by every worker while listing one
    // (with the entry data read with it) takes longer than cost, as from a cold disk; from a
    // warm cache by one worker fewer than there are cores, the walk keeping the last one (by
    // the walk alone where contents are tested, the workers testing them). 0
    // has every worker list always, as the tests of the hand-over need on small cached
    // trees. The records are the same for every cost.
    static constexpr std::chrono::microseconds kColdListingCost{20};
    void SetColdListingCost(std::chrono::microseconds cost) { coldCost_ = cost; }
    // A run starts a thread per core, the walk one of them (where contents are tested it
    // tests files itself whenever it would wait for the workers: with a worker per core
    // beside it, an absent word through /usr/include and /usr/share took 0.30 s on two
    // cores against 0.27 s), and the others once a few folders have listed as slowly as
    // from a disk or a few content tests read from one (as the file system tells; where it
    // cannot, they took longer than cost beyond their bytes' share: from the cache most took
    // 7-14 us, from the disk 175-420 us): from the cache more
    // threads than cores only take turns on them (an absent word in a warm tree took 0.10 s
    // with two workers, 0.11-0.16 s with four), while a disk keeps every one waiting. A
    // listing or test cost of 0 starts every worker at once.
    static constexpr std::chrono::microseconds kColdTestCost{50};
    void SetColdTestCost(std::chrono::microseconds cost) { coldTestCost_ = cost; }

    // Files that no run lists or reads, by identity (through a link too): the caller's own
    // output, which a search would otherwise read while it is written. None by default.
    void SetExcludedFiles(std::vector<FileIdentity> files);
    // Those of them the last run left out where it would have tested or listed them, in
    // the order set, each once.
    std::vector<FileIdentity> ExcludedFilesMet() const;
    // How many folders the last run took listed ahead by its workers.
    std::size_t ListingsTakenAhead() const { return listingsTakenAhead_; }

    // One run with the current criteria: tells sinks.results to clear its rows, empties
    // the result set, then appends every match to the list and tells sinks.results about
    // it. Returns 0; -1 (nothing done) when called while a run is already in progress.
    int RunSearch(const SearchSinks &sinks);

    // List operations. The list owns its records.
    FoundFile *Head() const { return head_; }
    FoundFile *Tail() const { return tail_; }
    // Links the record after the tail and takes it over; false for no record.
    bool AppendFoundFile(std::unique_ptr<FoundFile> record);
    // Unlinks and frees a record of this list; false for no record or one this list does
    // not own. Allowed during a run: the run keeps no record across a pump.
    bool RemoveFoundFile(FoundFile *record);
    // Frees every record. Refused (false, nothing freed) while a run is in progress, so a
    // reset from inside the run's pump can never free records the run or the rows use.
    bool ClearFoundFiles();
    // Number of records, by walking the list.
    std::size_t CountFoundFiles() const;
    // Moves every record of other to the end of this list (other is left empty); false,
    // nothing moved, while either is in a run.
    bool TakeFoundFiles(FileSearch &other);

    // Whether records get their type name: on by default, as the window shows it and result
    // files store it. A caller that does neither (sifter-cli printing paths) turns it off,
    // and the runs then look up no type and leave every record's type name empty.
    void SetTypeNamesWanted(bool wanted) { typeNamesWanted_ = wanted; }
    // Whether records get their entry's data (size, times, attributes): on by default, as
    // the window shows them and result files store them. A caller that does neither
    // (sifter-cli printing paths) turns it off; records then hold their name and folder
    // only, and an entry is examined only where a test needs its data.
    void SetEntryDataWanted(bool wanted) { entryDataWanted_ = wanted; }
    // How many names the type lookup has looked up in the MIME database so far (once per
    // distinct extension; its cache answers the rest).
    std::size_t TypeNameLookups() const { return typeNames_.DatabaseLookups(); }

    // Fills the record from the entry (taking its name over), the folder text and the match
    // offset; the type name (when wanted) comes from the per-extension cached type lookup.
    // Records of one folder share its text, and records of one type their type name.
    void FillFoundFile(FoundFile &record, EntryData &&findData, std::string_view folder, std::int64_t matchOffset);

private:
    struct Run;

    // Splits and decodes the criteria into run; false when the run ends at once.
    bool PrepareRun(Run &run, std::deque<QueuedFolder> &workList);
    // Starts the worker threads of a run, when more than one, and its listings ahead.
    void StartPool(Run &run);
    // WorkerThreads for a process that may run on cores processors.
    std::size_t WorkerThreads(std::size_t cores) const;
    void FreeAllRecords();

    int SearchFolder(Run &run, std::string &folder, const FolderListing &listing);
    int QueueSubfolders(Run &run, std::deque<QueuedFolder> &workList, const QueuedFolder &folder,
                        const FolderListing &listing);
    bool PassesEntryTests(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index,
                          EntryData &data, bool &haveData);
    // True when the Exclude criterion skips the entry of the folder.
    bool IsExcludedEntry(const Run &run, const std::string &folder, const FolderListing &listing,
                         std::size_t index) const;
    // True (and noted as met) when the entry is one of the excluded files.
    bool IsExcluded(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index, EntryData &data,
                    bool &haveData);
    // The entry's data for the pass over the listing, as read ahead or else read now;
    // false when it is gone.
    bool ReadData(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index, EntryData &data);
    // What a record of the entry holds when no test read its data: the data read now, or
    // its name alone when records want no data; false when it is gone.
    bool RecordData(Run &run, const FolderListing &listing, std::size_t pass, std::size_t index, EntryData &data);
    // Throttled pump (and status text when folder is given), after reporting the content
    // tests finished ahead of the walk; false when asked to stop.
    // atEntry: called once per directory entry, a step too short to read the clock for.
    bool KeepAlive(Run &run, const std::string *folder, bool atEntry = false);
    // Appends a record for the entry and tells the results sink; false when out of memory.
    bool AddFound(Run &run, EntryData &&data, std::string_view folder, std::int64_t matchOffset);

    // Content tests on the pool (content_tests.cpp). Each returns false when the run stops.
    // Hands the entry's test to the pool: handedOver false means it is to be tested here,
    // which keeps the order because the window is empty then.
    bool QueueContentTest(Run &run, const std::string &folder, const FolderListing &listing, std::size_t index,
                          EntryData &data, bool haveData, bool &handedOver);
    // Reports the finished tests at the window's head, in walk order.
    bool ReportContentTests(Run &run);
    // Waits, reporting, until the window has room for one more test.
    bool MakeContentRoom(Run &run);
    // Waits, reporting, until every test handed over is reported.
    bool FinishContentTests(Run &run);
    // Tests a queued file here, or else waits a while for the oldest count to be done;
    // then reports what is done.
    bool AdvanceContentTests(Run &run, std::size_t count);

    FoundFile *head_ = nullptr;
    FoundFile *tail_ = nullptr;
    std::uint8_t running_ = 0;
    bool inRun_ = false;
    std::size_t workerThreads_ = 0;
    std::chrono::microseconds coldCost_ = kColdListingCost;
    std::chrono::microseconds coldTestCost_ = kColdTestCost;
    std::size_t listingsTakenAhead_ = 0;
    std::vector<FileIdentity> excluded_;
    std::vector<bool> excludedMet_; // per excluded file, during and after a run
    TypeNames typeNames_;
    bool typeNamesWanted_ = true;
    bool entryDataWanted_ = true;
    FoundFile::TextShare folderTexts_;
    FoundFile::TextShare typeNameTexts_;
};

} // namespace sifter
