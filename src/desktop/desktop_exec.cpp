// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop_exec.h"

namespace sifter {
namespace {

constexpr std::string_view kFileCodes = "fFuU";
constexpr std::string_view kLoneCodes = "FUi";  // each stands for whole arguments
constexpr std::string_view kPieceCodes = "fuck";
constexpr std::string_view kDeprecatedCodes = "dDnNvm";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
// Characters that put an argument in quotes (blanks and the shell's reserved ones).
constexpr std::string_view kNeedQuotes = " \t\r\n\"'\\><~|&;$*?#()`";

bool Contains(std::string_view set, char c)
{
    return set.find(c) != std::string_view::npos;
}

bool EndsArgument(std::string_view value, std::size_t pos)
{
    return pos >= value.size() || value[pos] == ' ';
}

// Reads the arguments into exec; the first quoting or field-code fault ends the reading.
ExecFault Tokenize(std::string_view value, DesktopExec &exec)
{
    std::vector<ExecPiece> pieces;
    bool present = false;  // the argument has begun (a quoted empty one counts)
    const auto addText = [&pieces](char c) {
        if (pieces.empty() || pieces.back().code != 0)
            pieces.push_back({});
        pieces.back().text += c;
    };
    const auto endArgument = [&] {
        if (present)
            exec.arguments.push_back(std::move(pieces));
        pieces.clear();
        present = false;
    };
    for (std::size_t pos = 0; pos < value.size(); ++pos) {
        const char c = value[pos];
        if (c == ' ') {
            endArgument();
        } else if (c == '"') {
            // A quote encloses a whole argument.
            if (present)
                return ExecFault::kQuoteInsideArgument;
            present = true;
            for (++pos;; ++pos) {
                if (pos >= value.size())
                    return ExecFault::kUnclosedQuote;
                const char q = value[pos];
                if (q == '"')
                    break;
                if (q == '\\') {
                    if (++pos >= value.size())
                        return ExecFault::kUnclosedQuote;
                    if (!Contains(kEscapedInQuotes, value[pos]))
                        return ExecFault::kStrayBackslash;
                    addText(value[pos]);
                } else if (q == '%') {
                    if (++pos >= value.size())
                        return ExecFault::kUnclosedQuote;
                    if (value[pos] != '%')
                        return ExecFault::kCodeInQuotes;
                    addText('%');
                } else {
                    addText(q);
                }
            }
            if (!EndsArgument(value, pos + 1))
                return ExecFault::kQuoteInsideArgument;
        } else if (c == '\\') {
            return ExecFault::kStrayBackslash;
        } else if (c == '%') {
            if (++pos >= value.size())
                return ExecFault::kUnknownCode;
            const char code = value[pos];
            if (code == '%') {
                present = true;
                addText('%');
            } else if (Contains(kDeprecatedCodes, code)) {
                continue;
            } else if (Contains(kLoneCodes, code)) {
                if (present || !EndsArgument(value, pos + 1))
                    return ExecFault::kCodeNotAlone;
                present = true;
                pieces.push_back({code, {}});
            } else if (Contains(kPieceCodes, code)) {
                present = true;
                pieces.push_back({code, {}});
            } else {
                return ExecFault::kUnknownCode;
            }
        } else {
            present = true;
            addText(c);
        }
    }
    endArgument();
    return ExecFault::kNone;
}

// The program must be named by the entry itself, and found where its name says.
ExecFault ProgramFault(const DesktopExec &exec)
{
    if (exec.arguments.empty())
        return ExecFault::kNoProgram;
    const std::vector<ExecPiece> &program = exec.arguments.front();
    if (program.size() != 1 || program.front().code != 0 || program.front().text.empty())
        return ExecFault::kNoProgram;
    const std::string &name = program.front().text;
    return name.find('/') == std::string::npos || name.front() == '/' ? ExecFault::kNone : ExecFault::kRelativeProgram;
}

int FileCodeCount(const DesktopExec &exec)
{
    int count = 0;
    for (const std::vector<ExecPiece> &argument : exec.arguments) {
        for (const ExecPiece &piece : argument)
            count += piece.code != 0 && Contains(kFileCodes, piece.code) ? 1 : 0;
    }
    return count;
}

} // namespace

std::optional<DesktopExec> ParseDesktopExec(std::string_view value, ExecFault *fault)
{
    DesktopExec exec;
    ExecFault found = Tokenize(value, exec);
    if (found == ExecFault::kNone)
        found = ProgramFault(exec);
    if (found == ExecFault::kNone && FileCodeCount(exec) > 1)
        found = ExecFault::kTwoFileCodes;
    if (fault)
        *fault = found;
    if (found != ExecFault::kNone)
        return std::nullopt;
    return exec;
}

bool DesktopExecNamesFile(const DesktopExec &exec)
{
    return FileCodeCount(exec) > 0;
}

std::vector<std::string> ExpandDesktopExec(const DesktopExec &exec, const ExecFieldValues &values)
{
    std::vector<std::string> argv;
    for (const std::vector<ExecPiece> &argument : exec.arguments) {
        if (argument.size() == 1 && argument.front().code == 'i') {
            if (!values.icon.empty()) {
                argv.emplace_back("--icon");
                argv.push_back(values.icon);
            }
            continue;
        }
        std::string text;
        for (const ExecPiece &piece : argument) {
            switch (piece.code) {
            case 0: text += piece.text; break;
            case 'f':
            case 'F': text += values.filePath; break;
            case 'u':
            case 'U': text += values.fileUri; break;
            case 'c': text += values.name; break;
            case 'k': text += values.entryPath; break;
            default: break;
            }
        }
        argv.push_back(std::move(text));
    }
    return argv;
}

std::string QuoteDesktopExecArgument(std::string_view argument)
{
    bool quoted = argument.empty();
    for (char c : argument)
        quoted = quoted || Contains(kNeedQuotes, c);
    std::string text = quoted ? "\"" : "";
    for (char c : argument) {
        if (c == '%')
            text += '%';
        else if (quoted && Contains(kEscapedInQuotes, c))
            text += '\\';
        text += c;
    }
    if (quoted)
        text += '"';
    return text;
}

} // namespace sifter
