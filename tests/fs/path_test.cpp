// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/path.h"

#include "support/scoped_env.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

TEST(PathLastComponent, TakesTheNameAfterTheLastSeparator)
{
    EXPECT_EQ(PathLastComponent("/a/b"), "b");
    EXPECT_EQ(PathLastComponent("/a/b/"), "b");
    EXPECT_EQ(PathLastComponent("/a/b//"), "b");
    EXPECT_EQ(PathLastComponent("name"), "name");
    EXPECT_EQ(PathLastComponent("rel/name.txt"), "name.txt");
    EXPECT_EQ(PathLastComponent(""), "");
}

TEST(PathLastComponent, RootStaysWhole)
{
    EXPECT_EQ(PathLastComponent("/"), "/");
    EXPECT_EQ(PathLastComponent("//"), "/");
    EXPECT_EQ(PathLastComponent("/work"), "work");
}

TEST(PathExtension, TakesTheLastDotOfTheLastComponent)
{
    EXPECT_EQ(PathExtension("a.tar.gz"), ".gz");
    EXPECT_EQ(PathExtension("/x/setup.EXE"), ".EXE");
    EXPECT_EQ(PathExtension("name."), ".");
    EXPECT_EQ(PathExtension(".bashrc"), ".bashrc");
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(PathExtension("/some.dir/README"), "");
    EXPECT_EQ(PathExtension("/some.dir/"), ".dir");
    EXPECT_EQ(PathExtension("plain"), "");
    EXPECT_EQ(PathExtension(".."), "");
    EXPECT_EQ(PathExtension("/a/."), "");
    EXPECT_EQ(PathExtension("/"), "");
    EXPECT_EQ(PathExtension(""), "");
}

TEST(PathAppend, NeverDoublesTheSeparator)
{
    EXPECT_EQ(PathAppend("/a", "b"), "/a/b");
    EXPECT_EQ(PathAppend("/a/", "b"), "/a/b");
    EXPECT_EQ(PathAppend("/a", "/b"), "/a/b");
    EXPECT_EQ(PathAppend("/a//", "//b"), "/a/b");
    EXPECT_EQ(PathAppend("/", "b"), "/b");
    EXPECT_EQ(PathAppend("/", "/b"), "/b");
    EXPECT_EQ(PathAppend("rel", "b/c"), "rel/b/c");
}

TEST(PathAppend, EmptyPartsLeaveTheOther)
{
    EXPECT_EQ(PathAppend("", "name"), "name");
    EXPECT_EQ(PathAppend("", "/name"), "/name");
    EXPECT_EQ(PathAppend("/a", ""), "/a");
    EXPECT_EQ(PathAppend("/a/", "/"), "/a");
    EXPECT_EQ(PathAppend("/", ""), "/");
}

TEST(PathRemoveLastComponent, KeepsTheFolder)
{
    std::string path = "/a/b";
    EXPECT_TRUE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "/a");
    EXPECT_TRUE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "/");
    EXPECT_FALSE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "/");

    path = "a";
    EXPECT_TRUE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "");
    EXPECT_FALSE(PathRemoveLastComponent(path));

    path = "/a/b/";
    EXPECT_TRUE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "/a");
    path = "/a//b";
    EXPECT_TRUE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "/a");
    path = "rel/x";
    EXPECT_TRUE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "rel");
    path = "//";
    EXPECT_FALSE(PathRemoveLastComponent(path));
    EXPECT_EQ(path, "//");
}

TEST(PercentEncodedPath, KeepsUnreservedCharactersAndSlashesAndEncodesEveryOtherByte)
{
    EXPECT_EQ(PercentEncodedPath("/az/AZ/09/-._~"), "/az/AZ/09/-._~");
    EXPECT_EQ(PercentEncodedPath("/a b\n%\"#?"), "/a%20b%0A%25%22%23%3F");
    // Each byte on its own, whether or not it is part of a character.
    EXPECT_EQ(PercentEncodedPath("bad\xff/bad\xEF\xBF\xBD"), "bad%FF/bad%EF%BF%BD");
}

