// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a result file on the command line: front to back, never seeking back, so that
// one piped into standard input is read too; nothing but the current record is kept, and
// every failure comes with a message naming the file.
#include "search/file_search.h"

#include <functional>
#include <string>

namespace sifter {

enum class LoadOutcome {
    Loaded,        // criteria and every record read, or reading stopped by the record handler
    CannotOpen,    // missing, no access, not a regular file, a terminal on standard input
    NotResultFile, // does not begin with the magic
    Damaged,       // the header is cut short, or records from some point on could not be read
};

// Takes one record the moment it is read; false stops the reading (which is no failure).
using RecordHandler = std::function<bool(const FoundFile &record)>;

// Reads the result file at path: "-" and "/dev/stdin" read standard input as a stream
// (refused when it is a terminal); any other path must be a regular file (a FIFO, device
// or folder is refused at once, unopened). The criteria go into *criteria when given, over
// the values it holds; then each record goes to onRecord and none is kept; without
// onRecord reading ends after the criteria. For every outcome but Loaded, error holds a
// one-line message (without the program name); with Damaged, the records before the
// damage were handed on (none when the header is cut short, with or without onRecord).
// The criteria beyond the record go into *extras when given.
LoadOutcome ReadResultFileReporting(const std::string &path, SearchCriteria *criteria, const RecordHandler &onRecord,
                                    std::string &error, ExtraCriteria *extras = nullptr);

} // namespace sifter
