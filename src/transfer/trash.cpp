// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/trash.h"

#include "fs/path.h"
#include "fs/user_folders.h"
#include "text/utf8.h"
#include "transfer/entry_copier.h"
#include "transfer/rename_entry.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::string_view kHomeTrashName = "Trash";
constexpr std::string_view kSharedTrashName = ".Trash";
constexpr std::string_view kUserTrashPrefix = ".Trash-";
constexpr std::string_view kFilesFolder = "files";
constexpr std::string_view kInfoFolder = "info";
constexpr std::string_view kInfoSuffix = ".trashinfo";
constexpr mode_t kTrashFolderMode = 0700;
constexpr mode_t kInfoFileMode = 0600;
constexpr int kMaxNameAttempts = 1000;
// Room within a name's limit for the info file's suffix and the ".N" of a taken name.
constexpr std::size_t kNameCounterBytes = 5;  // "." and the digits of kMaxNameAttempts
constexpr std::size_t kMaxTrashNameBytes = NAME_MAX - kInfoSuffix.size() - kNameCounterBytes;


// Makes the folder (0700) unless it is there; true when it then is a folder of uid's, no link.
bool MakeOwnFolder(const std::string &folder, uid_t uid, std::string &error)
{
    if (mkdir(folder.c_str(), kTrashFolderMode) != 0 && errno != EEXIST) {
        error = ErrorMessage(CatalogueText("Transfer", "cannot create %1: %2").Arg(folder), errno);
        return false;
    }
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != uid) {
        error = CatalogueText("Transfer", "%1 is not a folder of the user's own").Arg(folder).Text();
        return false;
    }
    return true;
}

bool MakeTrashParts(const std::string &trash, uid_t uid, std::string &error)
{
    return MakeOwnFolder(PathAppend(trash, kFilesFolder), uid, error) &&
           MakeOwnFolder(PathAppend(trash, kInfoFolder), uid, error);
}

// The device of the nearest folder of path that exists: where a missing trash would be made.
bool NearestFolderDevice(std::string path, dev_t &device)
{
    for (;;) {
        struct stat info {};
        if (stat(path.c_str(), &info) == 0) {
            device = info.st_dev;
            return true;
        }
        if (errno != ENOENT || !PathRemoveLastComponent(path))
            return false;
    }
}

// The top folder of the file system device that holds folder (absolute, without links): the
// last folder on the way up that is still on device.
std::string TopFolderOf(std::string folder, dev_t device)
{
    for (;;) {
        std::string parent = folder;
        if (!PathRemoveLastComponent(parent))
            return folder;
        struct stat info {};
        // Cannot fail for the parent of a folder that was reached through it.
        if (stat(parent.c_str(), &info) != 0 || info.st_dev != device)
            return folder;
        folder = std::move(parent);
    }
}

// The entry's path with the links of its folders resolved, as the top folder and Path= need
// it; the entry itself, which may be a link, stays as it is.
bool ResolveEntry(const std::string &path, std::string &entry, std::string &error)
{
    entry = path;
    while (PathRemoveTrailingSeparator(entry)) {
    }
    const std::string name = PathLastComponent(entry);
    if (name.empty() || name == "." || name == ".." || name.front() == kPathSeparator) {
        error = CatalogueText("Transfer", "it is not an entry of a folder").Text();
        return false;
    }
    const std::unique_ptr<char, decltype(&std::free)> folder(realpath(PathContainingFolder(entry).c_str(), nullptr),
                                                             &std::free);
    if (!folder) {
        error = ErrorText(errno);
        return false;
    }
    entry = PathAppend(folder.get(), name);
    return true;
}

// The home trash when the entry's device is its device; else the top folder's trash.
bool TrashFolderFor(const std::string &entry, dev_t device, TrashFolder &trash, std::string &error)
{
    const uid_t uid = getuid();
    const std::string dataHome = DataHomeFolder();
    dev_t homeDevice = 0;
    if (!dataHome.empty()) {
        const std::string home = PathAppend(dataHome, kHomeTrashName);
        if (NearestFolderDevice(home, homeDevice) && homeDevice == device) {
            if (!MakeOwnerOnlyFolders(home)) {
                error = CatalogueText("Transfer", "cannot create the Trash folder %1").Arg(home).Text();
                return false;
            }
            trash = {home, {}};
            return MakeTrashParts(home, uid, error);
        }
    }
    const std::string folder = PathContainingFolder(entry);
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        error = ErrorText(errno);
        return false;
    }
    if (info.st_dev != device) {
        error = CatalogueText("Transfer", "it is the top folder of a file system").Text();
        return false;
    }
    return TopFolderTrash(TopFolderOf(folder, device), uid, trash, error);
}

