// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folders a saved search stores: absolute, so that the window, whose current folder is
// not the command line's, finds the files and acts on their rows. The run itself and what
// it prints keep the folders as they were given.
#include "search/file_search.h"

#include <string>

namespace sifter {

// The current folder at the start of a search and the criteria's folders text made
// absolute against it.
struct AbsoluteFolders {
    std::string currentFolder; // empty when every folder was absolute already
    std::string criteriaText;  // the searched folders (SearchedFolders), absolute, joined with ";"
};

// Prepares the absolute folders of criteria before their search starts (PathMadeAbsolute).
// False with a one-line message when the current folder cannot be told while a folder is
// relative, or when the text no longer fits the criteria's folders field.
bool PrepareAbsoluteFolders(const SearchCriteria &criteria, AbsoluteFolders &out, std::string &error);

// After the run: the criteria's folders text and every record's folder made absolute as
// prepared. Records that shared a folder text still share one.
void MakeFoldersAbsolute(const AbsoluteFolders &folders, FileSearch &search);

} // namespace sifter
