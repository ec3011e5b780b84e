// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one search run prepares once and its folder walk uses for every entry.
#include "fs/file_reader.h"
#include "fs/folder_anchor.h"
#include "search/content_matcher.h"
#include "search/entry_filters.h"
#include "search/exclusions.h"
#include "search/file_search.h"
#include "search/listing_window.h"
#include "search/pump_throttle.h"
#include "search/search_pool.h"

#include <memory>
#include <string>
#include <vector>

namespace sifter {

struct FileSearch::Run {
    SearchSinks sinks;
    std::vector<std::string> patterns;        // the name list, as typed
    std::vector<std::string> listingPatterns; // what a listing matches names with
    std::vector<std::string> words;           // decoded when hexadecimal
    std::string phrase;                       // empty: no content test
    SizeBounds sizeBounds;
    DateBounds dateBounds;
    DateTestValues dateValues; // the walk's alone, as are the tests it serves
    Exclusions exclusions;
    bool sizeTest = false;
    bool dateTest = false;
    bool attributeData = false; // the attribute test needs the entry's data
    std::unique_ptr<ContentMatcher> matcher;
    std::shared_ptr<const TextExpression> nameExpression; // the names as one expression, when set
    FileReader reader;
    PumpThrottle throttle;
    const std::string *folder = nullptr; // the folder being searched, shown while its files are read
    FolderAnchors anchors;               // the way to each queued subfolder
    // Worker threads for listings and content tests; null when everything is done on the
    // calling thread.
    std::unique_ptr<SearchPool> pool;
    // Listings read ahead on the pool; null when the walk lists every folder itself.
    std::unique_ptr<ListingWindow> listings;
    // The folder being searched as the pool's jobs hold it; made for its first job.
    std::shared_ptr<const SharedFolder> sharedFolder;
    std::shared_ptr<const std::string> sharedPath;
};

} // namespace sifter
