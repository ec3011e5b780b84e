// SPDX-License-Identifier: GPL-3.0-or-later
// The result file: exact bytes when saving, and every rule of tolerant loading.
#include "search/text_field.h"
#include "stores/byte_stream.h"
#include "stores/result_file.h"
#include "support/temp_tree.h"
#include "text/little_endian.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempTree;

void Put32(Bytes &out, std::uint32_t value)
{
    std::uint8_t bytes[4];
    PutLittleEndian32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

std::uint32_t Get32(const Bytes &bytes, std::size_t at)
{
    return GetLittleEndian32(bytes.data() + at);
}

void AddRecord(FileSearch &search, const std::string &name, const std::string &folder, std::uint64_t size)
{
    auto record = std::make_unique<FoundFile>();
    record->SetName(name);
    record->SetFolder(folder);
    record->size = size;
    record->SetTypeName("plain text document");
    record->lastWriteTime = 133'000'000'000'000'000ULL + size;
    record->creationTime = 132'000'000'000'000'000ULL;
    record->lastAccessTime = 134'000'000'000'000'000ULL;
    record->attributes = 0x21;
    record->matchOffset = static_cast<std::int64_t>(size / 2);
    search.AppendFoundFile(std::move(record));
}

Bytes Save(const FileSearch &search)
{
    MemorySink sink;
    EXPECT_TRUE(SaveResults(search, sink));
    return sink.Bytes();
}

bool Load(FileSearch &search, const Bytes &bytes)
{
    MemorySource source(bytes.data(), bytes.size());
    return LoadResults(search, source);
}

// A header written by hand: magic, criteria length, criteria bytes (padded or cut), count.
Bytes Header(std::uint32_t criteriaLength, const CriteriaBytes &criteria, std::uint32_t count)
{
    Bytes out(kResultMagic, kResultMagic + kResultMagicSize);
    Put32(out, criteriaLength);
    for (std::uint32_t i = 0; i < criteriaLength; ++i)
        out.push_back(i < criteria.size() ? criteria[i] : 0xEE);
    Put32(out, count);
    return out;
}

Bytes RecordEntry(std::uint32_t length, const FoundFileRecord &record)
{
    Bytes out;
    Put32(out, length);
    const FoundFileBytes bytes = EncodeFoundFile(record);
    for (std::uint32_t i = 0; i < length; ++i)
        out.push_back(i < bytes.size() ? bytes[i] : 0xDD);
    return out;
}

FoundFileRecord NamedRecord(const char *name)
{
    FoundFileRecord record{};
    SetTextField(record.name, name);
    SetTextField(record.folder, "/data");
    record.size = 42;
    return record;
}

CriteriaBytes SampleCriteria()
{
    SearchCriteria criteria{};
    ResetCriteria(criteria, SystemTime{2026, 12, 1, 7, 14, 5, 0, 0});
    SetTextField(criteria.names, "*.txt;*.md");
    SetTextField(criteria.words, "needle");
    SetTextField(criteria.folders, "/home/user");
    criteria.wordMode = kWordModeAll;
    criteria.sizeUnit = kSizeUnitKB;
    criteria.sizeValue1 = 5;
    criteria.searchHidden = 0;
    return EncodeCriteria(criteria);
}

// ---- saving

TEST(ResultFileSaveTest, EmptySearchIs2177BytesEndingInFourZeros)
{
    FileSearch search;
    const Bytes bytes = Save(search);
    ASSERT_EQ(bytes.size(), kResultHeaderSize);
    EXPECT_EQ(std::memcmp(bytes.data(), "SF01\0", 5), 0);
    EXPECT_EQ(Get32(bytes, 5), 2164u);
    const CriteriaBytes criteria = EncodeCriteria(search.criteria);
    EXPECT_TRUE(std::equal(criteria.begin(), criteria.end(), bytes.begin() + 9));
    EXPECT_EQ(Get32(bytes, 2173), 0u);
}

TEST(ResultFileSaveTest, EachRecordIsItsLengthAndItsStoredBytes)
{
    FileSearch search;
    AddRecord(search, "a.txt", "/data", 10);
    AddRecord(search, "b.txt", "/data/sub", 20);
    const Bytes bytes = Save(search);
    ASSERT_EQ(bytes.size(), kResultHeaderSize + 2 * 676);
    EXPECT_EQ(Get32(bytes, 2173), 2u);
    EXPECT_EQ(Get32(bytes, 2177), 672u);
    const FoundFileBytes first = EncodeFoundFile(search.Head()->Stored());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), bytes.begin() + 2181));
    EXPECT_EQ(Get32(bytes, 2177 + 676), 672u);
    const FoundFileBytes second = EncodeFoundFile(search.Tail()->Stored());
    EXPECT_TRUE(std::equal(second.begin(), second.end(), bytes.begin() + 2181 + 676));
}

