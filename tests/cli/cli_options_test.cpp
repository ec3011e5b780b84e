// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"
#include "cli/criteria_options.h"
#include "cli/usage_text.h"
#include "search/search_criteria.h"
#include "search/text_field.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace sifter {
namespace {

// Now as the tests see it: a fixed Wednesday afternoon.
const SystemTime kNow{2026, 5, 3, 13, 14, 15, 16, 17};

std::string ParseError(const std::vector<std::string> &args)
{
    CliOptions options;
    std::string error;
    EXPECT_FALSE(ParseCliOptions(args, options, error)) << "accepted: " << (args.empty() ? "" : args[0]);
    return error;
}

CliOptions Parse(const std::vector<std::string> &args)
{
    CliOptions options;
    std::string error;
    EXPECT_TRUE(ParseCliOptions(args, options, error)) << error;
    return options;
}

// The record a command line makes from the defaults.
SearchCriteria Criteria(const std::vector<std::string> &args)
{
    SearchCriteria criteria;
    ResetCriteria(criteria, kNow);
    ApplyCriteriaOptions(Parse(args).criteria, criteria, kNow);
    return criteria;
}

void ExpectSameTime(const SystemTime &actual, const SystemTime &expected)
{
    EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0)
        << actual.year << "-" << actual.month << "-" << actual.day << " dow " << actual.dayOfWeek << " "
        << actual.hour << ":" << actual.minute << ":" << actual.second << "." << actual.milliseconds;
}

TEST(CliOptions, FolderArgumentsAreJoinedAndEverythingElseKeepsItsDefault)
{
    const SearchCriteria criteria = Criteria({"/srv/a", "relative/b", "~/c"});
    SearchCriteria expected;
    ResetCriteria(expected, kNow);
    SetTextField(expected.folders, "/srv/a;relative/b;~/c");
    EXPECT_EQ(std::memcmp(&criteria, &expected, sizeof criteria), 0);
}

TEST(CliOptions, NoFolderSearchesTheCurrentFolder)
{
    EXPECT_EQ(TextField(Criteria({"-n", "x"}).folders), ".");
}

TEST(CliOptions, TextsGoToTheirFields)
{
    const SearchCriteria criteria = Criteria({"-n", "*.txt;a*", "--words", "alpha beta", "--folders", "/x;/y"});
    EXPECT_EQ(TextField(criteria.names), "*.txt;a*");
    EXPECT_EQ(TextField(criteria.words), "alpha beta");
    EXPECT_EQ(TextField(criteria.folders), "/x;/y");
}

TEST(CliOptions, ValueSpellingsAllWork)
{
    EXPECT_EQ(TextField(Criteria({"--names=a=b"}).names), "a=b");
    EXPECT_EQ(TextField(Criteria({"-nfoo"}).names), "foo");
    EXPECT_EQ(TextField(Criteria({"-n", "-starts-with-dash"}).names), "-starts-with-dash");
    EXPECT_EQ(Criteria({"--size1==5"}).sizeCompare1, kCompareEqual);
    EXPECT_EQ(TextField(Criteria({"-n", "a", "-n", "b"}).names), "b") << "the last one given counts";
}

TEST(CliOptions, ShortSwitchesCanBeBundled)
{
    const CliOptions options = Parse({"-l0x", "-xnpat"});
    EXPECT_TRUE(options.longFormat);
    EXPECT_TRUE(options.nullTerminated);
    EXPECT_TRUE(options.criteria.hexadecimal);
    EXPECT_EQ(options.criteria.names, "pat");
}

TEST(CliOptions, DoubleDashEndsTheOptions)
{
    EXPECT_EQ(TextField(Criteria({"--", "-n", "--hex"}).folders), "-n;--hex");
    EXPECT_EQ(TextField(Criteria({"-"}).folders), "-");
}

