// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting a program detached from this one, with an argument list of bytes: no shell,
// and no QString on the way, so a path that is not valid UTF-8 arrives as it is.
#include <string>
#include <vector>

namespace sifter {

// Starts argv[0] (searched in PATH when it has no "/") with argv, in a session of its own,
// with default signal handling and an empty signal mask; it is reaped when it ends, so it
// never stays a zombie. False with error set when it could not be started.
bool StartDetachedProgram(const std::vector<std::string> &argv, std::string &error);

} // namespace sifter
