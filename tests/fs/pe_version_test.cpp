// SPDX-License-Identifier: GPL-3.0-or-later
// The version strings of PE files built in the test, and files that lie about their
// sizes and offsets: those give no strings and never read outside the file.
#include "fs/pe_version.h"

#include "support/pe_image.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

namespace sifter {
namespace {

using test::BuildPeImage;
using test::PeImageLayout;
using test::PeImageOptions;
using test::Put16;
using test::Put32;
using Bytes = std::vector<std::uint8_t>;

std::string_view AsText(const Bytes &bytes)
{
    return {reinterpret_cast<const char *>(bytes.data()), bytes.size()};
}

bool ReadsNothing(const Bytes &bytes)
{
    PeVersionStrings strings;
    strings.description = "stale";
    const bool read = ReadPeVersionStrings(bytes, strings);
    return !read && !strings.description && !strings.company && !strings.fileVersion;
}

TEST(PeVersionTest, ReadsTheThreeStringsOfPe32AndPe32PlusFiles)
{
    test::TempTree tree;
    for (bool plus : {false, true}) {
        PeImageOptions options;
        options.pe32Plus = plus;
        const std::string path = tree.WriteFile(plus ? "tool64.exe" : "tool.exe", AsText(BuildPeImage(options)));
        PeVersionStrings strings;
        ASSERT_TRUE(ReadPeVersionStrings(path, strings)) << plus;
        EXPECT_EQ(strings.description, "Sample Tool");
        EXPECT_EQ(strings.company, "Norvane Test Works");
        EXPECT_EQ(strings.fileVersion, "1.2.3.4");
    }
}

TEST(PeVersionTest, ReadsOnlyTheHeadersAndTheResourceOfAHugeFile)
{
    test::TempTree tree;
    const std::string path = tree.WriteFile("huge.dll", AsText(BuildPeImage({})));
    // 64 GiB, sparse: reading it whole would neither fit in memory nor end in time.
    std::error_code error;
    std::filesystem::resize_file(path, std::uintmax_t{64} << 30, error);
    if (error)
        GTEST_SKIP() << "no sparse file of 64 GiB here: " << error.message();
    PeVersionStrings strings;
    ASSERT_TRUE(ReadPeVersionStrings(path, strings));
    EXPECT_EQ(strings.fileVersion, "1.2.3.4");
}

TEST(PeVersionTest, ConvertsUtf16TextsToUtf8AndKeepsEmptyAndMissingApart)
{
    PeImageOptions options;
    options.strings = {{"FileDescription", "Soci\xC3\xA9t\xC3\xA9 \xF0\x9F\x93\x81"}, {"FileVersion", ""}};
    PeVersionStrings strings;
    ASSERT_TRUE(ReadPeVersionStrings(BuildPeImage(options), strings));
    EXPECT_EQ(strings.description, "Soci\xC3\xA9t\xC3\xA9 \xF0\x9F\x93\x81");
    EXPECT_FALSE(strings.company.has_value());
    ASSERT_TRUE(strings.fileVersion.has_value());
    EXPECT_EQ(*strings.fileVersion, "");
}

TEST(PeVersionTest, UsesOnlyTheFirstTranslationAndMatchesItsKeyInEitherCase)
{
    PeImageOptions options;
    options.translations = {0x04E40407, 0x04B00409};
    options.tableKey = "040704e4";
    PeVersionStrings strings;
    ASSERT_TRUE(ReadPeVersionStrings(BuildPeImage(options), strings));
    EXPECT_EQ(strings.company, "Norvane Test Works");

    options.tableKey = "040904B0"; // the second translation's table is never looked at
    ASSERT_TRUE(ReadPeVersionStrings(BuildPeImage(options), strings));
    EXPECT_FALSE(strings.description || strings.company || strings.fileVersion);
}

TEST(PeVersionTest, NoVersionResourceOrNoTranslationGivesNothing)
{
    PeImageOptions manifestOnly;
    manifestOnly.resourceType = 24;
    EXPECT_TRUE(ReadsNothing(BuildPeImage(manifestOnly)));
    PeImageOptions noTranslation;
    noTranslation.translations.clear();
    EXPECT_TRUE(ReadsNothing(BuildPeImage(noTranslation)));

    test::TempTree tree;
    PeVersionStrings strings;
    EXPECT_FALSE(ReadPeVersionStrings(tree.WriteFile("notes.exe", "MZ just text"), strings));
    EXPECT_FALSE(ReadPeVersionStrings(tree.Path("missing.exe"), strings));
    EXPECT_FALSE(ReadPeVersionStrings(tree.MakeFolder("folder.exe"), strings));
}

TEST(PeVersionTest, EveryTruncationGivesNothing)
{
    for (bool plus : {false, true}) {
        PeImageOptions options;
        options.pe32Plus = plus;
        const Bytes whole = BuildPeImage(options);
        for (std::size_t size = 0; size < whole.size(); ++size)
            EXPECT_TRUE(ReadsNothing(Bytes(whole.begin(), whole.begin() + static_cast<long>(size)))) << size;
    }
    // The same through the file reader, at a few cuts.
    test::TempTree tree;
    PeImageLayout layout;
    const Bytes whole = BuildPeImage({}, &layout);
    for (std::size_t size : {std::size_t{0x3E}, layout.sectionHeader + 20, layout.versionBlock + 40, whole.size() - 1}) {
        PeVersionStrings strings;
        const std::string path = tree.WriteFile("cut.dll", AsText(Bytes(whole.begin(), whole.begin() + static_cast<long>(size))));
        EXPECT_FALSE(ReadPeVersionStrings(path, strings)) << size;
    }
}

struct Lie {
    const char *name;
    void (*apply)(Bytes &, const PeImageLayout &);
};

const Lie kLies[] = {
    {"new header pointer past the end", [](Bytes &b, const PeImageLayout &) { Put32(b, test::kPeNewHeaderPointer, 0xFFFFFFF0u); }},
    {"section count past the end", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.sectionCount, 0xFFFF); }},
    {"optional header past the end", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.optionalHeaderSize, 0xFFFF); }},
    {"optional header too short", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.optionalHeaderSize, 100); }},
    {"two data directories", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.directoryCount, 2); }},
    {"resources at no section", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.resourceAddress, 0x7FFFFFF0u); }},
    {"section data past the end", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.sectionHeader + 20, 0xFFFFFF00u); }},
    {"section size past the end", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.sectionHeader + 16, 0xFFFFFFFFu); Put32(b, l.sectionHeader + 8, 0); }},
    {"section address wraps", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.sectionHeader + 12, 0xFFFFFF00u); }},
    {"type directory entries past the end", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.resourceSection + 14, 0xFFFF); Put16(b, l.resourceSection + 12, 0xFFFF); }},
    {"name directory past the section", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.typeEntry + 4, 0xFFFFFFF0u); }},
    {"name directory loops to the root", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.nameEntry + 4, 0x80000000u); }},
    {"type directory loops to itself", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.typeEntry + 4, 0x80000000u); }},
    {"data entry past the section", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.nameEntry + 4, 0x80000000u | 0x30); Put32(b, l.resourceSection + 0x44, 0x7FFFFFF0u); }},
    {"version data at no section", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.dataEntry, 0x10); }},
    {"version size past the end", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.dataEntry + 4, 0xFFFFFFF0u); }},
    {"version size just past the section", [](Bytes &b, const PeImageLayout &l) { Put32(b, l.dataEntry + 4, static_cast<std::uint32_t>(l.versionSize + 8)); }},
    {"block longer than the resource", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.versionBlock, static_cast<std::uint16_t>(l.versionSize + 4)); }},
    {"block shorter than its header", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.versionBlock, 4); }},
    {"key without terminator", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.versionBlock, 6 + 2 * 15); }},
    {"value longer than its block", [](Bytes &b, const PeImageLayout &l) { Put16(b, l.versionBlock + 2, 0xFFFF); }},
};

