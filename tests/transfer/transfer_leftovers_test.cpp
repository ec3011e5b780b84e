// SPDX-License-Identifier: GPL-3.0-or-later
// What killed transfers leave behind, and the next transfer into the same folder tidying it:
// hidden part files of a dead writer go and nothing else does, a folder left unfinished gets
// its mode, and transfers killed at random moments lose no file.
#include "support/special_files.h"
#include "support/temp_tree.h"
#include "transfer/file_transfer.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::FakeSink;
using test::MakeManyFiles;
using test::ModeOf;
using test::ReadFileContent;
using test::ShmFolder;
using test::Snapshot;

// The names in folder (hidden ones too), sorted.
std::set<std::string> Names(const std::string &folder)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The id of a process that has ended and been waited for.
pid_t DeadProcessId()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

std::string PartName(pid_t writer, int number)
{
    return ".sifter-" + std::to_string(writer) + "-" + std::to_string(number) + ".part";
}

TEST(TransferLeftovers, TheNextTransferIntoAFolderRemovesThePartFilesOfADeadWriter)
{
    test::TempTree tree;
    const pid_t dead = DeadProcessId();
    tree.WriteFile("dst/" + PartName(dead, 3), "half a copy");
    tree.WriteFile("dst/" + PartName(dead, 12), "");
    tree.WriteFile("dst/kept.txt", "kept");
    tree.WriteFile("src/new.txt", "new");
    FakeSink sink;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/new.txt")}, tree.Path("dst"), TransferKind::kCopy, sink);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(Names(tree.Path("dst")), (std::set<std::string>{"kept.txt", "new.txt"}));
}

TEST(TransferLeftovers, PartFilesOfALivingWriterAndOtherEntriesOfSuchNamesStay)
{
    test::TempTree tree;
    const pid_t dead = DeadProcessId();
    // A writer that runs, by its id, and one that holds its lock (say, in another pid namespace).
    tree.WriteFile("dst/" + PartName(getppid(), 1), "living");
    const std::string locked = tree.WriteFile("dst/" + PartName(dead, 2), "locked");
    const int lock = open(locked.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    test::MakeLink("elsewhere", tree.Path("dst/" + PartName(dead, 3)));
    tree.MakeFolder("dst/" + PartName(dead, 4));
    test::MakeFifo(tree.Path("dst/" + PartName(dead, 5)));
    for (const std::string &other : {PartName(dead, 6) + ".txt", PartName(dead, 7).substr(1), "x" + PartName(dead, 8),
                                     ".sifter-" + std::to_string(dead) + ".part", std::string(".sifter--9.part"),
                                     ".sifter-" + std::to_string(dead) + "-10.tmp"})
        tree.WriteFile("dst/" + other, "another's");
    const std::set<std::string> before = Names(tree.Path("dst"));
    tree.WriteFile("src/new.txt", "new");
    FakeSink sink;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/new.txt")}, tree.Path("dst"), TransferKind::kCopy, sink);
    close(lock);
    EXPECT_TRUE(outcome.failures.empty());
    std::set<std::string> expected = before;
    expected.insert("new.txt");
    EXPECT_EQ(Names(tree.Path("dst")), expected);
    EXPECT_EQ(ReadFileContent(locked), "locked");
}

TEST(TransferLeftovers, AFolderWhoseModeShutsItsOwnerOutGetsThatModeWhenComplete)
{
    test::TempTree tree;
    tree.WriteFile("src/shut/a.txt", "a");
    tree.WriteFile("src/shut/sub/b.txt", "b");
    ASSERT_EQ(chmod(tree.Path("src/shut/sub").c_str(), 0500), 0);
    ASSERT_EQ(chmod(tree.Path("src/shut").c_str(), 0555), 0);
    tree.MakeFolder("dst");
    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({tree.Path("src/shut")}, tree.Path("dst"), TransferKind::kCopy, sink);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(ModeOf(tree.Path("dst/shut")) & 07777, 0555u);
    EXPECT_EQ(ModeOf(tree.Path("dst/shut/sub")) & 07777, 0500u);
    EXPECT_EQ(Snapshot(tree.Path("dst/shut")), Snapshot(tree.Path("src/shut")));
}

TEST(TransferLeftovers, AFolderLeftUnfinishedByAKilledCopyGetsItsModeFromTheNextTransferIntoIt)
{
    test::TempTree tree;
    tree.WriteFile("src/shut/a.txt", "a");
    tree.WriteFile("src/shut/b.txt", "b");
    ASSERT_EQ(chmod(tree.Path("src/shut").c_str(), 0555), 0);
    tree.MakeFolder("dst");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FakeSink sink;
        // Killed once the first of the two files is copied.
        sink.onProgress = [&sink](int) {
            if (sink.last.filesDone == 1)
                kill(getpid(), SIGKILL);
        };
        TransferEntries({tree.Path("src/shut")}, tree.Path("dst"), TransferKind::kCopy, sink);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(S_ISDIR(ModeOf(tree.Path("dst/shut"))));

    tree.WriteFile("more.txt", "more");
    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({tree.Path("more.txt")}, tree.Path("dst/shut"), TransferKind::kCopy, sink);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(ModeOf(tree.Path("dst/shut")) & 07777, 0555u);
    const std::set<std::string> names = Names(tree.Path("dst/shut"));
    EXPECT_TRUE(names == (std::set<std::string>{"a.txt", "more.txt"}) ||
                names == (std::set<std::string>{"b.txt", "more.txt"}));
}

// --- kills at random moments

// Runs transfer in a child process and kills it with SIGKILL at a random moment: after a random
// number (up to maxReports) of its progress reports, and up to two milliseconds more. True
// when the kill ended it, false when it ended before.
bool RunAndKillAtRandom(const std::function<void(TransferSink &)> &transfer, int maxReports, std::mt19937 &random)
{
    int reports[2];
    if (pipe(reports) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        close(reports[0]);
        FakeSink sink;
        sink.answers = {ConflictAnswer::kReplace};
        sink.answerForAll = true;
        sink.onProgress = [&](int) {
            const char tick = 'p';
            if (write(reports[1], &tick, 1) != 1)
                _exit(2);
        };
        transfer(sink);
        _exit(0);
    }
    close(reports[1]);
    const int wanted = std::uniform_int_distribution<int>(1, maxReports)(random);
    char tick = 0;
    for (int got = 0; got < wanted && read(reports[0], &tick, 1) == 1; ++got) {
    }
    usleep(std::uniform_int_distribution<useconds_t>(0, 2000)(random));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(reports[0]);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Every file of original is whole at source, or not there and whole at destination; what
// else the destination holds is an older version (given) of a file still at its source, or
// a hidden entry of the transfer.
void ExpectNoFileLost(const std::map<std::string, std::string> &original, const std::map<std::string, std::string> &older,
                      const std::string &source, const std::string &destination)
{
    // A kill before the destination was made, or after the source was gone, leaves no folder.
    const auto snapshot = [](const std::string &folder) {
        return test::EntryExists(folder) ? Snapshot(folder) : std::map<std::string, std::string>();
    };
    const auto atSource = snapshot(source);
    const auto atDestination = snapshot(destination);
    for (const auto &[relative, content] : original) {
        if (content == "<folder>")
            continue;
        const auto here = atSource.find(relative);
        const auto there = atDestination.find(relative);
        if (here != atSource.end()) {
            EXPECT_EQ(here->second, content) << relative << " at its source";
            if (there != atDestination.end() && older.count(relative)) {
                EXPECT_TRUE(there->second == content || there->second == older.at(relative)) << relative;
            }
        } else {
            ASSERT_NE(there, atDestination.end()) << relative << " lost";
            EXPECT_EQ(there->second, content) << relative << " at its destination";
        }
    }
}

// No entry of the transfer's own and no owner-only folder is left below folder.
void ExpectTidy(const std::string &folder)
{
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.starts_with(".sifter-")) << entry.path();
        if (entry.is_directory() && !entry.is_symlink()) {
            EXPECT_NE(ModeOf(entry.path().string()) & 07777, 0700u) << entry.path();
        }
    }
}

