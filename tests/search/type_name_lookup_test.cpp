// SPDX-License-Identifier: GPL-3.0-or-later
// A run's type names: looked up only when its caller wants them, and then the same as the
// type lookup gives for each name on its own.
#include "desktop/type_names.h"
#include "fs/file_attributes.h"
#include "search/file_search.h"
#include "search/text_field.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

using test::TempTree;

class TypeNameLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"notes.txt", "more.txt", "src.tar.gz", "Makefile", "README", ".bashrc", "x.bashrc",
                                 "libz.so.1", "blob", "photo.JPG"})
            tree.WriteFile(std::string("sub/") + name, "content");
        tree.MakeFolder("sub/folder.d");
        SetTextField(search.criteria.folders, tree.Root());
    }

    void Run()
    {
        search.SetRunning(true);
        search.RunSearch(SearchSinks{});
        search.SetRunning(false);
    }

    TempTree tree;
    FileSearch search;
};

TEST_F(TypeNameLookupTest, RunToldNoTypeNameIsWantedLooksNoneUp)
{
    search.SetTypeNamesWanted(false);
    Run();
    ASSERT_GT(search.CountFoundFiles(), 10u);
    for (const FoundFile *record = search.Head(); record; record = record->next)
        EXPECT_TRUE(record->TypeName().empty()) << record->Name();
    EXPECT_EQ(search.TypeNameLookups(), 0u);
}

TEST_F(TypeNameLookupTest, RunGivesEveryRecordTheTypeNameOfItsOwnName)
{
    Run();
    ASSERT_GT(search.CountFoundFiles(), 10u);
    EXPECT_GT(search.TypeNameLookups(), 0u);
    for (const FoundFile *record = search.Head(); record; record = record->next) {
        TypeNames alone; // a fresh cache: the answer for this name by itself
        EXPECT_EQ(record->TypeName(), alone.TypeName(record->Name(), (record->attributes & kAttributeFolder) != 0))
            << record->Name();
    }
}

} // namespace
} // namespace sifter
