// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results list as the file commands see it: its selected rows, the folders inside which
// alone the commands act, and the rows to drop once their files are gone. The results list
// implements it, so the commands need not know the list's widgets.
#include "fileops/selection_data.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sifter {

class CSifterDoc;
struct FoundFile;

class ResultRows {
public:
    virtual ~ResultRows() = default;

    virtual CSifterDoc &GetDocument() const = 0;
    // The selected rows in ascending order, each with its record (null for none).
    virtual std::vector<std::pair<int, FoundFile *>> SelectedRows() const = 0;
    // The folders the document's criteria searched (SearchedFolders), inside which alone file
    // commands act (file_command_guard.h).
    virtual std::vector<std::string> SearchedFolders() const = 0;
    // After a file operation: the selected rows whose files no longer exist go (one pass,
    // rows before records) and their records are freed; the document is marked modified when
    // rows went. Other rows, selected rows whose files remain, and rows that file commands
    // leave alone (file_command_guard.h) are untouched. Returns the number of rows removed.
    virtual int RemoveVanishedRows() = 0;
    // The usable selected rows' files, in ascending row order, as one data object for the
    // transfer (the caller owns it); null when no selected row has a usable record. The rows
    // the file-command guard leaves out are named through the prompts.
    virtual std::unique_ptr<SelectionDataSource> BuildSelectionDataSource(SelectionTransfer transfer) const = 0;
};

} // namespace sifter
