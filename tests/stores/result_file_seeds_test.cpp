// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz seeds of the result-file reader are valid result files. With
// SIFTER_WRITE_FUZZ_SEEDS=1 in the environment the test writes them afresh first.
#include "search/text_field.h"
#include "stores/byte_stream.h"
#include "stores/result_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sifter {
namespace {

namespace fs = std::filesystem;

const fs::path kSeedFolder = fs::path(SIFTER_SOURCE_DIR) / "fuzz/corpus/result_file";

void AddRecord(FileSearch &search, const std::string &name, const std::string &folder, std::uint64_t size)
{
    auto record = std::make_unique<FoundFile>();
    record->SetName(name);
    record->SetFolder(folder);
    record->size = size;
    record->SetTypeName("plain text document");
    record->lastWriteTime = 133'500'000'000'000'000ULL;
    record->creationTime = 133'400'000'000'000'000ULL;
    record->lastAccessTime = 133'600'000'000'000'000ULL;
    record->attributes = 0x80;
    record->matchOffset = 17;
    search.AppendFoundFile(std::move(record));
}

void WriteSeed(const FileSearch &search, const std::string &name)
{
    MemorySink sink;
    ASSERT_TRUE(SaveResults(search, sink));
    std::ofstream out(kSeedFolder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(sink.Bytes().data()), static_cast<std::streamsize>(sink.Bytes().size()));
    ASSERT_TRUE(out.good());
}

void WriteSeeds()
{
    fs::create_directories(kSeedFolder);
    const SystemTime when{2026, 12, 1, 7, 14, 5, 0, 0};

    FileSearch empty;
    ResetCriteria(empty.criteria, when);
    WriteSeed(empty, "empty.sifter");

    FileSearch two;
    ResetCriteria(two.criteria, when);
    SetTextField(two.criteria.names, "*.txt;report");
    SetTextField(two.criteria.words, "needle thread");
    SetTextField(two.criteria.folders, "/home/user;/srv");
    two.criteria.wordMode = kWordModeAll;
    AddRecord(two, "a.txt", "/home/user", 120);
    AddRecord(two, "\xC3\xA4rger report.md", "/srv/docs", 5120);
    WriteSeed(two, "two_records.sifter");

    FileSearch longFolder;
    ResetCriteria(longFolder.criteria, when);
    SetTextField(longFolder.criteria.folders, "/data");
    AddRecord(longFolder, "deep.txt", "/data/" + std::string(150, 'x') + "/" + std::string(150, 'y'), 1);
    WriteSeed(longFolder, "long_folder.sifter");

    FileSearch extras;
    ResetCriteria(extras.criteria, when);
    SetTextField(extras.criteria.names, "^rep.*\\.md$");
    SetTextField(extras.criteria.folders, "/srv");
    extras.criteria.dateKind = kDateKindModified;
    extras.criteria.dateCompare1 = kCompareAtLeast;
    extras.extras.excludes = "/srv/cache;*.bak";
    extras.extras.regexNames = true;
    extras.extras.date1 = {kRelativeDays, 7};
    AddRecord(extras, "report.md", "/srv/docs", 5120);
    WriteSeed(extras, "extra_criteria.sifter");
}

TEST(ResultFileSeedsTest, EverySeedLoadsCompletely)
{
    if (std::getenv("SIFTER_WRITE_FUZZ_SEEDS"))
        WriteSeeds();
    ASSERT_TRUE(fs::is_directory(kSeedFolder)) << kSeedFolder;
    int seeds = 0;
    for (const auto &entry : fs::directory_iterator(kSeedFolder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        MemorySource source(bytes.data(), bytes.size());
        FileSearch search;
        EXPECT_TRUE(LoadResults(search, source)) << entry.path();
        MemorySink again;
        ASSERT_TRUE(SaveResults(search, again));
        EXPECT_EQ(again.Bytes(), bytes) << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 3);
}

} // namespace
} // namespace sifter
