// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts from outside (file names, folders) as a terminal may be given them: a name that
// holds escape sequences must not set the terminal's title or colours.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// One character as a terminal shows it, and the number of cells it takes.
struct TerminalCell {
    std::string bytes;
    std::size_t width;
};

// The text split into characters in the current locale. Each one that a terminal would
// act on or cannot show (C0 and C1 controls, DEL, NUL, a byte of an invalid or incomplete
// sequence) is one "?" of width 1.
std::vector<TerminalCell> SplitIntoTerminalCells(std::string_view text);

// The text with those characters as "?", as ls shows names on a terminal.
std::string TerminalSafeText(std::string_view text);

} // namespace sifter