TEST(ResultFileSaveTest, SavingStartsOverAtOffsetZero)
{
    FileSearch search;
    MemorySink sink;
    sink.Write("junk", 4);
    ASSERT_TRUE(SaveResults(search, sink));
    EXPECT_EQ(sink.Bytes().size(), kResultHeaderSize);
}

// ---- round trips

TEST(ResultFileRoundTripTest, CriteriaAndRecordsComeBackByteForByte)
{
    FileSearch search;
    search.criteria = DecodeCriteria(SampleCriteria());
    AddRecord(search, "a.txt", "/data", 10);
    AddRecord(search, "\xC3\xA4rger.md", "/", 0x1'0000'0001ULL);
    const Bytes saved = Save(search);

    FileSearch loaded;
    ASSERT_TRUE(Load(loaded, saved));
    EXPECT_EQ(EncodeCriteria(loaded.criteria), SampleCriteria());
    ASSERT_EQ(loaded.CountFoundFiles(), 2u);
    EXPECT_EQ(loaded.Tail()->Name(), "\xC3\xA4rger.md");
    EXPECT_EQ(loaded.Tail()->size, 0x1'0000'0001ULL);
    EXPECT_EQ(loaded.Head()->owner, &loaded);
    EXPECT_EQ(Save(loaded), saved);
}

TEST(ResultFileRoundTripTest, LongFolderAndNameSurviveSaveAndLoad)
{
    FileSearch search;
    const std::string folder = "/" + std::string(400, 'f') + "/" + std::string(3000, 'g');
    AddRecord(search, "short.txt", folder, 1);
    AddRecord(search, "plain.txt", "/data", 2);
    const Bytes saved = Save(search);
    // The long record carries its texts after the 672 bytes; the plain one has exactly 672.
    const std::uint32_t firstLength = Get32(saved, 2177);
    EXPECT_GT(firstLength, 672u);
    EXPECT_EQ(Get32(saved, 2177 + 4 + firstLength), 672u);

    FileSearch loaded;
    ASSERT_TRUE(Load(loaded, saved));
    ASSERT_EQ(loaded.CountFoundFiles(), 2u);
    EXPECT_EQ(loaded.Head()->Folder(), folder);
    EXPECT_EQ(loaded.Head()->Path(), folder + "/short.txt");
    EXPECT_EQ(loaded.Tail()->Folder(), "/data");
    EXPECT_EQ(Save(loaded), saved);
}

TEST(ResultFileRoundTripTest, ReaderOfThePlainFormatSeesTheCutFolder)
{
    FileSearch search;
    const std::string folder = "/" + std::string(400, 'f');
    AddRecord(search, "x", folder, 1);
    const Bytes saved = Save(search);
    // What a reader taking only the first 672 bytes of each record gets.
    FoundFileBytes stored;
    std::copy(saved.begin() + 2181, saved.begin() + 2181 + 672, stored.begin());
    const FoundFileRecord plain = DecodeFoundFile(stored);
    EXPECT_EQ(std::string(plain.folder), folder.substr(0, 267));
}