TEST(CliOptions, WordModes)
{
    EXPECT_EQ(Criteria({"-m", "any"}).wordMode, kWordModeAny);
    EXPECT_EQ(Criteria({"-m", "all"}).wordMode, kWordModeAll);
    EXPECT_EQ(Criteria({"--mode", "phrase"}).wordMode, kWordModePhrase);
    EXPECT_EQ(Criteria({"--mode=without"}).wordMode, kWordModeWithout);
}

TEST(CliOptions, SwitchesMoveFlagsAwayFromTheirDefaults)
{
    SearchCriteria defaults;
    ResetCriteria(defaults, kNow);
    EXPECT_EQ(defaults.hexadecimal, 0);
    EXPECT_EQ(Criteria({"-x"}).hexadecimal, 1);
    EXPECT_EQ(Criteria({"--hex"}).hexadecimal, 1);
    EXPECT_EQ(Criteria({"--no-unicode"}).unicodeUtf8, 0);
    EXPECT_EQ(Criteria({"--no-hidden"}).searchHidden, 0);
    EXPECT_EQ(Criteria({"--no-readonly"}).searchReadOnly, 0);
    EXPECT_EQ(Criteria({"--no-system"}).searchSystem, 0);
    EXPECT_EQ(Criteria({"--no-subfolders"}).searchSubfolders, 0);
    EXPECT_EQ(Criteria({"--case-sensitive"}).caseSensitive, 1);
    EXPECT_EQ(Criteria({"--short-names"}).searchShortNames, 1);
    const SearchCriteria one = Criteria({"--no-hidden"});
    EXPECT_EQ(one.searchReadOnly, 1);
    EXPECT_EQ(one.searchSystem, 1);
    EXPECT_EQ(one.unicodeUtf8, 1);
}

TEST(CliOptions, SizeTests)
{
    const SearchCriteria criteria = Criteria({"--size-unit", "kb", "--size1", ">=5", "--size2", "<=4294967295"});
    EXPECT_EQ(criteria.sizeUnit, kSizeUnitKB);
    EXPECT_EQ(criteria.sizeCompare1, kCompareAtLeast);
    EXPECT_EQ(criteria.sizeValue1, 5u);
    EXPECT_EQ(criteria.sizeCompare2, kCompareAtMost);
    EXPECT_EQ(criteria.sizeValue2, 4294967295u);
    EXPECT_EQ(Criteria({"--size-unit", "bytes"}).sizeUnit, kSizeUnitBytes);
    EXPECT_EQ(Criteria({"--size-unit", "mb"}).sizeUnit, kSizeUnitMB);
    EXPECT_EQ(Criteria({"--size-unit", "gb"}).sizeUnit, kSizeUnitGB);
}

TEST(CliOptions, SizeBoundWithoutUnitComparesBytes)
{
    const SearchCriteria criteria = Criteria({"--size2", "=0"});
    EXPECT_EQ(criteria.sizeUnit, kSizeUnitBytes);
    EXPECT_EQ(criteria.sizeCompare1, kCompareNone);
    EXPECT_EQ(criteria.sizeCompare2, kCompareEqual);
    EXPECT_EQ(criteria.sizeValue2, 0u);
}

TEST(CliOptions, DateOnlyValueFillsTheDateFieldsAndComparesDates)
{
    const SearchCriteria criteria = Criteria({"--date1", ">=2026-03-08", "--date2", "<=2026-03-09"});
    EXPECT_EQ(criteria.dateKind, kDateKindModified);
    EXPECT_EQ(criteria.datePart, kDatePartDate);
    EXPECT_EQ(criteria.dateCompare1, kCompareAtLeast);
    EXPECT_EQ(criteria.dateCompare2, kCompareAtMost);
    ExpectSameTime(criteria.date1, SystemTime{2026, 3, 0, 8, 0, 0, 0, 0});
    ExpectSameTime(criteria.date2, SystemTime{2026, 3, 1, 9, 0, 0, 0, 0});
    ExpectSameTime(criteria.time1, kNow);
    ExpectSameTime(criteria.time2, kNow);
}

