// SPDX-License-Identifier: GPL-3.0-or-later
// Where desktop entries and mimeapps.list files are looked for, and a file's types.
#include "desktop/desktop_applications.h"
#include "desktop/file_mime_types.h"

#include "support/temp_tree.h"
#include "support/temp_xdg_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace sifter {
namespace {

class DesktopApplicationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::UseTempXdgFolders(tree);
        setenv("XDG_DATA_HOME", tree.Path("home").c_str(), 1);
        // The MIME database stays reachable in the last folder.
        setenv("XDG_DATA_DIRS",
               (tree.Path("first") + ":relative/ignored:" + tree.Path("second") + "/:" + tree.Path("sysdata")).c_str(), 1);
        setenv("XDG_CONFIG_HOME", tree.Path("config").c_str(), 1);
    }

    test::TempTree tree;
};

TEST_F(DesktopApplicationsTest, LooksInDataHomeThenEachAbsoluteDataDir)
{
    EXPECT_EQ(ApplicationFolders(), (std::vector<std::string>{tree.Path("home/applications"),
                                                               tree.Path("first/applications"),
                                                               tree.Path("second/applications"),
                                                               tree.Path("sysdata/applications")}));
    const std::vector<std::string> lists = MimeAppsListFiles();
    ASSERT_EQ(lists.size(), 6u);
    EXPECT_EQ(lists[0], tree.Path("config/mimeapps.list"));
    EXPECT_EQ(lists[1], tree.Path("sysconfig/mimeapps.list"));
    EXPECT_EQ(lists[2], tree.Path("home/applications/mimeapps.list"));
    setenv("XDG_CURRENT_DESKTOP", "KDE:x/y", 1);
    const std::vector<std::string> desktopLists = MimeAppsListFiles();
    ASSERT_EQ(desktopLists.size(), 12u);
    EXPECT_EQ(desktopLists[0], tree.Path("config/kde-mimeapps.list"));
    EXPECT_EQ(desktopLists[1], tree.Path("config/mimeapps.list"));
}

TEST_F(DesktopApplicationsTest, AFilesTypesIncludeItsParents)
{
    tree.WriteFile("files/main.c", "int main(void) { return 0; }\n");
    const std::vector<std::string> types = FileMimeTypes(tree.Path("files/main.c"), false);
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), "text/x-csrc");
    EXPECT_NE(std::find(types.begin(), types.end(), "text/plain"), types.end());
    EXPECT_EQ(FileMimeTypes(tree.MakeFolder("files/sub"), true).front(), "inode/directory");
    // A name that is no UTF-8 is still typed by its extension.
    tree.WriteFile("files/bad\xff.txt", "text");
    EXPECT_EQ(FileMimeTypes(tree.Path("files/bad\xff.txt"), false).front(), "text/plain");
}

} // namespace
} // namespace sifter
