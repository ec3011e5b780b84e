#include "cli/result_file_access.h"

#include "doc/result_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr const char *kTemporaryName = ".sifter-save-XXXXXX";

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

// Creates a temporary file beside target; -1 with errno set on failure.
int CreateTemporary(const std::string &target, std::string &temporary)
{
    temporary = FolderOf(target) + "/" + kTemporaryName;
    return mkstemp(temporary.data());
}

} // namespace

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
    int failure = 0;
    if (SaveResultFile(search, path, &failure))
        return true;
    error = SystemError(path, failure);
    return false;
}

} // namespace sifter
