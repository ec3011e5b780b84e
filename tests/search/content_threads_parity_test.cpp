// SPDX-License-Identifier: GPL-3.0-or-later
// A run on several threads reports exactly what one thread reports: the same records,
// every field and the match offset, in the same order, on generated trees and on hostile
// ones, for every word mode and word form, and with the folders listed ahead of the walk
// for every name and entry test.
#include "fs/file_identity.h"
#include "search/content_matcher.h"
#include "search/file_search.h"
#include "search/found_file.h"
#include "search/run_helpers.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::RecordingSinks;
using test::SetTexts;
using test::TempTree;

const std::string kGruesse = "Gr\xC3\xBC\xC3\x9F" "e";          // as typed (UTF-8)
const std::string kGruesseUtf16("G\0r\0\xFC\0\xDF\0e\0", 10); // its UTF-16LE form
const std::string kHexBytes("\xDE\xAD\xBE\xEF", 4);

// What a run reported, record by record: the whole path and the stored bytes (every
// number, the texts as saved, the match offset).
struct Reported {
    std::string path;
    FoundFileBytes stored;
    bool operator==(const Reported &) const = default;
};

struct RunOutcome {
    std::vector<Reported> records;
    bool sinkMatchesList = true;     // the rows told are the list's records, in its order
    bool sinkOnCallingThread = true; // every row was told on the thread that ran the search
};

RunOutcome RunOnThreads(FileSearch &search, std::size_t threads)
{
    RecordingSinks sinks;
    RunOutcome outcome;
    const std::thread::id caller = std::this_thread::get_id();
    sinks.onRow = [&](FoundFile &) {
        if (std::this_thread::get_id() != caller)
            outcome.sinkOnCallingThread = false;
    };
    test::SetThreadsListingAsCold(search, threads);
    test::Run(search, sinks);
    std::size_t index = 0;
    for (const FoundFile *record = search.Head(); record; record = record->next, ++index) {
        outcome.records.push_back({record->Path(), EncodeFoundFile(record->Stored())});
        if (index >= sinks.rows.size() || sinks.rows[index] != record)
            outcome.sinkMatchesList = false;
    }
    if (index != sinks.rows.size())
        outcome.sinkMatchesList = false;
    return outcome;
}

// Names the first difference, so that a failure says where the runs part.
std::string FirstDifference(const std::vector<Reported> &one, const std::vector<Reported> &many)
{
    const std::size_t common = std::min(one.size(), many.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (one[i].path != many[i].path)
            return "record " + std::to_string(i) + ": " + one[i].path + " vs " + many[i].path;
        if (one[i].stored != many[i].stored) {
            const FoundFileRecord a = DecodeFoundFile(one[i].stored);
            const FoundFileRecord b = DecodeFoundFile(many[i].stored);
            return "record " + std::to_string(i) + " (" + one[i].path + ") differs in its fields: size " +
                   std::to_string(a.size) + "/" + std::to_string(b.size) + ", written " +
                   std::to_string(a.lastWriteTime) + "/" + std::to_string(b.lastWriteTime) + ", accessed " +
                   std::to_string(a.lastAccessTime) + "/" + std::to_string(b.lastAccessTime) + ", created " +
                   std::to_string(a.creationTime) + "/" + std::to_string(b.creationTime) + ", attributes " +
                   std::to_string(a.attributes) + "/" + std::to_string(b.attributes);
        }
    }
    if (one.size() != many.size())
        return "counts " + std::to_string(one.size()) + " vs " + std::to_string(many.size());
    return "none";
}

// Runs the configured criteria on one thread and on each of counts, expecting the same
// outcome; returns the one-thread records.
std::vector<Reported> ExpectSameOnEveryCount(FileSearch &search, const std::string &label,
                                             std::initializer_list<std::size_t> counts = {2, 3, 8})
{
    const RunOutcome one = RunOnThreads(search, 1);
    EXPECT_TRUE(one.sinkMatchesList) << label;
    for (std::size_t threads : counts) {
        const RunOutcome many = RunOnThreads(search, threads);
        EXPECT_TRUE(many.records == one.records)
            << label << ", " << threads << " threads: " << FirstDifference(one.records, many.records);
        EXPECT_TRUE(many.sinkMatchesList) << label << ", " << threads << " threads";
        EXPECT_TRUE(many.sinkOnCallingThread) << label << ", " << threads << " threads";
    }
    return one.records;
}

