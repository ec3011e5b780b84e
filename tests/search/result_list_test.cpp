// SPDX-License-Identifier: GPL-3.0-or-later
// The list operations of FileSearch.
#include "search/file_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace sifter {
namespace {

std::unique_ptr<FoundFile> Named(const char *name)
{
    auto record = std::make_unique<FoundFile>();
    record->SetName(name);
    return record;
}

std::vector<std::string> Names(const FileSearch &search)
{
    std::vector<std::string> names;
    for (const FoundFile *r = search.Head(); r; r = r->next)
        names.emplace_back(r->Name());
    // The backward links must tell the same story.
    std::vector<std::string> backwards;
    for (const FoundFile *r = search.Tail(); r; r = r->prev)
        backwards.insert(backwards.begin(), std::string(r->Name()));
    EXPECT_EQ(names, backwards);
    return names;
}

TEST(ResultListTest, NewSearchIsEmptyIdleWithDefaultCriteria)
{
    FileSearch search;
    EXPECT_EQ(search.Head(), nullptr);
    EXPECT_EQ(search.Tail(), nullptr);
    EXPECT_FALSE(search.Running());
    EXPECT_FALSE(search.InRun());
    EXPECT_EQ(search.criteria.unicodeUtf8, 1);
    EXPECT_EQ(search.criteria.searchSubfolders, 1);
    EXPECT_NE(search.criteria.date1.year, 0);
}

TEST(ResultListTest, AppendKeepsOrderAndOwnership)
{
    FileSearch search;
    EXPECT_FALSE(search.AppendFoundFile(nullptr));
    EXPECT_TRUE(search.AppendFoundFile(Named("a")));
    EXPECT_TRUE(search.AppendFoundFile(Named("b")));
    EXPECT_TRUE(search.AppendFoundFile(Named("c")));
    EXPECT_EQ(Names(search), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(search.CountFoundFiles(), 3u);
    EXPECT_EQ(search.Head()->owner, &search);
}

TEST(ResultListTest, RemoveKeepsHeadAndTailRight)
{
    FileSearch search;
    for (const char *name : {"a", "b", "c", "d"})
        search.AppendFoundFile(Named(name));
    EXPECT_TRUE(search.RemoveFoundFile(search.Head()->next)); // middle
    EXPECT_EQ(Names(search), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_TRUE(search.RemoveFoundFile(search.Head()));
    EXPECT_TRUE(search.RemoveFoundFile(search.Tail()));
    EXPECT_EQ(Names(search), (std::vector<std::string>{"c"}));
    EXPECT_TRUE(search.RemoveFoundFile(search.Tail()));
    EXPECT_EQ(search.Head(), nullptr);
    EXPECT_EQ(search.Tail(), nullptr);
}

TEST(ResultListTest, TakingAnotherListMovesItsRecordsAndTheirOwnership)
{
    FileSearch search;
    search.AppendFoundFile(Named("a"));
    FileSearch other;
    EXPECT_TRUE(search.TakeFoundFiles(other)); // nothing to take
    other.AppendFoundFile(Named("b"));
    other.AppendFoundFile(Named("c"));
    EXPECT_TRUE(search.TakeFoundFiles(other));
    EXPECT_EQ(Names(search), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(other.Head(), nullptr);
    EXPECT_EQ(other.Tail(), nullptr);
    // Ownership follows: the old list can no longer free them, the new one can.
    FoundFile *taken = search.Tail();
    EXPECT_FALSE(other.RemoveFoundFile(taken));
    EXPECT_TRUE(search.RemoveFoundFile(taken));
    EXPECT_FALSE(search.TakeFoundFiles(search));

    FileSearch empty;
    other.AppendFoundFile(Named("d"));
    EXPECT_TRUE(empty.TakeFoundFiles(other));
    EXPECT_EQ(Names(empty), (std::vector<std::string>{"d"}));
}

TEST(ResultListTest, AppendAfterDeletingTheLastRecordIsReachable)
{
    FileSearch search;
    search.AppendFoundFile(Named("a"));
    search.AppendFoundFile(Named("b"));
    search.RemoveFoundFile(search.Tail());
    search.AppendFoundFile(Named("c"));
    EXPECT_EQ(Names(search), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(search.Tail()->Name(), "c");
    EXPECT_EQ(search.Head()->next, search.Tail());
}

TEST(ResultListTest, RemoveRefusesRecordsThisListDoesNotOwn)
{
    FileSearch search;
    FileSearch other;
    other.AppendFoundFile(Named("x"));
    FoundFile loose;
    EXPECT_FALSE(search.RemoveFoundFile(nullptr));
    EXPECT_FALSE(search.RemoveFoundFile(&loose));
    EXPECT_FALSE(search.RemoveFoundFile(other.Head()));
    EXPECT_EQ(other.CountFoundFiles(), 1u);
}

TEST(ResultListTest, ClearFreesEverything)
{
    FileSearch search;
    for (int i = 0; i < 100; ++i)
        search.AppendFoundFile(Named("r"));
    EXPECT_TRUE(search.ClearFoundFiles());
    EXPECT_EQ(search.Head(), nullptr);
    EXPECT_EQ(search.Tail(), nullptr);
    EXPECT_EQ(search.CountFoundFiles(), 0u);
}

} // namespace
} // namespace sifter
