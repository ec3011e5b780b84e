// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names a folder listing holds, in its order.
#include "fs/folder_listing.h"

#include <string>
#include <vector>

namespace sifter::test {

inline std::vector<std::string> Names(const FolderListing &listing)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < listing.Count(); ++i)
        names.emplace_back(listing.Name(i));
    return names;
}

} // namespace sifter::test
