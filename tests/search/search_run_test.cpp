// SPDX-License-Identifier: GPL-3.0-or-later
// The search run end to end on real trees: walk order, patterns, filters, hostile
// entries, stopping, and how the run treats its list and sinks.
#include "fs/file_attributes.h"
#include "fs/file_identity.h"
#include "search/file_search.h"
#include "search/run_helpers.h"
#include "support/scoped_env.h"
#include "support/scoped_time_zone.h"
#include "support/system_time.h"
#include "support/temp_tree.h"
#include "text/file_time.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace sifter {
namespace {

using test::FoundPaths;
using test::RecordingSinks;
using test::ScopedEnv;
using test::SetTexts;
using test::SystemTimeOf;
using test::TempTree;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

void MakeFifoAt(const std::string &path)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
}

void MakeLinkAt(const std::string &target, const std::string &path)
{
    ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0) << path;
}

class SearchRunTest : public ::testing::Test {
protected:
    std::vector<std::string> RunWith(std::string_view names, std::string_view words = {})
    {
        SetTexts(search, names, words, tree.Root());
        return RunConfigured();
    }
    std::vector<std::string> RunConfigured()
    {
        test::Run(search, sinks);
        return FoundPaths(search, tree.Root());
    }

    TempTree tree;
    FileSearch search;
    RecordingSinks sinks;
};

// The walk itself, on the calling thread alone and with its folders listed ahead by
// several workers: the same folders in the same order, whatever the tree does.
class WalkOnThreads : public SearchRunTest, public ::testing::WithParamInterface<std::size_t> {
protected:
    void SetUp() override
    {
        test::SetThreadsListingAsCold(search, GetParam());
    }
};

INSTANTIATE_TEST_SUITE_P(Threads, WalkOnThreads, ::testing::Values(std::size_t{1}, std::size_t{4}),
                         [](const ::testing::TestParamInfo<std::size_t> &count) {
                             return std::to_string(count.param) + "Threads";
                         });

// ---- walk order and patterns

TEST_P(WalkOnThreads, WalkVisitsSubfoldersDepthFirstLastListedFirst)
{
    tree.WriteFile("a.txt", "");
    tree.WriteFile("c.txt", "");
    tree.WriteFile("A/x.txt", "");
    tree.WriteFile("A/A1/y.txt", "");
    tree.WriteFile("A/A2/w.txt", "");
    tree.WriteFile("B/z.txt", "");
    EXPECT_THAT(RunWith("*.txt"),
                ElementsAre("a.txt", "c.txt", "B/z.txt", "A/x.txt", "A/A2/w.txt", "A/A1/y.txt"));
}

TEST_P(WalkOnThreads, UserFoldersAreSearchedInTheirOrderEachWithItsSubtree)
{
    tree.WriteFile("one/a.txt", "");
    tree.WriteFile("one/deep/b.txt", "");
    tree.WriteFile("two/c.txt", "");
    SetTexts(search, "*.txt", "", tree.Path("two") + ";" + tree.Path("one"));
    EXPECT_THAT(RunConfigured(), ElementsAre("two/c.txt", "one/a.txt", "one/deep/b.txt"));
}

TEST_F(SearchRunTest, FileMatchingTwoPatternsIsReportedOncePerPattern)
{
    tree.WriteFile("a.txt", "");
    tree.WriteFile("b.txt", "");
    tree.WriteFile("abc.dat", "");
    EXPECT_THAT(RunWith("*.txt;a*"), ElementsAre("a.txt", "b.txt", "a.txt", "abc.dat"));
}

TEST_F(SearchRunTest, RepeatedPatternDiffersOnlyInCaseCountsOnce)
{
    tree.WriteFile("a.txt", "");
    EXPECT_THAT(RunWith("*.txt;*.TXT"), ElementsAre("a.txt"));
}

TEST_F(SearchRunTest, PlainPatternFindsNamesContainingItInAnyCase)
{
    tree.WriteFile("My Report.doc", "");
    tree.WriteFile("REPORTS", "");
    tree.WriteFile("rep.txt", "");
    EXPECT_THAT(RunWith("report"), ElementsAre("My Report.doc", "REPORTS"));
}

TEST_F(SearchRunTest, PlainPatternWithNonAsciiLettersIgnoresCase)
{
    tree.WriteFile("GRÜSSE.txt", "");
    tree.WriteFile("Ärger.txt", "");
    EXPECT_THAT(RunWith("grüsse"), ElementsAre("GRÜSSE.txt"));
    EXPECT_THAT(RunWith("ärger"), ElementsAre("Ärger.txt"));
}

