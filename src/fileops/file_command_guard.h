// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A result file is outside input: a record may name something other than the file its row
// shows ("../../etc/passwd" as a name, a relative folder, "/etc" in a search of the home
// folder). Such a row stays listed, but no file command acts on it; the commands take their
// records through this guard, with the folders the document's criteria searched.
#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace sifter {

struct FoundFile;

// Why a record's path may not name the file its row lists.
enum class RecordFault {
    kNone,
    kEmptyName,          // the path would be the folder itself
    kNameWithSeparator,  // the name holds "/": the path leaves the folder
    kDotName,            // "." or "..": the folder itself or its parent
    kRelativeFolder,     // the folder does not start at "/"
    kDotInFolder,        // the folder has a "." or ".." component
    kOutsideSearch,      // the folder is none of the searched folders nor below one
};

// kNone when the name is one plain component.
RecordFault FileNameFault(std::string_view name);
// kNone when folder + "/" + name names an entry directly inside an absolute folder that is
// one of searchedFolders (as SearchedFolders gives them) or lies below one, compared by text.
RecordFault FileCommandFault(const FoundFile &record, const std::vector<std::string> &searchedFolders);

// A row a command left out, and why.
struct SkippedRow {
    int row = -1;
    const FoundFile *record = nullptr;
    RecordFault fault = RecordFault::kNone;
};

// The records of the rows (in the order given) that commands may act on; the others go to
// skipped. Rows without a record are left out silently.
std::vector<FoundFile *> RecordsFileCommandsMayUse(const std::vector<std::pair<int, FoundFile *>> &rows,
                                                   const std::vector<std::string> &searchedFolders,
                                                   std::vector<SkippedRow> &skipped);

// One message naming each skipped row (numbered from 1, as the user counts), its name and
// the reason; empty when none was skipped.
QString SkippedRowsMessage(const std::vector<SkippedRow> &skipped);

} // namespace sifter