struct WordsCase {
    const char *label;
    std::string words;
    std::int32_t mode;
    bool hexadecimal;
};

std::vector<WordsCase> EveryWordsCase()
{
    return {
        {"any", "alpha zeta", kWordModeAny, false},
        {"all", "alpha beta", kWordModeAll, false},
        {"phrase", "alpha beta", kWordModePhrase, false},
        {"without", "alpha", kWordModeWithout, false},
        {"hexadecimal", "dead beef", kWordModeAll, true},
        {"hexadecimal phrase", "deadbeef", kWordModePhrase, true},
        {"UTF-16 and UTF-8 forms", kGruesse, kWordModeAny, false},
    };
}

// The first run reads every file and lists every folder once, so that later runs see the
// access times it left (a read or a listing moves an access time only while it is not after
// the write time). It waits for the clock to move on first: a file system keeps times in
// ticks of a few milliseconds, and a time moved within the tick of the write would not be after it.
void ReadEveryFileOnce(FileSearch &search, const std::string &folders)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetTexts(search, "", "no-such-word-anywhere", folders);
    RecordingSinks sinks;
    search.SetWorkerThreads(1);
    test::Run(search, sinks);
}

// ---- a generated tree

// A few thousand files of varied sizes, words placed at random (fixed seed), files larger
// than a chunk with words across the first chunk boundary, and one large file early in
// the walk (in the root, listed first) followed by many small matches.
class GeneratedTree {
public:
    GeneratedTree()
    {
        std::mt19937 random(14);
        auto below = [&random](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random); };
        // Filler bytes that can never form a word, cut from one random stretch.
        std::string stretch(1 << 16, '.');
        for (char &c : stretch)
            c = "0123456789 .\n"[below(13)];
        auto filler = [&](std::size_t size) {
            std::string content;
            while (content.size() < size) {
                const std::size_t from = below(stretch.size());
                content.append(stretch, from, size - content.size());
            }
            return content;
        };
        auto place = [&](std::string &content, const std::string &text) {
            const std::size_t at = content.size() > text.size() ? below(content.size() - text.size()) : 0;
            content.replace(at, std::min(text.size(), content.size() - at), text);
        };
        const std::string pieces[] = {"alpha", "beta", "alpha beta", "zeta", kHexBytes, kGruesse, kGruesseUtf16};

        std::string slow = filler(2 * 1024 * 1024);
        slow.replace(slow.size() - 20, 10, "alpha beta");
        slow.replace(slow.size() - 8, 4, kHexBytes);
        Write("a-slow.bin", slow);
        for (int i = 0; i < 300; ++i)
            Write("m" + std::to_string(1000 + i), "alpha beta " + kHexBytes + kGruesseUtf16);

        for (int big = 0; big < 8; ++big) {
            std::string content = filler(kContentChunkSize + 4000 + below(60000));
            const std::string &piece = pieces[big % 7];
            content.replace(kContentChunkSize - piece.size() / 2, piece.size(), piece);
            Write("big/b" + std::to_string(big), content);
        }

        for (int i = 0; i < 1600; ++i) {
            const std::size_t kind = below(100);
            const std::size_t size = kind < 70 ? below(1500) : kind < 97 ? 1500 + below(8000) : 20000 + below(50000);
            std::string content = filler(size);
            for (const std::string &piece : pieces) {
                if (below(100) < 12)
                    place(content, piece);
            }
            const std::string folder = "d" + std::to_string(below(40)) + "/e" + std::to_string(below(3));
            Write(folder + "/f" + std::to_string(i) + (i % 3 ? ".txt" : ".dat"), content);
        }
    }

    TempTree tree;
    std::size_t files = 0;