TEST_F(SearchRunTest, CaseSensitivePlainPatternDropsOtherCases)
{
    tree.WriteFile("Program Files", "");
    tree.WriteFile("program.c", "");
    SetTexts(search, "program", "", tree.Root());
    search.criteria.caseSensitive = 1;
    EXPECT_THAT(RunConfigured(), ElementsAre("program.c"));
}

TEST_F(SearchRunTest, CaseSensitiveFlagLeavesWildcardPatternsCaseInsensitive)
{
    tree.WriteFile("a.txt", "");
    SetTexts(search, "*.TXT", "", tree.Root());
    search.criteria.caseSensitive = 1;
    EXPECT_THAT(RunConfigured(), ElementsAre("a.txt"));
}

TEST_P(WalkOnThreads, EmptyNamesFindEveryEntryFoldersAndDotlessNamesIncluded)
{
    tree.WriteFile("README", "");
    tree.WriteFile("b.txt", "");
    tree.MakeFolder("sub");
    tree.WriteFile("sub/in.txt", "");
    EXPECT_THAT(RunWith(""), ElementsAre("b.txt", "README", "sub", "sub/in.txt"));
    const FoundFile *folder = search.Head()->next->next;
    ASSERT_EQ(folder->Name(), "sub");
    EXPECT_NE(folder->attributes & kAttributeFolder, 0u);
    EXPECT_EQ(folder->TypeName(), "Folder");
}

TEST_F(SearchRunTest, PatternHoldingASlashMatchesNothing)
{
    tree.WriteFile("sub/a.txt", "");
    EXPECT_THAT(RunWith("sub/*.txt"), IsEmpty());
}

