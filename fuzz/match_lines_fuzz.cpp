// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds words and file contents to FindMatchLines, with the offset the search would have
// found or one a result file could hold (anything), and checks what it gives: marks within
// their texts, lines in file order and no longer than asked, line breaks never inside a
// line; and for one word without other forms in a text file, the numbers of the lines that
// hold it against a plain split of the bytes into lines. The input:
//   byte 0   bits 0-1 the word mode, bit 2 the UTF-16/UTF-8 forms, bit 3 hexadecimal,
//            bit 4 the match offset taken from bytes 1-2 instead of the matcher's
//   byte 1-2 that offset, little-endian; byte 3 the context lines (0-3)
//   then the words text, a NUL, and the file's bytes.
#include "fs/file_reader.h"
#include "search/content_matcher.h"
#include "search/match_lines.h"
#include "search/search_criteria.h"
#include "search/split_list.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kMostContext = 3;
constexpr std::size_t kLineBytes = 64; // small, so that cutting lines is exercised

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("match_lines_fuzz", MFD_CLOEXEC)) {}
    ~MemoryFile() { close(fd_); }
    std::string Hold(std::string_view data)
    {
        if (fd_ < 0 || ftruncate(fd_, 0) != 0 ||
            pwrite(fd_, data.data(), data.size(), 0) != static_cast<ssize_t>(data.size()))
            return {};
        return "/proc/self/fd/" + std::to_string(fd_);
    }

private:
    int fd_;
};

// The numbers of the lines (ended by LF, CRLF or CR) in which word begins.
std::set<std::int64_t> LinesHolding(std::string_view data, std::string_view word)
{
    std::set<std::int64_t> numbers;
    std::int64_t number = 1;
    for (std::size_t start = 0; start <= data.size();) {
        std::size_t end = data.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = data.size();
        for (std::size_t at = data.find(word, start); at != std::string_view::npos && at < end; at = data.find(word, at + 1)) {
            numbers.insert(number);
            break;
        }
        if (end == data.size())
            break;
        start = end + (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n' ? 2 : 1);
        ++number;
    }
    return numbers;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    const int mode = bytes[0] & 3;
    const bool unicode = (bytes[0] & 4) != 0;
    const bool hexadecimal = (bytes[0] & 8) != 0;
    const bool givenOffset = (bytes[0] & 16) != 0;
    const std::int64_t offset = bytes[1] | (std::int64_t{bytes[2]} << 8);
    const std::size_t context = bytes[3] % (kMostContext + 1);
    const std::string_view rest(reinterpret_cast<const char *>(bytes) + kHeaderBytes, size - kHeaderBytes);
    const std::size_t cut = rest.find('\0');
    const std::string phrase(rest.substr(0, cut));
    const std::string_view data = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (phrase.empty())
        return 0;
    std::vector<std::string> words;
    sifter::SplitList(phrase, ' ', words);

    static MemoryFile file;
    const std::string path = file.Hold(data);
    if (path.empty())
        return 0;
    sifter::FileReader reader;
    Check(reader.Open(path));
    sifter::ContentMatcher matcher(phrase, words, mode, unicode, hexadecimal);
    const std::int64_t found = matcher.Match(reader, 0);
    sifter::MatchLinesOptions options;
    options.context = context;
    options.lineBytes = kLineBytes;
    sifter::FileMatches matches;
    Check(sifter::FindMatchLines(reader, matcher, givenOffset ? offset : found, options, matches));

    std::int64_t lastOffset = -1;
    std::size_t matchLines = 0;
    for (const sifter::MatchLine &line : matches.lines) {
        Check(line.offset >= lastOffset);
        lastOffset = line.offset;
        if (line.form == sifter::ContentForm::Utf16Le) {
            // Units on both sides of the word, each at most 3 bytes of UTF-8.
            Check(line.text.size() <= (2 * kLineBytes + phrase.size()) * 3);
        } else {
            Check(line.text.size() <= kLineBytes);
            Check(line.text.find_first_of("\r\n") == std::string::npos || hexadecimal);
        }
        for (const sifter::LineMark &mark : line.marks)
            Check(mark.length > 0 && mark.begin + mark.length <= line.text.size());
        matchLines += line.marks.empty() ? 0 : 1;
    }
    Check(matchLines <= static_cast<std::size_t>(matches.matchCount));
    for (const sifter::HexStretch &stretch : matches.stretches) {
        Check(stretch.offset % sifter::kHexRowBytes == 0);
        for (const sifter::LineMark &mark : stretch.marks)
            Check(mark.begin + mark.length <= stretch.bytes.size());
    }

    const bool single = mode == sifter::kWordModeAny && words.size() == 1 && (!unicode || hexadecimal);
    const std::string &word = words.empty() ? phrase : words.front();
    if (single && !matches.binary && word.find_first_of("\r\n") == std::string::npos) {
        std::set<std::int64_t> numbers;
        for (const sifter::MatchLine &line : matches.lines) {
            if (!line.marks.empty())
                numbers.insert(line.number);
        }
        Check(numbers == LinesHolding(data, word));
    }
    return 0;
}
