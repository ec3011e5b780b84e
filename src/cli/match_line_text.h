// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a file's matches as sifter-cli prints them under its path, the way grep -n
// prints them: "N:TEXT" for a line that holds a match, "N-TEXT" for a context line, "--"
// between lines that do not follow each other.
#include "search/match_lines.h"

#include <string>

namespace sifter {

struct MatchLineStyle {
    bool color = false;       // the words, numbers and separators in grep's colours
    bool forTerminal = false; // control characters as "?" (TerminalSafeText)
};

// Every line of matches, each ended by a newline. A line whose number was not counted is
// headed by "@" and its byte offset; one found in the UTF-16 form ends its head with
// "[UTF-16LE]"; a cut line shows "..." where it was cut. A binary file gives one line
// telling how many matches it holds and where the first lies.
std::string FormatMatchLines(const FileMatches &matches, const MatchLineStyle &style);

} // namespace sifter
