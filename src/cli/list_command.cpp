// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/list_command.h"

#include "cli/error_message.h"
#include "cli/exit_status.h"
#include "cli/found_file_printer.h"
#include "cli/result_file_reading.h"
#include "text/translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sifter {

int RunListCommand(const CliOptions &options)
{
    FoundFilePrinter printer(stdout, options.longFormat, options.nullTerminated);
    std::size_t records = 0;
    std::string error;
    // Each record is printed the moment it is read and then dropped, so a file of any
    // size lists in the same small memory.
    const LoadOutcome outcome = ReadResultFileReporting(
        options.listFile, nullptr,
        [&](const FoundFile &record) {
            ++records;
            return printer.Print(record);
        },
        error);
    if (outcome == LoadOutcome::CannotOpen || outcome == LoadOutcome::NotResultFile) {
        PrintError("--list: " + error);
        return kExitTrouble;
    }
    printer.Flush(); // a failure is kept by the printer and reported below
    int status = records > 0 ? kExitFound : kExitNothing;
    if (printer.WriteError() != 0 && printer.WriteError() != EPIPE) {
        PrintError(CatalogueText("sifter-cli", "standard output: %1").Arg(std::strerror(printer.WriteError())).Text());
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
