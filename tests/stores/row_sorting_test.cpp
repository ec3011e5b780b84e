// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting of the results rows: every column's key, both directions, equal keys keeping
// their order, and the time key around clock changes and outside the 32-bit range.
#include "stores/row_sorting.h"

#include "fs/file_attributes.h"
#include "res/resource_ids.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "support/scoped_time_zone.h"
#include "text/file_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace sifter {
namespace {

class RowSortingTest : public ::testing::Test {
protected:
    FoundFile &Add(std::string_view name)
    {
        FoundFile &record = records_.emplace_back();
        record.SetName(name);
        record.SetFolder("/data");
        rows_.push_back(&record);
        return record;
    }

    std::vector<std::string> SortedNames(std::uint32_t id, bool descending)
    {
        std::vector<FoundFile *> rows = rows_;
        SortRows(rows, SortState{id, descending});
        std::vector<std::string> names;
        for (const FoundFile *record : rows)
            names.emplace_back(record->Name());
        return names;
    }

    // The order a plain stable sort with CompareRows gives, for the fast path to match.
    std::vector<FoundFile *> ByComparison(std::uint32_t id, bool descending)
    {
        std::vector<FoundFile *> rows = rows_;
        const SortState state{id, descending};
        std::stable_sort(rows.begin(), rows.end(),
                         [&state](const FoundFile *a, const FoundFile *b) { return CompareRows(a, b, state) < 0; });
        return rows;
    }

    std::vector<FoundFile *> Sorted(std::uint32_t id, bool descending)
    {
        std::vector<FoundFile *> rows = rows_;
        SortRows(rows, SortState{id, descending});
        return rows;
    }

