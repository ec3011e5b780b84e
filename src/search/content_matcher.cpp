#include "search/content_matcher.h"

#include <new>

#include "search/byte_search.h"
#include "search/search_criteria.h"
#include "text/code_page.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace sifter {
namespace {

bool KnownWordMode(std::int32_t mode)
{
    return mode == kWordModeAny || mode == kWordModeAll || mode == kWordModePhrase || mode == kWordModeWithout;
}

} // namespace

// A word with the other forms it is looked for in.
struct ContentMatcher::Word {
    std::string typed;
    std::string utf16;    // little-endian bytes; empty when not looked for
    std::string utf8;     // empty when not looked for
    bool wide = false;    // whether the UTF-16 step is taken at all
    bool utf16Ok = false; // the word converted to UTF-16 within the limit
    bool utf8Ok = false;  // and that to UTF-8
    bool utf8SameAsTyped = false;

    Word(std::string text, bool wideForms) : typed(std::move(text)), wide(wideForms)
    {
        if (!wide)
            return;
        std::u16string units;
        utf16Ok = CodePageToUtf16(typed, units);
        if (!utf16Ok)
            return;
        utf16 = Utf16LittleEndianBytes(units);
        utf8Ok = Utf16ToUtf8(units, utf8);
        utf8SameAsTyped = utf8Ok && utf8 == typed;
    }

    std::size_t LongestForm() const { return std::max({typed.size(), utf16.size(), utf8.size()}); }
};

std::int64_t FindInBuffer(std::int64_t chunkOffset, const char *buffer, std::size_t length, std::string_view word,
                          bool wide)
{
    std::int64_t position = FindBytes(buffer, length, word);
    if (position < 0 && wide) {
        std::u16string units;
        if (!CodePageToUtf16(word, units))
            return -1;
        position = FindBytes(buffer, length, Utf16LittleEndianBytes(units));
        if (position < 0) {
            std::string utf8;
            if (!Utf16ToUtf8(units, utf8))
                return -1;
            position = FindBytes(buffer, length, utf8);
        }
    }
    return position < 0 ? -1 : chunkOffset + position;
}

ContentMatcher::ContentMatcher(std::string phrase, std::vector<std::string> wordList, std::int32_t wordMode,
                               bool unicodeUtf8, bool hexadecimal)
    : wordMode_(wordMode), phraseEmpty_(phrase.empty())
{
    const bool wide = unicodeUtf8 && !hexadecimal;
    words_.reserve(wordList.size());
    for (std::string &word : wordList)
        words_.emplace_back(std::move(word), wide);
    phrase_ = std::make_unique<Word>(std::move(phrase), wide);

    // The step-back covers the longest form looked for, so an occurrence of any form that
    // straddles two chunks lies whole in the next one.
    std::size_t longest = 0;
    for (const Word &word : words_)
        longest = std::max(longest, word.LongestForm());
    switch (wordMode_) {
    case kWordModeAll:
        stepBack_ = std::accumulate(words_.begin(), words_.end(), std::size_t{0},
                                    [](std::size_t sum, const Word &word) { return sum + word.LongestForm(); });
        break;
    case kWordModePhrase:
        stepBack_ = phrase_->LongestForm();
        break;
    default:
        stepBack_ = longest;
        break;
    }
    // Each chunk must move the offset forward; a form longer than a chunk is never found anyway.
    stepBack_ = std::min(stepBack_, kContentChunkSize - 1);
}

ContentMatcher::~ContentMatcher() = default;

std::int64_t ContentMatcher::Find(std::int64_t chunkOffset, const char *buffer, std::size_t length,
                                  const Word &word) const
{
    std::int64_t position = FindBytes(buffer, length, word.typed);
    if (position < 0 && word.wide) {
        if (!word.utf16Ok)
            return -1;
        position = FindBytes(buffer, length, word.utf16);
        if (position < 0) {
            if (!word.utf8Ok || word.utf8SameAsTyped)
                return -1;
            position = FindBytes(buffer, length, word.utf8);
        }
    }
    return position < 0 ? -1 : chunkOffset + position;
}

std::int64_t ContentMatcher::Match(FileReader &file, std::int64_t start)
{
    if (phraseEmpty_)
        return 0;
    if (!file.IsOpen() || !KnownWordMode(wordMode_))
        return -1;
    if (!file.Seek(start))
        return -1;
    // Out of memory is "no match", never an exception out of the engine.
    if (!chunk_)
        chunk_.reset(new (std::nothrow) char[kContentChunkSize]);
    const std::size_t seenSize = wordMode_ == kWordModeAll ? words_.size() : 0;
    std::unique_ptr<bool[]> seen(new (std::nothrow) bool[seenSize]());
    if (!chunk_ || !seen)
        return -1;
    std::size_t seenCount = 0;

    char *chunk = chunk_.get();
    std::int64_t chunkOffset = start;
    std::size_t carried = 0; // bytes at the front repeated from the previous chunk
    for (;;) {
        const std::int64_t read = file.Read(chunk + carried, kContentChunkSize - carried);
        if (read < 0)
            break;
        const std::size_t length = carried + static_cast<std::size_t>(read);
        // Carried bytes alone were searched with the previous chunk: nothing new to find.
        if (read > 0 || carried == 0) {
            switch (wordMode_) {
            case kWordModeAny:
                for (const Word &word : words_) {
                    const std::int64_t found = Find(chunkOffset, chunk, length, word);
                    if (found >= 0)
                        return found;
                }
                break;
            case kWordModeAll:
                for (std::size_t i = 0; i < words_.size(); ++i) {
                    if (seen[i])
                        continue; // finding it again changes nothing
                    const std::int64_t found = Find(chunkOffset, chunk, length, words_[i]);
                    if (found >= 0) {
                        seen[i] = true;
                        if (++seenCount == words_.size())
                            return found;
                    }
                }
                break;
            case kWordModePhrase: {
                const std::int64_t found = Find(chunkOffset, chunk, length, *phrase_);
                if (found >= 0)
                    return found;
                break;
            }
            default: // kWordModeWithout
                for (const Word &word : words_) {
                    if (Find(chunkOffset, chunk, length, word) >= 0)
                        return -1;
                }
                break;
            }
        }
        if (length < kContentChunkSize)
            break;
        // Instead of seeking back, keep the last step-back bytes at the front of the
        // buffer: the next chunk holds the same bytes as after a backward seek.
        std::memmove(chunk, chunk + length - stepBack_, stepBack_);
        carried = stepBack_;
        chunkOffset += static_cast<std::int64_t>(length - stepBack_);
        if (chunkCallback_ && !chunkCallback_())
            return -1;
    }
    return wordMode_ == kWordModeWithout ? 0 : -1;
}

std::int64_t MatchFileContent(FileReader *file, const std::string &phrase, const std::vector<std::string> &wordList,
                              std::int32_t wordMode, std::int64_t start, bool unicodeUtf8, bool hexadecimal)
{
    if (phrase.empty())
        return 0;
    if (!file)
        return -1;
    ContentMatcher matcher(phrase, wordList, wordMode, unicodeUtf8, hexadecimal);
    return matcher.Match(*file, start);
}

} // namespace sifter