TEST(CliOptions, TimeOnlyValueFillsTheTimeFieldsWithTodaysDate)
{
    const SearchCriteria criteria = Criteria({"--date-kind", "accessed", "--date1", "=07:30"});
    EXPECT_EQ(criteria.dateKind, kDateKindAccessed);
    EXPECT_EQ(criteria.datePart, kDatePartTime);
    EXPECT_EQ(criteria.dateCompare1, kCompareEqual);
    ExpectSameTime(criteria.time1, SystemTime{2026, 5, 3, 13, 7, 30, 0, 0});
    ExpectSameTime(criteria.date1, kNow);
    EXPECT_EQ(criteria.dateCompare2, kCompareNone);
}

TEST(CliOptions, DateAndTimeValueFillsBothFields)
{
    const SearchCriteria criteria = Criteria({"--date-kind=created", "--date2", "<=2024-02-29T23:59:59"});
    EXPECT_EQ(criteria.dateKind, kDateKindCreated);
    EXPECT_EQ(criteria.datePart, kDatePartDateTime);
    EXPECT_EQ(criteria.dateCompare2, kCompareAtMost);
    const SystemTime value{2024, 2, 4, 29, 23, 59, 59, 0};
    ExpectSameTime(criteria.date2, value);
    ExpectSameTime(criteria.time2, value);
}

TEST(CliOptions, DatePartGivenOverridesTheValuesForm)
{
    EXPECT_EQ(Criteria({"--date-part", "date", "--date1", "=2026-01-01T10:00"}).datePart, kDatePartDate);
    EXPECT_EQ(Criteria({"--date-part", "time", "--date1", "=2026-01-01T10:00"}).datePart, kDatePartTime);
    EXPECT_EQ(Criteria({"--date-part", "datetime"}).datePart, kDatePartDateTime);
}

TEST(CliOptions, OtherOptionsAreKept)
{
    const CliOptions options = Parse({"--criteria", "in.sifter", "-o", "out.sifter", "-l", "-0", "/d"});
    EXPECT_EQ(options.action, CliAction::Search);
    EXPECT_EQ(options.criteriaFile, "in.sifter");
    EXPECT_EQ(options.saveFile, "out.sifter");
    EXPECT_TRUE(options.longFormat);
    EXPECT_TRUE(options.nullTerminated);
    EXPECT_EQ(Parse({"--save=x"}).saveFile, "x");
    const CliOptions list = Parse({"--list", "r.sifter", "--long", "--null"});
    EXPECT_EQ(list.action, CliAction::List);
    EXPECT_EQ(list.listFile, "r.sifter");
    EXPECT_TRUE(list.longFormat);
    EXPECT_TRUE(list.nullTerminated);
}

TEST(CliOptions, HelpAndVersionWinOverWhatFollows)
{
    EXPECT_EQ(Parse({"-h"}).action, CliAction::Help);
    EXPECT_EQ(Parse({"/d", "--help", "--bogus"}).action, CliAction::Help);
    EXPECT_EQ(Parse({"--version"}).action, CliAction::Version);
    EXPECT_EQ(ParseError({"--bogus", "--help"}), "unknown option '--bogus'");
}

TEST(CliOptions, OptionsOverrideABaseRecordAndKeepTheRest)
{
    SearchCriteria base;
    ResetCriteria(base, kNow);
    SetTextField(base.names, "kept");
    SetTextField(base.folders, "/from/file");
    base.hexadecimal = 1;
    base.sizeUnit = kSizeUnitMB;
    base.dateKind = kDateKindCreated;
    ApplyCriteriaOptions(Parse({"-w", "41", "--size1", "<=2", "--date1", ">=2026-01-01"}).criteria, base, kNow);
    EXPECT_EQ(TextField(base.names), "kept");
    EXPECT_EQ(TextField(base.words), "41");
    EXPECT_EQ(TextField(base.folders), "/from/file");
    EXPECT_EQ(base.hexadecimal, 1);
    EXPECT_EQ(base.sizeUnit, kSizeUnitMB) << "a unit from the base is not replaced by bytes";
    EXPECT_EQ(base.dateKind, kDateKindCreated) << "a kind from the base is not replaced by modified";
    EXPECT_EQ(base.sizeCompare1, kCompareAtMost);
}