    std::deque<FoundFile> records_;
    std::vector<FoundFile *> rows_;
};

using Names = std::vector<std::string>;

TEST(SortStateTest, SameColumnFlipsAnotherStartsAscending)
{
    SortState state;
    state.ArrangeBy(cmd::kArrangeBySize);
    EXPECT_EQ(state.sortCommandId, cmd::kArrangeBySize);
    EXPECT_FALSE(state.sortDescending);
    state.ArrangeBy(cmd::kArrangeBySize);
    EXPECT_TRUE(state.sortDescending);
    state.ArrangeBy(cmd::kArrangeByName);
    EXPECT_EQ(state.sortCommandId, cmd::kArrangeByName);
    EXPECT_FALSE(state.sortDescending);
    state.ArrangeBy(cmd::kArrangeByName);
    state.ArrangeBy(cmd::kArrangeByName);
    EXPECT_FALSE(state.sortDescending);
}

TEST(CompareTextNoCaseTest, FoldsAsciiOnlyAndPutsPrefixesFirst)
{
    EXPECT_EQ(CompareTextNoCase("A.txt", "a.TXT"), 0);
    EXPECT_EQ(CompareTextNoCase("file_1", "fileA"), -1); // '_' 0x5F before folded 'a' 0x61
    EXPECT_EQ(CompareTextNoCase("abc", "ab"), 1);
    EXPECT_EQ(CompareTextNoCase("", "a"), -1);
    // Bytes above 0x7F are not folded and count unsigned: "É" (C3 89) after "z".
    EXPECT_EQ(CompareTextNoCase("\xC3\x89", "z"), 1);
    EXPECT_NE(CompareTextNoCase("\xC3\x89", "\xC3\xA9"), 0);
    EXPECT_EQ(CompareTextNoCase("[", "a"), -1); // '[' 0x5B, not folded
}

TEST_F(RowSortingTest, NameIgnoresAsciiCaseAndKeepsEqualNamesInOrder)
{
    Add("b.txt");
    Add("A.txt");
    Add("a.TXT");
    EXPECT_EQ(SortedNames(cmd::kArrangeByName, false), (Names{"A.txt", "a.TXT", "b.txt"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByName, true), (Names{"b.txt", "A.txt", "a.TXT"}));
}

TEST_F(RowSortingTest, UnderscoreComesBeforeLettersAndLongNamesCountWhole)
{
    Add("fileA");
    Add("file_1");
    const std::string longA(300, 'x');
    Add(longA + "b");
    Add(longA + "A");
    EXPECT_EQ(SortedNames(cmd::kArrangeByName, false), (Names{"file_1", "fileA", longA + "A", longA + "b"}));
}

TEST_F(RowSortingTest, NamesSharingLongBeginningsAreOrderedByTheRest)
{
    Add("abcdefghZ");
    Add("ABCDEFGHa");
    Add("abcdefgh");
    Add("abcdefg");
    Add("abcdefghijklmnop_2");
    Add("ABCDEFGHIJKLMNOPa");
    Add("abcdefghijklmnop");
    Add("abcdefghijklmnoP_1");
    EXPECT_EQ(SortedNames(cmd::kArrangeByName, false),
              (Names{"abcdefg", "abcdefgh", "ABCDEFGHa", "abcdefghijklmnop", "abcdefghijklmnoP_1",
                     "abcdefghijklmnop_2", "ABCDEFGHIJKLMNOPa", "abcdefghZ"}));
    EXPECT_EQ(Sorted(cmd::kArrangeByName, true), ByComparison(cmd::kArrangeByName, true));
}

TEST_F(RowSortingTest, FolderAndTypeAreTextKeys)
{
    Add("one").SetFolder("/srv/B");
    Add("two").SetFolder("/srv/a");
    Add("three").SetFolder("/srv/a");
    EXPECT_EQ(SortedNames(cmd::kArrangeByFolder, false), (Names{"two", "three", "one"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByFolder, true), (Names{"one", "two", "three"}));
    rows_[0]->SetTypeName("text document");
    rows_[1]->SetTypeName("Folder");
    rows_[2]->SetTypeName("");
    EXPECT_EQ(SortedNames(cmd::kArrangeByType, false), (Names{"three", "two", "one"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByType, true), (Names{"one", "two", "three"}));
}

TEST_F(RowSortingTest, SizeIsUnsigned64BitWithEqualSizesInOrder)
{
    Add("huge").size = std::numeric_limits<std::uint64_t>::max();
    Add("four-giga").size = 0x1'0000'0000ULL;
    Add("small").size = 0xFFFF'FFFFULL;
    Add("empty").size = 0;
    Add("also-empty").size = 0;
    EXPECT_EQ(SortedNames(cmd::kArrangeBySize, false), (Names{"empty", "also-empty", "small", "four-giga", "huge"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeBySize, true), (Names{"huge", "four-giga", "small", "empty", "also-empty"}));
}

TEST_F(RowSortingTest, AttributesSortByTheirLetterTexts)
{
    Add("ra").attributes = kAttributeReadOnly | kAttributeArchive;
    Add("r").attributes = kAttributeReadOnly;
    Add("hs").attributes = kAttributeHidden | kAttributeSystem;
    Add("a").attributes = kAttributeArchive;
    Add("h").attributes = kAttributeHidden | kAttributeFolder;
    Add("none").attributes = kAttributeNormal;
    Add("none-too").attributes = 0;
    EXPECT_EQ(SortedNames(cmd::kArrangeByAttributes, false), (Names{"none", "none-too", "a", "h", "hs", "r", "ra"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByAttributes, true), (Names{"ra", "r", "hs", "h", "a", "none", "none-too"}));
    EXPECT_EQ(Sorted(cmd::kArrangeByAttributes, true), ByComparison(cmd::kArrangeByAttributes, true));
}

TEST_F(RowSortingTest, EmptyShortNameSortsByTheLongName)
{
    Add("zeta.txt").SetShortName("A~1.TXT");
    Add("beta.txt");
    Add("alpha.txt").SetShortName("Z~1.TXT");
    Add("gamma.txt").SetShortName("beta.txt");
    EXPECT_EQ(SortedNames(cmd::kArrangeByShortName, false), (Names{"zeta.txt", "beta.txt", "gamma.txt", "alpha.txt"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByShortName, true), (Names{"alpha.txt", "beta.txt", "gamma.txt", "zeta.txt"}));
}

TEST_F(RowSortingTest, ColumnsWithoutKeyLeaveTheOrderAlone)
{
    Add("b");
    Add("a");
    for (std::uint32_t id : {0U, 32779U, 40000U}) {
        EXPECT_EQ(SortedNames(id, false), (Names{"b", "a"})) << id;
        EXPECT_EQ(CompareRows(rows_[0], rows_[1], SortState{id, false}), 0) << id;
    }
    EXPECT_EQ(CompareRows(nullptr, rows_[1], SortState{cmd::kArrangeByName, false}), 0);
    EXPECT_EQ(CompareRows(rows_[0], nullptr, SortState{cmd::kArrangeByName, true}), 0);
    EXPECT_EQ(CompareRows(rows_[0], rows_[1], SortState{cmd::kArrangeByName, false}), 1);
    EXPECT_EQ(CompareRows(rows_[0], rows_[1], SortState{cmd::kArrangeByName, true}), -1);
}

// Runs with TZ set to a zone with summer time, and puts TZ back.
class TimeSortingTest : public RowSortingTest {
protected:
    // Central Europe: clocks go back from 03:00 to 02:00 on the last Sunday of October.
    test::ScopedTimeZone zone_{"CET-1CEST,M3.5.0,M10.5.0/3"};

    static FileTime At(std::int64_t unixSeconds, std::int64_t nanoseconds = 0)
    {
        return FileTimeFromUnix(unixSeconds, nanoseconds);
    }
};

// 2024-10-27 01:00 UTC: 03:00 summer time becomes 02:00 winter time.
constexpr std::int64_t kFallBack2024 = 1'729'990'800;

TEST_F(TimeSortingTest, TimesWithinOneSecondKeepTheirOrder)
{
    Add("later-in-second").lastWriteTime = At(1'700'000'000, 900'000'000);
    Add("earlier-in-second").lastWriteTime = At(1'700'000'000, 100'000'000);
    Add("second-before").lastWriteTime = At(1'699'999'999, 999'999'900);
    EXPECT_EQ(SortedNames(cmd::kArrangeByModified, false), (Names{"second-before", "later-in-second", "earlier-in-second"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByModified, true), (Names{"later-in-second", "earlier-in-second", "second-before"}));
}

TEST_F(TimeSortingTest, EachTimeColumnUsesItsOwnTime)
{
    FoundFile &first = Add("first");
    FoundFile &second = Add("second");
    first.creationTime = At(2'000);
    second.creationTime = At(1'000);
    first.lastAccessTime = At(1'000);
    second.lastAccessTime = At(2'000);
    EXPECT_EQ(SortedNames(cmd::kArrangeByCreated, false), (Names{"second", "first"}));
    EXPECT_EQ(SortedNames(cmd::kArrangeByVisited, false), (Names{"first", "second"}));
}

TEST_F(TimeSortingTest, RepeatedHourCountsAsItsFirstPassing)
{
    // 02:30 local is met twice; both read back as the first 02:30.
    const std::int32_t firstPass = LocalSortSeconds(At(kFallBack2024 - 1800));
    const std::int32_t secondPass = LocalSortSeconds(At(kFallBack2024 + 1800));
    EXPECT_EQ(firstPass, kFallBack2024 - 1800);
    EXPECT_EQ(secondPass, firstPass);
    EXPECT_EQ(LocalSortSeconds(At(kFallBack2024 + 3600)), kFallBack2024 + 3600);
}

TEST_F(TimeSortingTest, TimesOutsideThe32BitCountAreMinusOne)
{
    EXPECT_EQ(LocalSortSeconds(0), -1); // 1601
    EXPECT_EQ(LocalSortSeconds(At(-86'400)), -1);
    EXPECT_EQ(LocalSortSeconds(At(std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)), -1);
    EXPECT_EQ(LocalSortSeconds(At(1'000'000'000)), 1'000'000'000);
    // Past year 30827 there is no local calendar time.
    EXPECT_EQ(LocalSortSeconds(std::numeric_limits<FileTime>::max()), 0);
}

TEST_F(TimeSortingTest, FastKeysOrderAsTheComparisonDoes)
{
    // Every quarter hour around a clock change back, the epoch and the 2038 limit, plus
    // times without a local calendar time, in an order that is neither sorted nor reversed.
    std::vector<FileTime> times;
    for (std::int64_t step = -16; step <= 16; ++step) {
        times.push_back(At(kFallBack2024 + step * 900 + 7));
        times.push_back(At(step * 900));
        times.push_back(At(std::int64_t{std::numeric_limits<std::int32_t>::max()} + step * 900));
    }
    times.push_back(0);
    times.push_back(std::numeric_limits<FileTime>::max());
    for (std::size_t i = 0; i < times.size(); ++i) {
        const std::size_t shuffled = (i * 37) % times.size();
        Add("t" + std::to_string(shuffled)).lastWriteTime = times[shuffled];
    }
    EXPECT_EQ(Sorted(cmd::kArrangeByModified, false), ByComparison(cmd::kArrangeByModified, false));
    EXPECT_EQ(Sorted(cmd::kArrangeByModified, true), ByComparison(cmd::kArrangeByModified, true));
}

} // namespace
} // namespace sifter
