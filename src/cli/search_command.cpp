// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/search_command.h"

#include "cli/absolute_folders.h"
#include "cli/criteria_options.h"
#include "cli/error_message.h"
#include "cli/exit_status.h"
#include "cli/found_file_printer.h"
#include "cli/interrupt_signals.h"
#include "cli/own_output.h"
#include "cli/result_file_access.h"
#include "cli/result_file_reading.h"
#include "cli/terminal_progress.h"
#include "search/content_words.h"
#include "search/file_search.h"
#include "text/translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace sifter {
namespace {

// The criteria the search runs with, and for --save the folders it stores; false
// (message printed) when they cannot be had.
bool PrepareCriteria(const CliOptions &options, FileSearch &search, AbsoluteFolders &saved)
{
    std::string error;
    if (!options.criteriaFile.empty()) {
        // Only the criteria are read; the records after them are never looked at.
        if (ReadResultFileReporting(options.criteriaFile, &search.criteria, nullptr, error, &search.extras) !=
            LoadOutcome::Loaded) {
            PrintError("--criteria: " + error);
            return false;
        }
    }
    ApplyCriteriaOptions(options.criteria, search.criteria, CurrentLocalTime());
    ApplyExtraCriteriaOptions(options.criteria, search.extras);
    if (!ValidateCriteria(search.criteria, error) || !ValidateExtraCriteria(search.criteria, search.extras, error)) {
        PrintError(error);
        return false;
    }
    if (!options.saveFile.empty() &&
        (!CheckSaveTarget(options.saveFile, error) || !PrepareAbsoluteFolders(search.criteria, saved, error))) {
        PrintError("--save: " + error);
        return false;
    }
    return true;
}

// The run's pump: hands on what was printed, then notices Ctrl-C.
class CommandLinePump final : public EventPump {
public:
    CommandLinePump(FoundFilePrinter &printer, FileSearch &search) : printer_(printer), interrupt_(search) {}
    void DispatchPendingEvents() override
    {
        printer_.Flush(); // a failure is kept by the printer and reported after the run
        interrupt_.DispatchPendingEvents();
    }

private:
    FoundFilePrinter &printer_;
    InterruptPump interrupt_;
};

} // namespace

int RunSearchCommand(const CliOptions &options)
{
    FileSearch search;
    search.SetWorkerThreads(options.threads);
    // Only the result file stores type names; the printed lines never show one.
    search.SetTypeNamesWanted(!options.saveFile.empty());
    // Sizes, times and attributes only --long prints and the result file stores.
    search.SetEntryDataWanted(options.longFormat || !options.saveFile.empty());
    AbsoluteFolders savedFolders;
    if (!PrepareCriteria(options, search, savedFolders))
        return kExitTrouble;
    // The match lines mark literal words; an expression's matches have no lines to show yet.
    if (options.showLines && search.extras.regexWords) {
        PrintError(CatalogueText("sifter-cli", "--show-lines cannot show the lines of a word expression (--regex-words)").Text());
        return kExitTrouble;
    }
    const std::vector<OwnOutputFile> ownOutput = OwnOutputFiles(options.saveFile);
    search.SetExcludedFiles(OwnOutputIdentities(ownOutput));
    if (!InstallInterruptHandlers())
        PrintError(CatalogueText("sifter-cli", "cannot catch Ctrl-C; it will end the search without saving").Text());

    TerminalProgress progress(STDERR_FILENO);
    FoundFilePrinter printer(stdout, options.longFormat, options.nullTerminated, &progress);
    // The search's own words, so the lines show what the content test found.
    std::unique_ptr<ContentMatcher> lineMatcher;
    if (options.showLines && search.criteria.wordMode != kWordModeWithout)
        lineMatcher = MatcherForCriteria(search.criteria);
    if (lineMatcher)
        printer.ShowMatchLines(lineMatcher.get(), *options.showLines, options.color);
    PrintingResultsSink results(printer, search);
    CommandLinePump pump(printer, search);
    search.SetRunning(true);
    // They print and flush, and watch for Ctrl-C: nothing the walk has listed changes by them.
    search.RunSearch(SearchSinks{.results = &results,
                                 .status = &progress,
                                 .pump = &pump,
                                 .rowsMayChangeFiles = false,
                                 .eventsMayChangeFiles = false});
    search.SetRunning(false);
    printer.Flush(); // a failure is kept by the printer and reported below
    progress.Clear();
    ReportOwnOutputLeftOut(ownOutput, search.ExcludedFilesMet());

    int status = search.Head() ? kExitFound : kExitNothing;
    // A reader that went away (head, a closed pager) is not a failure of the search.
    if (printer.WriteError() != 0 && printer.WriteError() != EPIPE) {
        PrintError(CatalogueText("sifter-cli", "standard output: %1").Arg(std::strerror(printer.WriteError())).Text());
        status = kExitTrouble;
    }
    std::string error;
    if (!options.saveFile.empty()) {
        // Printed as given; saved as the window needs them.
        MakeFoldersAbsolute(savedFolders, search);
        if (!SaveResultFileAtomically(search, options.saveFile, error)) {
            PrintError("--save: " + error);
            status = kExitTrouble;
        }
    }
    if (InterruptSignal() != 0 && status != kExitTrouble)
        status = kExitSignalBase + InterruptSignal();
    return status;
}

} // namespace sifter
