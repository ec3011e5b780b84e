// SPDX-License-Identifier: GPL-3.0-or-later
// Compares sifter-cli with fd, find, grep and rg and prints the median wall times and their
// ratios, on a generated tree or on existing folders; then, in-process, how soon a run with 8
// threads returns once its results sink asks it to stop, for a word and for names. Not a
// test: it only prints figures.
//
//   search_bench [--scale F] [--runs N] [--cli PATH] [--baseline PATH] [--stop-folder DIR]
//                [--cold] [--name PATTERN] [--no-contents] [TREE_FOLDER | --real DIR...]
//
// --baseline names another sifter-cli (an earlier build, say) that takes its turns with the
// same questions, for the ratio of the two in one run; --stop-folder also times the stops
// in DIR (such as /usr). --real asks the questions of the folders given (all together, as
// one search) instead of the generated tree; --name sets the name pattern (default "report"
// on the tree, "*.h" on real folders); --no-contents leaves out the questions that read every
// byte (minutes on a tree as large as /usr).
// The tree (2,000 folders, 20,000 files, 200 MB at scale 1) is generated once into
// TREE_FOLDER (default /tmp/sifter-bench-SCALE) and reused while its marker matches.
// Warm by default (one untimed round first); --cold drops the page cache before every
// timed run (root only; otherwise it says so and runs warm).
#include "search/file_search.h"
#include "search/found_file.h"
#include "search/search_sinks.h"
#include "search/text_field.h"
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
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
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
// In the content of nearly every file: the stop figure's first result comes at once.
constexpr const char *kCommonWord = "budget";
// Threads of the stop figure, more than this machine's cores as on a large one.
constexpr std::size_t kStopThreads = 8;
constexpr double kStopTargetMs = 50;

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

// Empties the page cache (sync first, so dirty pages go too); false when not allowed.
bool DropPageCache()
{
    sync();
    const int fd = open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = write(fd, "3", 1) == 1;
    close(fd);
    return written;
}

// Cold mode needs root; tried once up front so that the whole run is one or the other.
bool ColdCacheAvailable()
{
    if (geteuid() != 0) {
        std::printf("cold cache: not root, cannot drop the page cache; running warm\n");
        return false;
    }
    if (!DropPageCache()) {
        std::printf("cold cache: writing /proc/sys/vm/drop_caches failed (%s); running warm\n",
                    std::strerror(errno));
        return false;
    }
    return true;
}

