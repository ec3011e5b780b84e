// SPDX-License-Identifier: GPL-3.0-or-later
// Copying and moving entries into a folder: what lands where, every answer to a conflict, and
// that no stop, failure or kill loses a file.
#include "support/special_files.h"
#include "support/temp_tree.h"
#include "support/without_rename_noreplace.h"
#include "transfer/file_transfer.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sifter {
namespace {

using test::Bytes;
using test::EntryExists;
using test::ExpectEveryFileAtOnePlace;
using test::FakeSink;
using test::InodeOf;
using test::MakeManyFiles;
using test::ModeOf;
using test::MtimeOf;
using test::ReadFileContent;
using test::ShmFolder;
using test::Snapshot;

// --- copying and moving

TEST(FileTransfer, CopyKeepsTreeLinksPermissionsAndTimes)
{
    test::TempTree tree;
    const std::string big = Bytes(3 * 1024 * 1024 + 17, 'a');
    tree.WriteFile("src/a.txt", "alpha");
    tree.WriteFile("src/sub/big.bin", big);
    tree.WriteFile("src/sub/empty", "");
    test::MakeLink("../a.txt", tree.Path("src/sub/link"));
    test::MakeLink("/nowhere/at/all", tree.Path("src/dangling"));
    test::MakeLink("sub", tree.Path("src/folder link"));
    test::MakeFifo(tree.Path("src/pipe"));
    ASSERT_EQ(chmod(tree.Path("src/a.txt").c_str(), 0640), 0);
    ASSERT_EQ(chmod(tree.Path("src/sub/big.bin").c_str(), 0755), 0);
    tree.SetTimes("src/a.txt", 1'000'000'000);
    tree.SetTimes("src/sub/big.bin", 1'100'000'000);
    tree.SetTimes("src/sub", 1'200'000'000);
    ASSERT_EQ(chmod(tree.Path("src/sub").c_str(), 0750), 0);
    tree.MakeFolder("dst");
    const auto before = Snapshot(tree.Path("src"));

    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({tree.Path("src")}, tree.Path("dst"), TransferKind::kCopy, sink);

    EXPECT_TRUE(outcome.failures.empty()) << outcome.failures.front().reason;
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(Snapshot(tree.Path("dst/src")), before);
    EXPECT_EQ(Snapshot(tree.Path("src")), before);
    EXPECT_EQ(ModeOf(tree.Path("dst/src/a.txt")) & 07777, 0640u);
    EXPECT_EQ(ModeOf(tree.Path("dst/src/sub/big.bin")) & 07777, 0755u);
    EXPECT_EQ(ModeOf(tree.Path("dst/src/sub")) & 07777, 0750u);
    EXPECT_TRUE(S_ISLNK(ModeOf(tree.Path("dst/src/folder link"))));
    EXPECT_TRUE(S_ISFIFO(ModeOf(tree.Path("dst/src/pipe"))));
    EXPECT_EQ(MtimeOf(tree.Path("dst/src/a.txt")), 1'000'000'000);
    EXPECT_EQ(MtimeOf(tree.Path("dst/src/sub/big.bin")), 1'100'000'000);
    EXPECT_EQ(MtimeOf(tree.Path("dst/src/sub")), 1'200'000'000);
    // Files: a.txt, big.bin, empty, link, dangling, folder link, pipe.
    EXPECT_EQ(sink.last.filesTotal, 7u);
    EXPECT_EQ(sink.last.filesDone, 7u);
    EXPECT_EQ(sink.last.bytesTotal, big.size() + 5);
    EXPECT_EQ(sink.last.bytesDone, big.size() + 5);
    // Every entry (9 with the folders) and the big file's megabytes between, and a last word.
    EXPECT_GE(sink.progressCalls, 9 + 3 + 1);
}

TEST(FileTransfer, MoveOnOneFileSystemRenamesEntriesWhole)
{
    test::TempTree tree;
    tree.WriteFile("src/file.txt", "file");
    tree.WriteFile("src/tree/inner.txt", "inner");
    tree.MakeFolder("dst");
    const ino_t fileInode = InodeOf(tree.Path("src/file.txt"));
    const ino_t innerInode = InodeOf(tree.Path("src/tree/inner.txt"));

    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({tree.Path("src/file.txt"), tree.Path("src/tree")},
                                                    tree.Path("dst"), TransferKind::kMove, sink);

    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(InodeOf(tree.Path("dst/file.txt")), fileInode);
    EXPECT_EQ(InodeOf(tree.Path("dst/tree/inner.txt")), innerInode);
    EXPECT_FALSE(EntryExists(tree.Path("src/file.txt")));
    EXPECT_FALSE(EntryExists(tree.Path("src/tree")));
    EXPECT_EQ(sink.last.filesDone, 2u);
}

TEST(FileTransfer, WhereNoReplaceIsRefusedAFolderIsStillMovedWhole)
{
    test::TempTree tree;
    tree.WriteFile("src/tree/inner.txt", "inner");
    const std::string destination = tree.MakeFolder("dst");
    const ino_t inode = InodeOf(tree.Path("src/tree"));

    const int failures = test::RunWithoutRenameNoReplace(EINVAL, [&] {
        FakeSink sink;
        const TransferOutcome outcome =
            TransferEntries({tree.Path("src/tree")}, destination, TransferKind::kMove, sink);
        return static_cast<int>(outcome.failures.size());
    });
    if (failures == test::kNoRefusal)
        GTEST_SKIP() << "no seccomp here to make renameat2 refuse";

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(InodeOf(tree.Path("dst/tree")), inode);
    EXPECT_EQ(ReadFileContent(tree.Path("dst/tree/inner.txt")), "inner");
    EXPECT_FALSE(EntryExists(tree.Path("src/tree")));
}

TEST(FileTransfer, ForcedCopyMoveCopiesEveryFileThenRemovesTheSourceTree)
{
    test::TempTree tree;
    tree.WriteFile("src/tree/a.txt", "a");
    tree.WriteFile("src/tree/deep/b.txt", Bytes(2 * 1024 * 1024, 'b'));
    test::MakeLink("a.txt", tree.Path("src/tree/link"));
    tree.MakeFolder("src/tree/empty");
    tree.MakeFolder("dst");
    const auto before = Snapshot(tree.Path("src/tree"));
    const ino_t inode = InodeOf(tree.Path("src/tree/a.txt"));

    FakeSink sink;
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/tree")}, tree.Path("dst"), TransferKind::kMove, sink, options);

    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(Snapshot(tree.Path("dst/tree")), before);
    EXPECT_NE(InodeOf(tree.Path("dst/tree/a.txt")), inode);
    EXPECT_FALSE(EntryExists(tree.Path("src/tree")));
    EXPECT_TRUE(EntryExists(tree.Path("src")));
}

TEST(FileTransfer, MoveAcrossFileSystemsCopiesAndRemoves)
{
    test::TempTree tree;
    const ShmFolder other(tree.Root());
    if (other.Path().empty())
        GTEST_SKIP() << "/dev/shm is not another file system here";
    tree.WriteFile("src/tree/a.txt", "a");
    tree.WriteFile("src/tree/sub/b.txt", Bytes(1500 * 1024, 'b'));
    test::MakeLink("sub/b.txt", tree.Path("src/tree/link"));
    tree.SetTimes("src/tree/a.txt", 1'300'000'000);
    const auto before = Snapshot(tree.Path("src/tree"));

    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({tree.Path("src/tree")}, other.Path(), TransferKind::kMove, sink);

    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(Snapshot(other.Path() + "/tree"), before);
    EXPECT_EQ(MtimeOf(other.Path() + "/tree/a.txt"), 1'300'000'000);
    EXPECT_FALSE(EntryExists(tree.Path("src/tree")));
}

TEST(FileTransfer, NamesAShellWouldBreakAreCopiedAndMoved)
{
    test::TempTree tree;
    tree.MakeFolder("dst");
    tree.MakeFolder("moved");
    std::vector<std::string> sources;
    for (const std::string name : {"with blank", "quote\"and'", "new\nline", "-leading-dash", "bad\xff\xfe"}) {
        tree.WriteFile("src/" + name, name);
        sources.push_back(tree.Path("src/" + name));
    }
    FakeSink sink;
    EXPECT_TRUE(TransferEntries(sources, tree.Path("dst"), TransferKind::kCopy, sink).failures.empty());
    TransferOptions options;
    options.forceCopy = true;
    EXPECT_TRUE(TransferEntries(sources, tree.Path("moved"), TransferKind::kMove, sink, options).failures.empty());
    for (const std::string name : {"with blank", "quote\"and'", "new\nline", "-leading-dash", "bad\xff\xfe"}) {
        EXPECT_EQ(ReadFileContent(tree.Path("dst/" + name)), name);
        EXPECT_EQ(ReadFileContent(tree.Path("moved/" + name)), name);
        EXPECT_FALSE(EntryExists(tree.Path("src/" + name)));
    }
}

// --- conflicts

struct ConflictTree {
    ConflictTree()
    {
        tree.WriteFile("src/a.txt", "new a");
        tree.WriteFile("src/b.txt", "new b");
        tree.WriteFile("dst/a.txt", "old a");
        tree.WriteFile("dst/b.txt", "old b");
    }
    std::vector<std::string> Sources() const { return {tree.Path("src/a.txt"), tree.Path("src/b.txt")}; }
    test::TempTree tree;
};

TEST(FileTransfer, ReplaceSwapsTheOldFileForTheCopy)
{
    for (const TransferKind kind : {TransferKind::kCopy, TransferKind::kMove}) {
        for (const bool forceCopy : {false, true}) {
            ConflictTree conflict;
            FakeSink sink;
            sink.answers = {ConflictAnswer::kReplace};
            TransferOptions options;
            options.forceCopy = forceCopy;
            const TransferOutcome outcome =
                TransferEntries(conflict.Sources(), conflict.tree.Path("dst"), kind, sink, options);
            EXPECT_TRUE(outcome.failures.empty());
            ASSERT_EQ(sink.asked.size(), 2u);
            EXPECT_EQ(sink.asked[0].first, conflict.tree.Path("src/a.txt"));
            EXPECT_EQ(sink.asked[0].second, conflict.tree.Path("dst/a.txt"));
            EXPECT_FALSE(sink.askedFolder[0]);
            EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/a.txt")), "new a");
            EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/b.txt")), "new b");
            EXPECT_EQ(EntryExists(conflict.tree.Path("src/a.txt")), kind == TransferKind::kCopy);
            EXPECT_EQ(Snapshot(conflict.tree.Path("dst")).size(), 2u);  // no temporary left
        }
    }
}

TEST(FileTransfer, SkipLeavesBothWhereTheyAre)
{
    ConflictTree conflict;
    FakeSink sink;
    sink.answers = {ConflictAnswer::kSkip};
    const TransferOutcome outcome =
        TransferEntries(conflict.Sources(), conflict.tree.Path("dst"), TransferKind::kMove, sink);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(sink.asked.size(), 2u);
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/a.txt")), "old a");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("src/a.txt")), "new a");
    EXPECT_EQ(sink.last.filesDone, 2u);
}

TEST(FileTransfer, RenameKeepsBothUnderAFreeName)
{
    ConflictTree conflict;
    conflict.tree.WriteFile("dst/a (1).txt", "taken");
    FakeSink sink;
    sink.answers = {ConflictAnswer::kRename};
    const TransferOutcome outcome =
        TransferEntries(conflict.Sources(), conflict.tree.Path("dst"), TransferKind::kCopy, sink);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/a.txt")), "old a");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/a (1).txt")), "taken");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/a (2).txt")), "new a");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/b (1).txt")), "new b");
}

TEST(FileTransfer, CancelStopsBeforeAnythingMoreHappens)
{
    ConflictTree conflict;
    conflict.tree.WriteFile("src/c.txt", "new c");
    FakeSink sink;
    sink.answers = {ConflictAnswer::kCancel};
    std::vector<std::string> sources = conflict.Sources();
    sources.insert(sources.begin(), conflict.tree.Path("src/c.txt"));
    const TransferOutcome outcome = TransferEntries(sources, conflict.tree.Path("dst"), TransferKind::kMove, sink);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(sink.asked.size(), 1u);
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/c.txt")), "new c");  // before the question
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("src/a.txt")), "new a");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("src/b.txt")), "new b");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/b.txt")), "old b");
}

