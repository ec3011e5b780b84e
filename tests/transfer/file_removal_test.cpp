// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting to the Trash of a temporary data home, and for good, with awkward names.
#include "support/scoped_env.h"
#include "support/scoped_time_zone.h"
#include "support/temp_tree.h"
#include "support/without_rename_noreplace.h"
#include "transfer/file_removal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

// The user's data home (and so the home Trash) inside the tree while the test runs.
class FileRemovalTest : public ::testing::Test {
protected:
    std::string Trash(const std::string &relative) const { return tree.Path("data/Trash/" + relative); }

    test::TempTree tree;

private:
    const test::ScopedEnv dataHome_{"XDG_DATA_HOME", tree.MakeFolder("data").c_str()};
};

TEST_F(FileRemovalTest, TrashKeepsTheFileAndWhereItCameFrom)
{
    const std::string name = "-a file\nwith a newline";
    const std::string path = tree.WriteFile("files/" + name, "kept");
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(path, error)) << error;
    EXPECT_FALSE(test::EntryExists(path));
    EXPECT_EQ(test::ReadFileContent(Trash("files/" + name)), "kept");
    const std::string info = test::ReadFileContent(Trash("info/" + name + ".trashinfo"));
    EXPECT_NE(info.find("[Trash Info]"), std::string::npos);
    // The original path, percent-encoded, so that the file can be put back.
    EXPECT_NE(info.find("Path="), std::string::npos);
    EXPECT_NE(info.find("/files/-a%20file%0Awith%20a%20newline\nDeletionDate="), std::string::npos) << info;
}

TEST_F(FileRemovalTest, TrashTakesTheEntryOfTheGivenBytesAndNotItsTwinOfReplacedBytes)
{
    const std::string path = tree.WriteFile("files/bad\xff.txt", "selected");
    const std::string twin = tree.WriteFile("files/bad\xEF\xBF\xBD.txt", "twin");
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(path, error)) << error;
    EXPECT_FALSE(test::EntryExists(path));
    EXPECT_EQ(test::ReadFileContent(twin), "twin");
    EXPECT_EQ(test::ReadFileContent(Trash("files/bad\xff.txt")), "selected");
    const std::string info = test::ReadFileContent(Trash("info/bad\xff.txt.trashinfo"));
    EXPECT_NE(info.find("/files/bad%FF.txt\nDeletionDate="), std::string::npos) << info;
}