// ---- tolerant reading

TEST(ResultFileLoadTest, LongerCriteriaAreReadAndTheRestSkipped)
{
    Bytes file = Header(3000, SampleCriteria(), 1);
    const Bytes record = RecordEntry(672, NamedRecord("after.txt"));
    file.insert(file.end(), record.begin(), record.end());
    FileSearch search;
    ASSERT_TRUE(Load(search, file));
    EXPECT_EQ(EncodeCriteria(search.criteria), SampleCriteria());
    ASSERT_EQ(search.CountFoundFiles(), 1u);
    EXPECT_EQ(search.Head()->Name(), "after.txt");
}

TEST(ResultFileLoadTest, ShorterCriteriaFillOnlyTheirBytesTheRestKeepsDefaults)
{
    Bytes file = Header(100, SampleCriteria(), 1);
    const Bytes record = RecordEntry(672, NamedRecord("r"));
    file.insert(file.end(), record.begin(), record.end());
    FileSearch search;
    search.criteria.wordMode = kWordModePhrase; // not a default: must be reset
    ASSERT_TRUE(Load(search, file));
    EXPECT_EQ(TextField(search.criteria.names), "*.txt;*.md");
    EXPECT_EQ(TextField(search.criteria.words), "");
    EXPECT_EQ(search.criteria.wordMode, kWordModeAny);
    EXPECT_EQ(search.criteria.unicodeUtf8, 1);
    EXPECT_EQ(search.criteria.searchHidden, 1);
    EXPECT_EQ(search.CountFoundFiles(), 1u);
}

TEST(ResultFileLoadTest, LongerRecordIsReadAndItsExtraBytesSkipped)
{
    Bytes file = Header(2164, SampleCriteria(), 2);
    for (const Bytes &record : {RecordEntry(700, NamedRecord("first")), RecordEntry(672, NamedRecord("second"))})
        file.insert(file.end(), record.begin(), record.end());
    FileSearch search;
    ASSERT_TRUE(Load(search, file));
    ASSERT_EQ(search.CountFoundFiles(), 2u);
    EXPECT_EQ(search.Head()->Name(), "first");
    EXPECT_EQ(search.Head()->size, 42u);
    EXPECT_EQ(search.Tail()->Name(), "second");
}

TEST(ResultFileLoadTest, ShorterRecordFillsOnlyItsFirstBytes)
{
    Bytes file = Header(2164, SampleCriteria(), 2);
    for (const Bytes &record : {RecordEntry(530, NamedRecord("first")), RecordEntry(672, NamedRecord("second"))})
        file.insert(file.end(), record.begin(), record.end());
    FileSearch search;
    ASSERT_TRUE(Load(search, file));
    ASSERT_EQ(search.CountFoundFiles(), 2u);
    EXPECT_EQ(search.Head()->Name(), "first");
    EXPECT_EQ(search.Head()->size, 42u & 0xFFFF); // two of its eight bytes were there
    EXPECT_EQ(search.Tail()->Name(), "second");
}

TEST(ResultFileLoadTest, RecordLengthZeroStopsKeepingEarlierRecords)
{
    Bytes file = Header(2164, SampleCriteria(), 3);
    const Bytes first = RecordEntry(672, NamedRecord("first"));
    file.insert(file.end(), first.begin(), first.end());
    Put32(file, 0);
    const Bytes third = RecordEntry(672, NamedRecord("third"));
    file.insert(file.end(), third.begin(), third.end());
    FileSearch search;
    EXPECT_FALSE(Load(search, file));
    ASSERT_EQ(search.CountFoundFiles(), 1u);
    EXPECT_EQ(search.Head()->Name(), "first");
}