TEST(FileTransfer, AnAnswerForAllIsNotAskedAgain)
{
    ConflictTree conflict;
    FakeSink sink;
    sink.answers = {ConflictAnswer::kRename};
    sink.answerForAll = true;
    TransferEntries(conflict.Sources(), conflict.tree.Path("dst"), TransferKind::kCopy, sink);
    EXPECT_EQ(sink.asked.size(), 1u);
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/a (1).txt")), "new a");
    EXPECT_EQ(ReadFileContent(conflict.tree.Path("dst/b (1).txt")), "new b");
}

TEST(FileTransfer, ReplacingAFolderWithAFolderMergesThem)
{
    for (const bool forceCopy : {false, true}) {
        test::TempTree tree;
        tree.WriteFile("src/d/both.txt", "new");
        tree.WriteFile("src/d/only new.txt", "only new");
        tree.WriteFile("src/d/sub/deep.txt", "deep new");
        tree.WriteFile("src/d/sub/skipped.txt", "skipped new");
        tree.WriteFile("dst/d/both.txt", "old");
        tree.WriteFile("dst/d/only old.txt", "only old");
        tree.WriteFile("dst/d/sub/skipped.txt", "skipped old");
        FakeSink sink;
        // d, both.txt, sub, skipped.txt (listing order decides which of the last two comes first).
        sink.answers = {ConflictAnswer::kReplace};
        TransferOptions options;
        options.forceCopy = forceCopy;
        const TransferOutcome outcome =
            TransferEntries({tree.Path("src/d")}, tree.Path("dst"), TransferKind::kMove, sink, options);
        EXPECT_TRUE(outcome.failures.empty());
        EXPECT_EQ(sink.asked.size(), 4u);
        EXPECT_TRUE(sink.askedFolder[0]);
        EXPECT_EQ(ReadFileContent(tree.Path("dst/d/both.txt")), "new");
        EXPECT_EQ(ReadFileContent(tree.Path("dst/d/only new.txt")), "only new");
        EXPECT_EQ(ReadFileContent(tree.Path("dst/d/only old.txt")), "only old");
        EXPECT_EQ(ReadFileContent(tree.Path("dst/d/sub/deep.txt")), "deep new");
        EXPECT_EQ(ReadFileContent(tree.Path("dst/d/sub/skipped.txt")), "skipped new");
        EXPECT_FALSE(EntryExists(tree.Path("src/d")));  // every file moved
    }
}