TEST_F(SearchRunTest, RecordCarriesEntryDataAndFolderAsSearched)
{
    tree.WriteFile("sub/data.bin", std::string(1234, 'x'));
    tree.SetTimes("sub/data.bin", 1'700'000'000);
    SetTexts(search, "data", "", tree.Root() + "/");
    RunConfigured();
    ASSERT_EQ(search.CountFoundFiles(), 1u);
    const FoundFile &record = *search.Head();
    EXPECT_EQ(record.Name(), "data.bin");
    EXPECT_EQ(record.Folder(), tree.Path("sub"));
    EXPECT_EQ(record.size, 1234u);
    EXPECT_EQ(record.lastWriteTime, FileTimeFromUnix(1'700'000'000));
    EXPECT_EQ(record.lastAccessTime, FileTimeFromUnix(1'700'000'000));
    EXPECT_EQ(record.attributes, kAttributeNormal);
    EXPECT_EQ(record.matchOffset, 0);
    EXPECT_EQ(record.ShortName(), "");
    EXPECT_NE(record.TypeName(), "");
}

// ---- folders text

TEST_F(SearchRunTest, SameFolderTwiceWithTrailingSlashIsSearchedOnce)
{
    tree.WriteFile("a.txt", "");
    SetTexts(search, "*.txt", "", tree.Root() + ";" + tree.Root() + "/;" + tree.Root() + "//");
    EXPECT_THAT(RunConfigured(), ElementsAre("a.txt"));
}

TEST_F(SearchRunTest, FoldersDifferingInCaseAreBothSearched)
{
    tree.WriteFile("Dir/a.txt", "");
    tree.WriteFile("dir/b.txt", "");
    SetTexts(search, "*.txt", "", tree.Path("Dir") + ";" + tree.Path("dir"));
    EXPECT_THAT(RunConfigured(), ElementsAre("Dir/a.txt", "dir/b.txt"));
}

TEST_P(WalkOnThreads, UnlistableFolderContributesNothingAndTheRunGoesOn)
{
    tree.WriteFile("a.txt", "");
    SetTexts(search, "*.txt", "", tree.Path("missing") + "; " + tree.Root() + ";" + tree.Root());
    EXPECT_THAT(RunConfigured(), ElementsAre("a.txt"));
}

TEST_F(SearchRunTest, TildeFolderMeansHome)
{
    tree.WriteFile("home/docs/a.txt", "");
    {
        const ScopedEnv home("HOME", tree.Path("home").c_str());
        SetTexts(search, "*.txt", "", "~/docs");
        RunConfigured();
    }
    ASSERT_EQ(search.CountFoundFiles(), 1u);
    EXPECT_EQ(search.Head()->Folder(), tree.Path("home/docs"));
}

TEST_P(WalkOnThreads, ClearedSubfolderFlagKeepsTheRunInTheListedFolders)
{
    tree.WriteFile("a.txt", "");
    tree.WriteFile("sub/b.txt", "");
    SetTexts(search, "*.txt", "", tree.Root());
    search.criteria.searchSubfolders = 0;
    EXPECT_THAT(RunConfigured(), ElementsAre("a.txt"));
}

TEST_F(SearchRunTest, EmptyFoldersTextFindsNothing)
{
    SetTexts(search, "*", "", "");
    test::Run(search, sinks);
    EXPECT_EQ(search.Head(), nullptr);
    EXPECT_EQ(sinks.clears, 1);
}

TEST_F(SearchRunTest, RecordsOfOneFolderShareItsTextAndRecordsOfOneTypeTheirTypeName)
{
    tree.WriteFile("a/one.txt", "");
    tree.WriteFile("a/two.txt", "");
    tree.WriteFile("b/three.txt", "");
    RunWith("*.txt");
    ASSERT_EQ(search.CountFoundFiles(), 3u);
    std::map<std::string, const FoundFile *> byName;
    for (const FoundFile *record = search.Head(); record; record = record->next)
        byName[std::string(record->Name())] = record;
    EXPECT_EQ(byName["one.txt"]->SharedFolder(), byName["two.txt"]->SharedFolder());
    EXPECT_NE(byName["one.txt"]->SharedFolder(), byName["three.txt"]->SharedFolder());
    EXPECT_EQ(byName["three.txt"]->Folder(), tree.Path("b"));
    EXPECT_EQ(byName["one.txt"]->SharedTypeName(), byName["three.txt"]->SharedTypeName());
}

TEST_P(WalkOnThreads, FolderLongerThanItsFieldIsKeptWhole)
{
    std::string relative;
    for (int i = 0; i < 12; ++i)
        relative += (i ? "/" : "") + std::string(30, static_cast<char>('a' + i));
    tree.WriteFile(relative + "/found.txt", "");
    RunWith("found.txt");
    ASSERT_EQ(search.CountFoundFiles(), 1u);
    const FoundFile &record = *search.Head();
    EXPECT_EQ(record.Folder(), tree.Path(relative));
    EXPECT_EQ(record.Path(), tree.Path(relative + "/found.txt"));
    EXPECT_EQ(TextField(record.Stored().folder), tree.Path(relative).substr(0, 267));
    EXPECT_TRUE(record.HasLongTexts());
}

// ---- size, date and attribute tests

class SizeTest : public SearchRunTest {
protected:
    void SetUp() override
    {
        tree.WriteFile("5119", std::string(5119, 'x'));
        tree.WriteFile("5120", std::string(5120, 'x'));
        tree.WriteFile("5121", std::string(5121, 'x'));
    }
    std::vector<std::string> RunSize(std::int32_t unit, std::int32_t compare1, std::uint32_t value1,
                                      std::int32_t compare2 = kCompareNone, std::uint32_t value2 = 0)
    {
        SetTexts(search, "51", "", tree.Root());
        search.criteria.sizeUnit = unit;
        search.criteria.sizeCompare1 = compare1;
        search.criteria.sizeValue1 = value1;
        search.criteria.sizeCompare2 = compare2;
        search.criteria.sizeValue2 = value2;
        return RunConfigured();
    }
};

TEST_F(SizeTest, FiveKilobytesIs5120BytesForEveryComparison)
{
    EXPECT_THAT(RunSize(kSizeUnitKB, kCompareEqual, 5), ElementsAre("5120"));
    EXPECT_THAT(RunSize(kSizeUnitKB, kCompareAtLeast, 5), ElementsAre("5120", "5121"));
    EXPECT_THAT(RunSize(kSizeUnitKB, kCompareAtMost, 5), ElementsAre("5119", "5120"));
}

TEST_F(SizeTest, BothComparisonsMustHold)
{
    EXPECT_THAT(RunSize(kSizeUnitBytes, kCompareAtLeast, 5120, kCompareAtMost, 5120), ElementsAre("5120"));
    EXPECT_THAT(RunSize(kSizeUnitBytes, kCompareAtLeast, 5121, kCompareAtMost, 5120), IsEmpty());
}

TEST_F(SizeTest, NoUnitMeansNoSizeTest)
{
    EXPECT_THAT(RunSize(kSizeUnitNone, kCompareEqual, 1), ElementsAre("5119", "5120", "5121"));
}

TEST_F(SizeTest, UnknownUnitMeansNoSizeTest)
{
    // A result file edited elsewhere can carry any code; it must not turn into bounds of 0.
    EXPECT_THAT(RunSize(5, kCompareEqual, 1), ElementsAre("5119", "5120", "5121"));
    EXPECT_THAT(RunSize(-1, kCompareAtMost, 0), ElementsAre("5119", "5120", "5121"));
}

TEST_F(SizeTest, GigabyteBoundIsComputedIn64Bits)
{
    EXPECT_THAT(RunSize(kSizeUnitGB, kCompareAtMost, 4), ElementsAre("5119", "5120", "5121"));
    EXPECT_THAT(RunSize(kSizeUnitGB, kCompareAtLeast, 4), IsEmpty());
}

// Local time two hours east of UTC, with no daylight saving, set for the whole process.
class DateTest : public SearchRunTest {
protected:
    test::ScopedTimeZone zone_{"XST-2"};

    void SetUp() override
    {
        // 2026-03-10 00:30 local is 2026-03-09 22:30 UTC.
        tree.WriteFile("late.txt", "");
        tree.SetTimes("late.txt", kLate);
    }
    std::vector<std::string> RunDate(std::int32_t kind, std::int32_t part, std::int32_t compare1,
                                      SystemTime first, std::int32_t compare2 = kCompareNone,
                                      SystemTime second = {})
    {
        SetTexts(search, "late", "", tree.Root());
        search.criteria.dateKind = kind;
        search.criteria.datePart = part;
        search.criteria.dateCompare1 = compare1;
        search.criteria.dateCompare2 = compare2;
        search.criteria.date1 = first;
        search.criteria.time1 = first;
        search.criteria.date2 = second;
        search.criteria.time2 = second;
        return RunConfigured();
    }

    static constexpr std::int64_t kLate = 1'773'095'400; // 2026-03-09 22:30:00 UTC
};

TEST_F(DateTest, DateEqualComparesTheLocalDayWhateverThePickerTime)
{
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDate, kCompareEqual, SystemTimeOf(2026, 3, 10, 10, 30)),
                ElementsAre("late.txt"));
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDate, kCompareEqual, SystemTimeOf(2026, 3, 9, 10, 30)), IsEmpty());
}

TEST_F(DateTest, DateRunClearsThePickerTimesInTheRecord)
{
    RunDate(kDateKindModified, kDatePartDate, kCompareEqual, SystemTimeOf(2026, 3, 10, 10, 30));
    EXPECT_EQ(search.criteria.date1.hour, 0);
    EXPECT_EQ(search.criteria.date1.minute, 0);
    EXPECT_EQ(search.criteria.date1.day, 10);
    EXPECT_EQ(search.criteria.time1.year, 0);
    EXPECT_EQ(search.criteria.time1.minute, 30);
}

TEST_F(DateTest, DateAndTimeRunCopiesThePickerTimesIntoTheDatesInTheRecord)
{
    SystemTime first = SystemTimeOf(2026, 3, 10, 0, 30, 0);
    first.milliseconds = 999;
    SystemTime second = SystemTimeOf(2026, 3, 12, 18, 45, 30);
    second.milliseconds = 500;
    RunDate(kDateKindModified, kDatePartDateTime, kCompareAtLeast, first, kCompareAtMost, second);
    EXPECT_EQ(search.criteria.date2.day, 12);
    EXPECT_EQ(search.criteria.date2.hour, 18);
    EXPECT_EQ(search.criteria.date2.minute, 45);
    EXPECT_EQ(search.criteria.date2.second, 30);
    EXPECT_EQ(search.criteria.date2.milliseconds, 0);
    EXPECT_EQ(search.criteria.time2.year, 0);
    EXPECT_EQ(search.criteria.time2.day, 0);
    EXPECT_EQ(search.criteria.time2.milliseconds, 500);
}

TEST_F(DateTest, RunThatEndsBeforeTheWalkLeavesTheRecordAlone)
{
    SetTexts(search, "late", "", "");
    search.criteria.date1 = SystemTimeOf(2026, 3, 10, 10, 30);
    test::Run(search, sinks);
    EXPECT_EQ(search.criteria.date1.hour, 10); // no folders: the run ended before the bounds
    SetTexts(search, "late", "zz", tree.Root());
    search.criteria.hexadecimal = 1;
    search.criteria.date1 = SystemTimeOf(2026, 3, 10, 10, 30);
    test::Run(search, sinks);
    EXPECT_EQ(search.criteria.date1.hour, 10);
}

TEST_F(DateTest, DateRangeIncludesBothEnds)
{
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDate, kCompareAtLeast, SystemTimeOf(2026, 3, 10, 0, 0),
                        kCompareAtMost, SystemTimeOf(2026, 3, 10, 0, 0)),
                ElementsAre("late.txt"));
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDate, kCompareAtLeast, SystemTimeOf(2026, 3, 11, 0, 0)), IsEmpty());
}

