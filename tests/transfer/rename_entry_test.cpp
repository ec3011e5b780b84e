// SPDX-License-Identifier: GPL-3.0-or-later
// Renaming within a folder never replaces another entry, with either way of doing it.
#include "support/temp_tree.h"
#include "support/without_rename_noreplace.h"
#include "transfer/rename_entry.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace sifter {
namespace {

TEST(RenameEntry, RenamesInItsFolderAndKeepsTheContent)
{
    test::TempTree tree;
    tree.WriteFile("report.doc", "report");
    int error = 0;
    EXPECT_EQ(RenameEntry(tree.Path(""), "report.doc", "summary.doc", error), RenameOutcome::kRenamed);
    EXPECT_FALSE(test::EntryExists(tree.Path("report.doc")));
    EXPECT_EQ(test::ReadFileContent(tree.Path("summary.doc")), "report");
}

TEST(RenameEntry, NamesThatAreNoPlainNameAreRefusedBeforeAnythingHappens)
{
    test::TempTree tree;
    tree.MakeFolder("sub");
    tree.WriteFile("a", "a");
    int error = 0;
    EXPECT_EQ(RenameEntry(tree.Path(""), "a", "", error), RenameOutcome::kEmptyName);
    EXPECT_EQ(RenameEntry(tree.Path(""), "a", "sub/a", error), RenameOutcome::kNameWithSeparator);
    EXPECT_EQ(RenameEntry(tree.Path(""), "a", "../a", error), RenameOutcome::kNameWithSeparator);
    EXPECT_EQ(RenameEntry(tree.Path(""), "a", ".", error), RenameOutcome::kDotName);
    EXPECT_EQ(RenameEntry(tree.Path(""), "a", "..", error), RenameOutcome::kDotName);
    EXPECT_EQ(test::ReadFileContent(tree.Path("a")), "a");
    EXPECT_FALSE(test::EntryExists(tree.Path("sub/a")));
}

TEST(RenameEntry, AnExistingNameIsNeverReplaced)
{
    test::TempTree tree;
    tree.WriteFile("old", "old");
    tree.WriteFile("taken", "taken");
    tree.MakeFolder("folder");
    tree.MakeFolder("empty folder");
    int error = 0;
    EXPECT_EQ(RenameEntry(tree.Path(""), "old", "taken", error), RenameOutcome::kExists);
    EXPECT_EQ(test::ReadFileContent(tree.Path("old")), "old");
    EXPECT_EQ(test::ReadFileContent(tree.Path("taken")), "taken");
    // rename(2) would replace an empty folder with a folder.
    EXPECT_EQ(RenameEntry(tree.Path(""), "folder", "empty folder", error), RenameOutcome::kExists);
    EXPECT_TRUE(test::EntryExists(tree.Path("folder")));
}

TEST(RenameEntry, NamesThatAShellWouldBreakWork)
{
    test::TempTree tree;
    int error = 0;
    std::string name = "plain";
    tree.WriteFile(name, "x");
    for (const std::string next : {"with blank", "quote\"and'", "new\nline", "-leading-dash", "bad\xff\xfe"}) {
        ASSERT_EQ(RenameEntry(tree.Path(""), name, next, error), RenameOutcome::kRenamed) << next;
        EXPECT_EQ(test::ReadFileContent(tree.Path(next)), "x");
        name = next;
    }
}

TEST(RenameEntry, AMissingFileIsAFailureWithItsError)
{
    test::TempTree tree;
    int error = 0;
    EXPECT_EQ(RenameEntry(tree.Path(""), "missing", "other", error), RenameOutcome::kFailed);
    EXPECT_EQ(error, ENOENT);
}

TEST(RenameEntryByLink, MovesTheNameAndNeverReplaces)
{
    test::TempTree tree;
    tree.WriteFile("a", "a");
    tree.WriteFile("b", "b");
    tree.MakeFolder("folder");
    int error = 0;
    EXPECT_EQ(RenameEntryByLink(tree.Path("a"), tree.Path("b"), error), RenameOutcome::kExists);
    EXPECT_EQ(test::ReadFileContent(tree.Path("a")), "a");
    EXPECT_EQ(test::ReadFileContent(tree.Path("b")), "b");
    EXPECT_EQ(RenameEntryByLink(tree.Path("a"), tree.Path("c"), error), RenameOutcome::kRenamed);
    EXPECT_FALSE(test::EntryExists(tree.Path("a")));
    EXPECT_EQ(test::ReadFileContent(tree.Path("c")), "a");
    // A folder cannot be linked, so it is refused rather than renamed unsafely.
    EXPECT_EQ(RenameEntryByLink(tree.Path("folder"), tree.Path("d"), error), RenameOutcome::kFailed);
    EXPECT_EQ(error, EINVAL);
    EXPECT_TRUE(test::EntryExists(tree.Path("folder")));
}

TEST(RenameWithoutReplace, WhereNoReplaceIsRefusedTheFallbackStillNeverReplaces)
{
    if (test::RunWithoutRenameNoReplace(EINVAL, [] { return 0; }) == test::kNoRefusal)
        GTEST_SKIP() << "no seccomp here to make renameat2 refuse";
    for (const int refusal : {EINVAL, ENOSYS}) {
        test::TempTree tree;
        tree.WriteFile("a", "a");
        tree.WriteFile("b", "b");
        tree.MakeFolder("folder");
        const auto attempt = [&](const char *from, const char *to, NoReplaceFallback fallback) {
            return test::RunWithoutRenameNoReplace(
                refusal, [&] { return RenameWithoutReplace(tree.Path(from), tree.Path(to), fallback); });
        };
        for (const NoReplaceFallback fallback : {NoReplaceFallback::kLink, NoReplaceFallback::kCheckThenRename})
            EXPECT_EQ(attempt("a", "b", fallback), EEXIST) << refusal;
        EXPECT_EQ(test::ReadFileContent(tree.Path("a")), "a");
        EXPECT_EQ(test::ReadFileContent(tree.Path("b")), "b");
        EXPECT_EQ(attempt("a", "c", NoReplaceFallback::kLink), 0) << refusal;
        EXPECT_FALSE(test::EntryExists(tree.Path("a")));
        EXPECT_EQ(test::ReadFileContent(tree.Path("c")), "a");
        // Only the fallback that renames takes a folder, which cannot be linked.
        EXPECT_EQ(attempt("folder", "d", NoReplaceFallback::kLink), EINVAL) << refusal;
        EXPECT_EQ(attempt("folder", "d", NoReplaceFallback::kCheckThenRename), 0) << refusal;
        EXPECT_TRUE(test::EntryExists(tree.Path("d")));
        EXPECT_FALSE(test::EntryExists(tree.Path("folder")));
    }
}

} // namespace
} // namespace sifter
