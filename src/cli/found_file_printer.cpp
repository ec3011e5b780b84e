#include "cli/found_file_printer.h"

#include "cli/found_file_line.h"
#include "search/file_search.h"

#include <cerrno>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::chrono::milliseconds kFlushInterval{10};

} // namespace

FoundFilePrinter::FoundFilePrinter(std::FILE *out, bool longFormat, bool nullTerminated, TerminalProgress *progress)
    : out_(out), longFormat_(longFormat), terminator_(nullTerminated ? '\0' : '\n'),
      forTerminal_(!nullTerminated && isatty(fileno(out)) == 1), progress_(progress)
{
}

bool FoundFilePrinter::Print(const FoundFile &record)
{
    if (writeError_ != 0)
        return false;
    if (progress_)
        progress_->Clear();
    std::string line = FormatFoundFileLine(record, longFormat_, forTerminal_);
    line += terminator_;
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