TEST_F(DateTest, TimeComparesTheLocalTimeOfDay)
{
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartTime, kCompareAtLeast, SystemTimeOf(2000, 1, 1, 0, 0),
                        kCompareAtMost, SystemTimeOf(2000, 1, 1, 1, 0)),
                ElementsAre("late.txt"));
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartTime, kCompareAtLeast, SystemTimeOf(2000, 1, 1, 22, 0),
                        kCompareAtMost, SystemTimeOf(2000, 1, 1, 23, 0)),
                IsEmpty());
    EXPECT_THAT(RunDate(kDateKindAccessed, kDatePartTime, kCompareEqual, SystemTimeOf(1999, 5, 5, 0, 30)),
                ElementsAre("late.txt"));
}

TEST_F(DateTest, DateAndTimeComparesToTheSecond)
{
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDateTime, kCompareAtLeast, SystemTimeOf(2026, 3, 10, 0, 30, 0)),
                ElementsAre("late.txt"));
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDateTime, kCompareAtLeast, SystemTimeOf(2026, 3, 10, 0, 30, 1)),
                IsEmpty());
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDateTime, kCompareAtMost, SystemTimeOf(2026, 3, 10, 0, 30, 0)),
                ElementsAre("late.txt"));
}

TEST_F(DateTest, BoundBefore1900IsZeroSoEveryLaterFilePassesAtOrAfter)
{
    EXPECT_THAT(RunDate(kDateKindModified, kDatePartDate, kCompareAtLeast, SystemTimeOf(1850, 1, 1, 0, 0)),
                ElementsAre("late.txt"));
}

