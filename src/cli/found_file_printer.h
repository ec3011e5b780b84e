// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing found files to a stream, one record at a time, flushed at least every 10 ms
// (Flush from the run's pump) so that the records stream through a pipe while a search
// goes on, without one write per record.
#include "cli/cli_options.h"
#include "cli/match_line_text.h"
#include "cli/terminal_progress.h"
#include "search/content_matcher.h"
#include "search/found_file.h"
#include "search/search_sinks.h"
#include "text/file_time.h"

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace sifter {

class FileSearch;

class FoundFilePrinter {
public:
    // Prints to out (owned by the caller); progress, when given, is cleared before each
    // record so that the two never share a terminal line. When out is a terminal, paths
    // are printed as TerminalSafeText; into a pipe or file, and with nullTerminated for
    // parsing, their bytes are printed as they are.
    FoundFilePrinter(std::FILE *out, bool longFormat, bool nullTerminated, TerminalProgress *progress = nullptr);

    // From now on each record is followed by the lines where matcher (owned by the caller,
    // kept alive while printing) finds its words, with context lines around them; colour
    // as CliOptions::color says, Auto meaning when printing to a terminal.
    void ShowMatchLines(const ContentMatcher *matcher, std::size_t context, ColorChoice color);

    // Prints one record, flushing the stream when the last flush is 10 ms old (so the
    // first record goes out at once); false (and nothing more printed afterwards) once a
    // write failed.
    bool Print(const FoundFile &record);
    // Flushes what was printed since the last flush; false once a write failed.
    bool Flush();
    std::size_t Printed() const { return printed_; }
    // errno of the failed write, 0 while every write succeeded.
    int WriteError() const { return writeError_; }

private:
    std::FILE *out_;
    bool longFormat_;
    char terminator_;
    bool forTerminal_;
    TerminalProgress *progress_;
    LocalTimeZone zone_; // of the whole list: a run's lines do not change zone midway
    const ContentMatcher *matcher_ = nullptr;
    MatchLinesOptions lineOptions_;
    MatchLineStyle lineStyle_;
    std::size_t printed_ = 0;
    int writeError_ = 0;
    bool unflushed_ = false;
    std::chrono::steady_clock::time_point lastFlush_{};
};

// The results sink of a search on the command line: prints each match as it is found and
// stops the run when the output cannot take more (a closed pipe, a full disk).
class PrintingResultsSink final : public ResultsSink {
public:
    PrintingResultsSink(FoundFilePrinter &printer, FileSearch &search) : printer_(printer), search_(search) {}
    void ClearResultRows() override {}
    void AddResultRow(FoundFile &record) override;

private:
    FoundFilePrinter &printer_;
    FileSearch &search_;
};

} // namespace sifter
