// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the Exclude criterion and the regular expressions, on the tree search_bench
// makes: a search that excludes the tree's largest subfolder against one of a copy of the
// tree without it; name expressions against the wildcard patterns they stand for; words
// expressions with a literal prefix against the plain word; and RE2 against PCRE2 (JIT,
// with match limits) over the tree's text files, hostile expressions included.
//   criteria_bench [--scale F] [--runs N] [TREE]
#define PCRE2_CODE_UNIT_WIDTH 8
#include "bench_timing.h"
#include "search/file_search.h"
#include "search/text_expression.h"
#include "search/text_field.h"
#include "tree_options.h"

#include <pcre2.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sifter {
namespace {

namespace fs = std::filesystem;

double TimeSearch(const TreeBenchOptions &options, const std::string &folders, const std::string &names,
                  const std::string &words, const ExtraCriteria &extras, std::size_t &found)
{
    std::vector<double> times;
    for (int run = 0; run < options.runs; ++run) {
        FileSearch search;
        search.SetTypeNamesWanted(false);
        SetTextField(search.criteria.names, names);
        SetTextField(search.criteria.words, words);
        SetTextField(search.criteria.folders, folders);
        search.extras = extras;
        search.SetRunning(true);
        times.push_back(Seconds([&] { search.RunSearch(SearchSinks{}); }));
        found = search.CountFoundFiles();
    }
    return Median(times);
}

// The largest folder right below the root, by entries.
fs::path LargestSubfolder(const fs::path &root)
{
    fs::path largest;
    std::size_t most = 0;
    for (const auto &entry : fs::directory_iterator(root)) {
        if (!entry.is_directory() || entry.is_symlink())
            continue;
        std::size_t count = 0;
        for (auto it = fs::recursive_directory_iterator(entry.path()); it != fs::recursive_directory_iterator(); ++it)
            ++count;
        if (count > most) {
            most = count;
            largest = entry.path();
        }
    }
    return largest;
}

// The tree without one folder, as hard links beside it (made once).
std::string TreeWithout(const fs::path &root, const fs::path &left)
{
    const fs::path copy = root.string() + "-without-" + left.filename().string();
    if (!fs::exists(copy)) {
        fs::create_directories(copy);
        for (const auto &entry : fs::directory_iterator(root)) {
            if (entry.path() != left)
                fs::copy(entry.path(), copy / entry.path().filename(),
                         fs::copy_options::recursive | fs::copy_options::create_hard_links);
        }
    }
    return copy.string();
}

void Line(const char *what, double seconds, std::size_t found, double base)
{
    std::printf("  %-44s %8.1f ms %7zu found  %5.2fx\n", what, seconds * 1000, found, seconds / base);
}

void ExclusionFigures(const TreeBenchOptions &options, const fs::path &tree)
{
    const fs::path largest = LargestSubfolder(tree);
    const std::string without = TreeWithout(tree, largest);
    std::size_t found = 0;
    std::printf("Exclude (%s, names *.txt):\n", largest.filename().c_str());
    const double plain = TimeSearch(options, without, "*.txt", "", {}, found);
    Line("tree without the folder", plain, found, plain);
    ExtraCriteria byPath;
    byPath.excludes = largest.string();
    Line("whole tree, folder excluded by path", TimeSearch(options, tree.string(), "*.txt", "", byPath, found),
         found, plain);
    ExtraCriteria byName;
    byName.excludes = largest.filename().string();
    Line("whole tree, folder excluded by name", TimeSearch(options, tree.string(), "*.txt", "", byName, found),
         found, plain);
    Line("whole tree, nothing excluded", TimeSearch(options, tree.string(), "*.txt", "", {}, found), found, plain);
}

void NameFigures(const TreeBenchOptions &options, const fs::path &tree)
{
    const std::pair<const char *, const char *> pairs[] = {
        {"report", "report"}, {"report*.txt", "^report.*\\.txt$"}, {"*_0??.log", "_0..\\.log$"}};
    ExtraCriteria expression;
    expression.regexNames = true;
    std::size_t found = 0;
    std::printf("Names (pattern, then the expression):\n");
    for (const auto &[pattern, regex] : pairs) {
        const double base = TimeSearch(options, tree.string(), pattern, "", {}, found);
        Line(pattern, base, found, base);
        Line(regex, TimeSearch(options, tree.string(), regex, "", expression, found), found, base);
    }
}

void WordFigures(const TreeBenchOptions &options, const fs::path &tree)
{
    const std::pair<const char *, const char *> pairs[] = {{"ledger", "ledger [a-z]+"}, {"zebra", "zebra[0-9]+"}};
    ExtraCriteria expression;
    expression.regexWords = true;
    std::size_t found = 0;
    std::printf("Words in *.txt (plain word, then the expression):\n");
    for (const auto &[word, regex] : pairs) {
        const double base = TimeSearch(options, tree.string(), "*.txt", word, {}, found);
        Line(word, base, found, base);
        Line(regex, TimeSearch(options, tree.string(), "*.txt", regex, expression, found), found, base);
    }
}

std::vector<std::string> TextFiles(const fs::path &tree)
{
    std::vector<std::string> texts;
    for (const auto &entry : fs::recursive_directory_iterator(tree)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            std::ifstream in(entry.path(), std::ios::binary);
            texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return texts;
}

// Files with a match, and the seconds: RE2 through TextExpression, PCRE2 with JIT and the
// limits a program would set; -1 files when PCRE2 gave up on one (a match limit hit).
struct EngineFigure {
    double seconds = 0;
    long files = 0;
};

EngineFigure TimeRe2(const std::vector<std::string> &texts, const std::string &pattern)
{
    EngineFigure figure;
    const auto expression = TextExpression::Compile(pattern, false, nullptr, true);
    if (!expression)
        return {0, -2};
    figure.seconds = Seconds([&] {
        for (const std::string &text : texts)
            figure.files += expression->FindFirst(text) >= 0;
    });
    return figure;
}

EngineFigure TimePcre2(const std::vector<std::string> &texts, const std::string &pattern)
{
    EngineFigure figure;
    int code = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code *compiled = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                         PCRE2_MULTILINE | PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &code, &offset, nullptr);
    if (!compiled)
        return {0, -2};
    pcre2_jit_compile(compiled, PCRE2_JIT_COMPLETE);
    pcre2_match_context *context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(context, 10'000'000);
    pcre2_set_depth_limit(context, 100'000);
    pcre2_match_data *data = pcre2_match_data_create_from_pattern(compiled, nullptr);
    bool gaveUp = false;
    figure.seconds = Seconds([&] {
        for (const std::string &text : texts) {
            const int result = pcre2_match(compiled, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0, 0,
                                           data, context);
            figure.files += result >= 0;
            gaveUp |= result == PCRE2_ERROR_MATCHLIMIT || result == PCRE2_ERROR_DEPTHLIMIT ||
                      result == PCRE2_ERROR_JIT_STACKLIMIT;
        }
    });
    pcre2_match_data_free(data);
    pcre2_match_context_free(context);
    pcre2_code_free(compiled);
    if (gaveUp)
        figure.files = -1;
    return figure;
}

void EngineFigures(const fs::path &tree)
{
    std::vector<std::string> texts = TextFiles(tree);
    texts.push_back(std::string(1 << 20, 'a') + "!"); // hostile input: no match, many ways to try
    std::size_t bytes = 0;
    for (const std::string &text : texts)
        bytes += text.size();
    std::printf("Engines over %zu text files, %.1f MB in memory (files matched; -1: gave up):\n", texts.size(),
                bytes / 1e6);
    std::string alternatives;
    for (int i = 0; i < 10000; ++i)
        alternatives += (i ? "|" : "") + std::string("word") + std::to_string(i * 7919) + "x";
    const std::pair<const char *, std::string> patterns[] = {
        {"ledger [a-z]+", "ledger [a-z]+"}, {"zebra[0-9]+", "zebra[0-9]+"}, {"^notes", "^notes"},
        {"(a+)+$", "(a+)+$"},               {"(a|aa)+b", "(a|aa)+b"},
        {"10,000 alternatives", alternatives}};
    for (const auto &[name, pattern] : patterns) {
        const EngineFigure re2 = TimeRe2(texts, pattern);
        const EngineFigure pcre2 = TimePcre2(texts, pattern);
        std::printf("  %-22s RE2 %8.1f ms %6ld   PCRE2-JIT %8.1f ms %6ld\n", name, re2.seconds * 1000, re2.files,
                    pcre2.seconds * 1000, pcre2.files);
    }
}

int Main(int argc, char **argv)
{
    TreeBenchOptions options;
    if (!ParseTreeBenchArguments(argc, argv, false, options)) {
        std::fprintf(stderr, "usage: criteria_bench [--scale F] [--runs N] [TREE]\n");
        return 2;
    }
    const fs::path tree = fs::path(options.root) / "tree";
    if (!fs::is_directory(tree)) {
        std::fprintf(stderr, "%s: no tree; run search_bench first\n", tree.c_str());
        return 2;
    }
    std::printf("Median of %d warm runs, default threads:\n", options.runs);
    ExclusionFigures(options, tree);
    NameFigures(options, tree);
    WordFigures(options, tree);
    EngineFigures(tree);
    return 0;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
