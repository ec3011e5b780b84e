// SPDX-License-Identifier: GPL-3.0-or-later
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

// Past this many bytes of forms in all, preparing the one pass takes longer than it saves
// (a search's words field holds far fewer); the forms are then looked for one by one.
constexpr std::size_t kMaxOnePassBytes = 16 * 1024;

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

    // The forms in the order Find tries them: a later one counts only where the earlier
    // ones are absent.
    std::vector<const std::string *> FormsTried() const
    {
        std::vector<const std::string *> forms{&typed};
        if (wide && utf16Ok) {
            forms.push_back(&utf16);
            if (utf8Ok && !utf8SameAsTyped)
                forms.push_back(&utf8);
        }
        return forms;
    }

    // The first position of the first form that occurs in buffer[0 .. length), or -1, the
    // forms tried in the order of FormsTried.
    std::int64_t Find(const char *buffer, std::size_t length) const
    {
        std::int64_t position = FindBytes(buffer, length, typed);
        if (position < 0 && wide && utf16Ok) {
            position = FindBytes(buffer, length, utf16);
            if (position < 0 && utf8Ok && !utf8SameAsTyped)
                position = FindBytes(buffer, length, utf8);
        }
        return position;
    }
};

// What every matcher of the same words shares: the words (in phrase mode the phrase alone)
// and, for the one pass, each distinct form once in a set.
struct ContentMatcher::Prepared {
    std::vector<Word> targets;
    std::int32_t wordMode = kWordModeAny;
    bool phraseEmpty = true;
    std::size_t stepBack = 0;

    std::vector<std::string> patterns;             // the distinct forms that fit in a chunk
    std::vector<std::vector<std::size_t>> forms;   // per target, its patterns in the order tried
    std::vector<std::vector<std::size_t>> owners;  // per pattern, the targets it is a form of
    std::shared_ptr<const BytePatternSet> set;     // null: the forms are looked for one by one
    std::shared_ptr<const TextExpression> expression; // instead of the words, when set

    void PrepareOnePass()
    {
        forms.resize(targets.size());
        std::size_t bytes = 0;
        for (std::size_t target = 0; target < targets.size(); ++target) {
            for (const std::string *form : targets[target].FormsTried()) {
                if (form->empty())
                    return; // found at every position: nothing a set can look for
                if (form->size() > kContentChunkSize)
                    continue; // never within a chunk, so never found
                const auto known = std::find(patterns.begin(), patterns.end(), *form);
                const auto pattern = static_cast<std::size_t>(known - patterns.begin());
                if (known == patterns.end()) {
                    patterns.push_back(*form);
                    owners.emplace_back();
                    bytes += form->size();
                }
                forms[target].push_back(pattern);
                if (std::find(owners[pattern].begin(), owners[pattern].end(), target) == owners[pattern].end())
                    owners[pattern].push_back(target);
            }
        }
        // A single form is found faster on its own (FindBytes), and so is a huge list.
        if (patterns.size() >= 2 && bytes <= kMaxOnePassBytes)
            set = BytePatternSet::Make(patterns);
    }
};

// The one pass over a chunk: notes where each form occurs, and ends the scan as soon as
// what has been found decides the chunk whatever else it holds.
class ContentMatcher::ChunkPass final : public BytePatternSink {
public:
    ChunkPass(const Prepared &prepared, std::vector<std::size_t> &ends, const std::vector<bool> &seen,
              std::vector<bool> &present, std::size_t unseen)
        : prepared_(prepared), ends_(ends), seen_(seen), present_(present), unseen_(unseen)
    {
        if (prepared.wordMode != kWordModeAll) {
            // Any word or the phrase: the first word's typed form comes before all else.
            if (!prepared.forms.empty() && !prepared.forms.front().empty())
                decisive_ = prepared.forms.front().front();
            return;
        }
        // All words: the set completes with the last word not seen before, whose position
        // is that of its typed form once that is found.
        for (std::size_t target = seen.size(); target-- > 0;) {
            if (!seen[target]) {
                if (!prepared.forms[target].empty())
                    decisive_ = prepared.forms[target].front();
                break;
            }
        }
    }

    bool Occurs(std::size_t pattern, std::size_t end) override
    {
        ends_[pattern] = end;
        switch (prepared_.wordMode) {
        case kWordModeWithout:
            return false; // one word found is enough
        case kWordModeAll:
            for (std::size_t target : prepared_.owners[pattern]) {
                if (!seen_[target] && !present_[target]) {
                    present_[target] = true;
                    ++presentCount_;
                }
            }
            return !(presentCount_ == unseen_ && decisive_ != kNoPattern && ends_[decisive_] != 0);
        default:
            return pattern != decisive_;
        }
    }

private:
    static constexpr std::size_t kNoPattern = static_cast<std::size_t>(-1);

