// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The content matcher's contract done the plain way, for tests and fuzz targets to compare
// it with: the chunks and their overlap as content_matcher.h describes them, each form of
// each word looked for in turn with the standard library's search (never the matcher's own).
#include "search/content_matcher.h"
#include "search/search_criteria.h"
#include "text/code_page.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sifter::test {

// The forms a word is looked for in, in the order they are tried: typed, then (with the
// other forms) its UTF-16 little-endian bytes when it converts, then its UTF-8 bytes when
// those convert and differ from the typed ones.
struct ReferenceForms {
    std::vector<std::string> forms;
    std::size_t longest = 0;
};

inline ReferenceForms FormsOf(const std::string &word, bool wide)
{
    ReferenceForms result;
    result.forms.push_back(word);
    std::size_t longest = word.size();
    std::u16string units;
    if (wide && CodePageToUtf16(word, units)) {
        const std::string utf16 = Utf16LittleEndianBytes(units);
        result.forms.push_back(utf16);
        longest = std::max(longest, utf16.size());
        std::string utf8;
        if (Utf16ToUtf8(units, utf8)) {
            longest = std::max(longest, utf8.size());
            if (utf8 != word)
                result.forms.push_back(utf8);
        }
    }
    result.longest = longest;
    return result;
}

// The first position of needle in hay, by the standard library's search; -1 when absent.
inline std::int64_t PlainFind(std::string_view hay, std::string_view needle)
{
    const std::size_t at = hay.find(needle);
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at);
}

inline std::int64_t FindForms(std::string_view chunk, const ReferenceForms &word)
{
    for (const std::string &form : word.forms) {
        const std::int64_t found = PlainFind(chunk, form);
        if (found >= 0)
            return found;
    }
    return -1;
}

// What ContentMatcher::Match(file holding data, 0) gives: chunks of kContentChunkSize bytes,
// each repeating the step-back bytes of the one before, read until one comes short.
inline std::int64_t ChunkedReference(std::string_view data, const std::string &phrase,
                                     const std::vector<std::string> &words, int mode, bool wide)
{
    if (phrase.empty())
        return 0;
    std::vector<ReferenceForms> forms;
    std::size_t longest = 0;
    std::size_t sum = 0;
    for (const std::string &word : words) {
        forms.push_back(FormsOf(word, wide));
        longest = std::max(longest, forms.back().longest);
        sum += forms.back().longest;
    }
    const ReferenceForms phraseForms = FormsOf(phrase, wide);
    std::size_t stepBack = mode == kWordModeAll ? sum : mode == kWordModePhrase ? phraseForms.longest : longest;
    stepBack = std::min(stepBack, kContentChunkSize - 1);
    std::vector<bool> seen(words.size(), false);
    std::size_t seenCount = 0;
    for (std::size_t start = 0;; start += kContentChunkSize - stepBack) {
        const std::string_view chunk = data.substr(std::min(start, data.size()), kContentChunkSize);
        const auto at = [start](std::int64_t found) { return static_cast<std::int64_t>(start) + found; };
        switch (mode) {
        case kWordModeAny:
            for (const ReferenceForms &word : forms) {
                if (const std::int64_t found = FindForms(chunk, word); found >= 0)
                    return at(found);
            }
            break;
        case kWordModeAll:
            for (std::size_t i = 0; i < forms.size(); ++i) {
                const std::int64_t found = FindForms(chunk, forms[i]);
                if (found < 0)
                    continue;
                if (!seen[i]) {
                    seen[i] = true;
                    ++seenCount;
                }
                if (seenCount == forms.size())
                    return at(found);
            }
            break;
        case kWordModePhrase:
            if (const std::int64_t found = FindForms(chunk, phraseForms); found >= 0)
                return at(found);
            break;
        default:
            for (const ReferenceForms &word : forms) {
                if (FindForms(chunk, word) >= 0)
                    return -1;
            }
            break;
        }
        if (chunk.size() < kContentChunkSize)
            break;
    }
    return mode == kWordModeWithout ? 0 : -1;
}

} // namespace sifter::test
