// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder being searched, on one line of a terminal that is overwritten in place.
#include "search/search_sinks.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace sifter {

class TerminalProgress final : public StatusSink {
public:
    static constexpr std::chrono::milliseconds kRedrawInterval{100};

    // Draws on fd only when it is a terminal; otherwise every call does nothing.
    explicit TerminalProgress(int fd);
    // Clears the line.
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    // Redraws the line with the folder, at most once per kRedrawInterval.
    void ShowSearchFolder(const std::string &folder) override;
    // Removes the line (if shown), so that other output starts on a clean line.
    void Clear();

private:
    void Write(std::string_view text) const;

    int fd_;
    bool enabled_;
    bool shown_ = false; // the line is on the terminal now
    bool drawn_ = false; // drawn at least once: lastDraw_ is valid
    std::chrono::steady_clock::time_point lastDraw_{};
};

// The text fitted into `columns` terminal cells in the current locale: characters that are
// not printable (escape sequences in a hostile folder name, invalid bytes) become "?", and
// a text too wide keeps its end after "...".
std::string FitToColumns(std::string_view text, std::size_t columns);

} // namespace sifter
