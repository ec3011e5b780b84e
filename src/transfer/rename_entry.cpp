// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/rename_entry.h"

#include "fs/path.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

RenameOutcome Failed(int &error)
{
    error = errno;
    return error == EEXIST ? RenameOutcome::kExists : RenameOutcome::kFailed;
}

} // namespace

// Where RENAME_NOREPLACE is refused: a hard link fails with EEXIST rather than replace.
RenameOutcome RenameEntryByLink(const std::string &from, const std::string &to, int &error)
{
    struct stat status {};
    if (lstat(from.c_str(), &status) != 0)
        return Failed(error);
    if (S_ISDIR(status.st_mode)) {
        error = EINVAL;
        return RenameOutcome::kFailed;
    }
    if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) != 0)
        return Failed(error);
    if (unlink(from.c_str()) != 0) {
        const int unlinkError = errno;
        // Both names lead to the file: take the new one back, so nothing looks renamed.
        if (unlink(to.c_str()) != 0) {
            // Nothing is lost with two names for one file; the error says what failed.
        }
        error = unlinkError;
        return RenameOutcome::kFailed;
    }
    return RenameOutcome::kRenamed;
}

int RenameWithoutReplace(const std::string &from, const std::string &to, NoReplaceFallback fallback)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    // EINVAL: the file system knows no RENAME_NOREPLACE; ENOSYS: the kernel has no renameat2.
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (fallback == NoReplaceFallback::kCheckThenRename) {
        struct stat status {};
        if (lstat(to.c_str(), &status) == 0)
            return EEXIST;
        return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    int error = 0;
    return RenameEntryByLink(from, to, error) == RenameOutcome::kRenamed ? 0 : error;
}

RenameOutcome RenameEntry(const std::string &folder, std::string_view name, std::string_view newName, int &error)
{
    if (newName.empty())
        return RenameOutcome::kEmptyName;
    if (newName.find(kPathSeparator) != std::string_view::npos)
        return RenameOutcome::kNameWithSeparator;
    if (newName == "." || newName == "..")
        return RenameOutcome::kDotName;
    if (newName == name)
        return RenameOutcome::kRenamed;
    const int code = RenameWithoutReplace(PathAppend(folder, name), PathAppend(folder, newName));
    if (code == 0)
        return RenameOutcome::kRenamed;
    error = code;
    return code == EEXIST ? RenameOutcome::kExists : RenameOutcome::kFailed;
}

} // namespace sifter
