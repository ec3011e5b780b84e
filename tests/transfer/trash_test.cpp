// SPDX-License-Identifier: GPL-3.0-or-later
// Which trash a top folder offers the user, with a temporary folder standing for the top folder.
#include "support/temp_tree.h"
#include "transfer/trash.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

namespace fs = std::filesystem;

class TopFolderTrashTest : public ::testing::Test {
protected:
    mode_t Mode(const std::string &relative) const
    {
        struct stat info {};
        return lstat(tree.Path(relative).c_str(), &info) == 0 ? info.st_mode : 0;
    }

    test::TempTree tree;
    const uid_t uid = getuid();
    const std::string userTrash = ".Trash-" + std::to_string(uid);
    TrashFolder trash;
    std::string error;
};

TEST_F(TopFolderTrashTest, WithoutASharedTrashTheUsersOwnIsMadeOwnerOnly)
{
    ASSERT_TRUE(TopFolderTrash(tree.Root(), uid, trash, error)) << error;
    EXPECT_EQ(trash.folder, tree.Path(userTrash));
    EXPECT_EQ(trash.topFolder, tree.Root());
    EXPECT_EQ(Mode(userTrash) & 07777, 0700u);
    EXPECT_TRUE(S_ISDIR(Mode(userTrash + "/files")) && S_ISDIR(Mode(userTrash + "/info")));
}

TEST_F(TopFolderTrashTest, AStickySharedTrashHoldsTheUsersTrash)
{
    ASSERT_EQ(mkdir(tree.Path(".Trash").c_str(), 0777), 0);
    ASSERT_EQ(chmod(tree.Path(".Trash").c_str(), 01777), 0);
    const std::string own = ".Trash/" + std::to_string(uid);
    ASSERT_TRUE(TopFolderTrash(tree.Root(), uid, trash, error)) << error;
    EXPECT_EQ(trash.folder, tree.Path(own));
    EXPECT_EQ(Mode(own) & 07777, 0700u);
    EXPECT_FALSE(fs::exists(tree.Path(userTrash)));
}

TEST_F(TopFolderTrashTest, ASharedTrashThatIsNotStickyOrIsALinkIsPassedOver)
{
    const std::string sticky = tree.MakeFolder("elsewhere");
    ASSERT_EQ(chmod(sticky.c_str(), 01777), 0);
    tree.MakeFolder("linked");
    ASSERT_EQ(symlink(sticky.c_str(), tree.Path("linked/.Trash").c_str()), 0);
    tree.MakeFolder("plain/.Trash");
    for (const char *top : {"linked", "plain"}) {
        ASSERT_TRUE(TopFolderTrash(tree.Path(top), uid, trash, error)) << error;
        EXPECT_EQ(trash.folder, tree.Path(std::string(top) + "/" + userTrash));
    }
    EXPECT_TRUE(fs::is_empty(sticky));
    EXPECT_TRUE(fs::is_empty(tree.Path("plain/.Trash")));
}

TEST_F(TopFolderTrashTest, AUsersTrashThatIsALinkIsRefusedAndItsTargetGetsNothing)
{
    const std::string target = tree.MakeFolder("target");
    ASSERT_EQ(symlink(target.c_str(), tree.Path(userTrash).c_str()), 0);
    EXPECT_FALSE(TopFolderTrash(tree.Root(), uid, trash, error));
    EXPECT_NE(error.find(userTrash), std::string::npos) << error;
    EXPECT_TRUE(fs::is_empty(target));
}

TEST_F(TopFolderTrashTest, ATrashFolderOfAnotherUserIsRefused)
{
    // The folders made here are this user's, so to another user they belong to someone else.
    const uid_t other = uid + 1;
    tree.MakeFolder(".Trash-" + std::to_string(other));
    EXPECT_FALSE(TopFolderTrash(tree.Root(), other, trash, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(TopFolderTrashTest, AFilesFolderThatIsALinkIsRefused)
{
    const std::string target = tree.MakeFolder("target");
    tree.MakeFolder(userTrash);
    ASSERT_EQ(symlink(target.c_str(), tree.Path(userTrash + "/files").c_str()), 0);
    EXPECT_FALSE(TopFolderTrash(tree.Root(), uid, trash, error));
    EXPECT_TRUE(fs::is_empty(target));
}

} // namespace
} // namespace sifter
