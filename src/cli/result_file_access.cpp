#include "cli/result_file_access.h"

#include "doc/byte_stream.h"
#include "doc/result_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr const char *kTemporaryName = ".sifter-save-XXXXXX";
constexpr mode_t kNewFileMode = 0666;

struct FileCloser {
    void operator()(std::FILE *file) const
    {
        // Only read streams get here; nothing of a failed close can be lost.
        std::fclose(file);
    }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

std::string Quoted(const std::string &path)
{
    return "'" + path + "'";
}

std::string SystemError(const std::string &path, int error)
{
    return Quoted(path) + ": " + std::strerror(error);
}

// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a save really replaces: the target of a symbolic link, else path itself.
std::string ResolvedTarget(const std::string &path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    // A dangling link cannot be resolved; the save then replaces the link itself.
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

mode_t ModeForNewFile(const std::string &path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return kNewFileMode & ~mask;
}

// Creates the temporary file beside target; -1 with errno set on failure.
int CreateTemporary(const std::string &target, std::string &temporary)
{
    temporary = FolderOf(target) + "/" + kTemporaryName;
    return mkstemp(temporary.data());
}

// Writes the whole file to fd (which it closes); 0 when everything was written and
// flushed to disk, else the errno of the first failure.
int WriteAll(const FileSearch &search, int fd, mode_t mode)
{
    std::FILE *file = fdopen(fd, "wb");
    if (!file) {
        const int failure = errno;
        close(fd);
        return failure;
    }
    StdioSink sink(file);
    int failure = 0;
    errno = 0;
    if (!SaveResults(search, sink) || std::fflush(file) != 0)
        failure = errno != 0 ? errno : EIO;
    else if (fchmod(fileno(file), mode) != 0 || fsync(fileno(file)) != 0)
        failure = errno;
    errno = 0;
    if (std::fclose(file) != 0 && failure == 0)
        failure = errno != 0 ? errno : EIO;
    return failure;
}

} // namespace

LoadOutcome LoadResultFileReporting(FileSearch &search, const std::string &path, std::string &error)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = SystemError(path, EISDIR);
        return LoadOutcome::CannotOpen;
    }
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = SystemError(path, errno);
        return LoadOutcome::CannotOpen;
    }
    StdioSource source(file.get());
    if (!CheckResultMagic(source)) {
        error = Quoted(path) + ": not a Sifter result file";
        return LoadOutcome::NotResultFile;
    }
    if (!LoadResults(search, source)) {
        error = Quoted(path) + ": damaged or cut short after " + std::to_string(search.CountFoundFiles()) +
                " records";
        return LoadOutcome::Damaged;
    }
    return LoadOutcome::Loaded;
}

bool CheckSaveTarget(const std::string &path, std::string &error)
{
    const std::string target = ResolvedTarget(path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = SystemError(path, EISDIR);
        return false;
    }
    std::string probe;
    const int fd = CreateTemporary(target, probe);
    if (fd < 0) {
        error = SystemError(path, errno);
        return false;
    }
    close(fd);
    // The probe is empty and ours; should it survive, it is harmless.
    unlink(probe.c_str());
    return true;
}

bool SaveResultFileAtomically(const FileSearch &search, const std::string &path, std::string &error)
{
    const std::string target = ResolvedTarget(path);
    const mode_t mode = ModeForNewFile(target);
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        error = SystemError(path, errno);
        return false;
    }
    int failure = WriteAll(search, fd, mode);
    if (failure == 0 && rename(temporary.c_str(), target.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        error = SystemError(path, failure);
        // Removing our own temporary file; if even that fails there is nothing more to do.
        unlink(temporary.c_str());
        return false;
    }
    // Makes the rename itself durable; the file is complete and in place either way.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

} // namespace sifter
