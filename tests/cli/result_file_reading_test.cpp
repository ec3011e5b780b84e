// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/result_file_reading.h"
#include "search/file_search.h"
#include "search/text_field.h"
#include "stores/result_file.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace sifter {
namespace {

using test::ReadFileContent;
using test::TempTree;

class ResultFileReading : public ::testing::Test {
protected:
    // A saved search for "*.txt" with three records; the path of its file.
    std::string Saved()
    {
        FileSearch search;
        SetTextField(search.criteria.names, "*.txt");
        for (const char *name : {"one.txt", "two.txt", "three.txt"}) {
            auto record = std::make_unique<FoundFile>();
            record->SetFolder("/data");
            record->SetName(name);
            search.AppendFoundFile(std::move(record));
        }
        const std::string path = tree.Path("r.sifter");
        EXPECT_TRUE(SaveResultFile(search, path));
        return path;
    }

    // Reads path, collecting the paths of the records handed on.
    LoadOutcome Read(const std::string &path, SearchCriteria *criteria)
    {
        handed.clear();
        return ReadResultFileReporting(
            path, criteria,
            [&](const FoundFile &record) {
                handed.push_back(record.Path());
                return true;
            },
            error);
    }

    TempTree tree;
    std::vector<std::string> handed;
    std::string error;
};

TEST_F(ResultFileReading, WhatCannotBeOpenedIsNamedWithTheReason)
{
    ASSERT_EQ(mkfifo(tree.Path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(Read(tree.Path("none.sifter"), nullptr), LoadOutcome::CannotOpen);
    EXPECT_EQ(error, "'" + tree.Path("none.sifter") + "': No such file or directory");
    for (const std::string &path : {tree.Root(), tree.Path("pipe"), std::string("/dev/null")}) {
        EXPECT_EQ(Read(path, nullptr), LoadOutcome::CannotOpen) << path;
        EXPECT_EQ(error, "'" + path + "': not a regular file");
    }
}

TEST_F(ResultFileReading, FilesWithoutTheMagicAreNotResultFiles)
{
    for (const std::string &content : {std::string(), std::string("SF0"), std::string("SF01X"),
                                       std::string("sf01") + '\0', std::string(3000, '\0')}) {
        const std::string path = tree.WriteFile("bad.sifter", content);
        EXPECT_EQ(Read(path, nullptr), LoadOutcome::NotResultFile) << content.size();
        EXPECT_EQ(error, "'" + path + "': not a Sifter result file");
        EXPECT_TRUE(handed.empty());
    }
}

TEST_F(ResultFileReading, RecordsAreHandedOnInOrderUpToTheDamage)
{
    SearchCriteria criteria{};
    EXPECT_EQ(Read(Saved(), &criteria), LoadOutcome::Loaded) << error;
    EXPECT_EQ(handed, (std::vector<std::string>{"/data/one.txt", "/data/two.txt", "/data/three.txt"}));
    EXPECT_EQ(TextField(criteria.names), "*.txt");

    // Cut inside the second record.
    const std::string cut = tree.WriteFile("cut.sifter", ReadFileContent(Saved()).substr(0, kResultHeaderSize + 4 + kStoredRecordLength + 10));
    EXPECT_EQ(Read(cut, nullptr), LoadOutcome::Damaged);
    EXPECT_EQ(handed, std::vector<std::string>{"/data/one.txt"});
    EXPECT_EQ(error, "'" + tree.Path("cut.sifter") + "': damaged or cut short after 1 records");
}

} // namespace
} // namespace sifter
