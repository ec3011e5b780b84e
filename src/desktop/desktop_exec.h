// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Exec key of a desktop entry: its quoting and field codes, turned into the argument
// list a program is started with (never a shell command line).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// One piece of an argument: literal text, or a field code ('f', 'F', 'u', 'U', 'i', 'c', 'k').
struct ExecPiece {
    char code = 0;  // 0: literal
    std::string text;
};

// The parsed Exec value: each argument's pieces; the first argument is the program.
struct DesktopExec {
    std::vector<std::vector<ExecPiece>> arguments;
};

// What the field codes stand for when one file is opened.
struct ExecFieldValues {
    std::string filePath;   // %f %F: the file's path (any bytes)
    std::string fileUri;    // %u %U: its file URI
    std::string icon;       // %i: "--icon" and this, when not empty
    std::string name;       // %c: the entry's (translated) name
    std::string entryPath;  // %k: where the entry was read from
};

// Why an Exec value is malformed.
enum class ExecFault {
    kNone,
    kUnclosedQuote,        // a double quote that is not closed
    kQuoteInsideArgument,  // quotes that do not enclose a whole argument
    kStrayBackslash,       // a backslash outside quotes, or before a character needing no escape in them
    kCodeInQuotes,         // a field code (other than %%) inside quotes
    kUnknownCode,          // "%" before no field code, or at the end
    kCodeNotAlone,         // %F, %U or %i not standing as a whole argument
    kTwoFileCodes,         // more than one of %f %F %u %U
    kNoProgram,            // nothing, or a field code, where the program belongs
    kRelativeProgram,      // a program path with a folder that does not start at "/"
};

// Parses an Exec value whose string escapes are already undone. Empty when it is malformed
// (*fault, when given, says why; kNone when it parsed). The deprecated codes %d %D %n %N %v
// %m are dropped.
std::optional<DesktopExec> ParseDesktopExec(std::string_view value, ExecFault *fault = nullptr);

// True when one of the arguments holds %f, %F, %u or %U.
bool DesktopExecNamesFile(const DesktopExec &exec);

// The argument list that starts the program on one file.
std::vector<std::string> ExpandDesktopExec(const DesktopExec &exec, const ExecFieldValues &values);

// One literal argument written for an Exec value (before its string escapes are applied):
// in double quotes when it holds a blank or a reserved character, "%" doubled, so that
// ParseDesktopExec gives it back unchanged.
std::string QuoteDesktopExecArgument(std::string_view argument);

} // namespace sifter
