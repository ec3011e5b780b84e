// SPDX-License-Identifier: GPL-3.0-or-later
// The criteria beyond the fixed record in the result file: a search without them writes the
// plain format byte for byte, one with them is read back exactly, a reader of the plain
// format skips them, and damaged or hostile extensions cost only themselves.
#include "search/text_field.h"
#include "stores/byte_stream.h"
#include "stores/criteria_extension.h"
#include "stores/result_file.h"
#include "stores/tagged_blocks.h"
#include "text/little_endian.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace sifter {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// Files that sifter-cli wrote before the criteria beyond the record existed.
const fs::path kPlainFormatFolder = fs::path(SIFTER_SOURCE_DIR) / "tests/stores/data/plain_format";

Bytes ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

void AddRecord(FileSearch &search, const std::string &name)
{
    auto record = std::make_unique<FoundFile>();
    record->SetName(name);
    record->SetFolder("/srv/docs");
    record->size = 42;
    search.AppendFoundFile(std::move(record));
}

ExtraCriteria EveryExtra()
{
    ExtraCriteria extras;
    extras.excludes = "/srv/cache;~/tmp/;*.bak;node_modules";
    extras.regexNames = true;
    extras.regexWords = true;
    extras.date1 = {kRelativeMonths, 3};
    extras.date2 = {kRelativeYesterday, 0};
    return extras;
}

// A file of criteria and two records whose extension is replaced by the given bytes.
Bytes WithExtension(const Bytes &extension)
{
    FileSearch search;
    SetTextField(search.criteria.names, "*.md");
    AddRecord(search, "a.md");
    AddRecord(search, "b.md");
    Bytes bytes = Save(search);
    PutLittleEndian32(bytes.data() + kResultMagicSize, kStoredCriteriaLength + static_cast<std::uint32_t>(extension.size()));
    bytes.insert(bytes.begin() + kResultHeaderSize - 4, extension.begin(), extension.end());
    return bytes;
}

Bytes Block(const char (&tag)[kBlockTagSize], const Bytes &content)
{
    Bytes out;
    AppendBlock(out, tag, std::string_view(reinterpret_cast<const char *>(content.data()), content.size()));
    return out;
}

TEST(CriteriaExtension, FilesOfThePlainFormatLoadAndSaveToTheirVeryBytes)
{
    int files = 0;
    for (const auto &entry : fs::directory_iterator(kPlainFormatFolder)) {
        const Bytes bytes = ReadAll(entry.path());
        FileSearch search;
        ASSERT_TRUE(Load(search, bytes)) << entry.path();
        EXPECT_FALSE(search.extras.Used()) << entry.path();
        EXPECT_EQ(Save(search), bytes) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 2);
}

TEST(CriteriaExtension, EveryExtraCriterionIsReadBackExactly)
{
    FileSearch search;
    SetTextField(search.criteria.names, "^a.*d$");
    search.extras = EveryExtra();
    AddRecord(search, "a.md");
    const Bytes bytes = Save(search);
    EXPECT_GT(GetLittleEndian32(bytes.data() + kResultMagicSize), kStoredCriteriaLength);

    FileSearch loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.extras, EveryExtra());
    EXPECT_EQ(EncodeCriteria(loaded.criteria), EncodeCriteria(search.criteria));
    ASSERT_EQ(loaded.CountFoundFiles(), 1u);
    EXPECT_EQ(Save(loaded), bytes);
}

TEST(CriteriaExtension, PlainReaderSkipsTheExtensionAndReadsRecordAndRecords)
{
    FileSearch search;
    SetTextField(search.criteria.words, "needle");
    search.extras = EveryExtra();
    AddRecord(search, "a.md");
    AddRecord(search, "b.md");
    const Bytes bytes = Save(search);

    // As a reader that knows only the record reads it: magic, length, record, skip, count.
    MemorySource source(bytes.data(), bytes.size());
    ASSERT_TRUE(ReadResultMagic(source));
    SearchCriteria criteria{};
    std::uint32_t count = 0;
    ASSERT_TRUE(ReadResultCriteria(criteria, source, count));
    EXPECT_EQ(EncodeCriteria(criteria), EncodeCriteria(search.criteria));
    ASSERT_EQ(count, 2u);
    FoundFile first;
    FoundFile second;
    ASSERT_TRUE(ReadFoundFile(first, source));
    ASSERT_TRUE(ReadFoundFile(second, source));
    EXPECT_EQ(second.Name(), "b.md");
}

TEST(CriteriaExtension, DamagedExtensionsLoseOnlyThemselves)
{
    Bytes options(kStoredCriteriaOptionsSize, 0);
    options[offsetof(StoredCriteriaOptions, regexNames)] = 1;
    Bytes unknownUnit = options;
    PutLittleEndian32(unknownUnit.data() + offsetof(StoredCriteriaOptions, relativeUnit1), 99);
    Bytes cut = Block(kExcludesTag, Bytes{'a', 'b'});
    cut.pop_back();
    const Bytes withNul = Block(kExcludesTag, Bytes{'a', 0, 'b'});
    const Bytes shortOptions = Block(kCriteriaOptionsTag, Bytes(kStoredCriteriaOptionsSize - 1, 1));
    const Bytes unknownTag = Block(kLongNameTag, Bytes{'x'});
    const Bytes junk(7, 0xFF);

    for (const Bytes &extension : {cut, withNul, shortOptions, unknownTag, junk}) {
        FileSearch loaded;
        ASSERT_TRUE(Load(loaded, WithExtension(extension)));
        EXPECT_FALSE(loaded.extras.Used());
        EXPECT_EQ(loaded.CountFoundFiles(), 2u);
        EXPECT_EQ(TextField(loaded.criteria.names), "*.md");
    }
    FileSearch loaded;
    ASSERT_TRUE(Load(loaded, WithExtension(Block(kCriteriaOptionsTag, unknownUnit))));
    EXPECT_TRUE(loaded.extras.regexNames); // the good fields of the block still count
    EXPECT_EQ(loaded.extras.date1, RelativeDate{});
}

TEST(CriteriaExtension, ExtensionBeyondTheLimitIsSkippedUnread)
{
    const Bytes huge = Block(kExcludesTag, Bytes(kMaxCriteriaExtension, 'x'));
    FileSearch loaded;
    ASSERT_TRUE(Load(loaded, WithExtension(huge)));
    EXPECT_TRUE(loaded.extras.excludes.empty());
    EXPECT_EQ(loaded.CountFoundFiles(), 2u);
}

TEST(CriteriaExtension, CriteriaLengthPastTheEndIsAHeaderCutShort)
{
    Bytes bytes = WithExtension(Block(kExcludesTag, Bytes{'a'}));
    PutLittleEndian32(bytes.data() + kResultMagicSize, 0xFFFFFFF0u);
    FileSearch loaded;
    EXPECT_FALSE(Load(loaded, bytes));
    EXPECT_EQ(loaded.CountFoundFiles(), 0u);
}

} // namespace
} // namespace sifter