TEST(FileTransfer, AFolderThatKeepsASkippedFileStaysAtTheSource)
{
    test::TempTree tree;
    tree.WriteFile("src/d/kept.txt", "new");
    tree.WriteFile("src/d/moved.txt", "moved");
    tree.WriteFile("dst/d/kept.txt", "old");
    FakeSink sink;
    sink.answers = {ConflictAnswer::kReplace, ConflictAnswer::kSkip};
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/d")}, tree.Path("dst"), TransferKind::kMove, sink, options);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(ReadFileContent(tree.Path("src/d/kept.txt")), "new");
    EXPECT_EQ(ReadFileContent(tree.Path("dst/d/kept.txt")), "old");
    EXPECT_EQ(ReadFileContent(tree.Path("dst/d/moved.txt")), "moved");
    EXPECT_FALSE(EntryExists(tree.Path("src/d/moved.txt")));
}

TEST(FileTransfer, ReplacingBetweenAFileAndAFolderIsRefusedKeepingBoth)
{
    test::TempTree tree;
    tree.WriteFile("src/x", "file x");
    tree.WriteFile("src/y/inside", "inside y");
    tree.WriteFile("dst/x/keep", "folder x");
    tree.WriteFile("dst/y", "file y");
    FakeSink sink;
    sink.answers = {ConflictAnswer::kReplace};
    const TransferOutcome outcome = TransferEntries({tree.Path("src/x"), tree.Path("src/y")}, tree.Path("dst"),
                                                    TransferKind::kMove, sink);
    ASSERT_EQ(outcome.failures.size(), 2u);
    EXPECT_EQ(outcome.failures[0].path, tree.Path("src/x"));
    EXPECT_NE(outcome.failures[0].reason.find("could not replace the folder"), std::string::npos);
    EXPECT_EQ(outcome.failures[1].path, tree.Path("src/y"));
    EXPECT_EQ(ReadFileContent(tree.Path("dst/x/keep")), "folder x");
    EXPECT_EQ(ReadFileContent(tree.Path("dst/y")), "file y");
    EXPECT_EQ(ReadFileContent(tree.Path("src/x")), "file x");
    EXPECT_EQ(ReadFileContent(tree.Path("src/y/inside")), "inside y");
}

