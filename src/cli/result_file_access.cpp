// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/result_file_access.h"

#include "fs/atomic_file.h"
#include "stores/result_file.h"
#include "text/translation.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace sifter {
namespace {

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
    const char *message =
        S_ISSOCK(info.st_mode)
            ? TranslatableText("sifter-cli", "%1: is a socket; results are saved only to a file, a FIFO or a character device")
            : TranslatableText("sifter-cli",
                               "%1: is a block device; results are saved only to a file, a FIFO or a character device");
    return CatalogueText("sifter-cli", message).Arg(Quoted(path)).Text();
}

} // namespace

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