class AttributeTest : public SearchRunTest {
protected:
    void SetUp() override
    {
        tree.WriteFile("plain", "");
        tree.WriteFile(".hidden", "");
        tree.WriteFile("locked", "");
        ASSERT_EQ(chmod(tree.Path("locked").c_str(), 0444), 0);
        MakeFifoAt(tree.Path("pipe"));
        SetTexts(search, "", "", tree.Root());
    }
};

TEST_F(AttributeTest, EveryKindIsFoundByDefault)
{
    EXPECT_THAT(RunConfigured(), ElementsAre(".hidden", "locked", "pipe", "plain"));
}

TEST_F(AttributeTest, EachClearedFlagDropsItsKind)
{
    search.criteria.searchHidden = 0;
    EXPECT_THAT(RunConfigured(), ElementsAre("locked", "pipe", "plain"));
    SetTexts(search, "", "", tree.Root());
    search.criteria.searchReadOnly = 0;
    EXPECT_THAT(RunConfigured(), ElementsAre(".hidden", "pipe", "plain"));
    SetTexts(search, "", "", tree.Root());
    search.criteria.searchSystem = 0;
    EXPECT_THAT(RunConfigured(), ElementsAre(".hidden", "locked", "plain"));
}

TEST_F(AttributeTest, HiddenFoldersAreStillDescendedInto)
{
    tree.WriteFile(".config/inner.txt", "");
    search.criteria.searchHidden = 0;
    SetTextField(search.criteria.names, "*.txt");
    EXPECT_THAT(RunConfigured(), ElementsAre(".config/inner.txt"));
}

// ---- content through the run

TEST_F(SearchRunTest, WordsFindFilesWithTheirOffsets)
{
    tree.WriteFile("one.txt", "xxneedle");
    tree.WriteFile("two.txt", "nothing here");
    tree.WriteFile("three.txt", "needle");
    RunWith("", "needle");
    ASSERT_THAT(FoundPaths(search, tree.Root()), ElementsAre("one.txt", "three.txt"));
    EXPECT_EQ(search.Head()->matchOffset, 2);
    EXPECT_EQ(search.Tail()->matchOffset, 0);
}

TEST_F(SearchRunTest, WithoutTheWordsReportsFilesLackingThemAtOffsetZero)
{
    tree.WriteFile("one.txt", "xxneedle");
    tree.WriteFile("two.txt", "nothing here");
    tree.WriteFile("empty.txt", "");
    SetTexts(search, "*.txt", "needle", tree.Root());
    search.criteria.wordMode = kWordModeWithout;
    EXPECT_THAT(RunConfigured(), ElementsAre("empty.txt", "two.txt"));
    EXPECT_EQ(search.Head()->matchOffset, 0);
}

