// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/absolute_folders.h"

#include "fs/path.h"
#include "search/text_field.h"
#include "text/translation.h"

#include <cstring>

namespace sifter {
namespace {

constexpr char kListSeparator = ';';

} // namespace

bool PrepareAbsoluteFolders(const SearchCriteria &criteria, AbsoluteFolders &out, std::string &error)
{
    const std::vector<std::string> folders = SearchedFolders(criteria);
    out = AbsoluteFolders{};
    for (const std::string &folder : folders) {
        if (folder.empty() || folder.front() == kPathSeparator || !out.currentFolder.empty())
            continue;
        int failure = 0;
        out.currentFolder = CurrentFolder(&failure);
        if (out.currentFolder.empty()) {
            error = CatalogueText("sifter-cli", "cannot tell the current folder, against which '%1' is saved: %2")
                        .Arg(folder)
                        .Arg(std::strerror(failure))
                        .Text();
            return false;
        }
    }
    for (const std::string &folder : folders) {
        if (!out.criteriaText.empty())
            out.criteriaText.push_back(kListSeparator);
        out.criteriaText += PathMadeAbsolute(folder, out.currentFolder);
    }
    if (out.criteriaText.size() >= sizeof criteria.folders) {
        error = CatalogueText("sifter-cli", "the folders made absolute are %1 bytes long; at most %2 fit a result file")
                    .Arg(std::to_string(out.criteriaText.size()))
                    .Arg(std::to_string(sizeof criteria.folders - 1))
                    .Text();
        return false;
    }
    return true;
}

void MakeFoldersAbsolute(const AbsoluteFolders &folders, FileSearch &search)
{
    SetTextField(search.criteria.folders, folders.criteriaText);
    // Records come folder by folder, sharing its text: one conversion per folder.
    FoundFile::TextShare made;
    SharedText lastIn;
    SharedText lastOut;
    for (FoundFile *record = search.Head(); record; record = record->next) {
        if (!lastIn || record->SharedFolder() != lastIn) {
            lastIn = record->SharedFolder();
            lastOut = made.Share(PathMadeAbsolute(record->Folder(), folders.currentFolder));
        }
        record->SetFolder(lastOut);
    }
}

} // namespace sifter
