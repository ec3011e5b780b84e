// SPDX-License-Identifier: GPL-3.0-or-later
// The names a copy takes beside an entry of its own name.
#include "support/temp_tree.h"
#include "transfer/transfer_naming.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(TransferNaming, TheNumberGoesBeforeTheExtension)
{
    EXPECT_EQ(NumberedName("report.txt", false, 1), "report (1).txt");
    EXPECT_EQ(NumberedName("backup.tar.gz", false, 2), "backup (2).tar.gz");
    EXPECT_EQ(NumberedName("photo.2024.jpg", false, 3), "photo.2024 (3).jpg");
}

TEST(TransferNaming, HiddenNamesFoldersAndNamesWithoutExtensionTakeItAtTheEnd)
{
    EXPECT_EQ(NumberedName(".bashrc", false, 1), ".bashrc (1)");
    EXPECT_EQ(NumberedName("Makefile", false, 1), "Makefile (1)");
    EXPECT_EQ(NumberedName("ends with dot.", false, 1), "ends with dot. (1)");
    EXPECT_EQ(NumberedName("version 1.2", true, 1), "version 1.2 (1)");
    EXPECT_EQ(NumberedName(".config.d", true, 4), ".config.d (4)");
}

TEST(TransferNaming, ANumberAlreadyThereCountsOnInsteadOfStacking)
{
    EXPECT_EQ(NumberedName("report (1).txt", false, 2), "report (2).txt");
    EXPECT_EQ(NumberedName("notes (12)", true, 13), "notes (13)");
    // Not a number of ours: kept.
    EXPECT_EQ(NumberedName("draft (final).txt", false, 1), "draft (final) (1).txt");
    EXPECT_EQ(NumberedName("(1)", false, 2), "(1) (2)");
}

TEST(TransferNaming, TheFreeNameSkipsTakenOnesAndDanglingLinks)
{
    test::TempTree tree;
    tree.WriteFile("a.txt", "");
    tree.WriteFile("a (1).txt", "");
    ASSERT_EQ(symlink("nowhere", tree.Path("a (2).txt").c_str()), 0);
    EXPECT_EQ(FreeEntryName(tree.Root(), "a.txt", false), "a (3).txt");
    EXPECT_EQ(FreeEntryName(tree.Root(), "b.txt", false), "b (1).txt");
    EXPECT_EQ(FreeEntryName(tree.Path("missing"), "a.txt", false), "a (1).txt");
}

} // namespace
} // namespace sifter
