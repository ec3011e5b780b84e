// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the installed applications in temporary XDG data folders, which of them a file's
// type lists, and whether the type has a handler at all.
#include "desktop/desktop_applications.h"
#include "desktop/file_mime_types.h"

#include "support/temp_tree.h"
#include "support/temp_xdg_folders.h"

#include <gtest/gtest.h>

#include <unistd.h>

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

    // An application entry in base/applications/relative.
    void WriteEntry(const std::string &base, const std::string &relative, const std::string &name,
                    const std::string &mimeTypes, const std::string &extra = {})
    {
        tree.WriteFile(base + "/applications/" + relative, "[Desktop Entry]\nType=Application\nName=" + name +
                                                               "\nExec=viewer %f\nMimeType=" + mimeTypes + "\n" + extra);
    }

    static std::vector<std::string> Names(const std::vector<DesktopEntry> &entries)
    {
        std::vector<std::string> names;
        for (const DesktopEntry &entry : entries)
            names.push_back(entry.name + "=" + entry.id);
        return names;
    }

    std::vector<DesktopEntry> All() { return FindApplications(ApplicationFolders(), {}); }

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

TEST_F(DesktopApplicationsTest, SubfoldersGiveDashedIdsAndTheFirstIdFoundWins)
{
    WriteEntry("home", "editor.desktop", "Home Editor", "text/plain;");
    WriteEntry("first", "editor.desktop", "First Editor", "text/plain;");
    WriteEntry("first", "kde/viewer.desktop", "Nested Viewer", "text/plain;");
    WriteEntry("second", "kde-viewer.desktop", "Flat Viewer", "text/plain;");
    tree.WriteFile("first/applications/readme.txt", "not an entry");
    EXPECT_EQ(Names(All()), (std::vector<std::string>{"Home Editor=editor.desktop", "Nested Viewer=kde-viewer.desktop"}));
}

TEST_F(DesktopApplicationsTest, AHiddenOrBrokenEntryHidesTheIdBelowIt)
{
    WriteEntry("home", "editor.desktop", "Removed", "text/plain;", "Hidden=true\n");
    tree.WriteFile("home/applications/broken.desktop",
                   "[Desktop Entry]\nType=Application\nName=Broken\nExec=\"unterminated\nMimeType=text/plain;\n");
    tree.WriteFile("home/applications/junk.desktop", "\x01\xff\xfe garbage");
    WriteEntry("first", "editor.desktop", "System Editor", "text/plain;");
    WriteEntry("first", "broken.desktop", "System Broken", "text/plain;");
    WriteEntry("first", "junk.desktop", "System Junk", "text/plain;");
    WriteEntry("first", "gone.desktop", "Gone", "text/plain;", "TryExec=/no/such/program\n");
    EXPECT_TRUE(All().empty());
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

TEST_F(DesktopApplicationsTest, ATypeHasAnApplicationWhenOneDeclaresItOrAListNamesOne)
{
    WriteEntry("home", "text.desktop", "Text", "text/plain;", "NoDisplay=true\n");
    WriteEntry("home", "any.desktop", "Any", "application/octet-stream;");
    WriteEntry("home", "plain.desktop", "Plain", "");
    const std::vector<DesktopEntry> all = All();
    const std::vector<std::string> lists = MimeAppsListFiles();
    EXPECT_TRUE(HasApplicationForTypes(all, {"text/x-csrc", "text/plain"}, lists));
    EXPECT_FALSE(HasApplicationForTypes(all, {"image/png", "application/octet-stream"}, lists));
    EXPECT_TRUE(HasApplicationForTypes(all, {"application/octet-stream"}, lists));

    tree.WriteFile("config/mimeapps.list", "[Default Applications]\nimage/png=missing.desktop;plain.desktop;\n"
                                           "[Removed Associations]\ntext/plain=text.desktop;\n");
    EXPECT_TRUE(HasApplicationForTypes(all, {"image/png", "application/octet-stream"}, lists));
    EXPECT_FALSE(HasApplicationForTypes(all, {"text/x-csrc", "text/plain"}, lists));
    tree.WriteFile("home/applications/mimeapps.list", "[Added Associations]\ntext/x-csrc=plain.desktop\n");
    EXPECT_TRUE(HasApplicationForTypes(all, {"text/x-csrc", "text/plain"}, lists));
    EXPECT_FALSE(HasApplicationForTypes(all, {"image/gif"}, lists));
}

TEST_F(DesktopApplicationsTest, ALinkLoopInTheFoldersEnds)
{
    WriteEntry("home", "deep/viewer.desktop", "Viewer", "text/plain;");
    ASSERT_EQ(symlink("..", tree.Path("home/applications/deep/loop").c_str()), 0);
    EXPECT_EQ(Names(All()), (std::vector<std::string>{"Viewer=deep-viewer.desktop"}));
}

} // namespace
} // namespace sifter
