// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop_applications.h"

#include "desktop/desktop_exec.h"
#include "desktop/mime_apps_list.h"
#include "fs/user_folders.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

namespace sifter {
namespace {

constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";
constexpr std::string_view kDefaultConfigDirs = "/etc/xdg";
constexpr std::string_view kEntrySuffix = ".desktop";
constexpr std::string_view kAnyBytesType = "application/octet-stream";

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

// The "*.desktop" files below folder with their ids, sorted by path so that the walk is repeatable.
std::vector<std::pair<std::string, std::string>> EntryFilesBelow(const std::string &folder)
{
    namespace fs = std::filesystem;
    std::vector<std::pair<std::string, std::string>> files;
    std::error_code error;
    // Linked folders are not followed: a link back up would never end.
    fs::recursive_directory_iterator walk(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        if (walk.depth() >= kMaxApplicationFolderDepth)
            walk.disable_recursion_pending();
        const std::string &path = walk->path().native();
        if (path.size() <= folder.size() + 1 + kEntrySuffix.size() ||
            path.compare(path.size() - kEntrySuffix.size(), kEntrySuffix.size(), kEntrySuffix) != 0)
            continue;
        std::error_code typeError;
        if (walk->is_directory(typeError))
            continue;
        std::string id = path.substr(folder.size() + 1);
        std::replace(id.begin(), id.end(), '/', '-');
        files.emplace_back(path, std::move(id));
        if (files.size() >= kMaxApplicationEntries)
            break;
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool Declares(const DesktopEntry &entry, const std::string &type)
{
    return std::find(entry.mimeTypes.begin(), entry.mimeTypes.end(), type) != entry.mimeTypes.end();
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

// The associations of the mimeapps.list files: type -> ids, per group.
struct Associations {
    std::map<std::string, std::set<std::string>> named;    // default and added
    std::map<std::string, std::set<std::string>> removed;
};

Associations ReadAssociations(const std::vector<std::string> &files)
{
    Associations associations;
    for (const std::string &file : files) {
        const std::optional<std::string> content = ReadDesktopFileText(file);
        if (!content)
            continue;
        ForEachDesktopKey(*content, [&associations](std::string_view group, std::string_view key, std::string_view value) {
            std::map<std::string, std::set<std::string>> *target = nullptr;
            if (group == kDefaultApplicationsGroup || group == kAddedAssociationsGroup)
                target = &associations.named;
            else if (group == kRemovedAssociationsGroup)
                target = &associations.removed;
            if (!target)
                return;
            for (std::string &id : SplitDesktopList(value))
                (*target)[std::string(key)].insert(std::move(id));
        });
    }
    return associations;
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

std::string MessagesLanguage()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = std::getenv(variable);
        if (!value || !*value)
            continue;
        std::string language(value);
        // "de_DE.UTF-8@euro" -> "de_DE": names are kept per language and country.
        language = language.substr(0, language.find_first_of(".@"));
        if (language == "C" || language == "POSIX")
            return {};
        return language;
    }
    return {};
}

std::vector<DesktopEntry> FindApplications(const std::vector<std::string> &folders, std::string_view language)
{
    std::vector<DesktopEntry> applications;
    std::set<std::string> seen;
    for (const std::string &folder : folders) {
        for (auto &[path, id] : EntryFilesBelow(folder)) {
            if (!seen.insert(id).second)
                continue;
            std::optional<DesktopEntry> entry = ReadDesktopEntry(path, id, language);
            if (entry && !entry->hidden && ParseDesktopExec(entry->exec) && DesktopEntryTryExecPasses(*entry))
                applications.push_back(std::move(*entry));
        }
    }
    return applications;
}

bool HasApplicationForTypes(const std::vector<DesktopEntry> &applications, const std::vector<std::string> &types,
                            const std::vector<std::string> &mimeAppsLists)
{
    const Associations associations = ReadAssociations(mimeAppsLists);
    std::set<std::string> installed;
    for (const DesktopEntry &entry : applications)
        installed.insert(entry.id);
    for (const std::string &type : types) {
        // Every type derives from it: a program taking any bytes is no default for a file of a
        // type of its own, only for a file the database knows nothing better of.
        if (type == kAnyBytesType && &type != &types.front())
            continue;
        const auto named = associations.named.find(type);
        if (named != associations.named.end() &&
            std::any_of(named->second.begin(), named->second.end(),
                        [&installed](const std::string &id) { return installed.count(id) != 0; }))
            return true;
        const auto removed = associations.removed.find(type);
        for (const DesktopEntry &entry : applications) {
            if (Declares(entry, type) && (removed == associations.removed.end() || removed->second.count(entry.id) == 0))
                return true;
        }
    }
    return false;
}

} // namespace sifter
