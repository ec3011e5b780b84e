// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One application's desktop entry file (the [Desktop Entry] group), read as outside input:
// a file that is not valid UTF-8, too large, or lacks its keys is refused.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// The largest entry file read; real ones with all their translations stay far below it.
inline constexpr std::size_t kMaxDesktopEntryBytes = 1 << 20;

struct DesktopEntry {
    std::string id;    // "a-b.desktop" for applications/a/b.desktop
    std::string path;  // the file it was read from
    std::string name;  // Name, translated for the language when the entry has it
    std::string icon;
    std::string exec;  // Exec with its string escapes undone
    std::string tryExec;
    std::vector<std::string> mimeTypes;
    std::vector<std::string> onlyShowIn;  // desktops (as XDG_CURRENT_DESKTOP names them)
    std::vector<std::string> notShowIn;
    bool hidden = false;
    bool noDisplay = false;
    bool terminal = false;
};

// Reads an entry of Type=Application with a Name and an Exec; empty otherwise or when the
// file cannot be read. language ("de_DE", "de", or empty) picks Name[de_DE], then Name[de].
std::optional<DesktopEntry> ReadDesktopEntry(const std::string &path, std::string id, std::string_view language);

// The whole content of a regular file of at most kMaxDesktopEntryBytes (never blocks);
// empty when it is anything else or cannot be read.
std::optional<std::string> ReadDesktopFileText(const std::string &path);

// Calls visit(group, key, value) for each "key=value" line inside a "[group]" (blanks
// around the key and the value trimmed; comments, blank and other lines skipped).
using DesktopKeyVisitor = std::function<void(std::string_view, std::string_view, std::string_view)>;
void ForEachDesktopKey(std::string_view content, const DesktopKeyVisitor &visit);

// True when text is valid UTF-8 without NUL, as every entry file must be.
bool IsDesktopFileText(std::string_view text);

// A line of a desktop file without the blanks around it (and a carriage return at its end).
std::string_view TrimDesktopLine(std::string_view line);

// A list value split at ";" not escaped with a backslash, each item unescaped; empty items dropped.
std::vector<std::string> SplitDesktopList(std::string_view value);
// An item written for a list value (before its ";"), so that SplitDesktopList gives it back.
std::string EscapeDesktopListItem(std::string_view item);

// Undoes the escapes of a string value (\s \n \t \r \\); other backslashes are kept.
std::string UnescapeDesktopString(std::string_view value);
// Applies them, so that UnescapeDesktopString gives text back (a blank at either end,
// which a reader trims, becomes \s).
std::string EscapeDesktopString(std::string_view text);

// True when its TryExec names nothing or a program that can be run (searched in PATH when
// it has no folder).
bool DesktopEntryTryExecPasses(const DesktopEntry &entry);

} // namespace sifter
