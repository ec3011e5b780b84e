// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reading half of FindMatchLines: one sequential pass from a start offset that finds
// every occurrence of the forms and the lines (with their context) that hold them, keeping
// only offsets. The text is read afterwards, line by line, for what is shown.
#include "fs/file_reader.h"
#include "search/content_matcher.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sifter {

struct FormOccurrence {
    std::int64_t offset = 0;
    std::size_t length = 0;
    ContentForm form = ContentForm::Typed;
};

// A line [start, end) of the file; occurrences are those of the typed and UTF-8 forms
// that begin in it, the first of them and those within lineBytes after it.
struct LineSpan {
    std::int64_t number = 0; // 0: not counted
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool startKnown = true;  // false: the scan began inside this line
    bool gapBefore = false;
    std::vector<FormOccurrence> occurrences; // empty: a context line
};

struct MatchScan {
    std::vector<LineSpan> spans;            // match lines and their context, in file order
    std::vector<FormOccurrence> byteForms;  // the first occurrences of typed and UTF-8 forms
    std::vector<FormOccurrence> wideForms;  // the first occurrences of UTF-16 forms
    std::int64_t matchCount = 0;
    std::int64_t moreLines = 0; // match lines past maxLines
    std::int64_t moreBytes = 0; // typed and UTF-8 occurrences past maxLines
    std::int64_t moreWide = 0;  // UTF-16 occurrences past maxLines
    bool complete = false;
};

struct MatchScanPlan {
    std::int64_t start = 0;
    bool numbered = true; // start is the file's start
    std::size_t context = 1;
    std::size_t maxLines = 1000;
    std::size_t lineBytes = 1024;
};

// Scans file from plan.start for forms, reading at most kMatchScanBytes; false when
// keepGoing says stop, the file is not open or cannot be positioned.
bool ScanForMatches(FileReader &file, const std::vector<ContentFormBytes> &forms, const MatchScanPlan &plan,
                    MatchScan &out, const std::function<bool()> &keepGoing);

} // namespace sifter
