// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/match_line_text.h"

#include "cli/terminal_text.h"

#include <string_view>

namespace sifter {
namespace {

// grep's own colours (GREP_COLORS defaults): matches, line numbers, separators.
constexpr std::string_view kMatchColor = "\x1b[01;31m\x1b[K";
constexpr std::string_view kNumberColor = "\x1b[32m\x1b[K";
constexpr std::string_view kSeparatorColor = "\x1b[36m\x1b[K";
constexpr std::string_view kColorEnd = "\x1b[m\x1b[K";
constexpr std::string_view kCutMark = "...";

class LineWriter {
public:
    LineWriter(const MatchLineStyle &style, std::string &out) : style_(style), out_(out) {}

    void Colored(std::string_view color, std::string_view text)
    {
        if (style_.color)
            out_ += color;
        Text(text);
        if (style_.color)
            out_ += kColorEnd;
    }

    void Text(std::string_view text) { out_ += style_.forTerminal ? TerminalSafeText(text) : std::string(text); }

    void Line(const MatchLine &line)
    {
        const bool match = !line.marks.empty();
        std::string head = line.number != 0 ? std::to_string(line.number) : "@" + std::to_string(line.offset);
        if (line.form == ContentForm::Utf16Le)
            head += "[UTF-16LE]";
        Colored(kNumberColor, head);
        Colored(kSeparatorColor, match ? ":" : "-");
        if (line.cutBefore)
            out_ += kCutMark;
        std::size_t at = 0;
        for (const LineMark &mark : line.marks) {
            Text(std::string_view(line.text).substr(at, mark.begin - at));
            Colored(kMatchColor, std::string_view(line.text).substr(mark.begin, mark.length));
            at = mark.begin + mark.length;
        }
        Text(std::string_view(line.text).substr(at));
        if (line.cutAfter)
            out_ += kCutMark;
        out_ += '\n';
    }

private:
    const MatchLineStyle &style_;
    std::string &out_;
};

} // namespace

std::string FormatMatchLines(const FileMatches &matches, const MatchLineStyle &style)
{
    std::string out;
    LineWriter writer(style, out);
    if (matches.binary && !matches.stretches.empty()) {
        const HexStretch &first = matches.stretches.front();
        const std::int64_t at = first.offset + static_cast<std::int64_t>(first.marks.empty() ? 0 : first.marks.front().begin);
        out += "binary file: " + std::to_string(matches.matchCount) + " matches, the first at offset " +
               std::to_string(at) + "\n";
    }
    for (const MatchLine &line : matches.lines) {
        if (line.gapBefore) {
            writer.Colored(kSeparatorColor, "--");
            out += '\n';
        }
        writer.Line(line);
    }
    if (matches.moreLines > 0)
        out += "... " + std::to_string(matches.moreLines) + " more\n";
    return out;
}

} // namespace sifter
