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
#include "text/code_page.h"

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

constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kNearBorder = kContentChunkSize - 256;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The forms a word is looked for in, in the order they are tried: typed, then (with the
// other forms) its UTF-16 little-endian bytes when it converts, then its UTF-8 bytes when
// those convert and differ from the typed ones.
struct Forms {
    std::vector<std::string> forms;
    std::size_t longest = 0;
};

Forms FormsOf(const std::string &word, bool wide)
{
    Forms result;
    result.forms.push_back(word);
    std::size_t longest = word.size();
    std::u16string units;
    if (wide && sifter::CodePageToUtf16(word, units)) {
        const std::string utf16 = sifter::Utf16LittleEndianBytes(units);
        result.forms.push_back(utf16);
        longest = std::max(longest, utf16.size());
        std::string utf8;
        if (sifter::Utf16ToUtf8(units, utf8)) {
            longest = std::max(longest, utf8.size());
            if (utf8 != word)
                result.forms.push_back(utf8);
        }
    }
    result.longest = longest;
    return result;
}

// The first position of needle in hay, by the standard library's search (not the
// matcher's own); -1 when it is not there.
std::int64_t PlainFind(std::string_view hay, std::string_view needle)
{
    const std::size_t at = hay.find(needle);
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at);
}

std::int64_t FindForms(std::string_view chunk, const Forms &word)
{
    for (const std::string &form : word.forms) {
        const std::int64_t found = PlainFind(chunk, form);
        if (found >= 0)
            return found;
    }
    return -1;
}

// The matcher's contract done the plain way: chunks of kContentChunkSize bytes, each
// repeating the step-back bytes of the one before, read until one comes short.
std::int64_t ChunkedReference(std::string_view data, const std::string &phrase, const std::vector<std::string> &words,
                              int mode, bool wide)
{
    if (phrase.empty())
        return 0;
    std::vector<Forms> forms;
    std::size_t longest = 0;
    std::size_t sum = 0;
    for (const std::string &word : words) {
        forms.push_back(FormsOf(word, wide));
        longest = std::max(longest, forms.back().longest);
        sum += forms.back().longest;
    }
    const Forms phraseForms = FormsOf(phrase, wide);
    std::size_t stepBack = mode == sifter::kWordModeAll ? sum : mode == sifter::kWordModePhrase ? phraseForms.longest : longest;
    stepBack = std::min(stepBack, kContentChunkSize - 1);
    std::vector<bool> seen(words.size(), false);
    std::size_t seenCount = 0;
    for (std::size_t start = 0;; start += kContentChunkSize - stepBack) {
        const std::string_view chunk = data.substr(std::min(start, data.size()), kContentChunkSize);
        const auto at = [start](std::int64_t found) { return static_cast<std::int64_t>(start) + found; };
        switch (mode) {
        case sifter::kWordModeAny:
            for (const Forms &word : forms) {
                if (const std::int64_t found = FindForms(chunk, word); found >= 0)
                    return at(found);
            }
            break;
        case sifter::kWordModeAll:
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
        case sifter::kWordModePhrase:
            if (const std::int64_t found = FindForms(chunk, phraseForms); found >= 0)
                return at(found);
            break;
        default:
            for (const Forms &word : forms) {
                if (FindForms(chunk, word) >= 0)
                    return -1;
            }
            break;
        }
        if (chunk.size() < kContentChunkSize)
            break;
    }
    return mode == sifter::kWordModeWithout ? 0 : -1;
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
