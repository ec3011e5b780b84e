// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/exclusions.h"

#include "fs/folder_listing.h"
#include "fs/path.h"
#include "search/name_match.h"
#include "search/split_list.h"

#include <algorithm>

namespace sifter {
namespace {

constexpr char kEntrySeparator = ';';
constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

void Exclusions::Prepare(std::string_view text, const std::vector<std::string> &roots)
{
    patterns_.clear();
    paths_.clear();
    identities_.clear();
    std::vector<std::string> entries;
    SplitList(text, kEntrySeparator, entries, DuplicateRule::Exact);
    for (const std::string &piece : entries) {
        const std::string_view entry = Trimmed(piece);
        if (entry.empty())
            continue;
        if (entry.find('/') == std::string_view::npos) {
            const std::string pattern(entry);
            patterns_.push_back(HasWildcards(pattern) ? pattern : "*" + pattern + "*");
            continue;
        }
        std::string folder = PathExpandHome(entry);
        std::vector<std::string> made;
        if (folder.starts_with('/')) {
            made.push_back(std::move(folder));
        } else {
            while (folder.starts_with("./"))
                folder.erase(0, 2);
            for (const std::string &root : roots)
                made.push_back(PathAppend(root, folder));
        }
        for (std::string &path : made) {
            while (PathRemoveTrailingSeparator(path)) {
            }
            if (const auto identity = FolderIdentityAt(path))
                identities_.push_back(*identity);
            if (std::find(paths_.begin(), paths_.end(), path) == paths_.end())
                paths_.push_back(std::move(path));
        }
    }
}

bool Exclusions::SkipsName(std::string_view name) const
{
    return std::any_of(patterns_.begin(), patterns_.end(),
                       [name](const std::string &pattern) { return PatternMatches(pattern, name); });
}

bool Exclusions::SkipsPath(std::string_view path) const
{
    return std::any_of(paths_.begin(), paths_.end(),
                       [path](const std::string &folder) { return PathIsSameOrBelow(path, folder); });
}

bool Exclusions::SkipsIdentity(const FileIdentity &identity) const
{
    return std::find(identities_.begin(), identities_.end(), identity) != identities_.end();
}

} // namespace sifter
