#include "cli/list_command.h"

#include "cli/error_message.h"
#include "cli/exit_status.h"
#include "cli/found_file_printer.h"
#include "cli/result_file_access.h"
#include "search/file_search.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sifter {

int RunListCommand(const CliOptions &options)
{
    FileSearch search;
    std::string error;
    const LoadOutcome outcome = LoadResultFileReporting(search, options.listFile, error);
    if (outcome == LoadOutcome::CannotOpen || outcome == LoadOutcome::NotResultFile) {
        PrintError("--list: " + error);
        return kExitTrouble;
    }
    FoundFilePrinter printer(stdout, options.longFormat, options.nullTerminated);
    for (const FoundFile *record = search.Head(); record && printer.Print(*record); record = record->next) {
    }
    int status = search.CountFoundFiles() > 0 ? kExitFound : kExitNothing;
    if (printer.WriteError() != 0 && printer.WriteError() != EPIPE) {
        PrintError(std::string("standard output: ") + std::strerror(printer.WriteError()));
        status = kExitTrouble;
    }
    // The records before the damage are worth printing; the status still says it was damaged.
    if (outcome == LoadOutcome::Damaged) {
        PrintError("--list: " + error);
        status = kExitTrouble;
    }
    return status;
}

} // namespace sifter
