// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search of sifter-cli.
#include "cli/cli_options.h"

namespace sifter {

// Builds the criteria (defaults or --criteria file, then the options), runs the search,
// prints each found file as it is found, shows the folder being searched on a terminal's
// standard error, and saves the result file with --save (also after Ctrl-C). Returns the
// exit status (exit_status.h); problems are reported on standard error. Paths are printed
// with their folders as given; the result file stores them absolute (absolute_folders.h).
int RunSearchCommand(const CliOptions &options);

} // namespace sifter