TEST(FileTransfer, ACopyIntoItsOwnFolderBecomesASecondCopyWithoutAQuestion)
{
    test::TempTree tree;
    tree.WriteFile("a.txt", "a");
    tree.WriteFile("d/inner", "inner");
    FakeSink sink;
    sink.answers = {ConflictAnswer::kReplace};
    const TransferOutcome outcome =
        TransferEntries({tree.Path("a.txt"), tree.Path("d")}, tree.Root(), TransferKind::kCopy, sink);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_TRUE(sink.asked.empty());
    EXPECT_EQ(ReadFileContent(tree.Path("a.txt")), "a");
    EXPECT_EQ(ReadFileContent(tree.Path("a (1).txt")), "a");
    EXPECT_EQ(ReadFileContent(tree.Path("d (1)/inner")), "inner");
    EXPECT_EQ(ReadFileContent(tree.Path("d/inner")), "inner");
}

TEST(FileTransfer, AMoveIntoTheFolderItIsInDoesNothing)
{
    test::TempTree tree;
    tree.WriteFile("a.txt", "a");
    const ino_t inode = InodeOf(tree.Path("a.txt"));
    FakeSink sink;
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("a.txt")}, tree.Root() + "/", TransferKind::kMove, sink, options);
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_TRUE(sink.asked.empty());
    EXPECT_EQ(InodeOf(tree.Path("a.txt")), inode);
    EXPECT_EQ(Snapshot(tree.Root()).size(), 1u);
}

