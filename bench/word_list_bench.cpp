// SPDX-License-Identifier: GPL-3.0-or-later
// Times the content test of 1, 5 and 30 words found nowhere (so every byte is read), each
// word with its UTF-16 form as a search looks for it, over every regular file of the
// folders given, warm: ContentMatcher's one pass over each chunk next to the same chunks
// searched form by form with FindBytes (how each form was looked for before), both on one
// thread; then whole runs (RunSearch, its default threads) next to grep -rlF and, where
// installed, rg -lF; then the same scans over the folder's bytes in one file in memory.
// Last, how long preparing the one pass takes. Not a test: it only prints
// figures, each beside its peer of the same run and their ratio.
//
//   word_list_bench [--runs N] [FOLDER...]   (default: the search_bench tree and /usr/share)
#include "fs/file_reader.h"
#include "search/byte_search.h"
#include "search/content_matcher.h"
#include "search/file_search.h"
#include "search/search_criteria.h"
#include "search/text_field.h"
#include "bench_timing.h"
#include "text/code_page.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

namespace fs = std::filesystem;

constexpr int kWordCounts[] = {1, 5, 30};
constexpr const char *kDefaultTree = "/tmp/sifter-bench-1/tree";
constexpr const char *kDefaultReal = "/usr/share";
// How much of a folder the scan-alone figures hold in memory.
constexpr std::uint64_t kScanBytes = 256ULL * 1000 * 1000;
// Words people type, made absent by their ending (no file of the trees holds them).
constexpr const char *kStems[] = {
    "report", "budget", "server", "window", "string", "buffer", "thread", "handle", "object", "option",
    "result", "number", "folder", "format", "device", "signal", "parent", "source", "header", "import",
    "length", "return", "module", "config", "table",  "figure", "manual", "index",  "letter", "memo",
};

struct Words {
    std::vector<std::string> list;
    std::string phrase;
};

Words AbsentWords(int count)
{
    Words words;
    for (int i = 0; i < count; ++i) {
        words.list.push_back(std::string(kStems[i]) + "Qz" + std::to_string(7 + i));
        words.phrase += (words.phrase.empty() ? "" : " ") + words.list.back();
    }
    return words;
}

std::vector<std::string> RegularFiles(const std::vector<std::string> &folders, std::uint64_t &bytes)
{
    std::vector<std::string> files;
    bytes = 0;
    for (const std::string &folder : folders) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
             it != end; it.increment(error)) {
            if (error)
                break;
            if (it->is_symlink(error) || !it->is_regular_file(error))
                continue;
            bytes += it->file_size(error);
            files.push_back(it->path().string());
        }
    }
    return files;
}

// The content test as it was: for each chunk, each word's forms in turn (typed, UTF-16,
// UTF-8 where it differs), every chunk repeating the longest form's bytes of the last.
std::int64_t MatchFormByForm(FileReader &file, const std::vector<std::vector<std::string>> &forms,
                             std::size_t stepBack, std::vector<char> &chunk)
{
    std::int64_t chunkOffset = 0;
    std::size_t carried = 0;
    for (;;) {
        const std::int64_t read = file.Read(chunk.data() + carried, kContentChunkSize - carried);
        if (read < 0)
            return -1;
        const std::size_t length = carried + static_cast<std::size_t>(read);
        for (const std::vector<std::string> &word : forms) {
            for (const std::string &form : word) {
                const std::int64_t found = FindBytes(chunk.data(), length, form);
                if (found >= 0)
                    return chunkOffset + found;
            }
        }
        if (length < kContentChunkSize)
            return -1;
        std::memmove(chunk.data(), chunk.data() + length - stepBack, stepBack);
        carried = stepBack;
        chunkOffset += static_cast<std::int64_t>(length - stepBack);
    }
}

std::vector<std::vector<std::string>> FormsOf(const std::vector<std::string> &words, bool wide, std::size_t &longest)
{
    std::vector<std::vector<std::string>> forms;
    longest = 0;
    for (const std::string &word : words) {
        std::vector<std::string> own{word};
        std::u16string units;
        if (wide && CodePageToUtf16(word, units)) {
            own.push_back(Utf16LittleEndianBytes(units));
            std::string utf8;
            if (Utf16ToUtf8(units, utf8) && utf8 != word)
                own.push_back(utf8);
        }
        for (const std::string &form : own)
            longest = std::max(longest, form.size());
        forms.push_back(std::move(own));
    }
    return forms;
}