TEST(ResultFileLoadTest, FileCutShortKeepsTheCompleteRecords)
{
    FileSearch source;
    for (const char *name : {"a", "b", "c"})
        AddRecord(source, name, "/d", 1);
    const Bytes whole = Save(source);
    for (std::size_t cut : {kResultHeaderSize + 676 * 2 + 600, kResultHeaderSize + 676 * 2 + 2,
                            kResultHeaderSize + 676 * 2}) {
        const Bytes shortened(whole.begin(), whole.begin() + static_cast<long>(cut));
        FileSearch search;
        EXPECT_FALSE(Load(search, shortened)) << cut;
        EXPECT_EQ(search.CountFoundFiles(), 2u) << cut;
    }
}

TEST(ResultFileLoadTest, FileEndingInsideTheHeaderIsDamagedNotEmpty)
{
    const Bytes whole = Save(FileSearch{});
    // In the criteria length, the criteria, the count; and criteria claimed longer than the file.
    Bytes longClaim = Header(3000, SampleCriteria(), 0);
    longClaim.resize(9 + 2500);
    std::vector<Bytes> cuts{longClaim};
    for (std::size_t cut : {std::size_t{5}, std::size_t{7}, std::size_t{9}, std::size_t{1000}, kResultHeaderSize - 4,
                            kResultHeaderSize - 1})
        cuts.emplace_back(whole.begin(), whole.begin() + static_cast<long>(cut));
    for (const Bytes &shortened : cuts) {
        FileSearch search;
        AddRecord(search, "old", "/", 1);
        MemorySource source(shortened.data(), shortened.size());
        ResultLoadReport report;
        EXPECT_FALSE(LoadResults(search, source, {}, &report)) << shortened.size();
        EXPECT_EQ(report.stop, ResultLoadStop::kHeaderCut) << shortened.size();
        EXPECT_EQ(search.CountFoundFiles(), 0u) << shortened.size();
    }
    FileSearch search;
    ResultLoadReport report;
    report.stop = ResultLoadStop::kBusy;
    MemorySource source(whole.data(), whole.size());
    EXPECT_TRUE(LoadResults(search, source, {}, &report));
    EXPECT_EQ(report.stop, ResultLoadStop::kNone);
}

TEST(ResultFileLoadTest, HugeCountDoesNotReserveAnything)
{
    Bytes file = Header(2164, SampleCriteria(), 0xFFFFFFFF);
    const Bytes record = RecordEntry(672, NamedRecord("only"));
    file.insert(file.end(), record.begin(), record.end());
    FileSearch search;
    EXPECT_FALSE(Load(search, file));
    EXPECT_EQ(search.CountFoundFiles(), 1u);
}

TEST(ResultFileLoadTest, HugeRecordLengthIsSkippedNotAllocated)
{
    Bytes file = Header(2164, SampleCriteria(), 2);
    const Bytes record = RecordEntry(672, NamedRecord("big"));
    file.insert(file.end(), record.begin(), record.end());
    file[2177] = 0xFF;
    file[2178] = 0xFF;
    file[2179] = 0xFF;
    file[2180] = 0xFF;
    FileSearch search;
    EXPECT_FALSE(Load(search, file)); // the second record lies beyond the end
    ASSERT_EQ(search.CountFoundFiles(), 1u);
    EXPECT_EQ(search.Head()->Name(), "big");
}

TEST(ResultFileLoadTest, MagicMustMatchAllFiveBytes)
{
    for (const Bytes &bad : {Bytes{'S', 'F', '0', '1', 'X'}, Bytes{'S', 'F', '0', '2', 0}, Bytes{'S', 'F', '0'},
                             Bytes{}}) {
        Bytes file = bad;
        MemorySource source(file.data(), file.size());
        EXPECT_FALSE(CheckResultMagic(source));
        FileSearch search;
        AddRecord(search, "old", "/", 1);
        EXPECT_FALSE(Load(search, file));
        EXPECT_EQ(search.CountFoundFiles(), 0u);
    }
    Bytes good(kResultMagic, kResultMagic + 5);
    MemorySource source(good.data(), good.size());
    EXPECT_TRUE(CheckResultMagic(source));
    // A fifth byte that is not there counts as zero.
    Bytes four{'S', 'F', '0', '1'};
    MemorySource shortSource(four.data(), four.size());
    EXPECT_TRUE(CheckResultMagic(shortSource));
}

