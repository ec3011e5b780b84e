// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing the records of a result file (--list).
#include "cli/cli_options.h"

namespace sifter {

// Prints every record of options.listFile as a search prints its found files. Returns the
// exit status: found, nothing (no records), or trouble (cannot be read, damaged after the
// printed records, output failed), with a message on standard error.
int RunListCommand(const CliOptions &options);

} // namespace sifter
