// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_tree.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace sifter::test {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Unlinks every entry of the open folder but its subfolders; returns the first of those.
std::string RemoveFilesAt(int folderFd)
{
    const int listFd = fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    DIR *folder = listFd >= 0 ? fdopendir(listFd) : nullptr;
    if (!folder) {
        if (listFd >= 0)
            close(listFd);
        return {};
    }
    std::vector<std::string> names;
    while (const dirent *entry = readdir(folder))
        names.emplace_back(entry->d_name);
    closedir(folder);
    for (const std::string &name : names) {
        if (name != "." && name != ".." && unlinkat(folderFd, name.c_str(), 0) != 0 && errno == EISDIR)
            return name;
    }
    return {};
}

// Removes everything below the folder, giving back the permissions tests took away. It
// climbs down and back up through descriptors, one open at a time: a deep tree's paths
// pass PATH_MAX, and a descriptor per level could pass the process's limit.
void RemoveContents(const std::string &root)
{
    chmod(root.c_str(), S_IRWXU);
    int fd = open(root.c_str(), kFolderFlags);
    std::vector<std::string> trail; // names from the root down to fd's folder
    while (fd >= 0) {
        const std::string subfolder = RemoveFilesAt(fd);
        if (!subfolder.empty()) {
            fchmodat(fd, subfolder.c_str(), S_IRWXU, 0);
            const int child = openat(fd, subfolder.c_str(), kFolderFlags);
            close(fd);
            fd = child;
            trail.push_back(subfolder);
            continue;
        }
        if (trail.empty())
            break;
        const int parent = openat(fd, "..", kFolderFlags);
        close(fd);
        fd = parent;
        // A folder that stays would be found again and again: give up instead.
        if (fd >= 0 && unlinkat(fd, trail.back().c_str(), AT_REMOVEDIR) != 0)
            break;
        trail.pop_back();
    }
    if (fd >= 0)
        close(fd);
}

} // namespace

TempTree::TempTree()
{
    std::string pattern = (fs::temp_directory_path() / "sifter-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempTree::~TempTree()
{
    RemoveContents(root_);
    rmdir(root_.c_str());
}

std::string TempTree::Path(std::string_view relative) const
{
    return root_ + "/" + std::string(relative);
}

std::string TempTree::MakeFolder(std::string_view relative) const
{
    std::string path = Path(relative);
    fs::create_directories(path);
    return path;
}

std::string TempTree::WriteFile(std::string_view relative, std::string_view content) const
{
    std::string path = Path(relative);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

void TempTree::SetTimes(std::string_view relative, std::int64_t unixSeconds) const
{
    const timespec times[2] = {{static_cast<time_t>(unixSeconds), 0}, {static_cast<time_t>(unixSeconds), 0}};
    if (utimensat(AT_FDCWD, Path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        throw std::runtime_error("utimensat failed");
}

std::string TempTree::MakeChain(std::string_view component, int depth,
                                const std::function<void(int, int)> &atLevel) const
{
    const std::string name(component);
    std::string path = root_;
    int fd = open(root_.c_str(), kFolderFlags);
    for (int level = 1; level <= depth && fd >= 0; ++level) {
        MakeFolderAt(fd, name);
        const int next = openat(fd, name.c_str(), kFolderFlags);
        close(fd);
        fd = next;
        path += "/" + name;
        if (fd >= 0 && atLevel)
            atLevel(fd, level);
    }
    if (fd < 0)
        throw std::runtime_error("cannot open a folder of the chain");
    close(fd);
    return path;
}

std::string ReadFileContent(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool EntryExists(const std::string &path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

void WriteFileAt(int folderFd, const std::string &name, std::string_view content)
{
    const int fd = openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    if (fd >= 0)
        close(fd);
    if (!written)
        throw std::runtime_error("cannot write " + name);
}

void MakeFolderAt(int folderFd, const std::string &name)
{
    if (mkdirat(folderFd, name.c_str(), 0755) != 0)
        throw std::runtime_error("cannot make folder " + name);
}

} // namespace sifter::test
