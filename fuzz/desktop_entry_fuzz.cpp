// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds desktop entry files to the reader. It must never crash; every key it hands on is
// trimmed, on one line, inside a named group; an entry it accepts has a name, a program and
// no empty type; and a text written into a file with EscapeDesktopString reads back (the
// line trimmed, the escapes undone) as it was.
#include "desktop/desktop_entry.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Trimmed(std::string_view text)
{
    return text.empty() || (text.front() != ' ' && text.front() != '\t' && text.back() != ' ' &&
                            text.back() != '\t' && text.back() != '\r');
}

// What ReadDesktopEntry finds in a file holding content; the file is made once.
std::optional<sifter::DesktopEntry> ReadFromFile(std::string_view content)
{
    static const int fd = memfd_create("desktop_entry_fuzz", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, content.data(), content.size(), 0) != static_cast<ssize_t>(content.size()))
        return std::nullopt;
    return sifter::ReadDesktopEntry("/proc/self/fd/" + std::to_string(fd), "fuzz.desktop", "de_DE");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char *>(data), size);
    sifter::ForEachDesktopKey(content, [](std::string_view group, std::string_view key, std::string_view value) {
        Check(!group.empty() && group.find('\n') == std::string_view::npos);
        Check(Trimmed(key) && Trimmed(value));
        Check(key.find('\n') == std::string_view::npos && value.find('\n') == std::string_view::npos);
        for (const std::string &item : sifter::SplitDesktopList(value))
            Check(!item.empty());
    });

    if (const std::optional<sifter::DesktopEntry> entry = ReadFromFile(content)) {
        Check(!entry->name.empty() && !entry->exec.empty());
        for (const std::string &type : entry->mimeTypes)
            Check(!type.empty());
    }

    // The input as a text to keep in a key: it must come back whole.
    const std::string line = "[Desktop Entry]\nComment=" + sifter::EscapeDesktopString(content) + "\n";
    int seen = 0;
    sifter::ForEachDesktopKey(line, [&](std::string_view, std::string_view key, std::string_view value) {
        if (key == "Comment") {
            ++seen;
            Check(sifter::UnescapeDesktopString(value) == content);
        }
    });
    Check(seen == 1);
    return 0;
}
