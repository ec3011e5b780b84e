// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_progress.h"

#include "cli/terminal_text.h"

#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

constexpr std::size_t kDefaultColumns = 80;
constexpr std::string_view kEllipsis = "...";
constexpr std::string_view kClearLine = "\r\x1b[K";

std::size_t TerminalColumns(int fd)
{
    winsize size{};
    if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0)
        return kDefaultColumns;
    return size.ws_col;
}

} // namespace

std::string FitToColumns(std::string_view text, std::size_t columns)
{
    const std::vector<TerminalCell> cells = SplitIntoTerminalCells(text);
    std::size_t total = 0;
    for (const TerminalCell &cell : cells)
        total += cell.width;
    if (total <= columns) {
        std::string fitted;
        for (const TerminalCell &cell : cells)
            fitted += cell.bytes;
        return fitted;
    }
    if (columns < kEllipsis.size())
        return std::string(kEllipsis.substr(0, columns));
    // Keep the end of the path: that is the part that changes.
    std::size_t width = kEllipsis.size();
    std::size_t first = cells.size();
    while (first > 0 && width + cells[first - 1].width <= columns) {
        --first;
        width += cells[first].width;
    }
    std::string fitted(kEllipsis);
    for (std::size_t i = first; i < cells.size(); ++i)
        fitted += cells[i].bytes;
    return fitted;
}

TerminalProgress::TerminalProgress(int fd) : fd_(fd), enabled_(isatty(fd) == 1)
{
}

TerminalProgress::~TerminalProgress()
{
    Clear();
}

void TerminalProgress::ShowSearchFolder(const std::string &folder)
{
    if (!enabled_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < kRedrawInterval)
        return;
    drawn_ = true;
    lastDraw_ = now;
    // One column stays free so that the cursor never wraps to the next line.
    const std::size_t columns = TerminalColumns(fd_);
    Write(std::string(kClearLine) + FitToColumns(folder, columns > 1 ? columns - 1 : 1));
    shown_ = true;
}

void TerminalProgress::Clear()
{
    if (!shown_)
        return;
    Write(kClearLine);
    shown_ = false;
}

void TerminalProgress::Write(std::string_view text) const
{
    while (!text.empty()) {
        const ssize_t written = write(fd_, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // the progress line is a courtesy; a terminal that fails to take it is not an error
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace sifter
