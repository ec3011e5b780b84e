// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/program_start.h"

#include "desktop/program_spawn.h"
#include "text/translation.h"

#include <cerrno>
#include <cstring>
#include <sys/wait.h>
#include <thread>

namespace sifter {

bool StartDetachedProgram(const std::vector<std::string> &argv, std::string &error)
{
    if (argv.empty() || argv.front().empty()) {
        error = CatalogueText("Desktop", "no program").Text();
        return false;
    }
    ProgramSpawn spawn;
    if (!spawn.Detach()) {
        error = CatalogueText("Desktop", "cannot prepare the start").Text();
        return false;
    }
    pid_t pid = 0;
    const int result = spawn.Start(argv.front(), ProgramLookup::kSearchPath, argv, pid);
    if (result != 0) {
        error = std::strerror(result);
        return false;
    }
    // The child's end is waited for on a thread of its own: a zombie otherwise, and the
    // window must not wait. A program outliving this one is inherited by init.
    std::thread([pid] {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace sifter