// The entry's name in the trash: its own, cut (never inside a character) where the info
// file's name would pass the limit; the original name is in Path= either way.
std::string TrashName(std::string name)
{
    if (name.size() <= kMaxTrashNameBytes)
        return name;
    std::size_t cut = kMaxTrashNameBytes;
    while (cut > 0 && IsUtf8Continuation(static_cast<unsigned char>(name[cut])))
        --cut;
    name.resize(cut);
    return name;
}

std::string InfoText(const std::string &recordedPath)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[32] = "1970-01-01T00:00:00";  // kept only should the clock be past what tm holds
    if (localtime_r(&now, &local))
        std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + PercentEncodedPath(recordedPath) + "\nDeletionDate=" + date + "\n";
}

// Writes the text into a new info file and closes it; false with the reason in error, the
// file then removed.
bool WriteInfoFile(int fd, const std::string &path, std::string_view text, std::string &error)
{
    int code = 0;
    while (!text.empty() && code == 0) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written > 0)
            text.remove_prefix(static_cast<std::size_t>(written));
        else if (written == 0)
            code = EIO;
        else if (errno != EINTR)
            code = errno;
    }
    if (close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0)
        return true;
    error = ErrorMessage(CatalogueText("Transfer", "cannot write %1: %2").Arg(path), code);
    // A partial info file would describe the entry wrongly; should it stay, the entry is not
    // moved anyway.
    unlink(path.c_str());
    return false;
}

bool MoveIntoTrash(const std::string &entry, const TrashFolder &trash, std::string &error)
{
    const std::string &top = trash.topFolder;
    const std::string recorded =
        top.empty() ? entry : entry.substr(top.size() + (top.back() == kPathSeparator ? 0 : 1));
    const std::string info = InfoText(recorded);
    const std::string name = TrashName(PathLastComponent(entry));
    const std::string files = PathAppend(trash.folder, kFilesFolder);
    const std::string infos = PathAppend(trash.folder, kInfoFolder);
    for (int attempt = 1; attempt <= kMaxNameAttempts; ++attempt) {
        const std::string candidate = attempt == 1 ? name : name + "." + std::to_string(attempt);
        const std::string infoPath = PathAppend(infos, candidate + std::string(kInfoSuffix));
        const int fd = open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kInfoFileMode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = ErrorMessage(CatalogueText("Transfer", "cannot create %1: %2").Arg(infoPath), errno);
            return false;
        }
        if (!WriteInfoFile(fd, infoPath, info, error))
            return false;
        // Where the file system has no RENAME_NOREPLACE, a name seen free is enough: the trash is
        // the user's own folder, where no other program takes a name in the meantime.
        const int code = RenameWithoutReplace(entry, PathAppend(files, candidate), NoReplaceFallback::kCheckThenRename);
        if (code == 0)
            return true;
        // The entry stayed where it was, so its info file goes. Should that fail, an info
        // file naming nothing is left, the entry itself untouched.
        unlink(infoPath.c_str());
        // An entry left in "files" without its info file holds the name: the next one is tried.
        if (code == EEXIST)
            continue;
        if (code == EXDEV)
            error = CatalogueText("Transfer",
                                  "it is on another mount than its Trash folder %1, and the Trash never copies")
                        .Arg(trash.folder)
                        .Text();
        else
            error = ErrorMessage(CatalogueText("Transfer", "cannot move it into %1: %2").Arg(files), code);
        return false;
    }
    error = CatalogueText("Transfer", "no free name in %1").Arg(files).Text();
    return false;
}

} // namespace

bool TopFolderTrash(const std::string &topFolder, uid_t uid, TrashFolder &trash, std::string &error)
{
    const std::string uidText = std::to_string(uid);
    const std::string shared = PathAppend(topFolder, kSharedTrashName);
    struct stat info {};
    // A shared trash is one an administrator set up: sticky, so that users cannot take each
    // other's folders, and no link, which could lead anywhere.
    if (lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) != 0) {
        const std::string own = PathAppend(shared, uidText);
        // Its failure is not told: the user's own trash below is the answer then, and its
        // failure the one that counts.
        std::string sharedError;
        if (MakeOwnFolder(own, uid, sharedError) && MakeTrashParts(own, uid, sharedError)) {
            trash = {own, topFolder};
            return true;
        }
    }
    const std::string own = PathAppend(topFolder, std::string(kUserTrashPrefix) + uidText);
    if (!MakeOwnFolder(own, uid, error) || !MakeTrashParts(own, uid, error))
        return false;
    trash = {own, topFolder};
    return true;
}

bool MoveToTrash(const std::string &path, std::string &error)
{
    std::string entry;
    if (!ResolveEntry(path, entry, error))
        return false;
    struct stat status {};
    if (lstat(entry.c_str(), &status) != 0) {
        error = ErrorText(errno);
        return false;
    }
    TrashFolder trash;
    return TrashFolderFor(entry, status.st_dev, trash, error) && MoveIntoTrash(entry, trash, error);
}

} // namespace sifter
