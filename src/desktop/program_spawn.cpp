// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/program_spawn.h"

#include <csignal>
#include <fcntl.h>

extern char **environ;

namespace sifter {
namespace {

// The signals whose handling this program changes; a detached program gets the defaults back.
constexpr int kResetSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGCHLD, SIGUSR1, SIGUSR2};

} // namespace

ProgramSpawn::~ProgramSpawn()
{
    if (hasActions_)
        posix_spawn_file_actions_destroy(&actions_);
    if (hasAttributes_)
        posix_spawnattr_destroy(&attributes_);
}

bool ProgramSpawn::SendErrorOutputTo(int errorReader, int errorWriter)
{
    if (!hasActions_)
        hasActions_ = posix_spawn_file_actions_init(&actions_) == 0;
    return hasActions_ && posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) == 0 &&
           posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0) == 0 &&
           posix_spawn_file_actions_adddup2(&actions_, errorWriter, 2) == 0 &&
           posix_spawn_file_actions_addclose(&actions_, errorReader) == 0 &&
           posix_spawn_file_actions_addclose(&actions_, errorWriter) == 0;
}

bool ProgramSpawn::Detach()
{
    if (!hasAttributes_)
        hasAttributes_ = posix_spawnattr_init(&attributes_) == 0;
    if (!hasAttributes_)
        return false;
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : kResetSignals)
        sigaddset(&defaults, signal);
    return posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
           posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0 &&
           posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                      POSIX_SPAWN_SETSIGDEF) == 0;
}

int ProgramSpawn::Start(const std::string &program, ProgramLookup lookup, const std::vector<std::string> &argv,
                        pid_t &pid) const
{
    std::vector<char *> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string &argument : argv)
        pointers.push_back(const_cast<char *>(argument.c_str()));  // posix_spawn does not write them
    pointers.push_back(nullptr);
    const posix_spawn_file_actions_t *actions = hasActions_ ? &actions_ : nullptr;
    const posix_spawnattr_t *attributes = hasAttributes_ ? &attributes_ : nullptr;
    return lookup == ProgramLookup::kSearchPath
               ? posix_spawnp(&pid, program.c_str(), actions, attributes, pointers.data(), environ)
               : posix_spawn(&pid, program.c_str(), actions, attributes, pointers.data(), environ);
}

} // namespace sifter
