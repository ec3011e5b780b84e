// Compares sifter-cli with find and grep on a generated tree, warm cache, and prints
// the median wall times and their ratio. Not a test: it only prints figures.
//
//   search_bench [--scale F] [--runs N] [--cli PATH] [TREE_FOLDER]
//
// The tree (2,000 folders, 20,000 files, 200 MB at scale 1) is generated once into
// TREE_FOLDER (default /tmp/sifter-bench-SCALE) and reused while its marker matches.
#include "tree_options.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace sifter {
namespace {

namespace fs = std::filesystem;

constexpr int kFullFolders = 2'000;
constexpr int kFullFiles = 20'000;
constexpr std::uint64_t kFullBytes = 200ULL * 1000 * 1000;
constexpr std::uint64_t kSeed = 0x5EED'51F7'E12B'E7C5ULL;
// Each folder gets at most this many subfolders, so the tree is a few levels deep.
constexpr int kSubfoldersPerFolder = 9;
// File contents are cut from one block of generated text, at varying offsets.
constexpr std::size_t kTextBlockBytes = 4 * 1024 * 1024;

// Present in some file and folder names; searched by name.
constexpr const char *kNameWord = "report";
// Never in any content (the text is lower-case letters, blanks and newlines only).
constexpr const char *kAbsentWord = "Quux7plover";

constexpr const char *kVocabulary[] = {
    "alpha",  "budget", "report", "summary", "draft",  "notes",   "invoice", "letter",
    "photo",  "backup", "config", "module",  "table",  "figure",  "chapter", "minutes",
    "agenda", "ledger", "sketch", "archive", "manual", "journal", "index",   "memo",
};
constexpr const char *kExtensions[] = {".txt", ".log", ".csv", ".md", ".dat", ".cfg"};

struct TreeShape {
    int folders = 0;
    int files = 0;
    std::uint64_t bytes = 0;
};

// splitmix64: small, fast and the same on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E37'79B9'7F4A'7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBULL;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }

private:
    std::uint64_t state_;
};

template <typename T, std::size_t N>
constexpr std::size_t CountOf(const T (&)[N])
{
    return N;
}

std::string ShapeLine(const TreeShape &shape)
{
    return std::to_string(shape.folders) + " folders, " + std::to_string(shape.files) + " files, " +
           std::to_string(shape.bytes) + " bytes, seed " + std::to_string(kSeed);
}

std::string MarkerPath(const std::string &root)
{
    return root + "/complete";
}

std::string TreePath(const std::string &root)
{
    return root + "/tree";
}

bool TreeIsComplete(const std::string &root, const TreeShape &shape)
{
    std::ifstream in(MarkerPath(root));
    std::string line;
    return std::getline(in, line) && line == ShapeLine(shape);
}

std::string MakeTextBlock(Random &random)
{
    std::string text;
    text.reserve(kTextBlockBytes + 16);
    while (text.size() < kTextBlockBytes) {
        text += kVocabulary[random.Below(CountOf(kVocabulary))];
        text += random.Below(12) == 0 ? '\n' : ' ';
    }
    text.resize(kTextBlockBytes);
    return text;
}

// Folder i (i >= 1) hangs below folder (i - 1) / kSubfoldersPerFolder; folder 0 is the tree.
std::vector<std::string> MakeFolders(const std::string &tree, int count, Random &random)
{
    std::vector<std::string> folders{tree};
    folders.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i < count; ++i) {
        const std::string &parent = folders[static_cast<std::size_t>((i - 1) / kSubfoldersPerFolder)];
        char name[64];
        std::snprintf(name, sizeof name, "/%s_%04d", kVocabulary[random.Below(CountOf(kVocabulary))], i);
        folders.push_back(parent + name);
    }
    for (const std::string &folder : folders)
        fs::create_directories(folder);
    return folders;
}

// Sizes with a long tail (many small files, a few large ones), scaled to the total.
std::vector<std::uint64_t> MakeSizes(int count, std::uint64_t total, Random &random)
{
    std::vector<double> weights(static_cast<std::size_t>(count));
    double sum = 0;
    for (double &weight : weights) {
        weight = std::pow(random.Unit(), 3.0) + 0.01;
        sum += weight;
    }
    std::vector<std::uint64_t> sizes;
    std::uint64_t given = 0;
    for (double weight : weights) {
        sizes.push_back(static_cast<std::uint64_t>(weight / sum * static_cast<double>(total)));
        given += sizes.back();
    }
    sizes.back() += total - std::min(total, given);
    return sizes;
}

bool WriteSlice(const std::string &path, const std::string &text, std::uint64_t size, Random &random)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    while (out && size > 0) {
        const std::size_t offset = random.Below(text.size() / 2);
        const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(size, text.size() - offset));
        out.write(text.data() + offset, static_cast<std::streamsize>(piece));
        size -= piece;
    }
    return static_cast<bool>(out);
}

