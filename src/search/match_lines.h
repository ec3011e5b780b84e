// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a file matched: the lines that hold the matches of a content test, with context
// lines, or for a binary file the matching stretches of bytes. Reads only what it shows:
// it starts near the match the search found, never reading the whole file to count lines.
#include "fs/file_reader.h"
#include "search/content_matcher.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sifter {

// Line numbers are counted from the start of the file only when the search's match lies
// within this many bytes of it; past it the scan starts kMatchLeadBytes before the match
// and lines are headed by their offsets.
inline constexpr std::int64_t kCountedLinesBytes = 16 * 1024 * 1024;
inline constexpr std::int64_t kMatchLeadBytes = 64 * 1024;
// The scan reads at most this many bytes after its start, so a preview stays quick.
inline constexpr std::int64_t kMatchScanBytes = 64 * 1024 * 1024;
// A NUL byte within this many bytes of the start makes a file binary.
inline constexpr std::size_t kBinaryTestBytes = 8 * 1024;
// Bytes of a hex stretch on each side of its match, as whole 16-byte rows.
inline constexpr std::int64_t kHexRowBytes = 16;

// A marked stretch of a shown text: bytes [begin, begin + length).
struct LineMark {
    std::size_t begin = 0;
    std::size_t length = 0;
};

struct MatchLine {
    std::int64_t number = 0;       // from 1; 0 where lines are not counted (show offset)
    std::int64_t offset = 0;       // file offset of the line's first byte
    std::int64_t matchOffset = -1; // file offset of its first match; -1 on a context line
    ContentForm form = ContentForm::Typed;
    std::string text;              // the shown part, without the line end; UTF-16 as UTF-8
    bool cutBefore = false;        // the line starts before text
    bool cutAfter = false;         // and goes on after it
    bool gapBefore = false;        // lines were left out between this line and the last
    std::vector<LineMark> marks;   // in text; empty on a context line
};

// A stretch of a binary file around matches: whole 16-byte rows from offset.
struct HexStretch {
    std::int64_t offset = 0;
    std::string bytes;
    std::vector<LineMark> marks; // in bytes
};

struct MatchLinesOptions {
    std::size_t context = 1;     // lines shown before and after each match line
    std::size_t maxLines = 1000; // match lines (or hex stretches) kept; more are counted
    std::size_t lineBytes = 1024; // at most this much of a line is kept, around its match
};

struct FileMatches {
    bool binary = false;
    bool numbered = false;        // line numbers counted from the file's start
    bool complete = false;        // read to the end (else stopped at kMatchScanBytes)
    bool movedMatch = false;      // the search's match was not where it was found
    std::int64_t matchCount = 0;  // occurrences in what was read
    std::int64_t moreLines = 0;   // match lines (or stretches) found past maxLines
    std::vector<MatchLine> lines; // in file order
    std::vector<HexStretch> stretches;
};

// Fills out with the matches of matcher in file, the search having found one at
// firstMatch (0 when unknown). keepGoing, when set, is asked before each chunk; false
// from it, a file that is not open, or a failed seek give false.
bool FindMatchLines(FileReader &file, const ContentMatcher &matcher, std::int64_t firstMatch,
                    const MatchLinesOptions &options, FileMatches &out,
                    const std::function<bool()> &keepGoing = {});

// Whether bytes hold a NUL byte (a binary file, when they are its first kBinaryTestBytes).
bool HoldsNul(std::string_view bytes);
// Whether bytes are well-formed UTF-8, a character cut at either end allowed.
bool ReadsAsText(std::string_view bytes);

// The first count lines of a text file, each cut to lineBytes, numbered from 1; false
// when the file cannot be read or is binary (a NUL byte or invalid text in its start).
bool ReadFirstLines(FileReader &file, std::size_t count, std::size_t lineBytes, std::vector<MatchLine> &out);

} // namespace sifter