TEST_F(SearchRunTest, ExcludedFilesAreNeitherTestedNorListedThroughLinksEitherAndAreReportedMet)
{
    tree.WriteFile("a.txt", "plain");
    const std::string own = tree.WriteFile("sub/out.txt", "being written");
    MakeLinkAt(own, tree.Path("link.txt"));
    const std::optional<FileIdentity> ownIdentity = RegularFileIdentityAt(own);
    ASSERT_TRUE(ownIdentity);
    const FileIdentity elsewhere{ownIdentity->device, ownIdentity->inode + 1000003};
    search.SetExcludedFiles({elsewhere, *ownIdentity});
    for (const std::size_t threads : {std::size_t{1}, std::size_t{4}}) {
        test::SetThreadsListingAsCold(search, threads);
        SetTexts(search, "*.txt", "needle", tree.Root());
        search.criteria.wordMode = kWordModeWithout;
        EXPECT_THAT(RunConfigured(), ElementsAre("a.txt")) << threads;
        EXPECT_THAT(search.ExcludedFilesMet(), ElementsAre(*ownIdentity)) << threads;
    }
    // A run that does not meet it says so.
    EXPECT_THAT(RunWith("a.txt"), ElementsAre("a.txt"));
    EXPECT_THAT(search.ExcludedFilesMet(), IsEmpty());
    search.SetExcludedFiles({});
    EXPECT_THAT(RunWith("*.txt"), UnorderedElementsAre("a.txt", "link.txt", "sub/out.txt"));
}

TEST_F(SearchRunTest, FolderNeverMatchesWhenWordsAreGiven)
{
    tree.MakeFolder("needle");
    SetTexts(search, "needle", "needle", tree.Root());
    search.criteria.wordMode = kWordModeWithout;
    EXPECT_THAT(RunConfigured(), IsEmpty());
}

TEST_F(SearchRunTest, HexadecimalWordsLookForTheirBytes)
{
    tree.WriteFile("bin", std::string("\x00\x01\xff\x0a", 4));
    tree.WriteFile("text", "FF0A");
    SetTexts(search, "", "ff0a", tree.Root());
    search.criteria.hexadecimal = 1;
    EXPECT_THAT(RunConfigured(), ElementsAre("bin"));
    EXPECT_EQ(search.Head()->matchOffset, 2);
}

TEST_F(SearchRunTest, InvalidHexadecimalWordEndsTheRunWithNothing)
{
    tree.WriteFile("a", "4G");
    SetTexts(search, "", "41 4G", tree.Root());
    search.criteria.hexadecimal = 1;
    EXPECT_THAT(RunConfigured(), IsEmpty());
    EXPECT_EQ(sinks.clears, 1);
    EXPECT_EQ(sinks.dispatches, 0);
}

// ---- hostile trees

TEST_P(WalkOnThreads, LinkLoopIsNotFollowed)
{
    tree.WriteFile("sub/a.txt", "");
    MakeLinkAt(tree.Root(), tree.Path("sub/loop"));
    MakeLinkAt("..", tree.Path("sub/up"));
    EXPECT_THAT(RunWith("*.txt"), ElementsAre("sub/a.txt"));
    EXPECT_THAT(RunWith("loop"), ElementsAre("sub/loop"));
    EXPECT_NE(search.Head()->attributes & kAttributeReparsePoint, 0u);
}

TEST_F(SearchRunTest, FifoWithWordsGivenDoesNotBlockAndDoesNotMatch)
{
    MakeFifoAt(tree.Path("pipe"));
    tree.WriteFile("file", "word");
    EXPECT_THAT(RunWith("", "word"), ElementsAre("file"));
    SetTexts(search, "", "word", tree.Root());
    search.criteria.wordMode = kWordModeWithout;
    EXPECT_THAT(RunConfigured(), IsEmpty());
}

TEST_F(SearchRunTest, UnreadableAndDanglingEntriesDoNotMatchWords)
{
    tree.WriteFile("secret", "word");
    ASSERT_EQ(chmod(tree.Path("secret").c_str(), 0), 0);
    MakeLinkAt(tree.Path("gone"), tree.Path("dangling"));
    tree.WriteFile("open", "word");
    const auto found = RunWith("", "word");
    if (geteuid() == 0) {
        EXPECT_THAT(found, ElementsAre("open", "secret")); // root reads it anyway
    } else {
        EXPECT_THAT(found, ElementsAre("open"));
    }
}

TEST_P(WalkOnThreads, UnreadableFolderIsSkipped)
{
    tree.WriteFile("closed/a.txt", "");
    tree.WriteFile("b.txt", "");
    ASSERT_EQ(chmod(tree.Path("closed").c_str(), 0), 0);
    const auto found = RunWith("*.txt");
    if (geteuid() == 0) {
        EXPECT_THAT(found, ElementsAre("b.txt", "closed/a.txt"));
    } else {
        EXPECT_THAT(found, ElementsAre("b.txt"));
    }
}

