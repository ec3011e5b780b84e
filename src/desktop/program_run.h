// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running a helper program to its end, as a tool: an argument list (no shell), its output
// discarded, the start of its error output kept as the reason it failed.
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// The most of a program's error output kept for the reason.
inline constexpr std::size_t kMaxProgramErrorBytes = 4096;

// The path of the executable file named name, searched in PATH (default "/usr/bin:/bin")
// when it holds no "/"; empty when there is none.
std::string FindProgram(std::string_view name);

// Runs argv (argv[0] found as FindProgram does) and waits for its end, its standard input
// empty. False with error set when it cannot be started or does not exit with status 0:
// the first line of its error output, else its exit status or signal.
bool RunProgram(const std::vector<std::string> &argv, std::string &error);

} // namespace sifter
