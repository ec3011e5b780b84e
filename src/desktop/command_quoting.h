// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a program's path into the command lines that scripts and XML files hold, so that
// the program receives it as one argument whatever bytes it holds (desktop entries: see
// QuoteDesktopExecArgument in desktop_exec.h).
#include <string>
#include <string_view>

namespace sifter {

// word as one word of a POSIX shell command line: in single quotes, each "'" written as
// "'\''". Any bytes but NUL come through unchanged.
std::string QuoteShellWord(std::string_view word);

// True when text can stand in a desktop entry's value or an XML document: valid UTF-8
// without control characters other than tab, line feed and carriage return.
bool IsWritableText(std::string_view text);

// text as XML character data (not an attribute value): "&", "<" and ">" as entities, a
// carriage return as "&#13;" so that a reader's line-end handling keeps it. text must be
// IsWritableText.
std::string EscapeXmlText(std::string_view text);

} // namespace sifter
