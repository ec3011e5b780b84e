// SPDX-License-Identifier: GPL-3.0-or-later
// Peak memory of searches for a word found nowhere and for a name found nowhere, with 8
// threads and with 1: (a) through a tree of many small files, (b) through one folder of
// many entries, (c) for the word, through one large sparse file (with its read rate). Each
// run is a child process of its own, so that runs do not share a peak (ru_maxrss of the
// child, from wait4). Not a test: it only prints figures.
//
//   search_memory_bench [--files N] [--folder-entries N] [--big-gb N] [TREE_FOLDER]
//
// The tree (1,000 files a folder; 1,000,000 files by default) is generated once into
// TREE_FOLDER (default /tmp/sifter-memory-N) and reused while its marker matches; so is the
// folder (1,000,000 entries by default, 0 skips it), in /tmp/sifter-memory-folder-N. The
// sparse file (50 GB by default, 0 skips it) is made with ftruncate under /tmp and removed
// afterwards.
#include "search/file_search.h"
#include "search/search_sinks.h"
#include "search/text_field.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sifter {
namespace {

namespace fs = std::filesystem;

constexpr int kFilesPerFolder = 1'000;
// The files hold lower-case words and digits only, and their names no capital letter.
constexpr const char *kAbsentWord = "Quux7plover";
constexpr const char *kAbsentName = "Quux7plover";
constexpr std::size_t kThreadCounts[] = {8, 1};
// What the multi-thread run may cost beyond the one-thread run: the bounded window of
// files and bytes in flight, not a share of the tree or of the file.
constexpr double kTargetExtraMB = 8;

struct Options {
    long files = 1'000'000;
    long folderEntries = 1'000'000;
    long bigGb = 50;
    std::string root;
};

// What a run looks for: words in the contents, or names only.
enum class Question { AbsentWord, AbsentName };

bool ParseArguments(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((arg == "--files" || arg == "--folder-entries" || arg == "--big-gb") && hasValue) {
            char *end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < (arg == "--files" ? 1 : 0))
                return false;
            (arg == "--files" ? options.files : arg == "--big-gb" ? options.bigGb : options.folderEntries) = value;
        } else if (!arg.empty() && arg[0] != '-' && options.root.empty()) {
            options.root = arg;
        } else {
            return false;
        }
    }
    if (options.root.empty())
        options.root = "/tmp/sifter-memory-" + std::to_string(options.files);
    return true;
}

std::string ShapeLine(long files, long perFolder)
{
    return std::to_string(files) + " files, " + std::to_string(perFolder) + " a folder";
}

std::string MarkerPath(const std::string &root)
{
    return root + "/complete";
}

std::string TreePath(const std::string &root)
{
    return root + "/tree";
}

bool TreeIsComplete(const std::string &root, long files, long perFolder)
{
    std::ifstream in(MarkerPath(root));
    std::string line;
    return std::getline(in, line) && line == ShapeLine(files, perFolder);
}

// Plain system calls: a million files through streams would take much longer.
bool WriteSmallFile(const std::string &path, long index)
{
    char text[128];
    const int length = std::snprintf(text, sizeof text, "small file %07ld\nnothing else of note here\n", index);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = write(fd, text, static_cast<std::size_t>(length)) == length;
    return close(fd) == 0 && written;
}

// files small files, perFolder to a folder.
bool GenerateTree(const std::string &root, long files, long perFolder)
{
    std::error_code error;
    fs::remove_all(TreePath(root), error);
    fs::remove(MarkerPath(root), error);
    std::string folder;
    for (long i = 0; i < files; ++i) {
        if (i % perFolder == 0) {
            char name[32];
            std::snprintf(name, sizeof name, "/folder_%04ld", i / perFolder);
            folder = TreePath(root) + name;
            fs::create_directories(folder, error);
            if (error) {
                std::fprintf(stderr, "search_memory_bench: cannot make %s: %s\n", folder.c_str(),
                             error.message().c_str());
                return false;
            }
        }
        char name[32];
        std::snprintf(name, sizeof name, "/file_%07ld.txt", i);
        if (!WriteSmallFile(folder + name, i)) {
            std::fprintf(stderr, "search_memory_bench: cannot write %s%s: %s\n", folder.c_str(), name,
                         std::strerror(errno));
            return false;
        }
    }
    std::ofstream marker(MarkerPath(root), std::ios::trunc);
    marker << ShapeLine(files, perFolder) << '\n';
    return static_cast<bool>(marker);
}

