// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds mimeapps.list files to its line editor. Each edit must never crash, must leave every
// line that is not one of the type's lines in the group as it was (lines it adds are the
// group's header, a blank line before it, and the type's line), and must give the type the
// ids it promises. The type and id are taken from the input's first line when it has a
// "type id" pair there, else fixed ones.
#include "desktop/desktop_entry.h"
#include "desktop/mime_apps_list.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kGroup = sifter::kDefaultApplicationsGroup;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<std::string_view> Lines(std::string_view content)
{
    std::vector<std::string_view> lines;
    if (!content.empty() && content.back() == '\n')
        content.remove_suffix(1);
    if (content.empty())
        return lines;
    for (;;) {
        const std::size_t end = content.find('\n');
        lines.push_back(content.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        content.remove_prefix(end + 1);
    }
}

// The lines that are not a "type=" line inside a copy of the group, in order.
std::vector<std::string_view> OtherLines(std::string_view content, std::string_view type)
{
    std::vector<std::string_view> others;
    bool inGroup = false;
    for (const std::string_view line : Lines(content)) {
        const std::string_view trimmed = sifter::TrimDesktopLine(line);
        if (!trimmed.empty() && trimmed.front() == '[' && trimmed.back() == ']') {
            inGroup = trimmed.substr(1, trimmed.size() - 2) == kGroup;
        } else if (inGroup && !trimmed.empty() && trimmed.front() != '#') {
            const std::size_t equals = trimmed.find('=');
            if (equals != std::string_view::npos && sifter::TrimDesktopLine(trimmed.substr(0, equals)) == type)
                continue;
        }
        others.push_back(line);
    }
    return others;
}

// before's other lines come first in after's, and any more are ones an edit may add.
void CheckOthersKept(std::string_view before, std::string_view after, std::string_view type, bool mayAdd)
{
    const std::vector<std::string_view> was = OtherLines(before, type);
    const std::vector<std::string_view> is = OtherLines(after, type);
    Check(is.size() >= was.size() && std::equal(was.begin(), was.end(), is.begin()));
    const std::string header = "[" + std::string(kGroup) + "]";
    for (std::size_t i = was.size(); i < is.size(); ++i)
        Check(mayAdd && (is[i].empty() || is[i] == header));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char *>(data), size);
    std::string type = "application/x-sifter";
    std::string id = "sifter.desktop";
    const std::string_view first = content.substr(0, content.find('\n'));
    const std::size_t blank = first.find(' ');
    // A type and an id as a desktop would have them: no blanks, "=", ";" or line breaks.
    const auto plain = [](std::string_view text) {
        return !text.empty() && text.find_first_of(std::string_view(" \t\r\n=;[]#\\\0", 11)) == std::string_view::npos;
    };
    if (blank != std::string_view::npos && plain(first.substr(0, blank)) && plain(first.substr(blank + 1))) {
        type = first.substr(0, blank);
        id = first.substr(blank + 1);
    }
    const std::vector<std::string> ids = sifter::MimeAppsListIds(content, kGroup, type);

    const std::string alone = sifter::WithMimeAppsListIdAlone(content, kGroup, type, id);
    const std::vector<std::string> aloneIds = sifter::MimeAppsListIds(alone, kGroup, type);
    Check(!aloneIds.empty() && std::all_of(aloneIds.begin(), aloneIds.end(), [&](const std::string &x) { return x == id; }));
    CheckOthersKept(content, alone, type, true);

    const std::string leading = sifter::WithMimeAppsListIdFirst(content, kGroup, type, id);
    const std::vector<std::string> leadingIds = sifter::MimeAppsListIds(leading, kGroup, type);
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
        Check(leading == content);
    } else {
        std::vector<std::string> expected{id};
        expected.insert(expected.end(), ids.begin(), ids.end());
        Check(leadingIds == expected);
    }
    CheckOthersKept(content, leading, type, true);

    const std::string without = sifter::WithoutMimeAppsListId(content, kGroup, type, id);
    std::vector<std::string> rest = ids;
    rest.erase(std::remove(rest.begin(), rest.end(), id), rest.end());
    Check(sifter::MimeAppsListIds(without, kGroup, type) == rest);
    CheckOthersKept(content, without, type, false);
    return 0;
}