TEST(PathUnquote, RemovesOneEnclosingPair)
{
    std::string text = "\"/home/me/My Files\"";
    EXPECT_TRUE(PathUnquote(text));
    EXPECT_EQ(text, "/home/me/My Files");
    EXPECT_FALSE(PathUnquote(text));

    text = "\"\"x\"\"";
    EXPECT_TRUE(PathUnquote(text));
    EXPECT_EQ(text, "\"x\"");
    text = "\"\"";
    EXPECT_TRUE(PathUnquote(text));
    EXPECT_EQ(text, "");
}

TEST(PathUnquote, LeavesUnbalancedQuotesAlone)
{
    for (const char *original : {"\"", "\"open", "close\"", "mid\"dle", ""}) {
        std::string text = original;
        EXPECT_FALSE(PathUnquote(text)) << original;
        EXPECT_EQ(text, original);
    }
}

TEST(PathExists, SeesFilesFoldersAndLinks)
{
    test::TempTree tree;
    const std::string file = tree.WriteFile("f.txt", "x");
    const std::string folder = tree.MakeFolder("sub");
    ASSERT_EQ(symlink("gone", tree.Path("dangling").c_str()), 0);
    ASSERT_EQ(symlink("loop", tree.Path("loop").c_str()), 0);

    EXPECT_TRUE(PathExists(file));
    EXPECT_TRUE(PathExists(folder));
    EXPECT_TRUE(PathExists(folder + "/"));
    EXPECT_TRUE(PathExists(tree.Path("dangling")));
    EXPECT_TRUE(PathExists(tree.Path("loop")));
    EXPECT_FALSE(PathExists(tree.Path("missing")));
    EXPECT_FALSE(PathExists(tree.Path("missing/f.txt")));
    EXPECT_FALSE(PathExists(file + "/below-a-file"));
    EXPECT_FALSE(PathExists(""));
    EXPECT_FALSE(PathExists(std::string(5000, 'a')));
}

TEST(PathExists, UnreachablePathCountsAsAbsent)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root passes every permission check";
    test::TempTree tree;
    const std::string file = tree.WriteFile("locked/f.txt", "x");
    ASSERT_EQ(chmod(tree.Path("locked").c_str(), 0), 0);
    EXPECT_FALSE(PathExists(file));
}

TEST(PathRemoveTrailingSeparator, RemovesOneButNeverTheRoot)
{
    std::string path = "/a/b/";
    EXPECT_TRUE(PathRemoveTrailingSeparator(path));
    EXPECT_EQ(path, "/a/b");
    EXPECT_FALSE(PathRemoveTrailingSeparator(path));
    EXPECT_EQ(path, "/a/b");

    path = "/";
    EXPECT_FALSE(PathRemoveTrailingSeparator(path));
    EXPECT_EQ(path, "/");
    path = "/a//";
    EXPECT_TRUE(PathRemoveTrailingSeparator(path));
    EXPECT_EQ(path, "/a/");
    path = "";
    EXPECT_FALSE(PathRemoveTrailingSeparator(path));
}

TEST(PathContainingFolder, GivesAFolderThatCanBeOpened)
{
    EXPECT_EQ(PathContainingFolder("/a/b"), "/a");
    EXPECT_EQ(PathContainingFolder("/a/b/"), "/a");
    EXPECT_EQ(PathContainingFolder("/a"), "/");
    EXPECT_EQ(PathContainingFolder("a/b"), "a");
    EXPECT_EQ(PathContainingFolder("a"), ".");
    EXPECT_EQ(PathContainingFolder(""), ".");
    EXPECT_EQ(PathContainingFolder("/"), "/");
}