TEST(CliOptions, TextsUpToTheirFieldsFitAndLongerOnesAreRefused)
{
    EXPECT_EQ(TextField(Criteria({"-n", std::string(511, 'a')}).names).size(), 511u);
    EXPECT_EQ(ParseError({"-n", std::string(512, 'a')}), "-n: the text is 512 bytes long; at most 511 fit");
    EXPECT_EQ(TextField(Criteria({"-w", std::string(511, 'b')}).words).size(), 511u);
    EXPECT_NE(ParseError({"--words", std::string(512, 'b')}).find("--words:"), std::string::npos);
    EXPECT_EQ(TextField(Criteria({"--folders", std::string(1023, 'c')}).folders).size(), 1023u);
    EXPECT_NE(ParseError({"--folders", std::string(1024, 'c')}).find("at most 1023"), std::string::npos);
    // Two folders of 512 bytes are 1,025 bytes once joined.
    EXPECT_NE(ParseError({std::string(512, 'd'), std::string(512, 'e')}).find("1025 bytes"), std::string::npos);
}

TEST(CliOptions, LongUtf8TextIsRefusedNotCutInsideACharacter)
{
    std::string text;
    for (int i = 0; i < 256; ++i)
        text += "\xc3\xa9"; // 512 bytes of é
    EXPECT_NE(ParseError({"-n", text}).find("512 bytes"), std::string::npos);
}

TEST(CliOptions, BadUsageIsRefusedWithAMessageNamingIt)
{
    EXPECT_EQ(ParseError({"--bogus"}), "unknown option '--bogus'");
    EXPECT_EQ(ParseError({"-q"}), "unknown option '-q'");
    EXPECT_EQ(ParseError({"-lq"}), "unknown option '-q'");
    EXPECT_EQ(ParseError({"--name", "x"}), "unknown option '--name'") << "no abbreviations";
    EXPECT_EQ(ParseError({"-n"}), "-n: missing value");
    EXPECT_EQ(ParseError({"/d", "--words"}), "--words: missing value");
    EXPECT_EQ(ParseError({"--hex=1"}), "--hex: takes no value");
    EXPECT_EQ(ParseError({"-n", ""}), "-n: empty text");
    EXPECT_EQ(ParseError({"--names="}), "--names: empty text");
    EXPECT_EQ(ParseError({"-m", "some"}), "-m: expected any|all|phrase|without, got 'some'");
    EXPECT_EQ(ParseError({"--size-unit", "KB"}), "--size-unit: expected bytes|kb|mb|gb, got 'KB'");
    EXPECT_EQ(ParseError({"--date-kind", "changed"}), "--date-kind: expected modified|created|accessed, got 'changed'");
    EXPECT_EQ(ParseError({"--date-part", "day"}), "--date-part: expected date|time|datetime, got 'day'");
    EXPECT_EQ(ParseError({"-o", ""}), "-o: empty file name");
    EXPECT_EQ(ParseError({"--list="}), "--list: empty file name");
    EXPECT_EQ(ParseError({""}), "empty folder name");
}