// The whole engine on the folder: a run of the words in any-word mode, default threads.
std::size_t RunEngine(const std::string &folder, const Words &words)
{
    FileSearch search;
    SetTextField(search.criteria.folders, folder);
    SetTextField(search.criteria.words, words.phrase);
    search.criteria.wordMode = kWordModeAny;
    search.SetRunning(true);
    search.RunSearch(SearchSinks{});
    search.SetRunning(false);
    return search.CountFoundFiles();
}

std::string GrepCommand(const char *tool, const std::string &folder, const Words &words)
{
    std::string command = tool;
    for (const std::string &word : words.list)
        command += " -e " + word;
    return command + " " + folder + " > /dev/null 2>&1";
}

bool Installed(const char *program)
{
    return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

// The scan alone: the folder's first bytes in one file held in memory, so that opening
// files weighs nothing; also one word without its other forms, a single form, which both
// sides look for with FindBytes.
void BenchScanOnly(const std::vector<std::string> &files, int runs)
{
    const int memory = memfd_create("word_list_bench", MFD_CLOEXEC);
    std::uint64_t held = 0;
    std::vector<char> buffer(1 << 20);
    for (const std::string &path : files) {
        FileReader reader;
        if (held >= kScanBytes || !reader.Open(path))
            continue;
        for (std::int64_t got; (got = reader.Read(buffer.data(), buffer.size())) > 0;) {
            if (write(memory, buffer.data(), static_cast<std::size_t>(got)) != got)
                break;
            held += static_cast<std::uint64_t>(got);
        }
    }
    const std::string path = "/proc/self/fd/" + std::to_string(memory);
    std::printf("  the scan alone, %.1f MB in one file in memory:\n", static_cast<double>(held) / 1e6);
    struct Row {
        int count;
        bool wide;
    };
    for (const Row row : {Row{1, false}, Row{1, true}, Row{5, true}, Row{30, true}}) {
        const Words words = AbsentWords(row.count);
        ContentMatcher matcher(words.phrase, words.list, kWordModeAny, row.wide, false);
        std::size_t longest = 0;
        const std::vector<std::vector<std::string>> forms = FormsOf(words.list, row.wide, longest);
        std::vector<char> chunk(kContentChunkSize);
        std::vector<double> onePass, formByForm;
        for (int round = 0; round <= runs; ++round) {
            FileReader first;
            FileReader second;
            if (!first.Open(path) || !second.Open(path))
                break;
            double a = 0, b = 0;
            RunInTurn(
                round, [&] { a = Seconds([&] { (void)matcher.Match(first, 0); }); },
                [&] { b = Seconds([&] { (void)MatchFormByForm(second, forms, longest, chunk); }); });
            if (round > 0) {
                onePass.push_back(a);
                formByForm.push_back(b);
            }
        }
        if (onePass.empty())
            break;
        const double a = Median(onePass), b = Median(formByForm);
        std::printf("  %-2d %-13s %s %6.3f s %5.2f GB/s      %6.3f s %5.2f GB/s      %5.2fx\n", row.count,
                    row.wide ? "word(s)+forms" : "word, typed", matcher.OnePass() ? "one pass" : "one form", a,
                    static_cast<double>(held) / a / 1e9, b, static_cast<double>(held) / b / 1e9, b / a);
    }
    close(memory);
}

void BenchFolder(const std::string &folder, int runs)
{
    std::uint64_t bytes = 0;
    const std::vector<std::string> files = RegularFiles({folder}, bytes);
    std::printf("\n%s: %zu files, %.1f MB; %u cores; medians of %d warm runs, taking turns\n", folder.c_str(),
                files.size(), static_cast<double>(bytes) / 1e6, std::thread::hardware_concurrency(), runs);
    std::printf("  %-6s %-24s %-24s %-7s %-14s %-14s %-14s %s\n", "words", "one pass (1 thread)",
                "form by form (1 thread)", "ratio", "RunSearch", "grep -rlF", "rg -lF", "RunSearch / grep, / rg");
    const bool haveRg = Installed("rg");
    double onePassOfOne = 0, onePassOfMost = 0;
    double engineOfOne = 0, engineOfMost = 0;
    for (int count : kWordCounts) {
        const Words words = AbsentWords(count);
        ContentMatcher matcher(words.phrase, words.list, kWordModeAny, true, false);
        std::size_t longest = 0;
        const std::vector<std::vector<std::string>> forms = FormsOf(words.list, true, longest);
        std::vector<char> chunk(kContentChunkSize);
        std::int64_t onePassFound = 0;
        std::int64_t formFound = 0;
        std::vector<double> onePass, formByForm, engine, grep, rg;
        for (int round = 0; round <= runs; ++round) { // round 0 warms the cache, untimed
            double a = 0, b = 0;
            RunInTurn(
                round,
                [&] {
                    a = Seconds([&] {
                        for (const std::string &path : files) {
                            FileReader reader;
                            if (reader.Open(path))
                                onePassFound += matcher.Match(reader, 0) >= 0;
                        }
                    });
                },
                [&] {
                    b = Seconds([&] {
                        for (const std::string &path : files) {
                            FileReader reader;
                            if (reader.Open(path))
                                formFound += MatchFormByForm(reader, forms, longest, chunk) >= 0;
                        }
                    });
                });
            const double c = Seconds([&] { RunEngine(folder, words); });
            const double d = Seconds([&] { (void)std::system(GrepCommand("grep -rlF", folder, words).c_str()); });
            const double e = haveRg ? Seconds([&] {
                (void)std::system(GrepCommand("rg -lF --no-ignore --hidden -a", folder, words).c_str());
            })
                                    : 0;
            if (round == 0)
                continue;
            onePass.push_back(a);
            formByForm.push_back(b);
            engine.push_back(c);
            grep.push_back(d);
            rg.push_back(e);
        }
        const double a = Median(onePass), b = Median(formByForm), c = Median(engine), d = Median(grep), e = Median(rg);
        (count == kWordCounts[0] ? onePassOfOne : onePassOfMost) = a;
        (count == kWordCounts[0] ? engineOfOne : engineOfMost) = c;
        std::printf("  %-6d %6.3f s %5.2f GB/s      %6.3f s %5.2f GB/s      %5.2fx  %7.3f s      %7.3f s      ", count,
                    a, static_cast<double>(bytes) / a / 1e9, b, static_cast<double>(bytes) / b / 1e9, b / a, c, d);
        if (haveRg)
            std::printf("%7.3f s      %.2f, %.2f\n", e, c / d, c / e);
        else
            std::printf("not installed  %.2f\n", c / d);
        if (onePassFound != 0 || formFound != 0)
            std::printf("  (a word was found after all: %lld and %lld files)\n", static_cast<long long>(onePassFound),
                        static_cast<long long>(formFound));
    }
    std::printf("  %d words / %d word: one pass %.2f, RunSearch %.2f\n", kWordCounts[2], kWordCounts[0],
                onePassOfMost / onePassOfOne, engineOfMost / engineOfOne);
    BenchScanOnly(files, runs);
}

// Preparing is per run (the workers share it): the cost of the largest lists a words field holds.
void BenchPreparing()
{
    struct Case {
        const char *label;
        Words words;
    };
    std::vector<Case> cases{{"1 word", AbsentWords(1)}, {"30 words", AbsentWords(30)}};
    Words letters; // a full words field of one-letter words: the most forms it can give
    for (int i = 0; letters.phrase.size() + 2 < kCriteriaWordsSize; ++i) {
        letters.list.emplace_back(1, static_cast<char>(0x21 + i % 94));
        if (std::find(letters.list.begin(), letters.list.end() - 1, letters.list.back()) != letters.list.end() - 1) {
            letters.list.back() += static_cast<char>(0x21 + i / 94);
        }
        letters.phrase += (letters.phrase.empty() ? "" : " ") + letters.list.back();
    }
    cases.push_back({"a full words field", letters});
    std::printf("\npreparing the one pass (median of 5):\n");
    for (const Case &c : cases) {
        std::vector<double> times;
        bool onePass = false;
        for (int i = 0; i < 5; ++i)
            times.push_back(Seconds([&] {
                ContentMatcher matcher(c.words.phrase, c.words.list, kWordModeAny, true, false);
                onePass = matcher.OnePass();
            }));
        std::printf("  %-20s %3zu words  %7.2f ms%s\n", c.label, c.words.list.size(), Median(times) * 1e3,
                    onePass ? "" : " (form by form)");
    }
}

int Main(int argc, char **argv)
{
    int runs = 3;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "usage: word_list_bench [--runs N] [FOLDER...]\n");
            return 2;
        } else {
            folders.emplace_back(argv[i]);
        }
    }
    if (folders.empty()) {
        for (const char *folder : {kDefaultTree, kDefaultReal}) {
            if (fs::is_directory(folder))
                folders.emplace_back(folder);
            else
                std::printf("%s: not there, skipped (search_bench makes the tree)\n", folder);
        }
    }
    for (const std::string &folder : folders)
        BenchFolder(folder, runs);
    BenchPreparing();
    return 0;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
