// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_text.h"

#include <algorithm>
#include <cwchar>

namespace sifter {
namespace {

constexpr char kReplacement = '?';

bool IsPrintableAscii(char byte)
{
    return byte >= ' ' && byte <= '~';
}

} // namespace

std::vector<TerminalCell> SplitIntoTerminalCells(std::string_view text)
{
    std::vector<TerminalCell> cells;
    std::mbstate_t state{};
    while (!text.empty()) {
        wchar_t wide = 0;
        const std::size_t length = std::mbrtowc(&wide, text.data(), text.size(), &state);
        if (length == 0 || length > text.size()) {
            // NUL, an invalid or an incomplete sequence: one replaced byte.
            state = std::mbstate_t{};
            cells.push_back({std::string(1, kReplacement), 1});
            text.remove_prefix(1);
            continue;
        }
        const int width = wcwidth(wide);
        if (width < 0)
            cells.push_back({std::string(1, kReplacement), 1});
        else
            cells.push_back({std::string(text.substr(0, length)), static_cast<std::size_t>(width)});
        text.remove_prefix(length);
    }
    return cells;
}

std::string TerminalSafeText(std::string_view text)
{
    // Most names are plain ASCII; they need no decoding.
    if (std::all_of(text.begin(), text.end(), IsPrintableAscii))
        return std::string(text);
    std::string safe;
    safe.reserve(text.size());
    for (const TerminalCell &cell : SplitIntoTerminalCells(text))
        safe += cell.bytes;
    return safe;
}

} // namespace sifter