TEST(CliOptions, BadSizesAreRefused)
{
    EXPECT_EQ(ParseError({"--size1", "x"}), "--size1: expected =N, >=N or <=N, got 'x'");
    EXPECT_EQ(ParseError({"--size2", ">5"}), "--size2: expected =N, >=N or <=N, got '>5'");
    EXPECT_EQ(ParseError({"--size1", "5"}), "--size1: expected =N, >=N or <=N, got '5'");
    const std::string range = "N must be a whole number from 0 to 4294967295";
    EXPECT_EQ(ParseError({"--size1", ">=4294967296"}), "--size1: " + range + ", got '>=4294967296'");
    EXPECT_EQ(ParseError({"--size1", ">=-1"}), "--size1: " + range + ", got '>=-1'");
    EXPECT_EQ(ParseError({"--size1", "=12kb"}), "--size1: " + range + ", got '=12kb'");
    EXPECT_EQ(ParseError({"--size1", "<="}), "--size1: " + range + ", got '<='");
}

TEST(CliOptions, BadDatesAreRefused)
{
    for (const char *value : {"=2026-02-30", ">=2025-02-29", "2026-01-01", "=1899-12-31", "<=24:00", "=2026-01-01T",
                              "=Yesterday", "="}) {
        const std::string error = ParseError({"--date1", value});
        EXPECT_EQ(error.rfind("--date1: expected =VALUE, >=VALUE or <=VALUE", 0), 0u) << error;
        EXPECT_NE(error.find(std::string("got '") + value + "'"), std::string::npos) << error;
    }
}

TEST(CliOptions, DateValuesOfDifferentFormsNeedADatePart)
{
    EXPECT_EQ(ParseError({"--date1", ">=2026-01-01", "--date2", "<=12:00"}),
              "--date1 and --date2 differ in form; choose the compared part with --date-part");
    EXPECT_EQ(Parse({"--date-part", "datetime", "--date1", ">=2026-01-01T00:00", "--date2", "<=2026-01-02T12:00"})
                  .criteria.datePart,
              kDatePartDateTime);
    EXPECT_EQ(ParseError({"--date-part", "time", "--date1", ">=2026-01-01"}),
              "--date1: the compared part needs a time (HH:MM[:SS])");
    EXPECT_EQ(ParseError({"--date2", "<=2026-01-01", "--date-part", "datetime"}),
              "--date2: the compared part needs a date and a time (YYYY-MM-DDTHH:MM[:SS])");
    EXPECT_EQ(ParseError({"--date-part", "date", "--date1", "=12:00"}),
              "--date1: the compared part needs a date (YYYY-MM-DD)");
}

TEST(CliOptions, ConflictingOptionsAreRefused)
{
    EXPECT_EQ(ParseError({"--folders", "/a", "/b"}),
              "give the folders either as arguments or with --folders, not both");
    EXPECT_EQ(ParseError({"/a;b"}), "folder '/a;b' contains ';', which separates folders");
    EXPECT_EQ(ParseError({"--list", "r.sifter", "-n", "x"}),
              "--list prints a result file and takes no search options or folders");
    EXPECT_EQ(ParseError({"--list", "r.sifter", "/d"}),
              "--list prints a result file and takes no search options or folders");
    EXPECT_EQ(ParseError({"-o", "x.sifter", "--list", "r.sifter"}),
              "--list prints a result file and takes no search options or folders");
}

TEST(UsageText, EveryOptionItListsIsUnderstood)
{
    const std::string usage = UsageText();
    const std::regex option(R"((?:^|\s)(--?[a-z0-9][a-z0-9-]*))");
    int listed = 0;
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1];
        CliOptions options;
        std::string error;
        ParseCliOptions({name, "x"}, options, error);
        EXPECT_EQ(error.find("unknown option"), std::string::npos) << name;
        ++listed;
    }
    EXPECT_GE(listed, 26);
}

TEST(UsageText, NamesEveryExitStatus)
{
    const std::string usage = UsageText();
    EXPECT_NE(usage.find("0 when a file was found"), std::string::npos);
    EXPECT_NE(usage.find("1 when none"), std::string::npos);
    EXPECT_NE(usage.find("2 on trouble"), std::string::npos);
    EXPECT_NE(usage.find("128 + the signal's number"), std::string::npos) << "Ctrl-C exits with 130";
}