TEST(FileTransfer, AFolderIntoItselfOrItsSubfolderIsRefused)
{
    test::TempTree tree;
    tree.WriteFile("d/sub/file", "file");
    test::MakeLink("d/sub", tree.Path("link to sub"));
    const auto before = Snapshot(tree.Root());
    for (const TransferKind kind : {TransferKind::kCopy, TransferKind::kMove}) {
        for (const std::string folder : {"d", "d/sub", "link to sub"}) {
            FakeSink sink;
            const TransferOutcome outcome = TransferEntries({tree.Path("d")}, tree.Path(folder), kind, sink);
            ASSERT_EQ(outcome.failures.size(), 1u) << folder;
            EXPECT_EQ(outcome.failures[0].path, tree.Path("d"));
            EXPECT_NE(outcome.failures[0].reason.find("into itself"), std::string::npos);
        }
    }
    EXPECT_EQ(Snapshot(tree.Root()), before);
}

// --- stops and failures

TEST(FileTransfer, CancelFromProgressLeavesEveryFileWholeAtOnePlace)
{
    for (const int stopAt : {5, 12, 30}) {
        test::TempTree tree;
        MakeManyFiles(tree.Path("src/tree"), 40);
        tree.MakeFolder("dst");
        const auto original = Snapshot(tree.Path("src/tree"));
        FakeSink sink;
        sink.stopAtCall = stopAt;
        TransferOptions options;
        options.forceCopy = true;
        const TransferOutcome outcome =
            TransferEntries({tree.Path("src/tree")}, tree.Path("dst"), TransferKind::kMove, sink, options);
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_TRUE(outcome.failures.empty());
        ExpectEveryFileAtOnePlace(original, tree.Path("src/tree"), tree.Path("dst/tree"));
        // Moved files left their source: never both half.
        for (const auto &[relative, content] : Snapshot(tree.Path("dst/tree"))) {
            if (content != "<folder>") {
                EXPECT_FALSE(EntryExists(tree.Path("src/tree/" + relative))) << relative;
            }
        }
    }
}

