// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One-line messages of sifter-cli on standard error.
#include <string_view>

namespace sifter {

// Prints "sifter-cli: MESSAGE" and a newline on standard error.
void PrintError(std::string_view message);

} // namespace sifter