TEST(PathMadeAbsolute, JoinsRelativePathsToTheCurrentFolderWithoutDotsOrDoubledSeparators)
{
    EXPECT_EQ(PathMadeAbsolute(".", "/home/u"), "/home/u");
    EXPECT_EQ(PathMadeAbsolute("t", "/home/u"), "/home/u/t");
    EXPECT_EQ(PathMadeAbsolute("./a//b/./", "/home/u"), "/home/u/a/b");
    EXPECT_EQ(PathMadeAbsolute("/tmp/./x/", "/home/u"), "/tmp/x");
    EXPECT_EQ(PathMadeAbsolute(".", "/"), "/");
    EXPECT_EQ(PathMadeAbsolute("a", "/"), "/a");
}

TEST(PathMadeAbsolute, CollapsesDotDotOnlyAgainstTheCurrentFolderAndTheRoot)
{
    EXPECT_EQ(PathMadeAbsolute("..", "/home/u"), "/home");
    EXPECT_EQ(PathMadeAbsolute("../v/./w", "/home/u"), "/home/v/w");
    EXPECT_EQ(PathMadeAbsolute("../../../../x", "/home/u"), "/x");
    EXPECT_EQ(PathMadeAbsolute("/..", "/home/u"), "/");
    EXPECT_EQ(PathMadeAbsolute("/../etc", "/home/u"), "/etc");
    // The component before these may be a link: its parent is not the folder before it.
    EXPECT_EQ(PathMadeAbsolute("a/..", "/home/u"), "/home/u/a/..");
    EXPECT_EQ(PathMadeAbsolute("../v/../w", "/home/u"), "/home/v/../w");
    EXPECT_EQ(PathMadeAbsolute("/tmp/a/../b", "/home/u"), "/tmp/a/../b");
}

TEST(CurrentFolder, IsTheFolderThatRelativePathsStartFrom)
{
    const test::TempTree tree;
    const std::string real = tree.MakeFolder("here");
    ASSERT_EQ(symlink(real.c_str(), tree.Path("link").c_str()), 0);
    const std::string before = CurrentFolder();
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(chdir(tree.Path("link").c_str()), 0);
    const std::string inside = CurrentFolder();
    ASSERT_EQ(chdir(before.c_str()), 0);
    char resolved[PATH_MAX];
    ASSERT_NE(realpath(real.c_str(), resolved), nullptr);
    EXPECT_EQ(inside, resolved) << "no link in it";
}

TEST(HomeTest, TildeStandsForHome)
{
    const test::ScopedEnv home("HOME", "/home/tester");
    EXPECT_EQ(PathExpandHome("~"), "/home/tester");
    EXPECT_EQ(PathExpandHome("~/"), "/home/tester");
    EXPECT_EQ(PathExpandHome("~/Documents"), "/home/tester/Documents");
    EXPECT_EQ(PathExpandHome("~//x"), "/home/tester/x");
    home.Set("/home/tester/");
    EXPECT_EQ(PathExpandHome("~/x"), "/home/tester/x");
    home.Set("/");
    EXPECT_EQ(PathExpandHome("~/x"), "/x");
}

TEST(HomeTest, OtherTextsStayAsTheyAre)
{
    const test::ScopedEnv home("HOME", "/home/tester");
    for (const char *path : {"~other/x", "/a/~/b", "a~", "", "/home", "~~"})
        EXPECT_EQ(PathExpandHome(path), path);
}

TEST(HomeTest, WithoutAnAbsoluteHomeVariableThePasswordEntryAnswers)
{
    const passwd *entry = getpwuid(getuid());
    if (!entry || !entry->pw_dir || !*entry->pw_dir)
        GTEST_SKIP() << "this user has no password entry";
    const std::string expected = PathAppend(entry->pw_dir, "x");
    const test::ScopedEnv home("HOME", nullptr);
    EXPECT_EQ(PathExpandHome("~/x"), expected);
    home.Set("");
    EXPECT_EQ(PathExpandHome("~/x"), expected);
    home.Set("relative/home");
    EXPECT_EQ(PathExpandHome("~/x"), expected);
}

} // namespace
} // namespace sifter
