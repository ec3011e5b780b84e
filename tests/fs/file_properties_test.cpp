// SPDX-License-Identifier: GPL-3.0-or-later
// What the properties dialog shows of an entry: its kind, size, permissions, link target.
#include "fs/file_properties.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

TEST(FileProperties, AFileGivesItsSizePermissionsAndTimes)
{
    test::TempTree tree;
    tree.WriteFile("a file.txt", std::string(1500, 'x'));
    const std::string path = tree.Path("a file.txt");
    ASSERT_EQ(chmod(path.c_str(), 0754), 0);
    FileProperties properties;
    ASSERT_TRUE(ReadFileProperties(path, properties));
    EXPECT_EQ(properties.kind, FileProperties::Kind::kFile);
    EXPECT_EQ(properties.size, 1500u);
    EXPECT_EQ(properties.mode, 0754u);
    EXPECT_NE(properties.lastWriteTime, 0u);
    EXPECT_NE(properties.creationTime, 0u);
    EXPECT_TRUE(properties.linkTarget.empty());
}

TEST(FileProperties, ALinkIsNotFollowedAndNamesItsTarget)
{
    test::TempTree tree;
    tree.MakeFolder("folder");
    const std::string target(300, 't');  // longer than a first guess of its length may be
    const std::string link = tree.Path("link");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    FileProperties properties;
    ASSERT_TRUE(ReadFileProperties(link, properties));
    EXPECT_EQ(properties.kind, FileProperties::Kind::kLink);
    EXPECT_EQ(properties.linkTarget, target);

    ASSERT_TRUE(ReadFileProperties(tree.Path("folder") + "/", properties));
    EXPECT_EQ(properties.kind, FileProperties::Kind::kFolder);
}

TEST(FileProperties, AMissingEntryLeavesTheResultAlone)
{
    test::TempTree tree;
    FileProperties properties;
    properties.size = 7;
    EXPECT_FALSE(ReadFileProperties(tree.Path("missing"), properties));
    EXPECT_FALSE(ReadFileProperties("", properties));
    EXPECT_EQ(properties.size, 7u);
}

TEST(PermissionText, WritesTheBitsAsListingsDo)
{
    EXPECT_EQ(PermissionText(0644), "rw-r--r--");
    EXPECT_EQ(PermissionText(0), "---------");
    EXPECT_EQ(PermissionText(04755), "rwsr-xr-x");
    EXPECT_EQ(PermissionText(02640), "rw-r-S---");
    EXPECT_EQ(PermissionText(01777), "rwxrwxrwt");
    EXPECT_EQ(PermissionText(01770), "rwxrwx--T");
}

} // namespace
} // namespace sifter
