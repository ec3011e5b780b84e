#include "cli/found_file_printer.h"

#include "cli/found_file_line.h"
#include "search/file_search.h"

#include <cerrno>

namespace sifter {

FoundFilePrinter::FoundFilePrinter(std::FILE *out, bool longFormat, bool nullTerminated, TerminalProgress *progress)
    : out_(out), longFormat_(longFormat), terminator_(nullTerminated ? '\0' : '\n'), progress_(progress)
{
}

bool FoundFilePrinter::Print(const FoundFile &record)
{
    if (writeError_ != 0)
        return false;
    if (progress_)
        progress_->Clear();
    std::string line = FormatFoundFileLine(record, longFormat_);
    line += terminator_;
    errno = 0;
    // Flushed per record, on a terminal and in a pipe alike, so that a reader sees each
    // match the moment it is found.
    if (std::fwrite(line.data(), 1, line.size(), out_) != line.size() || std::fflush(out_) != 0) {
        writeError_ = errno != 0 ? errno : EIO;
        return false;
    }
    ++printed_;
    return true;
}

void PrintingResultsSink::AddResultRow(FoundFile &record)
{
    if (!printer_.Print(record))
        search_.SetRunning(false);
}

} // namespace sifter
