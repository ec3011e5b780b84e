// SPDX-License-Identifier: GPL-3.0-or-later
// Moves 10,000 small files from one file system to another with TransferEntries and with
// `cp -a` + `rm -r`, turn about on fresh copies of one generated tree, and prints the medians,
// their ratio and the longest wait between two progress reports. Not a test: it only prints
// figures.
//
//   move_bench [--files N] [--runs N] [--from FOLDER] [--to FOLDER]
//
// FOLDER defaults: --from the current folder (the build folder's disk), --to /dev/shm. The
// generated source and the moved trees are removed afterwards.
#include "transfer/file_transfer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace sifter {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFolders = 8;
constexpr std::size_t kMaxFileBytes = 16 * 1024;
constexpr std::uint64_t kSeed = 0x3A0F'E11E'5EED'0001ULL;

struct Options {
    int files = 10'000;
    int runs = 5;
    std::string from = ".";
    std::string to = "/dev/shm";
};

// splitmix64: the same tree on every machine.
std::uint64_t NextRandom(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E37'79B9'7F4A'7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBULL;
    return z ^ (z >> 31);
}

// kFolders folders, a few with a subfolder, files of 0 to 16 KB spread over them.
bool MakeTree(const std::string &root, int files)
{
    std::uint64_t state = kSeed;
    std::vector<std::string> folders;
    for (int i = 0; i < kFolders; ++i) {
        folders.push_back(root + "/folder " + std::to_string(i));
        if (i % 3 == 0)
            folders.push_back(folders.back() + "/inner");
    }
    std::error_code failure;
    for (const std::string &folder : folders) {
        if (!fs::create_directories(folder, failure) && failure)
            return false;
    }
    std::string content(kMaxFileBytes, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>('a' + NextRandom(state) % 26);
    for (int i = 0; i < files; ++i) {
        const std::string &folder = folders[NextRandom(state) % folders.size()];
        const std::size_t size = NextRandom(state) % (kMaxFileBytes + 1);
        const std::string path = folder + "/file " + std::to_string(i) + ".dat";
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || write(fd, content.data(), size) != static_cast<ssize_t>(size)) {
            std::fprintf(stderr, "move_bench: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
            if (fd >= 0)
                close(fd);
            return false;
        }
        close(fd);
    }
    return true;
}

bool Run(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Notes the longest wait between two reports, as a window would feel it.
class GapSink : public TransferSink {
public:
    bool Progress(const TransferProgress &progress) override
    {
        const Clock::time_point now = Clock::now();
        if (now - last_ > longest_) {
            longest_ = now - last_;
            longestAt_ = progress.filesDone;
        }
        last_ = now;
        return true;
    }
    ConflictAnswer AskConflict(const std::string &, const std::string &, bool, bool &) override
    {
        return ConflictAnswer::kCancel;
    }
    void Start() { last_ = Clock::now(); }
    double LongestMs() const { return std::chrono::duration<double, std::milli>(longest_).count(); }
    std::uint64_t LongestAt() const { return longestAt_; }

private:
    Clock::time_point last_ = Clock::now();
    Clock::duration longest_{};
    std::uint64_t longestAt_ = 0;
};

// User and system CPU seconds of this process (self) or its waited-for children.
double CpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool ParseArguments(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const char *value = argv[++i];
        if (arg == "--files")
            options.files = std::atoi(value);
        else if (arg == "--runs")
            options.runs = std::atoi(value);
        else if (arg == "--from")
            options.from = value;
        else if (arg == "--to")
            options.to = value;
        else
            return false;
    }
    return options.files > 0 && options.runs > 0;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    using namespace sifter;
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: move_bench [--files N] [--runs N] [--from FOLDER] [--to FOLDER]\n");
        return 2;
    }
    const std::string tag = "sifter-move-bench-" + std::to_string(getpid());
    const std::string source = fs::absolute(options.from).string() + "/" + tag;
    const std::string target = fs::absolute(options.to).string() + "/" + tag;
    std::error_code failure;
    fs::create_directories(target, failure);
    struct stat fromStatus {};
    struct stat toStatus {};
    if (stat(fs::absolute(options.from).c_str(), &fromStatus) != 0 || stat(target.c_str(), &toStatus) != 0) {
        std::fprintf(stderr, "move_bench: cannot use %s or %s\n", options.from.c_str(), target.c_str());
        return 1;
    }
    const bool oneFileSystem = fromStatus.st_dev == toStatus.st_dev;
    std::printf("moving %d files (0-16 KB, %d folders) from %s to %s\n", options.files, kFolders,
                options.from.c_str(), options.to.c_str());
    if (oneFileSystem)
        std::printf("both folders are on one file system: the move is forced to copy, as across two\n");

    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> oursCpu;
    std::vector<double> theirsCpu;
    double longestGap = 0;
    std::uint64_t longestAt = 0;
    bool ok = true;
    for (int turn = 0; turn < options.runs && ok; ++turn) {
        for (const bool mine : {true, false}) {
            const std::string tree = source + "/tree";
            fs::remove_all(source, failure);
            if (!MakeTree(tree, options.files)) {
                ok = false;
                break;
            }
            // Both start from a tree the writer has put on disk, not one still in flight.
            sync();
            const Clock::time_point start = Clock::now();
            const double cpuStart = CpuSeconds(mine ? RUSAGE_SELF : RUSAGE_CHILDREN);
            if (mine) {
                GapSink sink;
                TransferOptions transferOptions;
                transferOptions.forceCopy = oneFileSystem;
                sink.Start();
                const TransferOutcome outcome =
                    TransferEntries({tree}, target, TransferKind::kMove, sink, transferOptions);
                ours.push_back(std::chrono::duration<double>(Clock::now() - start).count());
                oursCpu.push_back(CpuSeconds(RUSAGE_SELF) - cpuStart);
                if (sink.LongestMs() > longestGap) {
                    longestGap = sink.LongestMs();
                    longestAt = sink.LongestAt();
                }
                if (!outcome.failures.empty()) {
                    std::fprintf(stderr, "move_bench: %zu failures, first %s: %s\n", outcome.failures.size(),
                                 outcome.failures[0].path.c_str(), outcome.failures[0].reason.c_str());
                    ok = false;
                }
            } else {
                ok = Run({"cp", "-a", "--", tree, target + "/"}) && Run({"rm", "-r", "--", tree});
                theirs.push_back(std::chrono::duration<double>(Clock::now() - start).count());
                theirsCpu.push_back(CpuSeconds(RUSAGE_CHILDREN) - cpuStart);
                if (!ok)
                    std::fprintf(stderr, "move_bench: cp -a or rm -r failed\n");
            }
            fs::remove_all(target + "/tree", failure);
        }
    }
    fs::remove_all(source, failure);
    fs::remove_all(target, failure);
    if (!ok || ours.empty() || theirs.empty())
        return 1;
    const double mine = Median(ours);
    const double other = Median(theirs);
    std::printf("median of %zu turns each, taken in turn\n", ours.size());
    std::printf("                      wall        CPU (user + system)\n");
    std::printf("  TransferEntries     %7.3f s   %7.3f s\n", mine, Median(oursCpu));
    std::printf("  cp -a + rm -r       %7.3f s   %7.3f s\n", other, Median(theirsCpu));
    std::printf("  ratio               %7.2f     %7.2f     (target 1.3)\n", mine / other,
                Median(oursCpu) / Median(theirsCpu));
    std::printf("  longest wait between two progress reports: %.1f ms, ended after %llu files (target well "
                "under 100 ms)\n",
                longestGap, static_cast<unsigned long long>(longestAt));
    return 0;
}