private:
    void Write(const std::string &relative, const std::string &content)
    {
        tree.WriteFile(relative, content);
        ++files;
    }
};

// A suite whose tests share one tree of the kind Tree (made once, every file read and every
// folder listed once before the first test).
template <typename Tree>
class SharedTreeSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shared = new Tree;
        FileSearch search;
        ReadEveryFileOnce(search, shared->tree.Root());
    }
    static void TearDownTestSuite()
    {
        delete shared;
        shared = nullptr;
    }
    static Tree *shared;
};

template <typename Tree>
Tree *SharedTreeSuite<Tree>::shared = nullptr;

class ContentThreadsParity : public SharedTreeSuite<GeneratedTree> {};

TEST_F(ContentThreadsParity, GeneratedTreeGivesTheSameRecordsForEveryWordModeAndForm)
{
    FileSearch search;
    const std::string &root = shared->tree.Root();
    std::size_t fewer = 2; // 8 threads for every case, 2 or 3 in turn: the tree is large
    for (const WordsCase &words : EveryWordsCase()) {
        SetTexts(search, "", words.words, root);
        search.criteria.wordMode = words.mode;
        search.criteria.hexadecimal = words.hexadecimal ? 1 : 0;
        const std::vector<Reported> found = ExpectSameOnEveryCount(search, words.label, {fewer, 8});
        fewer = fewer == 2 ? 3 : 2;
        // A run that finds nothing, or everything, would compare equal without testing much.
        EXPECT_GT(found.size(), 300u) << words.label;
        EXPECT_LT(found.size(), shared->files - 300) << words.label;
    }
}

TEST_F(ContentThreadsParity, MatchesAcrossTheFirstChunkBoundaryKeepTheirOffsets)
{
    FileSearch search;
    SetTexts(search, "", "alpha beta zeta " + kGruesse, shared->tree.Path("big"));
    const std::vector<Reported> found = ExpectSameOnEveryCount(search, "big files");
    ASSERT_FALSE(found.empty());
    for (const Reported &record : found) {
        const std::int64_t offset = DecodeFoundFile(record.stored).matchOffset;
        EXPECT_GT(offset, static_cast<std::int64_t>(kContentChunkSize) - 12) << record.path;
        EXPECT_LT(offset, static_cast<std::int64_t>(kContentChunkSize)) << record.path;
    }
}

TEST_F(ContentThreadsParity, SlowFileFirstStillComesFirst)
{
    FileSearch search;
    SetTexts(search, "", "alpha", shared->tree.Root());
    search.criteria.searchSubfolders = 0;
    const std::vector<Reported> found = ExpectSameOnEveryCount(search, "slow file first");
    ASSERT_EQ(found.size(), 301u);
    EXPECT_EQ(found.front().path, shared->tree.Path("a-slow.bin"));
}

// ---- hostile trees

void MakeHostileTree(const TempTree &tree)
{
    tree.WriteFile("odd/ space .txt", "alpha beta");
    tree.WriteFile("odd/new\nline.txt", "beta alpha beta");
    tree.WriteFile("odd/-dash.txt", std::string("x\0alpha\0", 8));
    tree.WriteFile("odd/*?[.txt", kGruesseUtf16 + "alpha");
    tree.WriteFile("odd/\xFF\xFE-latin-\xE9.txt", "zz alpha beta " + kHexBytes);
    tree.WriteFile("odd/\xC3\x28-bad-utf8.dat", kGruesse);
    tree.WriteFile("closed/secret.txt", "alpha beta");
    ASSERT_EQ(chmod(tree.Path("closed/secret.txt").c_str(), 0), 0);
    tree.WriteFile("closed/inner/hidden.txt", "alpha");
    ASSERT_EQ(chmod(tree.Path("closed/inner").c_str(), 0), 0);
    ASSERT_EQ(mkfifo(tree.Path("pipe.txt").c_str(), 0644), 0);
    tree.WriteFile("links/target.txt", "alpha beta zeta");
    ASSERT_EQ(symlink("target.txt", tree.Path("links/to-file.txt").c_str()), 0);
    ASSERT_EQ(symlink("nowhere.txt", tree.Path("links/dangling.txt").c_str()), 0);
    ASSERT_EQ(symlink("..", tree.Path("links/up").c_str()), 0);
    ASSERT_EQ(symlink(tree.Root().c_str(), tree.Path("links/loop").c_str()), 0);
    ASSERT_EQ(symlink("self.txt", tree.Path("links/self.txt").c_str()), 0);
    tree.WriteFile("empty.txt", "");
    // Past the path limit, with a match in the middle and one at the bottom.
    const std::string component(200, 'p');
    const int depth = 2 * PATH_MAX / static_cast<int>(component.size() + 1) + 1;
    tree.MakeChain(component, depth, [depth](int folderFd, int level) {
        if (level == depth / 2 || level == depth)
            test::WriteFileAt(folderFd, "deep.txt", "zz " + std::string(level, '.') + "alpha beta");
    });
}

