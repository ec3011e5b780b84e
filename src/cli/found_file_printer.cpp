// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/found_file_printer.h"

#include "cli/found_file_line.h"
#include "search/file_search.h"

#include <cerrno>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::chrono::milliseconds kFlushInterval{10};
// Lines longer than this are printed around their first match, cut, so that one huge
// line cannot fill the memory of a file's thousand match lines.
constexpr std::size_t kPrintedLineBytes = 8 * 1024;

} // namespace

FoundFilePrinter::FoundFilePrinter(std::FILE *out, bool longFormat, bool nullTerminated, TerminalProgress *progress)
    : out_(out), longFormat_(longFormat), terminator_(nullTerminated ? '\0' : '\n'),
      forTerminal_(!nullTerminated && isatty(fileno(out)) == 1), progress_(progress)
{
}

void FoundFilePrinter::ShowMatchLines(const ContentMatcher *matcher, std::size_t context, ColorChoice color)
{
    matcher_ = matcher;
    lineOptions_.context = context;
    lineOptions_.lineBytes = kPrintedLineBytes;
    lineStyle_.forTerminal = forTerminal_;
    lineStyle_.color = color == ColorChoice::Always || (color == ColorChoice::Auto && forTerminal_);
}

bool FoundFilePrinter::Print(const FoundFile &record)
{
    if (writeError_ != 0)
        return false;
    if (progress_)
        progress_->Clear();
    std::string line = FormatFoundFileLine(record, longFormat_, forTerminal_, zone_);
    line += terminator_;
    if (matcher_) {
        FileReader file;
        FileMatches matches;
        // A file gone or unreadable since its test shows its path alone, as grep shows nothing.
        if (file.Open(record.Path()) && FindMatchLines(file, *matcher_, record.matchOffset, lineOptions_, matches))
            line += FormatMatchLines(matches, lineStyle_);
    }
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), out_) != line.size()) {
        writeError_ = errno != 0 ? errno : EIO;
        return false;
    }
    unflushed_ = true;
    // On a terminal and in a pipe alike a reader sees a match within 10 ms of its finding:
    // here when matches come fast, else from the run's pump.
    if (std::chrono::steady_clock::now() - lastFlush_ >= kFlushInterval && !Flush())
        return false;
    ++printed_;
    return true;
}

bool FoundFilePrinter::Flush()
{
    if (writeError_ != 0)
        return false;
    if (!unflushed_)
        return true;
    errno = 0;
    if (std::fflush(out_) != 0) {
        writeError_ = errno != 0 ? errno : EIO;
        return false;
    }
    unflushed_ = false;
    lastFlush_ = std::chrono::steady_clock::now();
    return true;
}

void PrintingResultsSink::AddResultRow(FoundFile &record)
{
    if (!printer_.Print(record))
        search_.SetRunning(false);
}

} // namespace sifter
