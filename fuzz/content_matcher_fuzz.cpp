// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds words and file contents to the content matcher and compares its match offset with
// a plain scan of the same bytes: the chunks and their overlap as the matcher's contract
// describes them, each searched with the standard library's search; and for a single word
// without its other forms, the first place anywhere in the file. The input:
//   byte 0   bits 0-1 the word mode, bit 2 the UTF-16/UTF-8 forms, bit 3 hexadecimal,
//            bit 4 a padding near a chunk's length, which puts what follows it across
//            the border between chunks (bit 5: across the second border)
//   byte 1-2 the padding's length beyond that, little-endian; byte 3 its byte
//   then the words text, a NUL, and the file's bytes, the padding put in their middle.
#include "fs/file_reader.h"
#include "search/content_matcher.h"
#include "search/search_criteria.h"
#include "search/split_list.h"
#include "support/content_reference.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

using sifter::kContentChunkSize;
using sifter::test::ChunkedReference;
using sifter::test::PlainFind;

constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kNearBorder = kContentChunkSize - 256;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// A file of the bytes, made once and rewritten for each input.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("content_matcher_fuzz", MFD_CLOEXEC)) {}
    ~MemoryFile() { close(fd_); }
    // The file's path after it was made to hold data; empty when that failed.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    const int mode = bytes[0] & 3;
    const bool unicode = (bytes[0] & 4) != 0;
    const bool hexadecimal = (bytes[0] & 8) != 0;
    std::size_t padding = bytes[1] | (std::size_t{bytes[2]} << 8);
    if (bytes[0] & 16)
        padding += kNearBorder;
    if (bytes[0] & 32)
        padding += kContentChunkSize;
    const std::string_view rest(reinterpret_cast<const char *>(bytes) + kHeaderBytes, size - kHeaderBytes);
    const std::size_t cut = rest.find('\0');
    const std::string phrase(rest.substr(0, cut));
    const std::string_view content = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    std::string data(content.substr(0, content.size() / 2));
    data.append(padding, static_cast<char>(bytes[3]));
    data.append(content.substr(content.size() / 2));

    // The words as a run splits them; hexadecimal ones are bytes already.
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
    const bool wide = unicode && !hexadecimal;
    Check(found == ChunkedReference(data, phrase, words, mode, wide));

    // One word, or the phrase, without other forms: the first place in the whole file.
    const bool single = mode == sifter::kWordModePhrase || (mode == sifter::kWordModeAny && words.size() == 1);
    if (!wide && single && !phrase.empty() && phrase.size() < kContentChunkSize)
        Check(found == PlainFind(data, mode == sifter::kWordModePhrase ? phrase : words.front()));
    return 0;
}