TEST(ContentThreadsHostileParity, HostileTreeGivesTheSameRecordsForEveryWordModeAndForm)
{
    TempTree tree;
    ASSERT_NO_FATAL_FAILURE(MakeHostileTree(tree));
    FileSearch search;
    ReadEveryFileOnce(search, tree.Root());
    // One file matching several patterns is reported once per pattern.
    for (const char *names : {"", "*.txt;*a*;deep.txt"}) {
        for (const WordsCase &words : EveryWordsCase()) {
            SetTexts(search, names, words.words, tree.Root());
            search.criteria.wordMode = words.mode;
            search.criteria.hexadecimal = words.hexadecimal ? 1 : 0;
            ExpectSameOnEveryCount(search, std::string(words.label) + " with names '" + names + "'");
        }
    }
}

// Files that vanish while the run goes on may still be read by a thread that got to them
// first, so whether they are reported may differ; every file that stays is reported, and
// everything reported comes in walk order, once.
TEST(ContentThreadsHostileParity, FilesVanishingDuringTheRunLeaveTheOtherRecordsInOrder)
{
    auto writeFiles = [](const TempTree &tree) {
        for (int folder = 0; folder < 6; ++folder) {
            for (int file = 0; file < 40; ++file)
                tree.WriteFile("v" + std::to_string(folder) + "/k" + std::to_string(100 + file), "alpha");
        }
    };
    auto relativeFound = [](const FileSearch &search, const TempTree &tree) {
        return test::FoundPaths(search, tree.Root());
    };
    auto vanishes = [](const std::string &relative) { return relative.back() % 2 == 1; };

    TempTree whole;
    writeFiles(whole);
    FileSearch search;
    SetTexts(search, "", "alpha", whole.Root());
    search.SetWorkerThreads(1);
    RecordingSinks wholeSinks;
    test::Run(search, wholeSinks);
    const std::vector<std::string> walkOrder = relativeFound(search, whole);
    ASSERT_EQ(walkOrder.size(), 240u);

    for (std::size_t threads : {std::size_t{1}, std::size_t{2}, std::size_t{8}}) {
        TempTree tree;
        writeFiles(tree);
        RecordingSinks sinks;
        bool removed = false;
        sinks.onRow = [&](FoundFile &) {
            if (removed)
                return;
            removed = true;
            for (const std::string &relative : walkOrder) {
                if (vanishes(relative)) {
                    EXPECT_EQ(unlink(tree.Path(relative).c_str()), 0) << relative;
                }
            }
        };
        SetTexts(search, "", "alpha", tree.Root());
        test::SetThreadsListingAsCold(search, threads);
        test::Run(search, sinks);
        const std::vector<std::string> found = relativeFound(search, tree);
        auto next = walkOrder.begin();
        for (const std::string &relative : found) {
            next = std::find(next, walkOrder.end(), relative);
            ASSERT_NE(next, walkOrder.end()) << threads << " threads: " << relative << " out of order or twice";
            ++next;
        }
        for (const std::string &relative : walkOrder) {
            if (!vanishes(relative)) {
                EXPECT_NE(std::find(found.begin(), found.end(), relative), found.end())
                    << threads << " threads: " << relative << " missing";
            }
        }
        if (threads == 1) {
            EXPECT_LT(found.size(), 150u); // the deletions did happen during the run
        }
    }
}