TEST(ResultFileLoadTest, HostileTextsAreTerminated)
{
    FoundFileRecord record = NamedRecord("n");
    std::memset(record.folder, 'f', sizeof record.folder);
    std::memset(record.typeName, 't', sizeof record.typeName);
    Bytes file = Header(2164, CriteriaBytes{}, 1);
    std::fill(file.begin() + 9, file.begin() + 9 + 2164, 'x');
    const Bytes entry = RecordEntry(672, record);
    file.insert(file.end(), entry.begin(), entry.end());
    FileSearch search;
    ASSERT_TRUE(Load(search, file));
    EXPECT_EQ(std::strlen(search.criteria.folders), 1023u);
    EXPECT_EQ(search.Head()->Folder().size(), 267u);
    EXPECT_EQ(search.Head()->TypeName().size(), 79u);
}

// ---- memory

// A genuine header and n records of one byte each (5 bytes on disk), that byte the name.
Bytes TinyRecords(std::uint32_t n, char name = 't')
{
    Bytes file = Header(2164, SampleCriteria(), n);
    for (std::uint32_t i = 0; i < n; ++i) {
        Put32(file, 1);
        file.push_back(static_cast<std::uint8_t>(name));
    }
    return file;
}

// A saved search with a record of a long folder and n records of one byte each.
Bytes LongAndTinyRecords(std::uint32_t n)
{
    FileSearch search;
    AddRecord(search, "long.txt", "/" + std::string(3000, 'f'), 1);
    Bytes file = Save(search);
    PutLittleEndian32(file.data() + kResultHeaderSize - 4, 1 + n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const Bytes tiny = RecordEntry(1, NamedRecord("t"));
        file.insert(file.end(), tiny.begin(), tiny.end());
    }
    return file;
}

ResultLoadLimit Limit(std::uint64_t bytes, std::size_t perRow = 0)
{
    ResultLoadLimit limit;
    limit.memoryBytes = bytes;
    limit.perRowBytes = perRow;
    return limit;
}

TEST(ResultFileMemoryTest, TheLimitCountsRecordsAndTheTextsTheyShare)
{
    const Bytes file = LongAndTinyRecords(1000);
    FileSearch loaded;
    ResultLoadReport report;
    MemorySource whole(file.data(), file.size());
    ASSERT_TRUE(LoadResults(loaded, whole, {}, &report));
    EXPECT_EQ(report.stop, ResultLoadStop::kNone);
    ASSERT_EQ(loaded.CountFoundFiles(), 1001u);
    // The tiny records share one (empty) folder text and one type name.
    const FoundFile *tiny = loaded.Tail();
    EXPECT_EQ(tiny->SharedFolder(), tiny->prev->SharedFolder());
    EXPECT_EQ(tiny->SharedTypeName(), tiny->prev->SharedTypeName());

    // Room for the long record's own bytes and three and a half tiny ones (five bytes on
    // disk, a whole record in memory), but not for its folder's text: nothing loads.
    const std::uint64_t limit = loaded.Head()->MemoryFootprint() + 3 * tiny->MemoryFootprint() +
                                tiny->MemoryFootprint() / 2;
    MemorySource limited(file.data(), file.size());
    EXPECT_FALSE(LoadResults(loaded, limited, Limit(limit), &report));
    EXPECT_EQ(report.stop, ResultLoadStop::kOverLimit);
    EXPECT_EQ(loaded.CountFoundFiles(), 0u);
    // With room for its texts as well (the field's cut and the whole folder, about 3.4 kB),
    // the long record and three tiny ones.
    MemorySource roomy(file.data(), file.size());
    EXPECT_FALSE(LoadResults(loaded, roomy, Limit(limit + 3600), &report));
    EXPECT_EQ(report.stop, ResultLoadStop::kOverLimit);
    EXPECT_GE(loaded.CountFoundFiles(), 4u);
    EXPECT_LE(loaded.CountFoundFiles(), 6u);
}

