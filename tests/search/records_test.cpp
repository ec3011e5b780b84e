// SPDX-License-Identifier: GPL-3.0-or-later
// The persisted records: defaults, byte positions of every field, little-endian order,
// and hostile bytes.
#include "search/found_file.h"
#include "search/search_criteria.h"
#include "search/text_field.h"
#include "support/heap_bytes.h"
#include "text/file_time.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace sifter {
namespace {

std::uint32_t Read32(const std::uint8_t *bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint64_t Read64(const std::uint8_t *bytes)
{
    return Read32(bytes) | (static_cast<std::uint64_t>(Read32(bytes + 4)) << 32);
}

SystemTime Sample(std::uint16_t base)
{
    SystemTime t;
    t.year = base;
    t.month = static_cast<std::uint16_t>(base + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(base + 2);
    t.day = static_cast<std::uint16_t>(base + 3);
    t.hour = static_cast<std::uint16_t>(base + 4);
    t.minute = static_cast<std::uint16_t>(base + 5);
    t.second = static_cast<std::uint16_t>(base + 6);
    t.milliseconds = static_cast<std::uint16_t>(base + 7);
    return t;
}

TEST(SearchCriteriaTest, ResetGivesTheDefaults)
{
    SearchCriteria criteria;
    std::memset(static_cast<void *>(&criteria), 0xAB, sizeof criteria);
    const SystemTime now = Sample(2026);
    ResetCriteria(criteria, now);
    const CriteriaBytes bytes = EncodeCriteria(criteria);
    for (std::size_t i = 0; i < 2048; ++i)
        ASSERT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(criteria.wordMode, kWordModeAny);
    EXPECT_EQ(criteria.hexadecimal, 0);
    EXPECT_EQ(criteria.unicodeUtf8, 1);
    EXPECT_EQ(criteria.sizeUnit, 0);
    EXPECT_EQ(criteria.dateKind, 0);
    EXPECT_EQ(std::memcmp(&criteria.date1, &now, sizeof now), 0);
    EXPECT_EQ(std::memcmp(&criteria.time2, &now, sizeof now), 0);
    EXPECT_EQ(criteria.searchHidden, 1);
    EXPECT_EQ(criteria.searchReadOnly, 1);
    EXPECT_EQ(criteria.searchSystem, 1);
    EXPECT_EQ(criteria.searchSubfolders, 1);
    EXPECT_EQ(criteria.caseSensitive, 0);
    EXPECT_EQ(criteria.searchShortNames, 0);
    EXPECT_EQ(bytes[2054], 0);
    EXPECT_EQ(bytes[2162], 0);
}

TEST(SearchCriteriaTest, EveryFieldIsStoredAtItsOffsetLittleEndian)
{
    SearchCriteria c{};
    SetTextField(c.names, "*.txt");
    SetTextField(c.words, "hello");
    SetTextField(c.folders, "/home");
    c.wordMode = 2;
    c.hexadecimal = 1;
    c.unicodeUtf8 = 1;
    c.sizeUnit = 3;
    c.sizeCompare1 = 1;
    c.sizeCompare2 = 2;
    c.sizeValue1 = 0x01020304;
    c.sizeValue2 = 0xA0B0C0D0;
    c.dateKind = 1;
    c.datePart = 2;
    c.dateCompare1 = 3;
    c.dateCompare2 = -1;
    c.date1 = Sample(0x100);
    c.date2 = Sample(0x200);
    c.time1 = Sample(0x300);
    c.time2 = Sample(0x400);
    c.searchHidden = 0x11;
    c.searchReadOnly = 0x12;
    c.searchSystem = 0x13;
    c.searchSubfolders = 0x14;
    c.caseSensitive = 0x15;
    c.searchShortNames = 0x16;
    const CriteriaBytes b = EncodeCriteria(c);
    EXPECT_EQ(std::memcmp(b.data() + 0, "*.txt", 6), 0);
    EXPECT_EQ(std::memcmp(b.data() + 512, "hello", 6), 0);
    EXPECT_EQ(std::memcmp(b.data() + 1024, "/home", 6), 0);
    EXPECT_EQ(Read32(&b[2048]), 2u);
    EXPECT_EQ(b[2052], 1);
    EXPECT_EQ(b[2053], 1);
    EXPECT_EQ(Read32(&b[2056]), 3u);
    EXPECT_EQ(Read32(&b[2060]), 1u);
    EXPECT_EQ(Read32(&b[2064]), 2u);
    EXPECT_EQ(b[2068], 0x04);
    EXPECT_EQ(b[2071], 0x01);
    EXPECT_EQ(Read32(&b[2072]), 0xA0B0C0D0u);
    EXPECT_EQ(Read32(&b[2076]), 1u);
    EXPECT_EQ(Read32(&b[2080]), 2u);
    EXPECT_EQ(Read32(&b[2084]), 3u);
    EXPECT_EQ(Read32(&b[2088]), 0xFFFFFFFFu);
    for (int field = 0; field < 4; ++field) {
        const std::size_t at = 2092 + 16 * static_cast<std::size_t>(field);
        const unsigned base = 0x100u * static_cast<unsigned>(field + 1);
        for (unsigned k = 0; k < 8; ++k)
            EXPECT_EQ(b[at + 2 * k] | (b[at + 2 * k + 1] << 8), static_cast<int>(base + k)) << at;
    }
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(b[2156 + static_cast<std::size_t>(i)], 0x11 + i);
    const SearchCriteria back = DecodeCriteria(b);
    EXPECT_EQ(EncodeCriteria(back), b);
}

TEST(SearchCriteriaTest, DecodingTerminatesUnterminatedTexts)
{
    CriteriaBytes bytes;
    bytes.fill('x');
    const SearchCriteria c = DecodeCriteria(bytes);
    EXPECT_EQ(TextField(c.names).size(), 511u);
    EXPECT_EQ(std::strlen(c.words), 511u);
    EXPECT_EQ(std::strlen(c.folders), 1023u);
}

TEST(FoundFileTest, EveryFieldIsStoredAtItsOffsetLittleEndian)
{
    FoundFile f;
    f.SetName("name.txt");
    f.SetFolder("/data");
    f.size = 0x0102030405060708ULL;
    f.SetTypeName("plain text document");
    f.lastWriteTime = 0x1111111122222222ULL;
    f.creationTime = 0x3333333344444444ULL;
    f.lastAccessTime = 0x5555555566666666ULL;
    f.attributes = 0x421;
    f.SetShortName("NAME~1.TXT");
    f.matchOffset = -2;
    const FoundFileBytes b = EncodeFoundFile(f.Stored());
    EXPECT_EQ(std::memcmp(b.data(), "name.txt", 9), 0);
    EXPECT_EQ(std::memcmp(b.data() + 260, "/data", 6), 0);
    EXPECT_EQ(b[528], 0x08);
    EXPECT_EQ(Read64(&b[528]), 0x0102030405060708ULL);
    EXPECT_EQ(std::memcmp(b.data() + 536, "plain text document", 20), 0);
    EXPECT_EQ(Read64(&b[616]), 0x1111111122222222ULL);
    EXPECT_EQ(Read64(&b[624]), 0x3333333344444444ULL);
    EXPECT_EQ(Read64(&b[632]), 0x5555555566666666ULL);
    EXPECT_EQ(Read32(&b[640]), 0x421u);
    EXPECT_EQ(std::memcmp(b.data() + 644, "NAME~1.TXT", 11), 0);
    for (std::size_t i = 658; i < 664; ++i)
        EXPECT_EQ(b[i], 0);
    EXPECT_EQ(Read64(&b[664]), 0xFFFFFFFFFFFFFFFEULL);
    FoundFileRecord back = DecodeFoundFile(b);
    EXPECT_EQ(EncodeFoundFile(back), b);
    EXPECT_EQ(back.matchOffset, -2);
}

TEST(FoundFileTest, NewRecordIsZeroInEveryStoredByte)
{
    FoundFile f;
    const FoundFileBytes b = EncodeFoundFile(f.Stored());
    for (std::uint8_t byte : b)
        ASSERT_EQ(byte, 0);
    EXPECT_EQ(f.next, nullptr);
    EXPECT_EQ(f.prev, nullptr);
    EXPECT_EQ(f.owner, nullptr);
}

TEST(FoundFileTest, LongTextsStayWholeWhileTheFieldHoldsTheirCut)
{
    FoundFile f;
    const std::string folder = "/" + std::string(300, 'd');
    f.SetFolder(folder);
    f.SetName("n");
    EXPECT_EQ(f.Folder(), folder);
    EXPECT_EQ(std::strlen(f.Stored().folder), 267u);
    EXPECT_EQ(f.Path(), folder + "/n");
    EXPECT_TRUE(f.HasLongTexts());
    f.SetFolder("/short");
    EXPECT_FALSE(f.HasLongTexts());
    EXPECT_EQ(f.Folder(), "/short");
}

TEST(FoundFileTest, FieldCutNeverSplitsACharacter)
{
    FoundFile f;
    std::string name(258, 'a');
    name += "\xC3\xA4"; // 260 bytes: the two-byte character does not fit in 259
    f.SetName(name);
    EXPECT_EQ(std::strlen(f.Stored().name), 258u);
    EXPECT_EQ(f.Name(), name);
}

TEST(FoundFileTest, TypeNamesAreCutToTheirFieldAlsoWhenShared)
{
    const std::string longType(100, 't');
    FoundFile own;
    own.SetTypeName(longType);
    EXPECT_EQ(own.TypeName(), longType.substr(0, 79));
    FoundFile::TextShare texts;
    FoundFile shared;
    shared.SetTypeName(texts.Share(longType));
    EXPECT_EQ(shared.TypeName(), longType.substr(0, 79));
    FoundFile other;
    other.SetTypeName(texts.Share("plain text document"));
    EXPECT_EQ(other.TypeName(), "plain text document");
    EXPECT_EQ(other.SharedTypeName(), texts.Share("plain text document"));
}

TEST(FoundFileTest, TextShareKeepsOneTextPerDistinctTextUpToItsLimit)
{
    FoundFile::TextShare texts;
    const SharedText a = texts.Share("/a");
    const SharedText b = texts.Share("/b");
    EXPECT_EQ(texts.Share("/a"), a); // not the last one: found again
    EXPECT_EQ(texts.Share("/b"), b);
    EXPECT_NE(a, b);
    const std::size_t made = texts.MadeBytes();
    for (std::size_t i = 0; i < FoundFile::TextShare::kMaxTexts + 10; ++i)
        texts.Share("/many/" + std::to_string(i));
    EXPECT_GT(texts.MadeBytes(), made);
    // Beyond the limit a text is made anew each time it comes back after another.
    const SharedText late = texts.Share("/late");
    texts.Share("/a");
    EXPECT_NE(texts.Share("/late"), late);
    EXPECT_EQ(*texts.Share("/late"), "/late");
}

TEST(FoundFileTest, MemoryFootprintAndMadeBytesAreWhatTheAllocatorTakes)
{
    if (!test::HeapBytesKnown())
        GTEST_SKIP() << "the allocator's figures are not glibc's";
    using test::HeapBytes;
    constexpr std::size_t kRecords = 20'000;
    for (const std::size_t nameLength : {std::size_t{1}, std::size_t{15}, std::size_t{16}, std::size_t{200}}) {
        const std::string name(nameLength, 'n');
        std::vector<std::unique_ptr<FoundFile>> records(kRecords);
        const std::uint64_t before = HeapBytes();
        for (auto &record : records) {
            record = std::make_unique<FoundFile>();
            record->SetName(name);
        }
        const double perRecord = static_cast<double>(HeapBytes() - before) / kRecords;
        EXPECT_NEAR(perRecord, static_cast<double>(records.front()->MemoryFootprint()), 1.0) << nameLength;
    }
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < 1000; ++i)
        folders.push_back(i % 2 ? "/short/" + std::to_string(i) : "/a/much/longer/folder/" + std::to_string(i));
    std::vector<SharedText> made;
    made.reserve(folders.size());
    const std::uint64_t before = HeapBytes();
    for (const std::string &folder : folders)
        made.push_back(std::make_shared<const std::string>(folder));
    const std::uint64_t taken = HeapBytes() - before;
    FoundFile::TextShare texts;
    for (const std::string &folder : folders)
        texts.Share(folder);
    // Within a byte or two a text: the heap's own figures move a little with its free lists.
    EXPECT_NEAR(static_cast<double>(texts.MadeBytes()), static_cast<double>(taken), 2.0 * folders.size());
}

TEST(FoundFileTest, RootFolderJoinsWithOneSlash)
{
    FoundFile f;
    f.SetFolder("/");
    f.SetName("etc");
    EXPECT_EQ(f.Path(), "/etc");
}

TEST(FoundFileTest, DecodingTerminatesUnterminatedTexts)
{
    FoundFileBytes bytes;
    bytes.fill('x');
    const FoundFileRecord r = DecodeFoundFile(bytes);
    EXPECT_EQ(std::strlen(r.name), 259u);
    EXPECT_EQ(std::strlen(r.folder), 267u);
    EXPECT_EQ(std::strlen(r.typeName), 79u);
    EXPECT_EQ(std::strlen(r.shortName), 13u);
}

} // namespace
} // namespace sifter