// ---- listings read ahead of the walk


// Many small folders at several depths (so that subfolders found by the listings ahead
// keep pushing the planned ones back), some wide ones, a few with more entries than one
// step of entry data, hidden and read-only entries, old and new times, and words to find.
class SmallFoldersTree {
public:
    SmallFoldersTree()
    {
        std::mt19937 random(23);
        auto below = [&random](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random); };
        const char *extensions[] = {".txt", ".dat", "", ".TXT", ".h"};
        std::vector<std::string> folders{""};
        for (std::size_t at = 0; at < folders.size() && folders.size() < 900; ++at) {
            const std::size_t depth = static_cast<std::size_t>(std::count(folders[at].begin(), folders[at].end(), '/'));
            const std::size_t subfolders = depth >= 6 ? 0 : below(depth == 0 ? 12 : 6);
            for (std::size_t i = 0; i < subfolders; ++i) {
                const std::string name = (below(9) == 0 ? ".s" : below(2) ? "sub" : "Dir") + std::to_string(i);
                folders.push_back(folders[at] + name + "/");
                tree.MakeFolder(folders.back());
            }
        }
        for (std::size_t i = 0; i < folders.size(); ++i) {
            const std::size_t files = i % 97 == 5 ? 300 + below(400) : below(5);
            for (std::size_t f = 0; f < files; ++f) {
                const std::string name = (below(10) == 0 ? ".f" : "f") + std::to_string(f) + extensions[below(5)];
                const std::string relative = folders[i] + name;
                tree.WriteFile(relative, below(3) == 0 ? "alpha " + std::string(below(3000), '.') : "beta");
                if (below(8) == 0)
                    tree.SetTimes(relative, 1'000'000'000 + static_cast<std::int64_t>(below(1000)));
                if (below(12) == 0) {
                    EXPECT_EQ(chmod(tree.Path(relative).c_str(), 0444), 0);
                }
            }
        }
        folderCount = folders.size();
    }

    TempTree tree;
    std::size_t folderCount = 0;
};

struct NamesCase {
    const char *label;
    const char *names;
    std::function<void(SearchCriteria &)> adjust;
};

std::vector<NamesCase> EveryNamesCase()
{
    return {
        {"every entry", "", {}},
        {"a wildcard pattern", "*.txt", {}},
        {"a rare name", "f3.h", {}}, // long stretches without a row: no listing is checked again
        {"three patterns", "*.dat;f1;sub", {}},
        {"case-sensitive plain pattern", "f1", [](SearchCriteria &c) { c.caseSensitive = 1; }},
        {"hidden entries left out", "", [](SearchCriteria &c) { c.searchHidden = 0; }},
        {"read-only entries left out", "*.*", [](SearchCriteria &c) { c.searchReadOnly = 0; }},
        {"no subfolders", "", [](SearchCriteria &c) { c.searchSubfolders = 0; }},
        {"size test", "*",
         [](SearchCriteria &c) {
             c.sizeUnit = kSizeUnitBytes;
             c.sizeCompare1 = kCompareAtLeast;
             c.sizeValue1 = 100;
         }},
        {"date test", "*.*",
         [](SearchCriteria &c) {
             c.dateKind = kDateKindModified;
             c.dateCompare1 = kCompareAtLeast;
             c.date1.year = 2010;
             c.date1.month = 1;
             c.date1.day = 1;
         }},
    };
}

class ListingThreadsParity : public SharedTreeSuite<SmallFoldersTree> {};