bool OnPath(const std::string &program)
{
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0;
    const char *path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = folders.find(':', start);
        const std::string folder = folders.substr(start, end == std::string::npos ? end : end - start);
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

struct Tool {
    std::string label;
    std::vector<std::string> args;
    std::optional<RunResult> median; // empty when not installed
};

// The tools take turns, round after round, so that whatever else the machine does weighs
// on all of them alike; warm, one untimed round fills the page cache first. The median of
// each. False when a tool that is installed could not be run.
bool TakeTurns(std::vector<Tool> &tools, int runs, bool cold)
{
    std::vector<std::vector<RunResult>> all(tools.size());
    for (int round = cold ? 1 : 0; round <= runs; ++round) {
        for (std::size_t i = 0; i < tools.size(); ++i) {
            if (!OnPath(tools[i].args[0]))
                continue;
            // Checked up front: a failure now would only make this run warm.
            if (cold)
                (void)DropPageCache();
            const std::optional<RunResult> result = RunTimed(tools[i].args);
            if (!result)
                return false;
            if (round > 0)
                all[i].push_back(*result);
        }
    }
    for (std::size_t i = 0; i < tools.size(); ++i) {
        std::vector<RunResult> &results = all[i];
        if (results.empty())
            continue;
        std::sort(results.begin(), results.end(),
                  [](const RunResult &a, const RunResult &b) { return a.seconds < b.seconds; });
        tools[i].median = results[results.size() / 2];
    }
    return true;
}

void PrintTools(const char *title, const std::vector<Tool> &tools)
{
    std::printf("%s\n", title);
    for (const Tool &tool : tools) {
        if (tool.median)
            std::printf("  %-22s %8.3f s  %7zu lines  exit %d\n", tool.label.c_str(), tool.median->seconds,
                        tool.median->lines, tool.median->status);
        else
            std::printf("  %-22s not installed, skipped\n", tool.label.c_str());
    }
}

void PrintRatio(const Tool &ours, const Tool &theirs)
{
    if (!ours.median || !theirs.median || theirs.median->seconds <= 0)
        return;
    std::printf("  ratio %s / %s: %.2f (%u cores)\n", ours.label.c_str(), theirs.label.c_str(),
                ours.median->seconds / theirs.median->seconds, std::thread::hardware_concurrency());
}

// Clears the running flag at the first result and notes when.
class StopAtFirstResult : public ResultsSink {
public:
    explicit StopAtFirstResult(FileSearch &search) : search_(search) {}
    void ClearResultRows() override {}
    void AddResultRow(FoundFile &) override
    {
        if (stopped_)
            return;
        stopped_ = std::chrono::steady_clock::now();
        search_.SetRunning(false);
    }
    const std::optional<std::chrono::steady_clock::time_point> &Stopped() const { return stopped_; }

private:
    FileSearch &search_;
    std::optional<std::chrono::steady_clock::time_point> stopped_;
};

// What the stopped run looks for: a word in nearly every file, or every entry by name.
enum class StopQuestion { CommonWord, EveryEntry };

// A run stopped by its first result: the time from the stop until RunSearch returns,
// median and worst of `runs`, and the records it kept.
bool PrintStopLatency(const std::string &tree, int runs, bool cold, StopQuestion question)
{
    FileSearch search;
    search.SetWorkerThreads(kStopThreads);
    search.SetColdListingCost({}); // workers busy listing too, as on a cold cache
    if (question == StopQuestion::CommonWord)
        SetTextField(search.criteria.words, kCommonWord);
    SetTextField(search.criteria.folders, tree);
    std::vector<double> millis;
    std::size_t mostKept = 0;
    for (int i = 0; i < runs; ++i) {
        if (cold)
            (void)DropPageCache(); // checked up front, as for the tools
        StopAtFirstResult sink(search);
        SearchSinks sinks;
        sinks.results = &sink;
        search.SetRunning(true);
        search.RunSearch(sinks);
        const auto returned = std::chrono::steady_clock::now();
        search.SetRunning(false);
        if (!sink.Stopped()) {
            std::fprintf(stderr, "search_bench: nothing found to stop at in %s\n", tree.c_str());
            return false;
        }
        millis.push_back(std::chrono::duration<double, std::milli>(returned - *sink.Stopped()).count());
        mostKept = std::max(mostKept, search.CountFoundFiles());
    }
    std::sort(millis.begin(), millis.end());
    if (question == StopQuestion::CommonWord)
        std::printf("stop at the first result (RunSearch, %zu threads, word \"%s\", %d runs)\n", kStopThreads,
                    kCommonWord, runs);
    else
        std::printf("stop at the first result (RunSearch, %zu threads, every entry by name, %d runs)\n", kStopThreads,
                    runs);
    std::printf("  stop to return: median %.3f ms, worst %.3f ms (target %.0f ms)\n", millis[millis.size() / 2],
                millis.back(), kStopTargetMs);
    std::printf("  records kept: at most %zu (1 expected)\n", mostKept);
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

struct OwnOptions {
    bool cold = false;
    std::string baseline;
    std::string stopFolder;
    std::string name;
    bool contents = true;
    std::vector<std::string> real;
};

// Takes --cold, --baseline PATH, --stop-folder DIR, --name PATTERN and --real DIR... out of
// the arguments; the rest are the shared tree options. False when one of them has no value.
bool TakeOwnOptions(int &argc, char **argv, OwnOptions &own)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string *value = arg == "--baseline"      ? &own.baseline
                             : arg == "--stop-folder" ? &own.stopFolder
                             : arg == "--name"        ? &own.name
                                                      : nullptr;
        if (arg == "--cold") {
            own.cold = true;
        } else if (arg == "--no-contents") {
            own.contents = false;
        } else if (value) {
            if (i + 1 == argc)
                return false;
            *value = argv[++i];
        } else if (arg == "--real") {
            while (i + 1 < argc && argv[i + 1][0] != '-')
                own.real.push_back(argv[++i]);
            if (own.real.empty())
                return false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return true;
}

// sifter-cli with its default threads and with one, and the baseline's alike when given,
// each with args after the program (and the thread option).
std::vector<Tool> SifterTools(const std::string &cli, const std::string &baseline, const std::vector<std::string> &args)
{
    std::vector<Tool> tools;
    auto add = [&](const std::string &label, const std::string &program, bool oneThread) {
        Tool tool{label, {program}, {}};
        if (oneThread)
            tool.args.insert(tool.args.end(), {"--threads", "1"});
        tool.args.insert(tool.args.end(), args.begin(), args.end());
        tools.push_back(std::move(tool));
    };
    add("sifter-cli", cli, false);
    add("sifter-cli --threads 1", cli, true);
    if (!baseline.empty()) {
        add("baseline", baseline, false);
        add("baseline --threads 1", baseline, true);
    }
    return tools;
}

// The ratios of a question's sifter-cli rows (SifterTools first) to the peer at peer, and
// of each to the baseline's row with the same threads.
void PrintSifterRatios(const std::vector<Tool> &tools, bool withBaseline, std::size_t peer)
{
    PrintRatio(tools[0], tools[peer]);
    PrintRatio(tools[1], tools[peer]);
    if (withBaseline) {
        PrintRatio(tools[0], tools[2]);
        PrintRatio(tools[1], tools[3]);
    }
}

// Generates the tree (or reuses it) and returns its folder; empty on failure.
std::string PrepareTree(const TreeBenchOptions &options)
{
    TreeShape shape;
    shape.folders = std::max(1, static_cast<int>(kFullFolders * options.scale));
    shape.files = std::max(1, static_cast<int>(kFullFiles * options.scale));
    shape.bytes = static_cast<std::uint64_t>(static_cast<double>(kFullBytes) * options.scale);
    std::printf("tree %s: %s\n", options.root.c_str(), ShapeLine(shape).c_str());
    if (TreeIsComplete(options.root, shape)) {
        std::printf("reusing the tree\n");
    } else {
        const auto start = std::chrono::steady_clock::now();
        if (!GenerateTree(options.root, shape))
            return {};
        std::printf("generated in %.1f s\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return TreePath(options.root);
}

std::vector<std::string> Joined(std::vector<std::string> front, const std::vector<std::string> &back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

// Words made like the absent one, so that none of them is in any content either.
std::vector<std::string> AbsentWords(int count)
{
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i)
        words.push_back(kAbsentWord + std::to_string(i));
    return words;
}

// Each question's tools take turns; false when an installed tool could not be run.
bool AskQuestions(const std::string &cli, const std::string &baseline, const std::vector<std::string> &folders,
                  const std::string &namePattern, bool contents, int runs, bool cold)
{
    const bool withBaseline = !baseline.empty();
    // A pattern without wildcards matches names containing it, as fd and find need spelled out.
    const std::string glob =
        namePattern.find_first_of("*?") == std::string::npos ? "*" + namePattern + "*" : namePattern;
    std::vector<Tool> names = SifterTools(cli, baseline, Joined({"-n", namePattern}, folders));
    const std::size_t namePeers = names.size();
    names.push_back({"fd -uu", Joined({"fdfind", "-uu", "-i", "-g", glob}, folders), {}});
    names.push_back({"find -iname", Joined(Joined({"find"}, folders), {"-iname", glob}), {}});
    if (!TakeTurns(names, runs, cold))
        return false;
    PrintTools("name search", names);
    PrintSifterRatios(names, withBaseline, namePeers);
    PrintRatio(names[0], names[namePeers + 1]);
    std::fflush(stdout);

    // No name, no word: every entry's path, as fd and find print them; with --long each
    // one's size and time too, read as find -printf reads them.
    std::vector<Tool> every = SifterTools(cli, baseline, folders);
    const std::size_t everyPeers = every.size();
    every.push_back({"sifter-cli -l", Joined({cli, "-l"}, folders), {}});
    every.push_back({"find -printf '%s %T@'", Joined(Joined({"find"}, folders), {"-printf", "%s %T@\n"}), {}});
    every.push_back({"fd -uu", Joined({"fdfind", "-uu", ""}, folders), {}});
    every.push_back({"find", Joined({"find"}, folders), {}});
    if (!TakeTurns(every, runs, cold))
        return false;
    PrintTools("every entry", every);
    PrintSifterRatios(every, withBaseline, everyPeers + 2);
    PrintRatio(every[0], every[everyPeers + 3]);
    PrintRatio(every[everyPeers], every[everyPeers + 1]);
    std::fflush(stdout);
    if (!contents)
        return true;

    const std::vector<std::string> rg = {"rg", "-lF", "--no-ignore", "--hidden", "-a"};
    std::vector<Tool> words = SifterTools(cli, baseline, Joined({"-w", kAbsentWord}, folders));
    const std::size_t wordPeers = words.size();
    words.push_back({"grep -rlF", Joined({"grep", "-rlF", kAbsentWord}, folders), {}});
    words.push_back({"rg", Joined(Joined(rg, {kAbsentWord}), folders), {}});
    words.push_back({"rg -j1", Joined(Joined(rg, {"-j1", kAbsentWord}), folders), {}});
    if (!TakeTurns(words, runs, cold))
        return false;
    PrintTools("absent word (every byte read)", words);
    PrintRatio(words[0], words[wordPeers + 1]);
    PrintRatio(words[1], words[wordPeers]);
    PrintRatio(words[1], words[wordPeers + 2]);
    if (withBaseline) {
        PrintRatio(words[0], words[2]);
        PrintRatio(words[1], words[3]);
    }
    std::fflush(stdout);

    // Thirty words, any of them: the cost of many words against the cost of one.
    const std::vector<std::string> absent = AbsentWords(30);
    std::string wordField;
    std::vector<std::string> patterns;
    for (const std::string &word : absent) {
        wordField += (wordField.empty() ? "" : " ") + word;
        patterns.insert(patterns.end(), {"-e", word});
    }
    std::vector<Tool> many = SifterTools(cli, baseline, Joined({"-w", wordField}, folders));
    const std::size_t manyPeers = many.size();
    many.push_back({"grep -rlF -e ...", Joined(Joined({"grep", "-rlF"}, patterns), folders), {}});
    many.push_back({"rg -e ...", Joined(Joined(rg, patterns), folders), {}});
    if (!TakeTurns(many, runs, cold))
        return false;
    PrintTools("30 absent words, any", many);
    PrintRatio(many[0], many[manyPeers + 1]);
    PrintRatio(many[0], many[manyPeers]);
    if (many[0].median && words[0].median && words[0].median->seconds > 0)
        std::printf("  ratio 30 words / 1 word (sifter-cli): %.2f\n", many[0].median->seconds / words[0].median->seconds);
    if (withBaseline)
        PrintRatio(many[0], many[2]);
    std::fflush(stdout);
    return true;
}

int Main(int argc, char **argv)
{
    OwnOptions own;
    TreeBenchOptions options;
    if (!TakeOwnOptions(argc, argv, own) || !ParseTreeBenchArguments(argc, argv, true, options)) {
        std::fprintf(stderr, "usage: search_bench [--scale F (0 < F <= 1)] [--runs N] [--cli PATH] "
                             "[--baseline PATH] [--stop-folder DIR] [--cold] [--name PATTERN] [--no-contents] "
                             "[TREE_FOLDER | --real DIR...]\n");
        return 2;
    }
    if (options.cli.empty())
        options.cli = DefaultCliPath();
    if (!OnPath(options.cli)) {
        std::fprintf(stderr, "search_bench: no sifter-cli at %s (--cli PATH)\n", options.cli.c_str());
        return 1;
    }
    if (!own.baseline.empty() && !OnPath(own.baseline)) {
        std::fprintf(stderr, "search_bench: no sifter-cli at %s (--baseline PATH)\n", own.baseline.c_str());
        return 1;
    }
    for (const std::string &folder : own.real) {
        std::error_code error;
        if (!fs::is_directory(folder, error)) {
            std::fprintf(stderr, "search_bench: %s is not a folder (--real DIR...)\n", folder.c_str());
            return 1;
        }
    }

    const bool real = !own.real.empty();
    std::string tree;
    std::vector<std::string> folders = own.real;
    if (real) {
        std::printf("real folders:");
        for (const std::string &folder : folders)
            std::printf(" %s", folder.c_str());
        std::printf("\n");
    } else {
        tree = PrepareTree(options);
        if (tree.empty())
            return 1;
        folders = {tree};
    }
    if (own.name.empty())
        own.name = real ? "*.h" : kNameWord;
    const bool cold = own.cold && ColdCacheAvailable();
    std::printf("%u cores (hardware_concurrency); median of %d %s runs, the tools taking turns\n",
                std::thread::hardware_concurrency(), options.runs,
                cold ? "cold (page cache dropped before each)" : "warm");
    std::fflush(stdout);

    if (!AskQuestions(options.cli, own.baseline, folders, own.name, own.contents, options.runs, cold))
        return 1;

    const int stopRuns = std::max(options.runs, 5);
    std::string realFolders;
    for (const std::string &folder : own.real)
        realFolders += (realFolders.empty() ? "" : ";") + folder;
    for (const std::string &folder : {tree, realFolders, own.stopFolder}) {
        if (folder.empty())
            continue;
        std::printf("stops in %s\n", folder.c_str());
        // A folder of the user's may hold no file with the word; the generated tree must.
        const bool word = PrintStopLatency(folder, stopRuns, cold, StopQuestion::CommonWord);
        if ((!word && folder == tree) || !PrintStopLatency(folder, stopRuns, cold, StopQuestion::EveryEntry))
            return 1;
    }
    return 0;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
