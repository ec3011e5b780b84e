// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of a content test as the criteria give them: the phrase and the word list,
// decoded when they are hexadecimal, and the matcher made of them. The run and every
// later look at a found file's content take them from here, so both find the same bytes.
#include "search/content_matcher.h"
#include "search/search_criteria.h"

#include <memory>
#include <string>
#include <vector>

namespace sifter {

struct ContentWords {
    std::string phrase;             // the whole words text (decoded); empty: no content test
    std::vector<std::string> words; // split at blanks (each decoded)
};

// The criteria's words; false when hexadecimal words are not valid hexadecimal text
// (words then holds what DecodeHexWords left).
bool CriteriaContentWords(const SearchCriteria &criteria, ContentWords &out);
// A matcher of the criteria's words with their mode and forms; null when the criteria
// have no words, their hexadecimal words are invalid, or memory runs out.
std::unique_ptr<ContentMatcher> MatcherForCriteria(const SearchCriteria &criteria);

} // namespace sifter