TEST_F(ListingThreadsParity, ManySmallFoldersGiveTheSameRecordsForEveryNameTest)
{
    ASSERT_GT(shared->folderCount, 500u);
    FileSearch search;
    for (const NamesCase &names : EveryNamesCase()) {
        SetTexts(search, names.names, "", shared->tree.Root());
        if (names.adjust)
            names.adjust(search.criteria);
        const std::vector<Reported> found = ExpectSameOnEveryCount(search, names.label);
        EXPECT_GT(found.size(), 3u) << names.label;
    }
}

TEST_F(ListingThreadsParity, ContentTestsWithEntryTestsOrSeveralPatternsGiveTheSameRecords)
{
    FileSearch search;
    for (const NamesCase &names : EveryNamesCase()) {
        SetTexts(search, names.names, "alpha", shared->tree.Root());
        if (names.adjust)
            names.adjust(search.criteria);
        ExpectSameOnEveryCount(search, std::string("alpha, ") + names.label, {2, 8});
    }
    // An excluded file needs the entry data of every file the names let through.
    SetTexts(search, "*.txt;f*", "beta", shared->tree.Root());
    const std::optional<FileIdentity> excluded = RegularFileIdentityAt(shared->tree.Path("f0.txt"));
    search.SetExcludedFiles(excluded ? std::vector<FileIdentity>{*excluded} : std::vector<FileIdentity>{});
    ExpectSameOnEveryCount(search, "an excluded file", {2, 8});
}

TEST(ListingThreadsHostileParity, HostileTreeGivesTheSameRecordsForEveryNameTest)
{
    TempTree tree;
    ASSERT_NO_FATAL_FAILURE(MakeHostileTree(tree));
    FileSearch search;
    ReadEveryFileOnce(search, tree.Root());
    for (const NamesCase &names : EveryNamesCase()) {
        SetTexts(search, names.names, "", tree.Root());
        if (names.adjust)
            names.adjust(search.criteria);
        ExpectSameOnEveryCount(search, names.label);
    }
}

// Folders the sink swaps for links to another tree, or renames, while the walk has them
// queued (and, with workers, listed already): what the walk then finds is what one thread finds.
TEST(ListingThreadsHostileParity, FoldersSwappedForLinksDuringTheRunGiveTheSameRecords)
{
    auto outcome = [](std::size_t threads) {
        TempTree outside;
        outside.WriteFile("secret.txt", "");
        outside.WriteFile("q/secret.txt", "");
        TempTree tree;
        for (const char *top : {"a", "b", "c", "p"}) {
            for (int i = 0; i < 12; ++i)
                tree.WriteFile(std::string(top) + "/s" + std::to_string(i) + "/f.txt", "");
        }
        tree.WriteFile("p/q/kept.txt", "");
        auto swap = [&](const std::string &name) {
            EXPECT_EQ(rename(tree.Path(name).c_str(), tree.Path(name + ".moved").c_str()), 0);
            EXPECT_EQ(symlink(outside.Root().c_str(), tree.Path(name).c_str()), 0);
        };
        RecordingSinks sinks;
        std::vector<std::string> paths;
        sinks.onRow = [&](FoundFile &record) {
            paths.push_back(record.Path().substr(tree.Root().size()));
            // Walk order: p, then c, b and a, each from its last subfolder.
            if (paths.size() == 3)
                swap("p/q"); // a sibling not yet taken
            if (paths.size() == 15)
                swap("b"); // a whole subtree still queued
            if (paths.size() == 16)
                swap("c/s3"); // in the folder the walk is in
        };
        FileSearch search;
        SetTexts(search, "*.txt", "", tree.Root());
        test::SetThreadsListingAsCold(search, threads);
        test::Run(search, sinks);
        return paths;
    };
    const std::vector<std::string> one = outcome(1);
    EXPECT_EQ(std::count(one.begin(), one.end(), "/p/q/kept.txt"), 0);
    EXPECT_EQ(std::count_if(one.begin(), one.end(), [](const std::string &path) { return path.rfind("/b/", 0) == 0; }),
              0);
    for (std::size_t threads : {2, 3, 8})
        EXPECT_EQ(outcome(threads), one) << threads << " threads";
}

} // namespace
} // namespace sifter