TEST(FileTransfer, CancelInTheMiddleOfABigFileLeavesNoPartOfIt)
{
    test::TempTree tree;
    const std::string big = Bytes(5 * 1024 * 1024, 'z');
    tree.WriteFile("src/big.bin", big);
    tree.MakeFolder("dst");
    FakeSink sink;
    sink.stopAtCall = 3;  // the start, the entry, then stop after its first megabyte
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/big.bin")}, tree.Path("dst"), TransferKind::kMove, sink, options);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(ReadFileContent(tree.Path("src/big.bin")), big);
    EXPECT_TRUE(Snapshot(tree.Path("dst")).empty());
}

TEST(FileTransfer, AStopWhileCountingLeavesEverythingUntouched)
{
    test::TempTree tree;
    MakeManyFiles(tree.Path("src/tree"), 10);
    tree.MakeFolder("dst");
    const auto original = Snapshot(tree.Path("src"));
    FakeSink sink;
    sink.stopAtCall = 1;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/tree")}, tree.Path("dst"), TransferKind::kMove, sink);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(Snapshot(tree.Path("src")), original);
    EXPECT_TRUE(Snapshot(tree.Path("dst")).empty());
}

TEST(FileTransfer, AMoveKilledHalfWayLeavesEveryFileWholeAtOnePlace)
{
    // Sources go in batches of a thousand after a sync: the last kill comes after one. That
    // case runs on a memory file system where there is one, for speed.
    for (const auto &[files, killAt] : {std::pair{60, 8}, std::pair{60, 40}, std::pair{1030, 1020}}) {
        test::TempTree tree;
        const ShmFolder memory;
        const std::string root = files > 1000 && !memory.Path().empty() ? memory.Path() : tree.Root();
        const std::string source = root + "/src/tree";
        const std::string destination = root + "/dst";
        MakeManyFiles(source, files);
        std::filesystem::create_directories(destination);
        const auto original = Snapshot(source);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FakeSink sink;
            sink.onProgress = [killAt = killAt](int calls) {
                if (calls == killAt)
                    kill(getpid(), SIGKILL);
            };
            TransferOptions options;
            options.forceCopy = true;
            TransferEntries({source}, destination, TransferKind::kMove, sink, options);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        ExpectEveryFileAtOnePlace(original, source, destination + "/tree");
        // Killed half way indeed.
        EXPECT_LT(Snapshot(destination + "/tree").size(), original.size());
        EXPECT_GT(Snapshot(destination + "/tree").size(), 3u);
        if (killAt > 1000) {
            EXPECT_LT(Snapshot(source).size(), original.size());
        }
    }
}