TEST_F(FileRemovalTest, ADataHomeNotMadeYetGetsItsTrashAndNothingLandsInTheCurrentFolder)
{
    setenv("XDG_DATA_HOME", tree.Path("fresh/share").c_str(), 1);
    const std::string path = tree.WriteFile("files/a.txt", "kept");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(tree.MakeFolder("work"));
    std::string error;
    const bool trashed = MoveEntryToTrash(path, error);
    std::filesystem::current_path(before);
    ASSERT_TRUE(trashed) << error;
    EXPECT_EQ(test::ReadFileContent(tree.Path("fresh/share/Trash/files/a.txt")), "kept");
    EXPECT_TRUE(test::EntryExists(tree.Path("fresh/share/Trash/info/a.txt.trashinfo")));
    EXPECT_FALSE(test::EntryExists(tree.Path("work/files")));
    struct stat info {};
    ASSERT_EQ(stat(tree.Path("fresh/share/Trash").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(FileRemovalTest, ALinkGoesToTheTrashItselfAndItsTargetStays)
{
    const std::string target = tree.WriteFile("target.txt", "stays");
    const std::string link = tree.Path("files/link");
    tree.MakeFolder("files");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(link, error)) << error;
    EXPECT_FALSE(test::EntryExists(link));
    EXPECT_EQ(std::filesystem::read_symlink(Trash("files/link")), target);
    EXPECT_EQ(test::ReadFileContent(target), "stays");
}

TEST_F(FileRemovalTest, ANameTakenInTheTrashGetsAFreeOneAndNoEntryThereIsReplaced)
{
    tree.WriteFile("data/Trash/files/a.txt", "left without its info file");
    tree.WriteFile("files/a.txt", "first");
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(tree.Path("files/a.txt"), error)) << error;
    tree.WriteFile("files/a.txt", "second");
    ASSERT_TRUE(MoveEntryToTrash(tree.Path("files/a.txt"), error)) << error;
    EXPECT_EQ(test::ReadFileContent(Trash("files/a.txt")), "left without its info file");
    EXPECT_FALSE(test::EntryExists(Trash("info/a.txt.trashinfo")));
    EXPECT_EQ(test::ReadFileContent(Trash("files/a.txt.2")), "first");
    EXPECT_EQ(test::ReadFileContent(Trash("files/a.txt.3")), "second");
    for (const char *info : {"info/a.txt.2.trashinfo", "info/a.txt.3.trashinfo"})
        EXPECT_NE(test::ReadFileContent(Trash(info)).find("/files/a.txt\n"), std::string::npos) << info;
}

TEST_F(FileRemovalTest, WhereNoReplaceIsRefusedAFolderStillGoesAndReplacesNothing)
{
    // An empty folder is what a plain rename would replace.
    tree.MakeFolder("data/Trash/files/folder");
    tree.WriteFile("files/folder/inner.txt", "inner");
    const int result = test::RunWithoutRenameNoReplace(EINVAL, [&] {
        std::string error;
        return MoveEntryToTrash(tree.Path("files/folder"), error) ? 0 : 1;
    });
    if (result == test::kNoRefusal)
        GTEST_SKIP() << "no seccomp here to make renameat2 refuse";
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(test::EntryExists(tree.Path("files/folder")));
    EXPECT_TRUE(std::filesystem::is_empty(Trash("files/folder")));
    EXPECT_EQ(test::ReadFileContent(Trash("files/folder.2/inner.txt")), "inner");
}

TEST_F(FileRemovalTest, AMoveThatFailsTakesItsInfoFileBackAndLeavesTheEntry)
{
    // A folder cannot be moved into a folder of its own, here the Trash in it.
    setenv("XDG_DATA_HOME", tree.Path("files/data").c_str(), 1);
    tree.WriteFile("files/kept.txt", "kept");
    std::string error;
    EXPECT_FALSE(MoveEntryToTrash(tree.Path("files"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ReadFileContent(tree.Path("files/kept.txt")), "kept");
    EXPECT_TRUE(std::filesystem::is_empty(tree.Path("files/data/Trash/info")));
}

TEST_F(FileRemovalTest, TheDeletionDateIsTheLocalTime)
{
    const test::ScopedTimeZone zone("XYZ-14");  // 14 hours ahead of UTC
    tree.WriteFile("files/a.txt", "a");
    const std::time_t before = std::time(nullptr);
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(tree.Path("files/a.txt"), error)) << error;
    const std::string info = test::ReadFileContent(Trash("info/a.txt.trashinfo"));
    const std::size_t at = info.find("\nDeletionDate=");
    ASSERT_NE(at, std::string::npos) << info;
    std::tm shown{};
    ASSERT_EQ(std::sscanf(info.c_str() + at, "\nDeletionDate=%4d-%2d-%2dT%2d:%2d:%2d\n", &shown.tm_year, &shown.tm_mon,
                          &shown.tm_mday, &shown.tm_hour, &shown.tm_min, &shown.tm_sec),
              6)
        << info;
    shown.tm_year -= 1900;
    shown.tm_mon -= 1;
    const std::time_t asUtc = timegm(&shown);
    EXPECT_GE(asUtc - before, 14 * 3600 - 1);
    EXPECT_LE(asUtc - before, 14 * 3600 + 5);
}

TEST_F(FileRemovalTest, ANameTooLongForItsInfoFileIsCutInTheTrashAndKeptWholeInTheInfo)
{
    const std::string name(250, 'n');
    tree.WriteFile("files/" + name, "long");
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(tree.Path("files/" + name), error)) << error;
    const std::string cut = name.substr(0, 240);
    EXPECT_EQ(test::ReadFileContent(Trash("files/" + cut)), "long");
    EXPECT_NE(test::ReadFileContent(Trash("info/" + cut + ".trashinfo")).find("/" + name + "\n"), std::string::npos);
}

// /dev/shm is a file system of its own on most machines: its top folder's trash is the user's.
TEST_F(FileRemovalTest, AnEntryOnAnotherFileSystemGoesToItsTopFoldersTrashWithARelativePath)
{
    const std::string top = "/dev/shm";
    struct stat topInfo {};
    struct stat treeInfo {};
    if (stat(top.c_str(), &topInfo) != 0 || stat(tree.Root().c_str(), &treeInfo) != 0 ||
        topInfo.st_dev == treeInfo.st_dev || access(top.c_str(), W_OK) != 0)
        GTEST_SKIP() << top << " is no writable file system of its own";
    struct stat shared {};
    if (lstat((top + "/.Trash").c_str(), &shared) == 0)
        GTEST_SKIP() << top << "/.Trash exists: the trash used would be another";
    const std::string trash = top + "/.Trash-" + std::to_string(getuid());
    const bool trashWasThere = test::EntryExists(trash);
    const std::string name =
        "sifter-trash-test-" + std::to_string(getpid()) + "-" + std::to_string(std::random_device()()) + "\xff";
    const std::string path = top + "/" + name;
    FILE *file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("on shm", file);
    std::fclose(file);
    std::string error;
    const bool trashed = MoveEntryToTrash(path, error);
    const std::string info = test::ReadFileContent(trash + "/info/" + name + ".trashinfo");
    const std::string content = test::ReadFileContent(trash + "/files/" + name);
    // Only what this test made goes: another test run may be using the same trash.
    unlink(path.c_str());
    unlink((trash + "/files/" + name).c_str());
    unlink((trash + "/info/" + name + ".trashinfo").c_str());
    if (!trashWasThere) {
        rmdir((trash + "/files").c_str());
        rmdir((trash + "/info").c_str());
        rmdir(trash.c_str());
    }
    ASSERT_TRUE(trashed) << error;
    EXPECT_EQ(content, "on shm");
    EXPECT_NE(info.find("\nPath=" + name.substr(0, name.size() - 1) + "%FF\n"), std::string::npos) << info;
    EXPECT_FALSE(test::EntryExists(Trash("files/" + name)));
}

TEST_F(FileRemovalTest, TrashTakesAFolderWhole)
{
    tree.WriteFile("files/folder/inner/deep.txt", "deep");
    std::string error;
    ASSERT_TRUE(MoveEntryToTrash(tree.Path("files/folder"), error)) << error;
    EXPECT_FALSE(test::EntryExists(tree.Path("files/folder")));
    EXPECT_EQ(test::ReadFileContent(Trash("files/folder/inner/deep.txt")), "deep");
    EXPECT_TRUE(test::EntryExists(Trash("info/folder.trashinfo")));
}

TEST_F(FileRemovalTest, AMissingFileCannotBeTrashed)
{
    std::string error;
    EXPECT_FALSE(MoveEntryToTrash(tree.Path("files/none"), error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FileRemovalTest, ForGoodRemovesAFolderTreeAndALinkButNotItsTarget)
{
    const std::string target = tree.WriteFile("target.txt", "stays");
    tree.WriteFile("files/folder/a/b.txt", "b");
    ASSERT_EQ(symlink(target.c_str(), tree.Path("files/folder/link").c_str()), 0);
    ASSERT_EQ(symlink(target.c_str(), tree.Path("files/link").c_str()), 0);
    std::string error;
    ASSERT_TRUE(RemoveEntryForGood(tree.Path("files/folder"), error)) << error;
    ASSERT_TRUE(RemoveEntryForGood(tree.Path("files/link"), error)) << error;
    EXPECT_FALSE(test::EntryExists(tree.Path("files/folder")));
    EXPECT_FALSE(test::EntryExists(tree.Path("files/link")));
    EXPECT_EQ(test::ReadFileContent(target), "stays");
    EXPECT_FALSE(test::EntryExists(Trash("files")));
}

TEST_F(FileRemovalTest, ForGoodReportsWhatItCouldNotRemove)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may remove from a folder without write permission";
    const std::string kept = tree.WriteFile("files/locked/kept.txt", "k");
    ASSERT_EQ(chmod(tree.Path("files/locked").c_str(), 0500), 0);
    std::string error;
    EXPECT_FALSE(RemoveEntryForGood(tree.Path("files/locked"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ReadFileContent(kept), "k");
}

} // namespace
} // namespace sifter