TEST(ValidateCriteria, HexadecimalWordsMustBeHexadecimal)
{
    std::string error;
    EXPECT_TRUE(ValidateCriteria(Criteria({"-x", "-w", "0a FF 4d5a"}), error)) << error;
    EXPECT_TRUE(ValidateCriteria(Criteria({"-w", "not hex"}), error)) << "plain words need no check";
    EXPECT_FALSE(ValidateCriteria(Criteria({"-x", "-w", "0a 4G"}), error));
    EXPECT_EQ(error, "--hex: '4G' is not hexadecimal (pairs of digits 0-9, a-f)");
    EXPECT_FALSE(ValidateCriteria(Criteria({"-x", "-w", "abc"}), error));
}

// ---- criteria beyond the record

ExtraCriteria Extras(const std::vector<std::string> &args, ExtraCriteria start = {})
{
    ApplyExtraCriteriaOptions(Parse(args).criteria, start);
    return start;
}

TEST(CliOptions, ExcludeAndRegularExpressionSwitchesGoToTheExtras)
{
    const ExtraCriteria extras = Extras({"--exclude", "~/cache;*.o", "--regex-names", "--regex-words"});
    EXPECT_EQ(extras.excludes, "~/cache;*.o");
    EXPECT_TRUE(extras.regexNames);
    EXPECT_TRUE(extras.regexWords);
    EXPECT_FALSE(Extras({"-n", "x"}).Used());
    EXPECT_EQ(ParseError({"--exclude", ""}), "--exclude: empty text");
}

TEST(CliOptions, RelativeDateBoundsCountBackAndLeaveTheRecordsDates)
{
    const std::pair<const char *, RelativeDate> forms[] = {
        {">=-30min", {kRelativeMinutes, 30}}, {">=-12h", {kRelativeHours, 12}}, {">=-7d", {kRelativeDays, 7}},
        {"<=-2w", {kRelativeWeeks, 2}},       {">=-3mo", {kRelativeMonths, 3}}, {"=today", {kRelativeToday, 0}},
        {"=yesterday", {kRelativeYesterday, 0}}};
    for (const auto &[form, relative] : forms) {
        EXPECT_EQ(Extras({"--date1", form}).date1, relative) << form;
        const SearchCriteria criteria = Criteria({"--date1", form});
        ExpectSameTime(criteria.date1, kNow);
        EXPECT_EQ(criteria.dateKind, kDateKindModified) << form;
    }
    EXPECT_EQ(Criteria({"--date1", ">=-7d"}).datePart, kDatePartDateTime);
    EXPECT_EQ(Criteria({"--date2", "=today"}).datePart, kDatePartDate);
    EXPECT_EQ(Criteria({"--date1", ">=today", "--date2", "<=12:00"}).datePart, kDatePartTime);
}

TEST(CliOptions, AbsoluteDateBoundReplacesARelativeOneOfTheCriteriaFile)
{
    ExtraCriteria start;
    start.date1 = {kRelativeDays, 7};
    start.date2 = {kRelativeToday, 0};
    const ExtraCriteria extras = Extras({"--date1", ">=2026-01-01"}, start);
    EXPECT_EQ(extras.date1, RelativeDate{});
    EXPECT_EQ(extras.date2, (RelativeDate{kRelativeToday, 0}));
}

TEST(CliOptions, BadRelativeDatesAreRefused)
{
    for (const char *form : {">=-7", ">=-d", ">=7d", ">=-7days", ">=--7d", ">=-99999999999d", ">=Today", ">=-7 d"})
        EXPECT_NE(ParseError({"--date1", form}).find("-N and min, h, d, w or mo"), std::string::npos) << form;
}

} // namespace
} // namespace sifter
