// Content tests on several threads report exactly what one thread reports: the same
// records, every field and the match offset, in the same order, on a generated tree and
// on hostile ones, for every word mode and word form.
#include "search/content_matcher.h"
#include "search/file_search.h"
#include "search/found_file.h"
#include "search/run_helpers.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <initializer_list>
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
    search.SetContentThreads(threads);
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
        if (one[i].stored != many[i].stored)
            return "record " + std::to_string(i) + " (" + one[i].path + ") differs in its fields";
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

// The first run reads every file once, so that later runs see the access times it left
// (a read moves a file's access time only while it is not after its write time).
void ReadEveryFileOnce(FileSearch &search, const std::string &folders)
{
    SetTexts(search, "", "no-such-word-anywhere", folders);
    RecordingSinks sinks;
    search.SetContentThreads(1);
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

class ContentThreadsParity : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        generated = new GeneratedTree;
        FileSearch search;
        ReadEveryFileOnce(search, generated->tree.Root());
    }
    static void TearDownTestSuite()
    {
        delete generated;
        generated = nullptr;
    }
    static GeneratedTree *generated;
};

GeneratedTree *ContentThreadsParity::generated = nullptr;

TEST_F(ContentThreadsParity, GeneratedTreeGivesTheSameRecordsForEveryWordModeAndForm)
{
    FileSearch search;
    const std::string &root = generated->tree.Root();
    std::size_t fewer = 2; // 8 threads for every case, 2 or 3 in turn: the tree is large
    for (const WordsCase &words : EveryWordsCase()) {
        SetTexts(search, "", words.words, root);
        search.criteria.wordMode = words.mode;
        search.criteria.hexadecimal = words.hexadecimal ? 1 : 0;
        const std::vector<Reported> found = ExpectSameOnEveryCount(search, words.label, {fewer, 8});
        fewer = fewer == 2 ? 3 : 2;
        // A run that finds nothing, or everything, would compare equal without testing much.
        EXPECT_GT(found.size(), 300u) << words.label;
        EXPECT_LT(found.size(), generated->files - 300) << words.label;
    }
}

TEST_F(ContentThreadsParity, MatchesAcrossTheFirstChunkBoundaryKeepTheirOffsets)
{
    FileSearch search;
    SetTexts(search, "", "alpha beta zeta " + kGruesse, generated->tree.Path("big"));
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
    SetTexts(search, "", "alpha", generated->tree.Root());
    search.criteria.searchSubfolders = 0;
    const std::vector<Reported> found = ExpectSameOnEveryCount(search, "slow file first");
    ASSERT_EQ(found.size(), 301u);
    EXPECT_EQ(found.front().path, generated->tree.Path("a-slow.bin"));
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
    search.SetContentThreads(1);
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
        search.SetContentThreads(threads);
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

} // namespace
} // namespace sifter
