// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/user_folders.h"

#include "fs/path.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

constexpr long kDefaultPasswordBufferSize = 16 * 1024;
constexpr std::size_t kMaxPasswordBufferSize = 1024 * 1024;
constexpr mode_t kOwnerOnlyFolderMode = 0700;

bool IsAbsolute(const char *path)
{
    return path && path[0] == kPathSeparator;
}

// The home folder of the password entry; empty when there is none.
std::string PasswordHome()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0)
        size = kDefaultPasswordBufferSize; // no limit known: start with a size that fits real entries
    std::vector<char> buffer(static_cast<std::size_t>(size));
    for (;;) {
        passwd entry{};
        passwd *found = nullptr;
        const int error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < kMaxPasswordBufferSize) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || !found || !entry.pw_dir)
            return {};
        return entry.pw_dir;
    }
}

std::string BaseFolder(const char *variable, std::string_view defaultBelowHome)
{
    const char *value = std::getenv(variable);
    // The home folder (and the password entry behind it) is looked up only when needed.
    return BaseFolderFrom(value, IsAbsolute(value) ? std::string() : HomeFolder(), defaultBelowHome);
}

} // namespace

std::string HomeFolderFrom(const char *home, const char *passwordHome)
{
    if (IsAbsolute(home))
        return home;
    return IsAbsolute(passwordHome) ? passwordHome : std::string();
}

std::string BaseFolderFrom(const char *variable, std::string_view home, std::string_view defaultBelowHome)
{
    // A relative value is to be ignored, as the base directory rules say.
    if (IsAbsolute(variable))
        return variable;
    return home.empty() ? std::string() : PathAppend(home, defaultBelowHome);
}

std::string HomeFolder()
{
    const char *home = std::getenv("HOME");
    if (IsAbsolute(home))
        return home;
    const std::string fromPassword = PasswordHome();
    return HomeFolderFrom(home, fromPassword.c_str());
}

std::string ConfigHomeFolder()
{
    return BaseFolder("XDG_CONFIG_HOME", kDefaultConfigBelowHome);
}

std::string DataHomeFolder()
{
    return BaseFolder("XDG_DATA_HOME", kDefaultDataBelowHome);
}

std::string StateHomeFolder()
{
    return BaseFolder("XDG_STATE_HOME", kDefaultStateBelowHome);
}

bool MakeOwnerOnlyFolders(const std::string &folder)
{
    if (folder.empty())
        return false;
    for (std::size_t end = folder.find(kPathSeparator, 1);; end = folder.find(kPathSeparator, end + 1)) {
        const std::string prefix = folder.substr(0, end);
        if (mkdir(prefix.c_str(), kOwnerOnlyFolderMode) != 0 && errno != EEXIST)
            return false;
        if (end == std::string::npos)
            break;
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace sifter