TEST(FileTransfer, AVanishedSourceIsReportedAndTheRestGoesOn)
{
    test::TempTree tree;
    tree.WriteFile("src/here.txt", "here");
    tree.MakeFolder("dst");
    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({tree.Path("src/gone.txt"), tree.Path("src/here.txt")},
                                                    tree.Path("dst"), TransferKind::kCopy, sink);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, tree.Path("src/gone.txt"));
    EXPECT_NE(outcome.failures[0].reason.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(ReadFileContent(tree.Path("dst/here.txt")), "here");
}

TEST(FileTransfer, AFileVanishingDuringTheRunIsReportedWithItsPath)
{
    test::TempTree tree;
    tree.WriteFile("src/d/a.txt", "a");
    tree.WriteFile("src/d/b.txt", "b");
    tree.MakeFolder("dst");
    FakeSink sink;
    // When the first of the two comes up, the other goes (the listing order is the system's).
    std::string removed;
    sink.onProgress = [&](int) {
        for (const auto &[mine, other] : {std::pair{"a.txt", "b.txt"}, std::pair{"b.txt", "a.txt"}}) {
            if (removed.empty() && sink.last.current == tree.Path("src/d/") + mine) {
                removed = tree.Path("src/d/") + other;
                unlink(removed.c_str());
            }
        }
    };
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("src/d")}, tree.Path("dst"), TransferKind::kMove, sink, options);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, removed);
    EXPECT_EQ(Snapshot(tree.Path("dst/d")).size(), 1u);
    EXPECT_FALSE(EntryExists(tree.Path("src/d")));
}

TEST(FileTransfer, DevicesAndSocketsAreReportedNotCopied)
{
    test::TempTree tree;
    test::MakeSocketFile(tree.Path("socket"));
    tree.MakeFolder("dst");
    FakeSink sink;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("socket"), "/dev/null"}, tree.Path("dst"), TransferKind::kCopy, sink);
    ASSERT_EQ(outcome.failures.size(), 2u);
    EXPECT_EQ(outcome.failures[0].path, tree.Path("socket"));
    EXPECT_EQ(outcome.failures[1].path, "/dev/null");
    EXPECT_NE(outcome.failures[1].reason.find("device"), std::string::npos);
    EXPECT_TRUE(Snapshot(tree.Path("dst")).empty());
}

TEST(FileTransfer, ADestinationThatIsNoFolderFailsEverySource)
{
    test::TempTree tree;
    tree.WriteFile("a.txt", "a");
    tree.WriteFile("file", "file");
    FakeSink sink;
    const TransferOutcome outcome =
        TransferEntries({tree.Path("a.txt")}, tree.Path("file"), TransferKind::kMove, sink);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, tree.Path("a.txt"));
    EXPECT_EQ(ReadFileContent(tree.Path("a.txt")), "a");
}

TEST(FileTransfer, AnUnwritableDestinationIsReportedAndTheSourceKept)
{
    test::TempTree tree;
    tree.WriteFile("src/a.txt", "a");
    tree.MakeFolder("locked");
    ASSERT_EQ(chmod(tree.Path("locked").c_str(), 0555), 0);
    if (access(tree.Path("locked").c_str(), W_OK) == 0)
        GTEST_SKIP() << "permission bits do not stop this process (root)";
    for (const bool forceCopy : {false, true}) {
        FakeSink sink;
        TransferOptions options;
        options.forceCopy = forceCopy;
        const TransferOutcome outcome =
            TransferEntries({tree.Path("src/a.txt")}, tree.Path("locked"), TransferKind::kMove, sink, options);
        ASSERT_EQ(outcome.failures.size(), 1u);
        EXPECT_EQ(outcome.failures[0].path, tree.Path("src/a.txt"));
        EXPECT_NE(outcome.failures[0].reason.find("Permission denied"), std::string::npos);
        EXPECT_EQ(ReadFileContent(tree.Path("src/a.txt")), "a");
    }
}

} // namespace
} // namespace sifter
