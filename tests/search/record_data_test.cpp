// SPDX-License-Identifier: GPL-3.0-or-later
// Records without their entry's data, for a caller that neither shows nor stores it: the
// same files in the same order as with it, on one thread and with workers, and the tests
// that need an entry's data still read it.
#include "search/file_search.h"
#include "search/search_criteria.h"
#include "support/temp_tree.h"
#include "run_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sifter {
namespace {

using test::TempTree;

class RecordDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int folder = 0; folder < 6; ++folder) {
            for (int file = 0; file < 5; ++file) {
                const std::string name = "f" + std::to_string(folder) + "/sub/n" + std::to_string(file);
                // Sizes 1..9 bytes, every second file holding the word.
                tree.WriteFile(name + ".txt", std::string(1 + (folder + file) % 9, file % 2 ? 'x' : 'w'));
                tree.WriteFile(name + ".bin", "needle " + std::to_string(file));
            }
        }
    }

    // The paths found, and whether any record holds a size or a time.
    std::vector<std::string> Found(std::size_t threads, bool dataWanted, bool &anyData)
    {
        search.SetEntryDataWanted(dataWanted);
        test::SetThreadsListingAsCold(search, threads);
        test::RecordingSinks sinks;
        test::Run(search, sinks);
        anyData = false;
        for (const FoundFile *record = search.Head(); record; record = record->next)
            anyData = anyData || record->size != 0 || record->lastWriteTime != 0 || record->attributes != 0;
        EXPECT_EQ(sinks.rows.size(), search.CountFoundFiles());
        return test::FoundPaths(search, tree.Root());
    }

    TempTree tree;
    FileSearch search;
};

TEST_F(RecordDataTest, WithoutDataTheSameFilesAreFoundInTheSameOrder)
{
    const struct {
        const char *names;
        const char *words;
    } questions[] = {{"*.txt", ""}, {"", ""}, {"", "needle"}, {"n1;*.bin", ""}};
    for (const auto &question : questions) {
        for (std::size_t threads : {1u, 4u}) {
            SCOPED_TRACE(std::string(question.names) + " / " + question.words + " / " + std::to_string(threads));
            test::SetTexts(search, question.names, question.words, tree.Root());
            bool withData = false;
            bool withoutData = true;
            const std::vector<std::string> reference = Found(threads, true, withData);
            const std::vector<std::string> paths = Found(threads, false, withoutData);
            ASSERT_FALSE(reference.empty());
            EXPECT_EQ(paths, reference);
            EXPECT_TRUE(withData);
            EXPECT_FALSE(withoutData); // nothing examined that no one asked for
        }
    }
}

TEST_F(RecordDataTest, WithoutDataASizeTestStillReadsTheSizes)
{
    for (std::size_t threads : {1u, 4u}) {
        SCOPED_TRACE(threads);
        test::SetTexts(search, "*.txt", "", tree.Root());
        search.criteria.sizeUnit = kSizeUnitBytes;
        search.criteria.sizeCompare1 = kCompareAtLeast;
        search.criteria.sizeValue1 = 7;
        bool anyData = false;
        const std::vector<std::string> reference = Found(threads, true, anyData);
        const std::vector<std::string> paths = Found(threads, false, anyData);
        // (f, n) with (f + n) % 9 >= 6: 9 of the 30 files.
        EXPECT_EQ(reference.size(), 9u);
        EXPECT_EQ(paths, reference);
    }
}

} // namespace
} // namespace sifter