    const Prepared &prepared_;
    std::vector<std::size_t> &ends_;
    const std::vector<bool> &seen_;
    std::vector<bool> &present_;
    const std::size_t unseen_;
    std::size_t presentCount_ = 0;
    std::size_t decisive_ = kNoPattern;
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
    : ContentMatcher([&] {
          auto prepared = std::make_shared<Prepared>();
          prepared->wordMode = wordMode;
          prepared->phraseEmpty = phrase.empty();
          const bool wide = unicodeUtf8 && !hexadecimal;
          if (wordMode == kWordModePhrase) {
              prepared->targets.emplace_back(std::move(phrase), wide);
          } else {
              prepared->targets.reserve(wordList.size());
              for (std::string &word : wordList)
                  prepared->targets.emplace_back(std::move(word), wide);
          }
          // The step-back covers the longest form looked for, so an occurrence of any form
          // that straddles two chunks lies whole in the next one.
          const std::vector<Word> &targets = prepared->targets;
          if (wordMode == kWordModeAll) {
              prepared->stepBack = std::accumulate(targets.begin(), targets.end(), std::size_t{0},
                                                   [](std::size_t sum, const Word &word) { return sum + word.LongestForm(); });
          } else {
              for (const Word &word : targets)
                  prepared->stepBack = std::max(prepared->stepBack, word.LongestForm());
          }
          // Each chunk must move the offset forward; a form longer than a chunk is never found anyway.
          prepared->stepBack = std::min(prepared->stepBack, kContentChunkSize - 1);
          if (!prepared->phraseEmpty && KnownWordMode(wordMode))
              prepared->PrepareOnePass();
          return std::shared_ptr<const Prepared>(std::move(prepared));
      }())
{
}

ContentMatcher::ContentMatcher(std::shared_ptr<const TextExpression> expression, std::int32_t wordMode)
    : ContentMatcher([&] {
          auto prepared = std::make_shared<Prepared>();
          prepared->wordMode = wordMode == kWordModeWithout ? kWordModeWithout : kWordModeAny;
          prepared->phraseEmpty = false;
          prepared->stepBack = kExpressionOverlap;
          prepared->expression = std::move(expression);
          return prepared;
      }())
{
}

ContentMatcher::ContentMatcher(std::shared_ptr<const Prepared> prepared)
    : prepared_(std::move(prepared)), scanner_(prepared_->set), seen_(prepared_->targets.size()),
      ends_(prepared_->patterns.size()), present_(prepared_->targets.size())
{
}

ContentMatcher::~ContentMatcher() = default;

std::unique_ptr<ContentMatcher> ContentMatcher::ForAnotherThread() const
{
    return std::unique_ptr<ContentMatcher>(new (std::nothrow) ContentMatcher(prepared_));
}

std::vector<ContentFormBytes> ContentMatcher::FormsLookedFor() const
{
    std::vector<ContentFormBytes> forms;
    const auto add = [&forms](const std::string &bytes, ContentForm form) {
        if (bytes.empty())
            return;
        for (const ContentFormBytes &known : forms) {
            if (known.bytes == bytes)
                return;
        }
        forms.push_back(ContentFormBytes{bytes, form});
    };
    for (const Word &word : prepared_->targets)
        add(word.typed, ContentForm::Typed);
    for (const Word &word : prepared_->targets) {
        for (const std::string *form : word.FormsTried()) {
            if (form != &word.typed)
                add(*form, form == &word.utf16 ? ContentForm::Utf16Le : ContentForm::Utf8);
        }
    }
    return forms;
}

std::size_t ContentMatcher::StepBack() const
{
    return prepared_->stepBack;
}

ContentMatcher::ChunkOutcome ContentMatcher::TestExpression(const char *chunk, std::size_t length, bool continued,
                                                           bool final) const
{
    // The chunk's first and last bytes are context where the file goes on beyond them, so
    // that "^" and "$" never match at a border that is not one: a match at the last byte
    // is found in the next chunk, which repeats it, and the file's last chunk reaches its end.
    const std::int64_t found =
        prepared_->expression->FindFirst(std::string_view(chunk, length), continued ? 1 : 0, final ? length : length - 1);
    if (found < 0)
        return {};
    if (prepared_->wordMode == kWordModeWithout)
        return {true, kNoMatch};
    return {true, found};
}

ContentMatcher::ChunkOutcome ContentMatcher::TestChunk(std::int64_t chunkOffset, const char *chunk, std::size_t length)
{
    return OnePass() ? TestChunkInOnePass(chunkOffset, chunk, length) : TestChunkOneByOne(chunkOffset, chunk, length);
}

ContentMatcher::ChunkOutcome ContentMatcher::TestChunkOneByOne(std::int64_t chunkOffset, const char *chunk,
                                                               std::size_t length)
{
    const std::vector<Word> &targets = prepared_->targets;
    switch (prepared_->wordMode) {
    case kWordModeAll:
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (seen_[i])
                continue; // finding it again changes nothing
            const std::int64_t found = targets[i].Find(chunk, length);
            if (found >= 0) {
                seen_[i] = true;
                if (++seenCount_ == targets.size())
                    return {true, chunkOffset + found};
            }
        }
        return {};
    case kWordModeWithout:
        for (const Word &word : targets) {
            if (word.Find(chunk, length) >= 0)
                return {true, kNoMatch};
        }
        return {};
    default: // any word, or the phrase
        for (const Word &word : targets) {
            const std::int64_t found = word.Find(chunk, length);
            if (found >= 0)
                return {true, chunkOffset + found};
        }
        return {};
    }
}

