// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop_integration.h"
#include "fs/user_folders.h"

#include <climits>
#include <string_view>
#include <unistd.h>

namespace sifter {
namespace {

// What the kernel appends to the link when the running file was replaced or removed.
constexpr std::string_view kDeletedSuffix = " (deleted)";

std::string RunningProgramPath()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    // Without /proc, or with a path filling the whole buffer (cut short), there is no path to give.
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<std::size_t>(length));
    // An updated program was installed at the same path: that path starts the new one.
    if (path.size() > kDeletedSuffix.size() && path.ends_with(kDeletedSuffix) && access(path.c_str(), X_OK) != 0) {
        const std::string replaced = path.substr(0, path.size() - kDeletedSuffix.size());
        if (access(replaced.c_str(), X_OK) == 0)
            return replaced;
    }
    return path;
}

} // namespace

DesktopFolders CurrentDesktopFolders()
{
    DesktopFolders folders;
    folders.dataHome = DataHomeFolder();
    folders.configHome = ConfigHomeFolder();
    folders.programPath = RunningProgramPath();
    return folders;
}

} // namespace sifter
