// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records as a search makes them, for the tests of commands that check a record against the
// entry at its path and the folders its criteria searched.
#include "fs/folder_listing.h"
#include "fs/path.h"
#include "search/file_search.h"
#include "search/text_field.h"

#include <memory>
#include <string>

namespace sifter::test {

// The record of folder/name with the entry's data as it is now (name and folder alone when
// nothing is there).
inline std::unique_ptr<FoundFile> RecordOfEntry(FileSearch &search, const std::string &folder, const std::string &name)
{
    auto record = std::make_unique<FoundFile>();
    EntryData data;
    if (ReadEntryData(PathAppend(folder, name), data)) {
        search.FillFoundFile(*record, std::move(data), folder, 0);
    } else {
        record->SetName(name);
        record->SetFolder(folder);
    }
    return record;
}

// The criteria's "Search in" text: the folders the file commands may act in.
inline void SetSearchedFolders(FileSearch &search, const std::string &folders)
{
    SetTextField(search.criteria.folders, folders);
}

} // namespace sifter::test
