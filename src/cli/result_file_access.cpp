#include "cli/result_file_access.h"

#include "doc/byte_stream.h"
#include "doc/result_file.h"
#include "platform/atomic_file.h"

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

// The message of a save that failed with error; a target refused for what it is gets
// named, as "No such device or address" would not tell why.
std::string SaveFailure(const std::string &path, int error)
{
    struct stat info {};
    if (error != ENXIO || stat(path.c_str(), &info) != 0 || !(S_ISSOCK(info.st_mode) || S_ISBLK(info.st_mode)))
        return SystemError(path, error);
    return Quoted(path) + (S_ISSOCK(info.st_mode) ? ": is a socket" : ": is a block device") +
           "; results are saved only to a file, a FIFO or a character device";
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
    int failure = 0;
    if (ProbeAtomicWrite(path, &failure))
        return true;
    error = SaveFailure(path, failure);
    return false;
}

bool SaveResultFileAtomically(const FileSearch &search, const std::string &path, std::string &error)
{
    int failure = 0;
    constexpr bool kWaitForReader = true; // as a shell redirection into a FIFO does
    if (SaveResultFile(search, path, &failure, kWaitForReader))
        return true;
    error = SaveFailure(path, failure);
    return false;
}

} // namespace sifter
