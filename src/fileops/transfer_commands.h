// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copy to Folder and Move To Folder on the results list's selected files.
#include "transfer/file_transfer.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace sifter {

class Application;
class ResultRows;

// The work of copying or moving entries into a folder, as TransferEntries does it; tests hand
// in their own.
using FileTransfer = std::function<TransferOutcome(const std::vector<std::string> &sources,
                                                   const std::string &folder, TransferKind kind, TransferSink &sink)>;

// TransferEntries with its default options.
TransferOutcome TransferWithDefaults(const std::vector<std::string> &sources, const std::string &folder,
                                     TransferKind kind, TransferSink &sink);

// Copies or moves the usable selected files (rows left out are named, as for every file
// command) into folder through transfer, with a progress window over owner that can cancel
// and the user's answers to name conflicts (a move takes an entry that is no longer what its
// row describes only after a question); the failures are named in one error, a cancel
// says nothing more. Then the selected rows whose files are gone leave the list. The document
// is busy meanwhile, so a close of the window waits for the end. False when no usable row was
// selected.
bool CopyOrMoveSelection(ResultRows &list, Application &app, const std::string &folder, TransferKind kind,
                         const FileTransfer &transfer, QWidget *owner);

} // namespace sifter
