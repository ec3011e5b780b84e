// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop_applications.h"

#include "fs/user_folders.h"
#include "text/ascii_case.h"

#include <cstdlib>
#include <string_view>

namespace sifter {
namespace {

constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";
constexpr std::string_view kDefaultConfigDirs = "/etc/xdg";

// The absolute folders of a colon-separated variable, or of its default when it is unset or empty.
std::vector<std::string> FoldersOf(const char *variable, std::string_view fallback)
{
    const char *value = std::getenv(variable);
    std::string_view list = value && *value ? value : fallback;
    std::vector<std::string> folders;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        std::string folder(list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        if (!folder.empty() && folder.front() == '/')
            folders.push_back(std::move(folder));
    }
    return folders;
}

// The names of XDG_CURRENT_DESKTOP ("KDE", "GNOME"), in its order.
std::vector<std::string> CurrentDesktops()
{
    std::vector<std::string> desktops;
    const char *value = std::getenv("XDG_CURRENT_DESKTOP");
    std::string_view list = value ? value : "";
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (colon != 0)
            desktops.emplace_back(list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return desktops;
}

} // namespace

std::vector<std::string> ApplicationFolders()
{
    std::vector<std::string> folders;
    const std::string dataHome = DataHomeFolder();
    if (!dataHome.empty())
        folders.push_back(dataHome + "/applications");
    for (const std::string &folder : FoldersOf("XDG_DATA_DIRS", kDefaultDataDirs))
        folders.push_back(folder + "/applications");
    return folders;
}

std::vector<std::string> MimeAppsListFiles()
{
    // Each folder's lists of the current desktops ("kde-mimeapps.list") come before its own.
    std::vector<std::string> names;
    for (const std::string &desktop : CurrentDesktops()) {
        if (desktop.find('/') == std::string::npos)
            names.push_back(AsciiLowered(desktop) + "-mimeapps.list");
    }
    names.emplace_back("mimeapps.list");
    std::vector<std::string> folders;
    const std::string configHome = ConfigHomeFolder();
    if (!configHome.empty())
        folders.push_back(configHome);
    for (std::string &folder : FoldersOf("XDG_CONFIG_DIRS", kDefaultConfigDirs))
        folders.push_back(std::move(folder));
    for (std::string &folder : ApplicationFolders())
        folders.push_back(std::move(folder));
    std::vector<std::string> files;
    for (const std::string &folder : folders) {
        for (const std::string &name : names)
            files.push_back(folder + "/" + name);
    }
    return files;
}

} // namespace sifter