constexpr int kKillRounds = 5;
constexpr int kKillFiles = 2000;

// Where the moves run, with the copying path forced: on a memory file system where there is
// one, since a disk that other work keeps busy makes each of the many file openings slow.
struct KillTree {
    KillTree() : root(memory.Path().empty() ? tree.Root() : memory.Path()), destination(root + "/dst")
    {
        std::filesystem::create_directories(destination);
    }
    std::string Path(const std::string &relative) const { return root + "/" + relative; }

    test::TempTree tree;
    ShmFolder memory;
    std::string root;
    std::string destination;
};

// Moves a tree of kKillFiles files, killed at a random moment, kKillRounds times; each time
// no file is lost, and the same move again, replacing, completes it and tidies up. With
// replacing, an older version of every file waits at the destination.
void KillMovesAtRandomThenFinishThem(bool replacing)
{
    std::mt19937 random(std::random_device{}());
    int killed = 0;
    for (int round = 0; round < kKillRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        KillTree where;
        const std::string source = where.Path("src/tree");
        const std::string destination = where.destination + "/tree";
        MakeManyFiles(source, kKillFiles);
        const auto original = Snapshot(source);
        std::map<std::string, std::string> older;
        for (const auto &[relative, content] : original) {
            if (!replacing)
                break;
            if (content == "<folder>") {
                std::filesystem::create_directories(destination + "/" + relative);
            } else {
                older[relative] = "older " + relative;
                std::ofstream(destination + "/" + relative, std::ios::binary) << older[relative];
            }
        }
        TransferOptions options;
        options.forceCopy = true;
        const auto move = [&](TransferSink &sink) {
            return TransferEntries({source}, where.destination, TransferKind::kMove, sink, options);
        };
        // Killed before three quarters of its reports; a child that ran on meanwhile (a busy
        // machine may keep this process waiting) finished, which is checked alike.
        killed += RunAndKillAtRandom(move, kKillFiles * 3 / 4, random);
        ExpectNoFileLost(original, older, source, destination);

        // A kill after the source's folder was removed left the move done: nothing to finish.
        if (test::EntryExists(source)) {
            FakeSink sink;
            sink.answers = {ConflictAnswer::kReplace};
            sink.answerForAll = true;
            const TransferOutcome outcome = move(sink);
            EXPECT_TRUE(outcome.failures.empty()) << outcome.failures[0].path << ": " << outcome.failures[0].reason;
        }
        EXPECT_EQ(Snapshot(destination), original);
        EXPECT_FALSE(test::EntryExists(source));
        ExpectTidy(where.destination);
    }
    EXPECT_GT(killed, 0);
}

TEST(TransferLeftovers, AMoveKilledAtRandomMomentsLosesNoFileAndTheNextOneTidiesUp)
{
    KillMovesAtRandomThenFinishThem(false);
}

TEST(TransferLeftovers, AReplacingMoveKilledAtRandomMomentsLosesNoFileAndTheNextOneTidiesUp)
{
    KillMovesAtRandomThenFinishThem(true);
}

} // namespace
} // namespace sifter