// The tree at root as described, generated unless its marker says it is there already.
bool ReuseOrGenerate(const std::string &root, long files, long perFolder)
{
    std::printf("tree %s: %s\n", root.c_str(), ShapeLine(files, perFolder).c_str());
    if (TreeIsComplete(root, files, perFolder)) {
        std::printf("reusing the tree\n");
        return true;
    }
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    if (!GenerateTree(root, files, perFolder))
        return false;
    std::printf("generated in %.1f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return true;
}

struct ChildRun {
    double seconds = 0;
    std::size_t found = 0;
    double peakMB = 0;
};

// The search's figures, as the child writes them into the pipe.
struct ChildReport {
    double seconds;
    std::size_t found;
};

// Searches folders for the absent word or name with the given threads in a child process
// (threads 0: the child makes no search, for the process's own peak); its peak resident size.
std::optional<ChildRun> RunInChild(const std::string &folders, std::size_t threads, Question question)
{
    std::fflush(stdout);
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        close(pipeFds[0]);
        ChildReport report{0, 0};
        if (threads > 0) {
            FileSearch search;
            search.SetWorkerThreads(threads);
            // The window at its fullest, as a cold cache fills it; warm, the walk lists alone.
            search.SetColdListingCost({});
            if (question == Question::AbsentWord)
                SetTextField(search.criteria.words, kAbsentWord);
            else
                SetTextField(search.criteria.names, kAbsentName);
            SetTextField(search.criteria.folders, folders);
            const auto start = std::chrono::steady_clock::now();
            search.SetRunning(true);
            search.RunSearch(SearchSinks{});
            search.SetRunning(false);
            report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            report.found = search.CountFoundFiles();
        }
        const bool written = write(pipeFds[1], &report, sizeof report) == static_cast<ssize_t>(sizeof report);
        _exit(written ? 0 : 1);
    }
    close(pipeFds[1]);
    ChildReport report{0, 0};
    ssize_t got = 0;
    do {
        got = read(pipeFds[0], &report, sizeof report);
    } while (got < 0 && errno == EINTR);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (got != static_cast<ssize_t>(sizeof report) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    ChildRun run;
    run.seconds = report.seconds;
    run.found = report.found;
    run.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return run;
}

// The sparse file and its folder, removed however the measure ends.
class SparseFile {
public:
    SparseFile() = default;
    SparseFile(const SparseFile &) = delete;
    SparseFile &operator=(const SparseFile &) = delete;
    ~SparseFile()
    {
        if (!path_.empty() && unlink(path_.c_str()) != 0)
            std::fprintf(stderr, "search_memory_bench: cannot remove %s\n", path_.c_str());
        if (!folder_.empty() && rmdir(folder_.c_str()) != 0)
            std::fprintf(stderr, "search_memory_bench: cannot remove %s\n", folder_.c_str());
    }

    bool Make(std::uint64_t bytes)
    {
        char pattern[] = "/tmp/sifter-memory-big-XXXXXX";
        if (!mkdtemp(pattern))
            return false;
        folder_ = pattern;
        const std::string path = folder_ + "/big.dat";
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        path_ = path;
        bytes_ = bytes;
        const bool sized = ftruncate(fd, static_cast<off_t>(bytes)) == 0;
        return close(fd) == 0 && sized;
    }
    const std::string &Folder() const { return folder_; }
    std::uint64_t Bytes() const { return bytes_; }

    // Out of the page cache, so that every run reads it alike (the first read of a sparse
    // file costs far more than one from the cache).
    bool DropFromCache() const
    {
        const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool dropped = posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
        return close(fd) == 0 && dropped;
    }

private:
    std::string folder_;
    std::string path_;
    std::uint64_t bytes_ = 0;
};

// Both thread counts on folders, each line with its peak (and with big, its read rate);
// then the difference against the target.
bool PrintRuns(const std::string &folders, const SparseFile *big, Question question)
{
    std::printf("%s\n", question == Question::AbsentWord ? "  a word found nowhere" : "  a name found nowhere");
    // The first read of a new sparse file ran several times slower than any later one here,
    // even with the file out of the cache, and a tree may have left the caches since it was
    // made: either would weigh on one count only.
    const std::optional<ChildRun> first = RunInChild(folders, 1, question);
    if (!first)
        return false;
    std::printf("  first run, not compared: %.2f s\n", first->seconds);
    double peaks[2] = {0, 0};
    for (std::size_t i = 0; i < 2; ++i) {
        if (big && !big->DropFromCache())
            std::printf("  (could not drop the file from the page cache: %s)\n", std::strerror(errno));
        const std::optional<ChildRun> run = RunInChild(folders, kThreadCounts[i], question);
        if (!run) {
            std::fprintf(stderr, "search_memory_bench: the run with %zu threads failed\n", kThreadCounts[i]);
            return false;
        }
        peaks[i] = run->peakMB;
        std::printf("  %zu thread%s: peak resident %7.1f MB, %8.2f s, %zu found", kThreadCounts[i],
                    kThreadCounts[i] == 1 ? " " : "s", run->peakMB, run->seconds, run->found);
        if (big && run->seconds > 0)
            std::printf(", read %.2f GB/s", static_cast<double>(big->Bytes()) / run->seconds / 1e9);
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("  8 threads - 1 thread: %+.1f MB (target: within %.0f MB)\n", peaks[0] - peaks[1],
                kTargetExtraMB);
    return true;
}

int Main(int argc, char **argv)
{
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: search_memory_bench [--files N (>= 1)] [--folder-entries N (0 skips)] "
                             "[--big-gb N (0 skips)] [TREE_FOLDER]\n");
        return 2;
    }
    std::printf("target: the peak of the 8-thread run within a few MB (%.0f) of the 1-thread run's\n",
                kTargetExtraMB);
    const std::optional<ChildRun> idle = RunInChild("", 0, Question::AbsentWord);
    if (!idle)
        return 1;
    std::printf("a child that searches nothing: peak resident %.1f MB\n", idle->peakMB);

    if (!ReuseOrGenerate(options.root, options.files, kFilesPerFolder))
        return 1;
    for (const Question question : {Question::AbsentWord, Question::AbsentName}) {
        if (!PrintRuns(TreePath(options.root), nullptr, question))
            return 1;
    }
    if (options.folderEntries > 0) {
        const std::string root = "/tmp/sifter-memory-folder-" + std::to_string(options.folderEntries);
        if (!ReuseOrGenerate(root, options.folderEntries, options.folderEntries))
            return 1;
        for (const Question question : {Question::AbsentWord, Question::AbsentName}) {
            if (!PrintRuns(TreePath(root), nullptr, question))
                return 1;
        }
    }

    if (options.bigGb == 0)
        return 0;
    const std::uint64_t bytes = static_cast<std::uint64_t>(options.bigGb) * 1000 * 1000 * 1000;
    SparseFile big;
    if (!big.Make(bytes)) {
        std::fprintf(stderr, "search_memory_bench: cannot make a %ld GB sparse file under /tmp: %s\n",
                     options.bigGb, std::strerror(errno));
        return 1;
    }
    std::printf("a %ld GB sparse file, out of the page cache before each run\n", options.bigGb);
    return PrintRuns(big.Folder(), &big, Question::AbsentWord) ? 0 : 1;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