bool GenerateTree(const std::string &root, const TreeShape &shape)
{
    std::error_code error;
    fs::remove_all(TreePath(root), error);
    fs::remove(MarkerPath(root), error);
    Random random(kSeed);
    const std::string text = MakeTextBlock(random);
    const std::vector<std::string> folders = MakeFolders(TreePath(root), shape.folders, random);
    const std::vector<std::uint64_t> sizes = MakeSizes(shape.files, shape.bytes, random);
    for (int i = 0; i < shape.files; ++i) {
        char name[96];
        std::snprintf(name, sizeof name, "/%s_%s_%05d%s", kVocabulary[random.Below(CountOf(kVocabulary))],
                      kVocabulary[random.Below(CountOf(kVocabulary))], i,
                      kExtensions[random.Below(CountOf(kExtensions))]);
        const std::string &folder = folders[random.Below(folders.size())];
        if (!WriteSlice(folder + name, text, sizes[static_cast<std::size_t>(i)], random)) {
            std::fprintf(stderr, "search_bench: cannot write %s%s\n", folder.c_str(), name);
            return false;
        }
    }
    std::ofstream marker(MarkerPath(root), std::ios::trunc);
    marker << ShapeLine(shape) << '\n';
    return static_cast<bool>(marker);
}

struct RunResult {
    double seconds = 0;
    std::size_t lines = 0;
    int status = -1;
};

// Runs the program with its output read through a pipe (as a user's pipeline would),
// counting the lines; the wall time covers start to exit.
std::optional<RunResult> RunTimed(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        std::fprintf(stderr, "search_bench: cannot start %s: %s\n", argv[0], std::strerror(spawned));
        return std::nullopt;
    }
    RunResult result;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        result.lines += static_cast<std::size_t>(std::count(buffer, buffer + got, '\n'));
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// One warm-up run fills the page cache; then the median of `runs` timed runs.
std::optional<RunResult> MedianRun(const std::vector<std::string> &args, int runs)
{
    if (!RunTimed(args))
        return std::nullopt;
    std::vector<RunResult> results;
    for (int i = 0; i < runs; ++i) {
        std::optional<RunResult> result = RunTimed(args);
        if (!result)
            return std::nullopt;
        results.push_back(*result);
    }
    std::sort(results.begin(), results.end(),
              [](const RunResult &a, const RunResult &b) { return a.seconds < b.seconds; });
    return results[results.size() / 2];
}

bool ComparePair(const char *title, const std::vector<std::string> &ours, const std::vector<std::string> &theirs,
                 int runs)
{
    const std::optional<RunResult> mine = MedianRun(ours, runs);
    const std::optional<RunResult> other = MedianRun(theirs, runs);
    if (!mine || !other)
        return false;
    std::printf("%s\n", title);
    std::printf("  %-10s %8.3f s  %7zu lines  exit %d\n", "sifter-cli", mine->seconds, mine->lines, mine->status);
    std::printf("  %-10s %8.3f s  %7zu lines  exit %d\n", theirs[0].c_str(), other->seconds, other->lines,
                other->status);
    std::printf("  ratio sifter-cli / %s: %.2f\n", fs::path(theirs[0]).filename().c_str(),
                other->seconds > 0 ? mine->seconds / other->seconds : 0.0);
    std::fflush(stdout);
    return true;
}

// sifter-cli of the same build: <build>/bench/search_bench -> <build>/src/cli/sifter-cli.
std::string DefaultCliPath()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return "sifter-cli";
    return (self.parent_path().parent_path() / "src" / "cli" / "sifter-cli").string();
}

int Main(int argc, char **argv)
{
    TreeBenchOptions options;
    if (!ParseTreeBenchArguments(argc, argv, true, options)) {
        std::fprintf(stderr, "usage: search_bench [--scale F (0 < F <= 1)] [--runs N] [--cli PATH] [TREE_FOLDER]\n");
        return 2;
    }
    TreeShape shape;
    shape.folders = std::max(1, static_cast<int>(kFullFolders * options.scale));
    shape.files = std::max(1, static_cast<int>(kFullFiles * options.scale));
    shape.bytes = static_cast<std::uint64_t>(static_cast<double>(kFullBytes) * options.scale);
    if (options.cli.empty())
        options.cli = DefaultCliPath();

    std::printf("tree %s: %s\n", options.root.c_str(), ShapeLine(shape).c_str());
    if (TreeIsComplete(options.root, shape)) {
        std::printf("reusing the tree\n");
    } else {
        const auto start = std::chrono::steady_clock::now();
        if (!GenerateTree(options.root, shape))
            return 1;
        std::printf("generated in %.1f s\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("median of %d warm runs\n", options.runs);
    std::fflush(stdout);

    const std::string tree = TreePath(options.root);
    const std::string pattern = std::string("*") + kNameWord + "*";
    const bool ok = ComparePair("name search", {options.cli, "-n", kNameWord, tree},
                                {"find", tree, "-iname", pattern}, options.runs) &&
                    ComparePair("absent word", {options.cli, "-w", kAbsentWord, tree},
                                {"grep", "-rlF", kAbsentWord, tree}, options.runs);
    return ok ? 0 : 1;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