ContentMatcher::ChunkOutcome ContentMatcher::TestChunkInOnePass(std::int64_t chunkOffset, const char *chunk,
                                                                std::size_t length)
{
    const Prepared &prepared = *prepared_;
    std::fill(ends_.begin(), ends_.end(), 0);
    std::fill(present_.begin(), present_.end(), false);
    ChunkPass pass(prepared, ends_, seen_, present_, prepared.targets.size() - seenCount_);
    if (!scanner_.Scan(chunk, length, pass))
        return TestChunkOneByOne(chunkOffset, chunk, length);

    // A target's position is that of its first form found; the scan told where one
    // occurrence of it ends, so its first occurrence lies before that end.
    const auto position = [&](std::size_t target, std::int64_t &at) {
        for (std::size_t pattern : prepared.forms[target]) {
            if (ends_[pattern] != 0) {
                at = chunkOffset + FindBytes(chunk, ends_[pattern], prepared.patterns[pattern]);
                return true;
            }
        }
        return false;
    };
    std::int64_t at = kNoMatch;
    switch (prepared.wordMode) {
    case kWordModeAll:
        for (std::size_t target = 0; target < prepared.targets.size(); ++target) {
            if (seen_[target] || !present_[target])
                continue;
            seen_[target] = true;
            if (++seenCount_ == prepared.targets.size() && position(target, at))
                return {true, at};
        }
        return {};
    case kWordModeWithout:
        if (std::any_of(ends_.begin(), ends_.end(), [](std::size_t end) { return end != 0; }))
            return {true, kNoMatch};
        return {};
    default:
        for (std::size_t target = 0; target < prepared.targets.size(); ++target) {
            if (position(target, at))
                return {true, at};
        }
        return {};
    }
}

std::int64_t ContentMatcher::Match(FileReader &file, std::int64_t start)
{
    const Prepared &prepared = *prepared_;
    if (prepared.phraseEmpty)
        return 0;
    if (!file.IsOpen() || !KnownWordMode(prepared.wordMode))
        return -1;
    if (!file.Seek(start))
        return -1;
    // Out of memory is "no match", never an exception out of the engine.
    if (!chunk_)
        chunk_.reset(new (std::nothrow) char[kContentChunkSize]);
    if (!chunk_)
        return -1;
    std::fill(seen_.begin(), seen_.end(), false);
    seenCount_ = 0;

    char *chunk = chunk_.get();
    const std::size_t stepBack = prepared.stepBack;
    std::int64_t chunkOffset = start;
    std::size_t carried = 0; // bytes at the front repeated from the previous chunk
    for (;;) {
        const std::int64_t read = file.Read(chunk + carried, kContentChunkSize - carried);
        if (read < 0)
            break;
        const std::size_t length = carried + static_cast<std::size_t>(read);
        if (prepared.expression) {
            const ChunkOutcome outcome = TestExpression(chunk, length, carried > 0, length < kContentChunkSize);
            if (outcome.decided)
                return outcome.decided && outcome.offset >= 0 ? chunkOffset + outcome.offset : kNoMatch;
        } else if (read > 0 || carried == 0) {
            // Carried bytes alone were searched with the previous chunk: nothing new to find.
            const ChunkOutcome outcome = TestChunk(chunkOffset, chunk, length);
            if (outcome.decided)
                return outcome.offset;
        }
        if (length < kContentChunkSize)
            break;
        // Instead of seeking back, keep the last step-back bytes at the front of the
        // buffer: the next chunk holds the same bytes as after a backward seek.
        std::memmove(chunk, chunk + length - stepBack, stepBack);
        carried = stepBack;
        chunkOffset += static_cast<std::int64_t>(length - stepBack);
        if (chunkCallback_ && !chunkCallback_())
            return -1;
    }
    return prepared.wordMode == kWordModeWithout ? 0 : -1;
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
