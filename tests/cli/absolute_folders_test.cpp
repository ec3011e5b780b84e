// SPDX-License-Identifier: GPL-3.0-or-later
// The folders a saved search stores: absolute, whatever the run was given.
#include "cli/absolute_folders.h"

#include "fs/path.h"
#include "search/text_field.h"

#include <gtest/gtest.h>

#include <memory>

namespace sifter {
namespace {

void AddRecord(FileSearch &search, const std::string &name, SharedText folder)
{
    auto record = std::make_unique<FoundFile>();
    record->SetName(name);
    record->SetFolder(std::move(folder));
    search.AppendFoundFile(std::move(record));
}

TEST(AbsoluteFolders, CriteriaAndRecordsGetTheFoldersJoinedToTheCurrentFolder)
{
    FileSearch search;
    SetTextField(search.criteria.folders, ".;t/;/srv/./data");
    AbsoluteFolders folders;
    std::string error;
    ASSERT_TRUE(PrepareAbsoluteFolders(search.criteria, folders, error)) << error;
    const std::string here = CurrentFolder();
    ASSERT_EQ(folders.currentFolder, here);
    EXPECT_EQ(folders.criteriaText, PathAppend(here, "") + ";" + PathAppend(here, "t") + ";/srv/data");

    const SharedText top = std::make_shared<const std::string>(".");
    const SharedText sub = std::make_shared<const std::string>("t/sub");
    AddRecord(search, "a", top);
    AddRecord(search, "b", top);
    AddRecord(search, "c", sub);
    AddRecord(search, "d", std::make_shared<const std::string>("/srv/./data"));
    MakeFoldersAbsolute(folders, search);
    EXPECT_EQ(TextField(search.criteria.folders), folders.criteriaText);
    const FoundFile *a = search.Head();
    EXPECT_EQ(a->Folder(), here);
    EXPECT_EQ(a->next->SharedFolder(), a->SharedFolder()) << "records of one folder share its text";
    EXPECT_EQ(a->next->next->Folder(), PathAppend(here, "t/sub"));
    EXPECT_EQ(search.Tail()->Folder(), "/srv/data");
}

TEST(AbsoluteFolders, AbsoluteFoldersNeedNoCurrentFolder)
{
    FileSearch search;
    SetTextField(search.criteria.folders, "/a;/b/");
    AbsoluteFolders folders;
    std::string error;
    ASSERT_TRUE(PrepareAbsoluteFolders(search.criteria, folders, error)) << error;
    EXPECT_EQ(folders.currentFolder, "");
    EXPECT_EQ(folders.criteriaText, "/a;/b");
}

TEST(AbsoluteFolders, FoldersThatNoLongerFitTheFieldAreRefused)
{
    // 999 bytes as typed; each gains at least a "/" when made absolute.
    std::string typed;
    std::size_t absolute = 0;
    for (int i = 100; i < 300; ++i) {
        const std::string folder = "f" + std::to_string(i);
        typed += (typed.empty() ? "" : ";") + folder;
        absolute += (absolute == 0 ? 0 : 1) + PathAppend(CurrentFolder(), folder).size();
    }
    ASSERT_LT(typed.size(), 1024u);
    FileSearch search;
    SetTextField(search.criteria.folders, typed);
    AbsoluteFolders folders;
    std::string error;
    EXPECT_FALSE(PrepareAbsoluteFolders(search.criteria, folders, error));
    EXPECT_EQ(error, "the folders made absolute are " + std::to_string(absolute) +
                         " bytes long; at most 1023 fit a result file");
}

} // namespace
} // namespace sifter
