// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/user_folders.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sifter {
namespace {

TEST(UserFolders, HomeAndBaseFoldersTakeOnlyAbsoluteValues)
{
    EXPECT_EQ(HomeFolderFrom("/home/me", "/home/pw"), "/home/me");
    EXPECT_EQ(HomeFolderFrom("relative", "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom("", "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom(nullptr, ""), "");

    EXPECT_EQ(BaseFolderFrom("/xdg/config", "/home/me", kDefaultConfigBelowHome), "/xdg/config");
    EXPECT_EQ(BaseFolderFrom("xdg/config", "/home/me", kDefaultConfigBelowHome), "/home/me/.config");
    EXPECT_EQ(BaseFolderFrom("", "/home/me/", kDefaultDataBelowHome), "/home/me/.local/share");
    EXPECT_EQ(BaseFolderFrom(nullptr, "/", kDefaultStateBelowHome), "/.local/state");
    EXPECT_EQ(BaseFolderFrom(nullptr, "", kDefaultStateBelowHome), "");
}

TEST(UserFolders, MissingFoldersAreMadeOwnerOnlyAndExistingOnesKeepTheirMode)
{
    test::TempTree tree;
    const std::string existing = tree.MakeFolder("shared");
    ASSERT_EQ(chmod(existing.c_str(), 0755), 0);
    ASSERT_TRUE(MakeOwnerOnlyFolders(tree.Path("shared/new/deeper")));
    struct stat info {};
    for (const char *folder : {"shared/new", "shared/new/deeper"}) {
        ASSERT_EQ(stat(tree.Path(folder).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }
    ASSERT_EQ(stat(existing.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
    tree.WriteFile("file", "");
    EXPECT_FALSE(MakeOwnerOnlyFolders(tree.Path("file")));
}

} // namespace
} // namespace sifter
