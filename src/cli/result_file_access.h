#pragma once
// The result file as the command line writes it, with a message naming the problem
// whenever something fails.
#include "search/file_search.h"

#include <string>

namespace sifter {

// Checks before a search that its result file can later be written at path: the path is
// not a folder and a file can be created beside it (a probe file is made and removed).
// False with a message.
bool CheckSaveTarget(const std::string &path, std::string &error);

// Writes the result file of search to path through a temporary file in the same folder,
// flushed to disk and renamed over path, so that path either keeps its old content or
// gets the whole new file. A path that is a symbolic link has its target replaced. False
// with a message; no temporary file is left behind.
bool SaveResultFileAtomically(const FileSearch &search, const std::string &path, std::string &error);

} // namespace sifter
