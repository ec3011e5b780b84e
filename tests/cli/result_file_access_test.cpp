// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/result_file_access.h"
#include "search/file_search.h"
#include "search/text_field.h"
#include "stores/result_file.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::ReadFileContent;
using test::TempTree;

void AddRecord(FileSearch &search, const std::string &folder, const std::string &name, std::uint64_t size)
{
    auto record = std::make_unique<FoundFile>();
    record->SetFolder(folder);
    record->SetName(name);
    record->size = size;
    ASSERT_TRUE(search.AppendFoundFile(std::move(record)));
}

std::vector<std::string> Paths(const FileSearch &search)
{
    std::vector<std::string> paths;
    for (const FoundFile *record = search.Head(); record; record = record->next)
        paths.push_back(record->Path());
    return paths;
}

std::vector<std::string> FolderEntries(const std::string &folder)
{
    std::vector<std::string> names;
    if (DIR *dir = opendir(folder.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ResultFileAccess : public ::testing::Test {
protected:
    ResultFileAccess()
    {
        SetTextField(search.criteria.names, "*.txt");
        AddRecord(search, "/data", "one.txt", 1);
        AddRecord(search, "/" + std::string(300, 'f'), std::string(250, 'n') + ".txt", 2);
    }

    TempTree tree;
    FileSearch search;
};

TEST_F(ResultFileAccess, SavedFileLoadsBackWithLongTextsWhole)
{
    const std::string path = tree.Path("r.sifter");
    std::string error;
    ASSERT_TRUE(SaveResultFileAtomically(search, path, error)) << error;
    FileSearch loaded;
    EXPECT_TRUE(LoadResultFile(loaded, path));
    EXPECT_EQ(Paths(loaded), Paths(search));
    EXPECT_EQ(TextField(loaded.criteria.names), "*.txt");
    EXPECT_EQ(FolderEntries(tree.Root()), std::vector<std::string>{"r.sifter"}) << "no temporary file is left";
}

TEST_F(ResultFileAccess, SaveReplacesAnExistingFileAndKeepsItsMode)
{
    const std::string path = tree.WriteFile("r.sifter", "old content");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(SaveResultFileAtomically(search, path, error)) << error;
    const std::string bytes = ReadFileContent(path);
    EXPECT_EQ(bytes.substr(0, 4), "SF01");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ResultFileAccess, NewFileGetsTheUsualModeNotTheTemporarysOwnerOnlyMode)
{
    const mode_t old = umask(022);
    std::string error;
    const bool saved = SaveResultFileAtomically(search, tree.Path("new.sifter"), error);
    umask(old);
    ASSERT_TRUE(saved) << error;
    struct stat info {};
    ASSERT_EQ(stat(tree.Path("new.sifter").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(ResultFileAccess, SaveThroughALinkReplacesTheLinkedFile)
{
    const std::string target = tree.WriteFile("real/r.sifter", "old");
    const std::string link = tree.Path("link.sifter");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    std::string error;
    ASSERT_TRUE(SaveResultFileAtomically(search, link, error)) << error;
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFileContent(target).substr(0, 4), "SF01");
    EXPECT_EQ(FolderEntries(tree.Path("real")), std::vector<std::string>{"r.sifter"});
}

TEST_F(ResultFileAccess, SaveIntoAMissingFolderFailsWithTheReason)
{
    const std::string path = tree.Path("missing/r.sifter");
    std::string error;
    EXPECT_FALSE(CheckSaveTarget(path, error));
    EXPECT_EQ(error, "'" + path + "': No such file or directory");
    error.clear();
    EXPECT_FALSE(SaveResultFileAtomically(search, path, error));
    EXPECT_EQ(error, "'" + path + "': No such file or directory");
}

TEST_F(ResultFileAccess, SaveOverAFolderIsRefusedAndTheFolderStays)
{
    const std::string folder = tree.MakeFolder("results");
    tree.WriteFile("results/inside", "x");
    std::string error;
    EXPECT_FALSE(CheckSaveTarget(folder, error));
    EXPECT_EQ(error, "'" + folder + "': Is a directory");
    EXPECT_FALSE(SaveResultFileAtomically(search, folder, error));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"inside"});
    EXPECT_EQ(FolderEntries(tree.Root()), std::vector<std::string>{"results"}) << "no temporary file is left";
}

TEST_F(ResultFileAccess, CheckSaveTargetLeavesNothingBehind)
{
    std::string error;
    EXPECT_TRUE(CheckSaveTarget(tree.Path("r.sifter"), error)) << error;
    EXPECT_TRUE(FolderEntries(tree.Root()).empty());
}

} // namespace
} // namespace sifter