TEST(ResultFileMemoryTest, EachRowCountsWhatItsHolderSpendsOnItAndARefusalNamesWhatAllRowsNeed)
{
    const Bytes file = LongAndTinyRecords(1000);
    FileSearch loaded;
    MemorySource whole(file.data(), file.size());
    ASSERT_TRUE(LoadResults(loaded, whole));
    const std::uint64_t tinyBytes = loaded.Tail()->MemoryFootprint();
    constexpr std::size_t kPerRow = 100;

    // What fits a thousand tiny records alone fits some 600 with a row's cost added.
    ResultLoadReport report;
    MemorySource again(file.data(), file.size());
    EXPECT_FALSE(LoadResults(loaded, again, Limit(1000 * tinyBytes, kPerRow), &report));
    EXPECT_EQ(report.stop, ResultLoadStop::kOverLimit);
    EXPECT_LT(loaded.CountFoundFiles(), 1000 * tinyBytes / (tinyBytes + kPerRow));
    // Counted on past the limit to the end, whatever the limit.
    const std::uint64_t needed = report.neededBytes;
    EXPECT_GT(needed, 1001 * (tinyBytes + kPerRow) + 3000);
    for (const std::uint64_t limit : {std::uint64_t{0}, std::uint64_t{100'000}}) {
        MemorySource source(file.data(), file.size());
        EXPECT_FALSE(LoadResults(loaded, source, Limit(limit, kPerRow), &report));
        EXPECT_EQ(report.neededBytes, needed) << limit;
    }
    MemorySource exact(file.data(), file.size());
    EXPECT_TRUE(LoadResults(loaded, exact, Limit(needed, kPerRow), &report));
    EXPECT_EQ(loaded.CountFoundFiles(), 1001u);
}

// ---- the long-text blocks

Bytes WithExtension(const FoundFileRecord &record, const Bytes &extension)
{
    Bytes file = Header(2164, CriteriaBytes{}, 1);
    Put32(file, static_cast<std::uint32_t>(672 + extension.size()));
    const FoundFileBytes bytes = EncodeFoundFile(record);
    file.insert(file.end(), bytes.begin(), bytes.end());
    file.insert(file.end(), extension.begin(), extension.end());
    return file;
}

Bytes Block(const char (&tag)[4], const std::string &text, std::uint32_t claimed)
{
    Bytes out(tag, tag + 4);
    Put32(out, claimed);
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

// A file of the records named, in this order.
Bytes RecordsNamed(const std::vector<std::string> &names)
{
    Bytes file = Header(2164, SampleCriteria(), static_cast<std::uint32_t>(names.size()));
    for (const std::string &name : names) {
        FoundFileRecord record = NamedRecord("");
        SetTextField(record.name, name);
        Bytes entry;
        if (name.size() < kFoundNameSize) {
            entry = RecordEntry(672, record);
        } else {
            // The field holds the start; the whole name follows in its block.
            entry = Block(kLongNameTag, name, static_cast<std::uint32_t>(name.size()));
            const Bytes head = RecordEntry(672, record);
            entry.insert(entry.begin(), head.begin(), head.end());
            PutLittleEndian32(entry.data(), static_cast<std::uint32_t>(672 + 8 + name.size()));
        }
        file.insert(file.end(), entry.begin(), entry.end());
    }
    return file;
}

TEST(ResultFileLoadTest, ARecordWithAnEmptyNameIsDamagedNotARow)
{
    for (const Bytes &file : {RecordsNamed({"a", "", "c"}), TinyRecords(1, '\0')}) {
        FileSearch search;
        MemorySource source(file.data(), file.size());
        ResultLoadReport report;
        EXPECT_FALSE(LoadResults(search, source, {}, &report));
        EXPECT_EQ(report.stop, ResultLoadStop::kDamagedRecord);
        EXPECT_EQ(search.CountFoundFiles(), file.size() > 3000 ? 1u : 0u);
    }
}

TEST(ResultFileLoadTest, ANameLongerThanTheSystemAllowsIsDamagedButFoldersMayBeLong)
{
    const std::string longest(255, 'n');
    FileSearch search;
    ASSERT_TRUE(Load(search, RecordsNamed({longest})));
    EXPECT_EQ(search.Head()->Name(), longest);
    for (const std::size_t length : {std::size_t{256}, std::size_t{259}, std::size_t{300}}) {
        FileSearch damaged;
        const Bytes file = RecordsNamed({"a", std::string(length, 'n')});
        MemorySource whole(file.data(), file.size());
        ResultLoadReport report;
        EXPECT_FALSE(LoadResults(damaged, whole, {}, &report)) << length;
        EXPECT_EQ(report.stop, ResultLoadStop::kDamagedRecord) << length;
        EXPECT_EQ(damaged.CountFoundFiles(), 1u) << length;
    }
    FileSearch deep;
    AddRecord(deep, longest, "/" + std::string(3000, 'f'), 1);
    FileSearch loaded;
    ASSERT_TRUE(Load(loaded, Save(deep)));
    EXPECT_EQ(loaded.Head()->Folder().size(), 3001u);
}


TEST(ResultFileExtensionTest, BlockDisagreeingWithTheFieldIsIgnored)
{
    const std::string folder = "/" + std::string(300, 'q');
    FoundFileRecord record = NamedRecord("n");
    SetTextField(record.folder, "/elsewhere");
    FileSearch search;
    ASSERT_TRUE(Load(search, WithExtension(record, Block(kLongFolderTag, folder, 301))));
    EXPECT_EQ(search.Head()->Folder(), "/elsewhere");
}

TEST(ResultFileExtensionTest, UnknownBlocksAreSkippedAndCutBlocksIgnored)
{
    const std::string folder = "/" + std::string(300, 'q');
    FoundFileRecord record = NamedRecord("n");
    SetTextField(record.folder, folder);
    Bytes extension = Block({'X', 'Y', 'Z', 'W'}, "zz", 2);
    const Bytes real = Block(kLongFolderTag, folder, 301);
    extension.insert(extension.end(), real.begin(), real.end());
    FileSearch search;
    ASSERT_TRUE(Load(search, WithExtension(record, extension)));
    EXPECT_EQ(search.Head()->Folder(), folder);

    FileSearch cut;
    ASSERT_TRUE(Load(cut, WithExtension(record, Block(kLongFolderTag, folder, 5000))));
    EXPECT_EQ(cut.Head()->Folder(), folder.substr(0, 267));
}

TEST(ResultFileExtensionTest, TextWithANulByteIsRefused)
{
    std::string folder = "/" + std::string(300, 'q');
    FoundFileRecord record = NamedRecord("n");
    SetTextField(record.folder, folder);
    folder[280] = '\0';
    FileSearch search;
    ASSERT_TRUE(Load(search, WithExtension(record, Block(kLongFolderTag, folder, 301))));
    EXPECT_EQ(search.Head()->Folder().size(), 267u);
}

// ---- files on disk

class ResultFilePathTest : public ::testing::Test {
protected:
    TempTree tree;
};

TEST_F(ResultFilePathTest, SaveAndLoadThroughAPath)
{
    FileSearch search;
    AddRecord(search, "a", "/x", 5);
    const std::string path = tree.Path("out.sifter");
    ASSERT_TRUE(SaveResultFile(search, path));
    EXPECT_EQ(std::filesystem::file_size(path), kResultHeaderSize + 676);
    FileSearch loaded;
    ASSERT_TRUE(LoadResultFile(loaded, path));
    EXPECT_EQ(loaded.Head()->Name(), "a");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.Root()), {}), 1); // no leftovers
}