TEST_P(WalkOnThreads, FolderReplacedByALinkWhileQueuedIsNotEnteredThroughIt)
{
    TempTree outside;
    outside.WriteFile("secret.txt", "");
    outside.WriteFile("q/secret.txt", "");
    tree.WriteFile("a/a.txt", "");
    tree.WriteFile("b/b.txt", "");
    tree.WriteFile("p/q/kept.txt", "");
    tree.WriteFile("p/r/swap.txt", "");
    // Each swap happens while the folder it targets (a) or a folder inside it (p/q) waits.
    auto replaceWithLink = [&](const char *name) {
        ASSERT_EQ(rename(tree.Path(name).c_str(), tree.Path(std::string(name) + ".moved").c_str()), 0);
        MakeLinkAt(outside.Root(), tree.Path(name));
    };
    sinks.onRow = [&](FoundFile &record) {
        if (record.Name() == "swap.txt")
            replaceWithLink("p");
        if (record.Name() == "b.txt")
            replaceWithLink("a");
    };
    EXPECT_THAT(RunWith("*.txt"), ElementsAre("p/r/swap.txt", "p/q/kept.txt", "b/b.txt"));
}

// ---- any depth

TEST_P(WalkOnThreads, FilesPastThePathLimitAreFoundWithTheirWholePaths)
{
    const std::string component(250, 'p');
    const int levels = static_cast<int>(component.size() + 1);
    const int past4k = PATH_MAX / levels + 1;
    const int past8k = 2 * PATH_MAX / levels + 1;
    tree.MakeChain(component, past8k, [&](int folderFd, int level) {
        if (level == past4k || level == past8k)
            test::WriteFileAt(folderFd, "deep.txt", "found at depth");
    });
    auto chain = [&component](int depth) {
        std::string relative;
        for (int level = 0; level < depth; ++level)
            relative += component + "/";
        return relative + "deep.txt";
    };
    ASSERT_THAT(RunWith("deep.txt", "depth"), ElementsAre(chain(past4k), chain(past8k)));
    EXPECT_GT(search.Head()->Path().size(), static_cast<std::size_t>(PATH_MAX));
    EXPECT_GT(search.Tail()->Path().size(), static_cast<std::size_t>(2 * PATH_MAX));
    EXPECT_EQ(search.Tail()->matchOffset, 9);
}

TEST_P(WalkOnThreads, DeepAndWideTreeIsWalkedWithinALowDescriptorLimit)
{
    constexpr int kDepth = 2000;
    constexpr int kWidth = 200;
    // Each level of the chain d also holds a folder a, listed before d and so left waiting
    // while the walk goes deeper; the root also holds kWidth folders with a subfolder each.
    tree.MakeChain("d", kDepth, [](int folderFd, int) {
        test::MakeFolderAt(folderFd, "a");
        test::WriteFileAt(folderFd, "a/f.txt", "");
    });
    for (int i = 0; i < kWidth; ++i)
        tree.WriteFile("w" + std::to_string(i) + "/x/g.txt", "");
    std::string deepest = tree.Root();
    for (int level = 0; level < kDepth; ++level)
        deepest += "/d";
    deepest += "/a/f.txt";
    SetTexts(search, "*.txt", "", tree.Root());
    auto runWithFewDescriptors = [&] {
        constexpr rlim_t kLimit = 64;
        const rlimit limit{kLimit, kLimit};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
            std::_Exit(2);
        test::Run(search, sinks);
        // The wide folders come first (last listed first), then the chain from its bottom.
        const std::size_t found = search.CountFoundFiles();
        const bool deepestFirst = found > kWidth && sinks.rows[kWidth]->Path() == deepest;
        std::fprintf(stderr, "%zu found, deepest first: %d\n", found, deepestFirst);
        std::_Exit(found == std::size_t{kDepth + kWidth} && deepestFirst ? 0 : 1);
    };
    EXPECT_EXIT(runWithFewDescriptors(), ::testing::ExitedWithCode(0), "");
}

// ---- sinks, pumping and stopping

TEST_F(SearchRunTest, SinksHearOfClearEveryRowStatusAndPump)
{
    tree.WriteFile("a.txt", "");
    tree.WriteFile("b.txt", "");
    RunWith("*.txt");
    EXPECT_EQ(sinks.clears, 1);
    ASSERT_EQ(sinks.rows.size(), 2u);
    EXPECT_EQ(sinks.rows[0], search.Head());
    EXPECT_EQ(sinks.rows[1], search.Tail());
    EXPECT_GE(sinks.dispatches, 1);
    ASSERT_FALSE(sinks.statusTexts.empty());
    EXPECT_EQ(sinks.statusTexts.front(), tree.Root());
}

