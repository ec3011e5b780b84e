#pragma once
// Writing a program's path into the command lines that desktop files and scripts hold, so
// that the program receives it as one argument whatever bytes it holds.
#include <string>
#include <string_view>

namespace sifter {

// word as one word of a POSIX shell command line: in single quotes, each "'" written as
// "'\''". Any bytes but NUL come through unchanged.
std::string QuoteShellWord(std::string_view word);

// True when text can stand in a desktop entry's value or an XML document: valid UTF-8
// without control characters other than tab, line feed and carriage return.
bool IsWritableText(std::string_view text);

// argument as written after "Exec=" in a desktop entry file: in double quotes when it holds
// a blank or a character the desktop-entry rules reserve (with '"', '`', '$' and '\'
// escaped inside), "%" doubled, then the general string escapes applied (a literal
// backslash in quotes becomes four). argument must be IsWritableText.
std::string QuoteDesktopExecArgument(std::string_view argument);

// text as XML character data (not an attribute value): "&", "<" and ">" as entities, a
// carriage return as "&#13;" so that a reader's line-end handling keeps it. text must be
// IsWritableText.
std::string EscapeXmlText(std::string_view text);

} // namespace sifter
