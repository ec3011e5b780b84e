// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The content test: whether an open file holds the words (any, all, the exact phrase, or
// none of them) and at which file offset, reading 65,535-byte chunks that overlap.
#include "fs/file_reader.h"
#include "search/byte_set_search.h"
#include "search/text_expression.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

inline constexpr std::size_t kContentChunkSize = 65535;
inline constexpr std::int64_t kNoMatch = -1;

// Which form of a word an occurrence is in: as typed (or decoded from hexadecimal), its
// UTF-16 little-endian form, or its UTF-8 form.
enum class ContentForm : std::uint8_t { Typed, Utf16Le, Utf8 };

// One byte string the matcher looks for, and the form it is.
struct ContentFormBytes {
    std::string bytes;
    ContentForm form = ContentForm::Typed;
};

// The first position of word in buffer[0 .. length) plus chunkOffset, or -1. With wide
// set and the typed form absent, the word's UTF-16 little-endian form (at any byte
// position) and then its UTF-8 form are looked for. Comparisons are exact bytes.
std::int64_t FindInBuffer(std::int64_t chunkOffset, const char *buffer, std::size_t length,
                          std::string_view word, bool wide);

// Words prepared once (their UTF-16 and UTF-8 forms, the step-back) for many files. Two
// or more forms in all are looked for in one pass over each chunk; the outcome is the
// same as looking for each form in turn, as FindInBuffer does.
class ContentMatcher {
public:
    // wordMode is kWordMode*; words are the (decoded) word list, phrase the whole text.
    // The UTF-16 and UTF-8 forms are looked for when unicodeUtf8 is set and hexadecimal
    // is not.
    ContentMatcher(std::string phrase, std::vector<std::string> wordList, std::int32_t wordMode,
                   bool unicodeUtf8, bool hexadecimal);
    // One regular expression instead of words: word mode 3 (without) matches a file in which
    // it matches nowhere, any other mode one in which it matches, at its first match. The
    // bytes are searched as they are (UTF-8 or single-byte text, no UTF-16 form); a match
    // across a chunk border is found when it is at most kExpressionOverlap bytes long.
    ContentMatcher(std::shared_ptr<const TextExpression> expression, std::int32_t wordMode);
    ~ContentMatcher();
    ContentMatcher(const ContentMatcher &) = delete;
    ContentMatcher &operator=(const ContentMatcher &) = delete;
    // A matcher of the same words for another thread: it shares what was prepared and has
    // buffers of its own, and no chunk callback. Null when out of memory.
    std::unique_ptr<ContentMatcher> ForAnotherThread() const;

    // The match offset, or -1. Empty phrase: 0. A file that is not open or cannot be
    // positioned at start: -1 in every mode. Mode 3 gives 0 when no word occurs.
    std::int64_t Match(FileReader &file, std::int64_t start);
    // Bytes that each chunk repeats of the previous one: the longest form looked for
    // (for all-words mode the sum of each word's longest form), below the chunk size.
    std::size_t StepBack() const;
    // Every distinct non-empty byte string looked for (in phrase mode the phrase's forms),
    // each once, a typed form before an equal other form.
    std::vector<ContentFormBytes> FormsLookedFor() const;
    // Whether the forms are looked for in one pass (else one by one, as for a single form).
    bool OnePass() const { return scanner_.Ready(); }
    // Called before each chunk after the first; returning false abandons the file (-1), so
    // a run can dispatch events and notice Stop while a large file is read.
    void SetChunkCallback(std::function<bool()> callback) { chunkCallback_ = std::move(callback); }

private:
    struct Word;
    struct Prepared;
    class ChunkPass;
    // What one chunk decides: the file's outcome, or nothing yet.
    struct ChunkOutcome {
        bool decided = false;
        std::int64_t offset = kNoMatch;
    };

    explicit ContentMatcher(std::shared_ptr<const Prepared> prepared);
    ChunkOutcome TestChunk(std::int64_t chunkOffset, const char *chunk, std::size_t length);
    // The expression over one chunk: continued when it repeats bytes of the one before,
    // final when the file ends with it; a match's offset is within the chunk.
    ChunkOutcome TestExpression(const char *chunk, std::size_t length, bool continued, bool final) const;
    ChunkOutcome TestChunkOneByOne(std::int64_t chunkOffset, const char *chunk, std::size_t length);
    ChunkOutcome TestChunkInOnePass(std::int64_t chunkOffset, const char *chunk, std::size_t length);

    std::shared_ptr<const Prepared> prepared_;
    BytePatternScanner scanner_;
    std::unique_ptr<char[]> chunk_;
    // Per file (all-words mode): the words found in earlier chunks.
    std::vector<bool> seen_;
    std::size_t seenCount_ = 0;
    // Per chunk of the one pass: for each form, where one occurrence ends (0: none), and
    // in all-words mode which words not seen before occur.
    std::vector<std::size_t> ends_;
    std::vector<bool> present_;
    std::function<bool()> chunkCallback_;
};

// One-off form of ContentMatcher::Match; file may be null (no match).
std::int64_t MatchFileContent(FileReader *file, const std::string &phrase,
                              const std::vector<std::string> &wordList, std::int32_t wordMode,
                              std::int64_t start, bool unicodeUtf8, bool hexadecimal);

} // namespace sifter