TEST_F(SearchRunTest, NewRunEmptiesThePreviousResults)
{
    tree.WriteFile("a.txt", "");
    RunWith("*.txt");
    RunWith("*.none");
    EXPECT_EQ(search.Head(), nullptr);
    EXPECT_EQ(sinks.clears, 2);
}

TEST_F(SearchRunTest, RunWithoutTheRunningFlagStopsAtOnce)
{
    tree.WriteFile("a.txt", "");
    SetTexts(search, "*.txt", "", tree.Root());
    search.RunSearch(sinks.Sinks());
    EXPECT_EQ(search.Head(), nullptr);
}

TEST_F(SearchRunTest, StopFromThePumpEndsTheRunKeepingMatchesSoFar)
{
    for (int i = 0; i < 20; ++i)
        tree.WriteFile("f" + std::to_string(100 + i), "");
    tree.WriteFile("sub/later", "");
    // After the third match, wait past the pump interval so that the next entry dispatches.
    sinks.onRow = [&](FoundFile &) {
        if (sinks.rows.size() == 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
    };
    sinks.onDispatch = [&] {
        if (sinks.rows.size() >= 3)
            search.SetRunning(false);
    };
    SetTexts(search, "f1", "", tree.Root());
    search.SetRunning(true);
    search.RunSearch(sinks.Sinks());
    EXPECT_FALSE(search.Running());
    EXPECT_THAT(FoundPaths(search, tree.Root()), ElementsAre("f100", "f101", "f102"));
    EXPECT_EQ(sinks.rows.size(), 3u);
}

TEST_F(SearchRunTest, StopDuringALargeFileAbandonsIt)
{
    std::string big(5 * 65535, 'x');
    big += "needle";
    tree.WriteFile("big", big);
    SetTexts(search, "big", "needle", tree.Root());
    test::Run(search, sinks);
    ASSERT_EQ(search.CountFoundFiles(), 1u); // found when nobody stops

    // Each dispatch makes the next check due: "." (1), ".." (2), "big" (3), then the
    // check before the second chunk of big (4), which asks to stop.
    sinks.dispatches = 0;
    sinks.onDispatch = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(11));
        if (sinks.dispatches == 4)
            search.SetRunning(false);
    };
    search.SetRunning(true);
    search.RunSearch(sinks.Sinks());
    EXPECT_EQ(search.Head(), nullptr);
    EXPECT_EQ(sinks.dispatches, 4);
}

TEST_F(SearchRunTest, ReadingALargeFileKeepsShowingItsFolder)
{
    tree.WriteFile("sub/big", std::string(5 * 65535, 'x'));
    sinks.onDispatch = [] { std::this_thread::sleep_for(std::chrono::milliseconds(11)); };
    SetTexts(search, "big", "needle", tree.Path("sub"));
    // On the calling thread: workers read the file without the pump's pauses, too fast to show.
    search.SetWorkerThreads(1);
    test::Run(search, sinks);
    // ".", ".." and "big" show the folder once each; the chunks of big must show it too.
    EXPECT_GT(sinks.statusTexts.size(), 3u);
    for (const std::string &text : sinks.statusTexts)
        EXPECT_EQ(text, tree.Path("sub"));
}

TEST_F(SearchRunTest, ClearAndNestedRunFromThePumpAreRefused)
{
    for (int i = 0; i < 5; ++i)
        tree.WriteFile("f" + std::to_string(i), "");
    bool clearRefused = false;
    int nestedResult = 0;
    sinks.onRow = [&](FoundFile &) { std::this_thread::sleep_for(std::chrono::milliseconds(11)); };
    sinks.onDispatch = [&] {
        if (sinks.rows.size() == 2) {
            clearRefused = !search.ClearFoundFiles();
            nestedResult = search.RunSearch(sinks.Sinks());
        }
    };
    RunWith("f");
    EXPECT_TRUE(clearRefused);
    EXPECT_EQ(nestedResult, -1);
    EXPECT_EQ(search.CountFoundFiles(), 5u);
    EXPECT_EQ(sinks.clears, 1);
    EXPECT_FALSE(search.InRun());
    EXPECT_TRUE(search.ClearFoundFiles());
}

TEST_F(SearchRunTest, RemovingAnEarlierRecordDuringTheRunKeepsTheListWhole)
{
    for (int i = 0; i < 4; ++i)
        tree.WriteFile("f" + std::to_string(i), "");
    sinks.onRow = [&](FoundFile &record) {
        if (record.Name() == "f1") {
            EXPECT_TRUE(search.RemoveFoundFile(search.Head()));
        }
    };
    EXPECT_THAT(RunWith("f"), ElementsAre("f1", "f2", "f3"));
}

} // namespace
} // namespace sifter
