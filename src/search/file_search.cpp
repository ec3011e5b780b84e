// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/file_search.h"

#include "fs/descriptor_limit.h"
#include "fs/file_attributes.h"
#include "fs/path.h"
#include "fs/usable_cores.h"
#include "search/content_words.h"
#include "search/criteria_expressions.h"
#include "search/name_match.h"
#include "search/relative_dates.h"
#include "search/search_run.h"
#include "search/split_list.h"
#include "search/text_field.h"
#include "text/code_page.h"

#include <algorithm>
#include <ctime>

namespace sifter {
namespace {

constexpr char kListSeparator = ';';
constexpr char kDriveSeparator = ':';
constexpr const char *kEveryEntryPattern = "*.*";
constexpr const char *kEveryNamePattern = "*";

// Marks the run in progress for as long as RunSearch is on the stack.
class InRunGuard {
public:
    explicit InRunGuard(bool &flag) : flag_(flag) { flag_ = true; }
    ~InRunGuard() { flag_ = false; }
    InRunGuard(const InRunGuard &) = delete;
    InRunGuard &operator=(const InRunGuard &) = delete;

private:
    bool &flag_;
};

// A typed folder as the walk uses it: home expanded, the drive-letter step (harmless on
// Linux), no trailing "/" except for the root.
} // namespace

std::string NormalizedFolder(const std::string &typed)
{
    std::string folder = PathExpandHome(typed);
    if (folder.size() > 1 && folder[1] == kDriveSeparator && folder[0] >= 'a' && folder[0] <= 'z')
        folder[0] = static_cast<char>(folder[0] - 'a' + 'A');
    while (PathRemoveTrailingSeparator(folder)) {
    }
    return folder;
}

namespace {

// How far the content tests may run ahead of the walk, in files per worker: enough that a
// slow file at the head keeps no worker idle for long (more cost more than they saved: an
// absent word through /usr/include and /usr/share took 0.265 s with 16, 0.28 s with 64).
constexpr std::size_t kWindowFilesPerThread = 16;
// How many tested files may wait behind a test still under way at the window's head, so
// that the other threads go on while one reads a large file (5-9 ms of a thread's idling
// each time, 4% of that search).
constexpr std::size_t kHeldFilesPerThread = 128;
// How many folders may be listed ahead of the walk, per worker: enough that the walk
// rarely waits for the next one, few enough that overtaken listings cost little.
constexpr std::size_t kListingsPerThread = 32;
// The same share of the descriptor limit as the walk's own folders keep to.
constexpr std::size_t kPoolShareOfDescriptors = 4;
constexpr std::size_t kDescriptorLimitUnknown = 1024;
// Each listing ahead holds its folder, and its parent's until it is opened; each the walk
// is done with holds its folder until a worker frees it, no more of them than fit the window.
constexpr std::size_t kDescriptorsPerListing = 3;

} // namespace

std::vector<std::string> SearchedFolders(const SearchCriteria &criteria)
{
    std::vector<std::string> typed;
    SplitList(TextField(criteria.folders), kListSeparator, typed, DuplicateRule::Exact);
    std::vector<std::string> folders;
    for (const std::string &text : typed) {
        std::string folder = NormalizedFolder(text);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

FileSearch::FileSearch()
{
    ResetCriteria();
}

FileSearch::~FileSearch()
{
    FreeAllRecords();
}

void FileSearch::ResetCriteria()
{
    sifter::ResetCriteria(criteria, CurrentLocalTime());
    extras = ExtraCriteria{};
}

std::size_t FileSearch::WorkerThreads() const
{
    return WorkerThreads(UsableCores());
}

std::size_t FileSearch::WorkerThreads(std::size_t cores) const
{
    if (workerThreads_ != 0)
        return workerThreads_;
    // Listing folders and reading files keep threads waiting for the disk while the cache is
    // cold, so a machine with few cores still gets a few (on two cores, cold name searches
    // took half the time with four threads as with two, and warm ones no longer).
    return std::max<std::size_t>(kLeastDefaultThreads, cores);
}

void FileSearch::SetExcludedFiles(std::vector<FileIdentity> files)
{
    excluded_ = std::move(files);
    excludedMet_.assign(excluded_.size(), false);
}

std::vector<FileIdentity> FileSearch::ExcludedFilesMet() const
{
    std::vector<FileIdentity> met;
    for (std::size_t i = 0; i < excluded_.size(); ++i) {
        if (excludedMet_[i] && std::find(met.begin(), met.end(), excluded_[i]) == met.end())
            met.push_back(excluded_[i]);
    }
    return met;
}

void FileSearch::StartPool(Run &run)
{
    // The pool's share of descriptors covers the files its workers have open, the folders
    // of its content window and the listings ahead, so that nothing fails for want of one.
    const std::size_t share = DescriptorLimit(kDescriptorLimitUnknown) / kPoolShareOfDescriptors;
    // The processors this process may use, not the machine's: on one of two (taskset, a
    // container) a warm name search of /usr took 300 ms with a worker listing beside the
    // walk, 243 ms on one thread. A first worker starts there too, for a cold disk.
    const std::size_t cores = UsableCores();
    const std::size_t threads = std::min(WorkerThreads(cores), share / 2);
    if (threads <= 1)
        return;
    const std::size_t rest = share - threads;
    // Half of what the workers' files leave, at most, goes to the listings.
    const std::size_t listings = std::min(threads * kListingsPerThread, rest / (2 * kDescriptorsPerListing));
    const std::size_t window = std::min(threads * kHeldFilesPerThread, rest - kDescriptorsPerListing * listings);
    SearchPool::MatcherFactory makeMatcher;
    // The workers' matchers share what the run's own matcher prepared once.
    if (run.matcher)
        makeMatcher = [&run] { return run.matcher->ForAnotherThread(); };
    const bool alwaysCold = coldCost_.count() == 0 || coldTestCost_.count() == 0;
    const std::size_t firstWorkers =
        alwaysCold ? SIZE_MAX : std::max<std::size_t>(1, cores - 1);
    run.pool = std::make_unique<SearchPool>(threads, window, makeMatcher, firstWorkers, cores);
    run.pool->SetColdTestCost(coldTestCost_);
    run.pool->LimitUndone(threads * kWindowFilesPerThread);
    if (run.pool->Workers() == 0) {
        run.pool.reset(); // no thread could be started: everything is done here
        return;
    }
    if (listings == 0)
        return;
    EntryDataPlan plan;
    plan.listingPatterns = run.listingPatterns;
    plan.exclusions = run.exclusions;
    plan.nameExpression = run.nameExpression;
    // A content test reads files, and reading moves their access times: ahead of the walk
    // go only the data it reads before it reads any file, the first pass's.
    const bool testsNeedData = run.sizeTest || run.dateTest || run.attributeData || !excluded_.empty();
    const std::size_t namePasses = entryDataWanted_ || testsNeedData ? run.patterns.size() : 0;
    plan.passes = !run.matcher ? namePasses : testsNeedData ? 1 : 0;
    // From a warm cache, the walk and one worker fewer than the cores list (on one core the
    // walk alone); where contents are tested, the workers test and the walk lists.
    const std::size_t warmListers = run.matcher ? 0 : cores - 1;
    run.listings = std::make_unique<ListingWindow>(*run.pool, listings, criteria.searchSubfolders != 0,
                                                   std::move(plan), coldCost_, warmListers);
}

bool FileSearch::AppendFoundFile(std::unique_ptr<FoundFile> record)
{
    if (!record)
        return false;
    FoundFile *added = record.release();
    added->owner = this;
    added->next = nullptr;
    added->prev = tail_;
    if (tail_)
        tail_->next = added;
    else
        head_ = added;
    tail_ = added;
    return true;
}

bool FileSearch::RemoveFoundFile(FoundFile *record)
{
    if (!record || record->owner != this)
        return false;
    if (record->prev)
        record->prev->next = record->next;
    else
        head_ = record->next;
    if (record->next)
        record->next->prev = record->prev;
    else
        tail_ = record->prev;
    delete record;
    return true;
}

bool FileSearch::ClearFoundFiles()
{
    if (inRun_)
        return false;
    FreeAllRecords();
    return true;
}

void FileSearch::FreeAllRecords()
{
    while (head_) {
        FoundFile *next = head_->next;
        delete head_;
        head_ = next;
    }
    tail_ = nullptr;
}

bool FileSearch::TakeFoundFiles(FileSearch &other)
{
    if (inRun_ || other.inRun_ || &other == this)
        return false;
    for (FoundFile *record = other.head_; record; record = record->next)
        record->owner = this;
    if (!other.head_)
        return true;
    other.head_->prev = tail_;
    if (tail_)
        tail_->next = other.head_;
    else
        head_ = other.head_;
    tail_ = other.tail_;
    other.head_ = other.tail_ = nullptr;
    return true;
}

std::size_t FileSearch::CountFoundFiles() const
{
    std::size_t count = 0;
    for (const FoundFile *record = head_; record; record = record->next)
        ++count;
    return count;
}

void FileSearch::FillFoundFile(FoundFile &record, EntryData &&findData, std::string_view folder,
                               std::int64_t matchOffset)
{
    record.SetFolder(folderTexts_.Share(folder));
    record.size = findData.Size();
    if (typeNamesWanted_)
        record.SetTypeName(
            typeNameTexts_.Share(typeNames_.TypeName(findData.name, (findData.attributes & kAttributeFolder) != 0)));
    record.TakeName(std::move(findData.name));
    record.lastWriteTime = findData.lastWriteTime;
    record.creationTime = findData.creationTime;
    record.lastAccessTime = findData.lastAccessTime;
    record.attributes = findData.attributes;
    record.SetShortName(findData.shortName);
    record.matchOffset = matchOffset;
}

int FileSearch::RunSearch(const SearchSinks &sinks)
{
    // A run started from inside a run's pump would empty the list under the outer run.
    if (inRun_)
        return -1;
    InRunGuard guard(inRun_);
    // The rows go before their records, so that nothing can show a freed record.
    if (sinks.results)
        sinks.results->ClearResultRows();
    FreeAllRecords();
    excludedMet_.assign(excluded_.size(), false);

    listingsTakenAhead_ = 0;
    Run run;
    run.sinks = sinks;
    std::deque<QueuedFolder> workList;
    if (!PrepareRun(run, workList))
        return 0;

    FolderListing own; // the listings the walk reads itself
    while (!workList.empty() && Running()) {
        if (run.listings)
            run.listings->Plan(workList, run.anchors);
        QueuedFolder folder = std::move(workList.front());
        workList.pop_front();
        // A folder that cannot be listed has no entries and contributes nothing.
        const FolderListing *listing = &own;
        if (run.listings)
            listing = &run.listings->Take(folder, run.anchors, own);
        else
            run.anchors.Open(folder.parent, folder.Name(), own);
        SearchFolder(run, folder.path, *listing);
        // The workers test the folder's files while the walk lists the next one.
        if (run.pool)
            run.pool->HandOver();
        if (criteria.searchSubfolders)
            QueueSubfolders(run, workList, folder, *listing);
        if (run.listings)
            run.listings->Leave();
    }
    listingsTakenAhead_ = run.listings ? run.listings->ListingsTaken() : 0;
    // The pool goes with the run: a stop abandons what is still in its window.
    if (run.pool && Running())
        FinishContentTests(run);
    return 0;
}

bool FileSearch::PrepareRun(Run &run, std::deque<QueuedFolder> &workList)
{
    // An invalid expression ends the run at once; the window and sifter-cli refuse it before.
    std::shared_ptr<const TextExpression> wordsExpression;
    if (extras.regexNames && !TextField(criteria.names).empty()) {
        run.nameExpression = NameExpressionOf(criteria, extras);
        if (!run.nameExpression)
            return false;
        run.patterns.emplace_back(TextField(criteria.names));
    } else {
        SplitList(TextField(criteria.names), kListSeparator, run.patterns);
    }
    if (extras.regexWords && !TextField(criteria.words).empty()) {
        run.phrase = TextField(criteria.words);
        wordsExpression = WordsExpressionOf(criteria, extras);
        if (!wordsExpression)
            return false;
    } else {
        ContentWords words;
        if (!CriteriaContentWords(criteria, words))
            return false;
        run.words = std::move(words.words);
        run.phrase = std::move(words.phrase);
    }
    std::vector<std::string> folders = SearchedFolders(criteria);
    run.exclusions.Prepare(extras.excludes, folders);
    // A searched folder inside an excluded one is skipped whole, as it would be below it.
    std::erase_if(folders, [&run](const std::string &folder) { return run.exclusions.SkipsPath(folder); });
    if (folders.empty())
        return false;

    run.sizeBounds = ComputeSizeBounds(criteria);
    // Relative bounds count from now, at every run: a saved search run later is up to date.
    ApplyRelativeDates(extras, criteria, static_cast<std::int64_t>(std::time(nullptr)));
    run.dateBounds = PrepareDateBounds(criteria);
    run.sizeTest = HasSizeTest(criteria);
    run.dateTest = HasDateTest(criteria);
    run.attributeData = AttributeTestNeedsData(criteria);

    for (std::string &folder : folders)
        workList.push_back(QueuedFolder{std::move(folder), 0, nullptr, nullptr});

    if (run.patterns.empty())
        run.patterns.emplace_back(kEveryEntryPattern);
    for (const std::string &pattern : run.patterns) {
        if (run.nameExpression)
            run.listingPatterns.emplace_back(kEveryNamePattern); // the expression tests each name
        else
            run.listingPatterns.push_back(HasWildcards(pattern) ? pattern : "*" + pattern + "*");
    }

    if (wordsExpression) {
        run.matcher = std::make_unique<ContentMatcher>(std::move(wordsExpression), criteria.wordMode);
        run.matcher->SetChunkCallback([this, &run] { return KeepAlive(run, run.folder); });
    } else if (!run.phrase.empty()) {
        run.matcher = std::make_unique<ContentMatcher>(run.phrase, run.words, criteria.wordMode,
                                                       criteria.unicodeUtf8 != 0, criteria.hexadecimal != 0);
        run.matcher->SetChunkCallback([this, &run] { return KeepAlive(run, run.folder); });
    }
    StartPool(run);
    return true;
}

} // namespace sifter
