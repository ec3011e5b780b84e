// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/content_words.h"

#include "search/hex_decoding.h"
#include "search/split_list.h"
#include "search/text_field.h"

#include <new>

namespace sifter {
namespace {

constexpr char kWordSeparator = ' ';

} // namespace

bool CriteriaContentWords(const SearchCriteria &criteria, ContentWords &out)
{
    out.words.clear();
    SplitList(TextField(criteria.words), kWordSeparator, out.words);
    out.phrase = TextField(criteria.words);
    if (criteria.hexadecimal) {
        if (!DecodeHexWords(out.words))
            return false;
        DecodeHexPhrase(out.phrase);
    }
    return true;
}

std::unique_ptr<ContentMatcher> MatcherForCriteria(const SearchCriteria &criteria)
{
    ContentWords words;
    if (!CriteriaContentWords(criteria, words) || words.phrase.empty())
        return nullptr;
    return std::unique_ptr<ContentMatcher>(new (std::nothrow) ContentMatcher(
        std::move(words.phrase), std::move(words.words), criteria.wordMode, criteria.unicodeUtf8 != 0,
        criteria.hexadecimal != 0));
}

} // namespace sifter
