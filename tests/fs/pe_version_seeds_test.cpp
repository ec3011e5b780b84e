// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz seeds of the PE version reader: a PE32 and a PE32+ file with a version
// resource, one without, and cut copies. With SIFTER_WRITE_FUZZ_SEEDS=1 in the
// environment the test writes them afresh first.
#include "fs/pe_version.h"

#include "support/pe_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sifter {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kSeedFolder = fs::path(SIFTER_SOURCE_DIR) / "fuzz/corpus/pe_version";

void WriteSeed(const Bytes &bytes, const std::string &name)
{
    std::ofstream out(kSeedFolder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
}

void WriteSeeds()
{
    fs::create_directories(kSeedFolder);
    test::PeImageLayout layout;
    const Bytes pe32 = test::BuildPeImage({}, &layout);
    WriteSeed(pe32, "pe32.exe");
    test::PeImageOptions plus;
    plus.pe32Plus = true;
    plus.translations = {0x04E40407, 0x04B00409};
    WriteSeed(test::BuildPeImage(plus), "pe32plus.dll");
    test::PeImageOptions manifest;
    manifest.resourceType = 24;
    WriteSeed(test::BuildPeImage(manifest), "no_version.exe");
    WriteSeed(Bytes(pe32.begin(), pe32.begin() + static_cast<long>(layout.resourceSection + 0x50)), "cut_in_directory.exe");
    WriteSeed(Bytes(pe32.begin(), pe32.end() - 8), "cut_in_version.exe");
}

TEST(PeVersionSeedsTest, WholeSeedsGiveTheirStringsAndCutOnesNothing)
{
    if (std::getenv("SIFTER_WRITE_FUZZ_SEEDS"))
        WriteSeeds();
    ASSERT_TRUE(fs::is_directory(kSeedFolder)) << kSeedFolder;
    int withStrings = 0;
    int seeds = 0;
    for (const auto &entry : fs::directory_iterator(kSeedFolder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        PeVersionStrings strings;
        const bool read = ReadPeVersionStrings(bytes, strings);
        const bool whole = entry.path().stem().string().rfind("pe32", 0) == 0;
        EXPECT_EQ(read, whole) << entry.path();
        if (read && strings.description == "Sample Tool")
            ++withStrings;
        ++seeds;
    }
    EXPECT_EQ(withStrings, 2);
    EXPECT_EQ(seeds, 5);
}

} // namespace
} // namespace sifter
