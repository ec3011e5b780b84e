// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/error_message.h"

#include "cli/exit_status.h"

#include <cstdio>
#include <string>

namespace sifter {

void PrintError(std::string_view message)
{
    const std::string line = std::string(kProgramName) + ": " + std::string(message) + "\n";
    // Standard error is unbuffered; if it cannot take the message there is nowhere else to say it.
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace sifter
