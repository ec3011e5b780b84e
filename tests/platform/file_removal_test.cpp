// Deleting to the Trash of a temporary data home, and for good, with awkward names.
#include "platform/file_removal.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

// The user's data home (and so the home Trash) inside the tree while the test runs.
class FileRemovalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char *old = getenv("XDG_DATA_HOME"))
            oldDataHome_ = old;
        setenv("XDG_DATA_HOME", tree.MakeFolder("data").c_str(), 1);
    }
    void TearDown() override
    {
        if (oldDataHome_)
            setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    std::string Trash(const std::string &relative) const { return tree.Path("data/Trash/" + relative); }

    test::TempTree tree;

private:
    std::optional<std::string> oldDataHome_;
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