TEST_F(ResultFilePathTest, SavingOverAFileKeepsItsPermissions)
{
    const std::string path = tree.WriteFile("keep.sifter", "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(SaveResultFile(FileSearch{}, path));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(info.st_size, static_cast<off_t>(kResultHeaderSize));
}

TEST_F(ResultFilePathTest, SavingThroughALinkReplacesItsTarget)
{
    const std::string target = tree.WriteFile("real.sifter", "old");
    ASSERT_EQ(symlink(target.c_str(), tree.Path("link.sifter").c_str()), 0);
    ASSERT_TRUE(SaveResultFile(FileSearch{}, tree.Path("link.sifter")));
    EXPECT_TRUE(std::filesystem::is_symlink(tree.Path("link.sifter")));
    EXPECT_EQ(std::filesystem::file_size(target), kResultHeaderSize);
}

TEST_F(ResultFilePathTest, FailedSaveLeavesNothingBehind)
{
    EXPECT_FALSE(SaveResultFile(FileSearch{}, tree.Path("missing/out.sifter")));
    EXPECT_FALSE(std::filesystem::exists(tree.Path("missing")));
}

TEST_F(ResultFilePathTest, LoadingRefusesMissingFilesFoldersAndFifosWithoutBlocking)
{
    ASSERT_EQ(mkfifo(tree.Path("pipe").c_str(), 0644), 0);
    FileSearch search;
    AddRecord(search, "kept", "/", 1);
    EXPECT_FALSE(LoadResultFile(search, tree.Path("missing.sifter")));
    EXPECT_FALSE(LoadResultFile(search, tree.Root()));
    EXPECT_FALSE(LoadResultFile(search, tree.Path("pipe")));
    EXPECT_EQ(search.CountFoundFiles(), 1u); // an unopenable file leaves the search alone
    int error = -1;
    EXPECT_EQ(OpenRegularFileForReading(tree.Path("missing.sifter"), &error), nullptr);
    EXPECT_EQ(error, ENOENT);
    for (const std::string &path : {tree.Path("pipe"), tree.Root(), std::string("/dev/null")}) {
        error = -1;
        EXPECT_EQ(OpenRegularFileForReading(path, &error), nullptr) << path;
        EXPECT_EQ(error, 0) << path; // not a regular file
    }
}

TEST_F(ResultFilePathTest, SaveToAPipeWorksAsLongAsNothingWasWrittenBefore)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::FILE *writer = fdopen(fds[1], "wb");
    ASSERT_NE(writer, nullptr);
    FileSearch search;
    StdioSink sink(writer);
    // The pipe buffer (64 KiB) holds the whole file, so nothing blocks.
    EXPECT_TRUE(SaveResults(search, sink));
    std::fclose(writer);
    std::vector<char> read(kResultHeaderSize + 1);
    std::size_t total = 0;
    for (ssize_t n; (n = ::read(fds[0], read.data() + total, read.size() - total)) > 0;)
        total += static_cast<std::size_t>(n);
    close(fds[0]);
    EXPECT_EQ(total, kResultHeaderSize);
}

// ---- loading while a run is in progress

class CallbackPump : public EventPump {
public:
    explicit CallbackPump(std::function<void()> call) : call_(std::move(call)) {}
    void DispatchPendingEvents() override { call_(); }

private:
    std::function<void()> call_;
};

TEST_F(ResultFilePathTest, LoadDuringARunIsRefused)
{
    tree.WriteFile("a.txt", "");
    FileSearch search;
    SetTextField(search.criteria.folders, tree.Root());
    const Bytes file = Save(FileSearch{});
    bool refused = false;
    CallbackPump pump([&] { refused = !Load(search, file); });
    search.SetRunning(true);
    search.RunSearch({nullptr, nullptr, &pump});
    search.SetRunning(false);
    EXPECT_TRUE(refused);
    EXPECT_EQ(search.CountFoundFiles(), 1u);
}

} // namespace
} // namespace sifter
