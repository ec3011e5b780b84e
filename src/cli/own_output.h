// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files a search on the command line writes, which its search must leave out: grep
// refuses its own output file for the same reason; reading what is being written gives
// results that depend on timing, and lists the output among the files found.
#include "fs/file_identity.h"

#include <string>
#include <vector>

namespace sifter {

struct OwnOutputFile {
    FileIdentity identity;
    std::string saveFile; // the --save target; empty for standard output
};

// Standard output when it is a regular file, and the --save target (saveFile, empty for
// none) when it is one already; the same file once. Its temporary needs no entry: the
// check before the search removes it again, and the save makes it only after the search.
std::vector<OwnOutputFile> OwnOutputFiles(const std::string &saveFile);

// The identities, as FileSearch::SetExcludedFiles takes them.
std::vector<FileIdentity> OwnOutputIdentities(const std::vector<OwnOutputFile> &files);

// Says on standard error, one line each, which of them the search left out (met).
void ReportOwnOutputLeftOut(const std::vector<OwnOutputFile> &files, const std::vector<FileIdentity> &met);

} // namespace sifter