TEST(PeVersionTest, FilesThatLieAboutSizesOrOffsetsGiveNothing)
{
    for (bool plus : {false, true}) {
        PeImageOptions options;
        options.pe32Plus = plus;
        PeImageLayout layout;
        const Bytes whole = BuildPeImage(options, &layout);
        for (const Lie &lie : kLies) {
            Bytes bytes = whole;
            lie.apply(bytes, layout);
            // Exactly as long as the file: any read past it would be outside the vector.
            bytes.shrink_to_fit();
            EXPECT_TRUE(ReadsNothing(bytes)) << lie.name << (plus ? " (PE32+)" : "");
        }
    }
}

TEST(PeVersionTest, ChildBlockThatLiesEndsTheSearchWithoutReadingPastIt)
{
    // The string table's first string claims to run past its table: no strings, though
    // the translation table (after the string table) is still found.
    PeImageLayout layout;
    Bytes bytes = BuildPeImage({}, &layout);
    // root (6 + 32 key bytes, value of 52 from offset 40) -> StringFileInfo at 92 (key 30
    // bytes, children at 128) -> table (key 18 bytes, children at 152) -> first string.
    const std::size_t firstString = layout.versionBlock + 152;
    ASSERT_EQ(bytes[firstString + 6], 'C'); // "CompanyName"
    Put16(bytes, firstString, 0x7FFF);
    PeVersionStrings strings;
    ASSERT_TRUE(ReadPeVersionStrings(bytes, strings));
    EXPECT_FALSE(strings.description || strings.company || strings.fileVersion);
}

} // namespace
} // namespace sifter
