// SPDX-License-Identifier: GPL-3.0-or-later
// Which records file commands may act on: a plain name directly inside one of the folders the
// criteria searched, compared by text.
#include "fileops/file_command_guard.h"
#include "search/found_file.h"

#include <gtest/gtest.h>

namespace sifter::test {
namespace {

RecordFault FaultOf(const std::string &folder, const std::vector<std::string> &searched)
{
    FoundFile record;
    record.SetName("file.txt");
    record.SetFolder(folder);
    return FileCommandFault(record, searched);
}

TEST(FileCommandGuard, AFolderActsOnlyAtOrBelowASearchedFolder)
{
    const std::vector<std::string> searched = {"/srv/a", "/home/ann"};
    EXPECT_EQ(FaultOf("/srv/a", searched), RecordFault::kNone);
    EXPECT_EQ(FaultOf("/home/ann/deep/er", searched), RecordFault::kNone);
    EXPECT_EQ(FaultOf("/srv/ab", searched), RecordFault::kOutsideSearch);
    EXPECT_EQ(FaultOf("/srv", searched), RecordFault::kOutsideSearch);
    EXPECT_EQ(FaultOf("/etc", searched), RecordFault::kOutsideSearch);
    EXPECT_EQ(FaultOf("/etc", {}), RecordFault::kOutsideSearch);
    EXPECT_EQ(FaultOf("/etc", {"/"}), RecordFault::kNone);
}

TEST(FileCommandGuard, DotComponentsAndRelativeFoldersNeverAct)
{
    const std::vector<std::string> searched = {"/srv/a", "relative"};
    EXPECT_EQ(FaultOf("/srv/a/../b", searched), RecordFault::kDotInFolder);
    EXPECT_EQ(FaultOf("/srv/a/./b", searched), RecordFault::kDotInFolder);
    EXPECT_EQ(FaultOf("/srv/a/..", searched), RecordFault::kDotInFolder);
    EXPECT_EQ(FaultOf("/srv/a/..b/.c", searched), RecordFault::kNone);
    EXPECT_EQ(FaultOf("relative/x", searched), RecordFault::kRelativeFolder);
    // A relative searched folder does not let an absolute record through by its text.
    EXPECT_EQ(FaultOf("/relative/x", {"/relative"}), RecordFault::kNone);
    EXPECT_EQ(FaultOf("/srv/relative", {"relative"}), RecordFault::kOutsideSearch);
}

} // namespace
} // namespace sifter::test
