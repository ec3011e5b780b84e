// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Exclude criterion as a run uses it: folders skipped with everything below them, and
// name patterns that skip every folder and file whose name they match. Read-only once
// prepared, so the pool's workers may ask it too.
#include "fs/file_identity.h"

#include <string>
#include <string_view>
#include <vector>

namespace sifter {

class Exclusions {
public:
    // Cuts text at ";" and trims blanks around each entry. An entry with a "/" is a folder:
    // "~/" is the home, one that starts with neither "/" nor "~" lies in each of roots (the
    // searched folders as the walk writes them), a trailing "/" is dropped. Any other entry
    // is a name pattern as the name box takes one: "*" and "?" are wildcards, plain text
    // matches every name containing it; case is ignored.
    void Prepare(std::string_view text, const std::vector<std::string> &roots);

    bool Empty() const { return patterns_.empty() && paths_.empty(); }
    bool HasPaths() const { return !paths_.empty(); }
    // The name matches one of the name patterns.
    bool SkipsName(std::string_view name) const;
    // The folder path is an excluded folder or lies below one.
    bool SkipsPath(std::string_view path) const;
    // The folder is an excluded one, as its identity was when prepared (it may have been
    // reached by another path).
    bool SkipsIdentity(const FileIdentity &identity) const;
    // Whether SkipsIdentity can be true at all, so that a folder need not be examined for it.
    bool HasIdentities() const { return !identities_.empty(); }

private:
    std::vector<std::string> patterns_; // as listings match them
    std::vector<std::string> paths_;
    std::vector<FileIdentity> identities_;
};

} // namespace sifter
