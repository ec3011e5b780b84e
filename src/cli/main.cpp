// SPDX-License-Identifier: GPL-3.0-or-later
// sifter-cli: the search engine of Sifter on the command line.
#include "cli/cli_options.h"
#include "cli/error_message.h"
#include "cli/exit_status.h"
#include "cli/list_command.h"
#include "cli/search_command.h"
#include "cli/usage_text.h"
#include "text/program_notice.h"
#include "text/translation.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    using namespace sifter;
    // Texts are in the locale's charset; name matching and the progress line depend on it.
    std::setlocale(LC_ALL, "");
    // A closed output pipe is noticed as a write error, so that the run can still save.
    std::signal(SIGPIPE, SIG_IGN);

    CliOptions options;
    std::string error;
    if (!ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        PrintError(error);
        return kExitTrouble;
    }
    switch (options.action) {
    case CliAction::Help:
        std::fputs(Translations().Translate("sifter-cli", UsageText()).c_str(), stdout);
        return std::fflush(stdout) == 0 ? kExitFound : kExitTrouble;
    case CliAction::Version:
        std::printf("%s %s\n%s", kProgramName, SIFTER_VERSION, SIFTER_VERSION_NOTICE);
        return std::fflush(stdout) == 0 ? kExitFound : kExitTrouble;
    case CliAction::List:
        return RunListCommand(options);
    case CliAction::Search:
        break;
    }
    return RunSearchCommand(options);
}
