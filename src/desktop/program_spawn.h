// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting a program with posix_spawn from an argument list of bytes, no shell: what RunProgram
// and StartDetachedProgram share. What a start does not set is this program's: descriptors
// (but those opened close-on-exec), signal mask and handling, session.
#include <spawn.h>
#include <string>
#include <vector>

namespace sifter {

// Where ProgramSpawn::Start finds the program.
enum class ProgramLookup {
    kPath,        // program is the path of the executable file
    kSearchPath,  // a program without "/" is searched in PATH, as execvp does
};

// The settings of one start, destroyed together on every way out.
class ProgramSpawn {
public:
    ProgramSpawn() = default;
    ~ProgramSpawn();
    ProgramSpawn(const ProgramSpawn &) = delete;
    ProgramSpawn &operator=(const ProgramSpawn &) = delete;

    // Standard input and output from and to /dev/null, error output into errorWriter, and both
    // ends of its pipe closed in the program. False when the library refuses.
    bool SendErrorOutputTo(int errorReader, int errorWriter);
    // A session of its own, the default handling of the signals this program changes, nothing
    // blocked. False when the library refuses.
    bool Detach();
    // Starts program with argv (argv[0] the name it is given): 0 with pid set, else an errno.
    int Start(const std::string &program, ProgramLookup lookup, const std::vector<std::string> &argv,
              pid_t &pid) const;

private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
    bool hasActions_ = false;
    bool hasAttributes_ = false;
};

} // namespace sifter
