// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/user_mime_apps.h"

#include "desktop/desktop_entry.h"
#include "desktop/mime_apps_list.h"
#include "fs/atomic_file.h"
#include "fs/path.h"
#include "fs/user_folders.h"
#include "text/translation.h"

#include <cerrno>
#include <sys/stat.h>

namespace sifter {

std::string UserMimeAppsListPath(const std::string &configHome)
{
    return PathAppend(configHome, "mimeapps.list");
}

bool ReadUserMimeAppsList(const std::string &path, std::string &content, std::string &error)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 && errno == ENOENT) {
        content.clear();
        return true;
    }
    std::optional<std::string> text = ReadDesktopFileText(path);
    if (!text) {
        error = CatalogueText("Desktop",
                              "cannot read %1 (not a readable file, or larger than %2 KiB); it is left as it is")
                    .Arg(path)
                    .Arg(std::to_string(kMaxDesktopEntryBytes / 1024))
                    .Text();
        return false;
    }
    content = std::move(*text);
    return true;
}

bool SetUserDefaultApplication(const std::string &configHome, std::string_view type, std::string_view id,
                               std::string &error)
{
    if (configHome.empty() || configHome.front() != kPathSeparator) {
        error = CatalogueText("Desktop", "the user's configuration folder is not known").Text();
        return false;
    }
    const std::string path = UserMimeAppsListPath(configHome);
    std::string content;
    if (!ReadUserMimeAppsList(path, content, error))
        return false;
    std::string edited = WithMimeAppsListIdAlone(content, kDefaultApplicationsGroup, type, id);
    edited = WithMimeAppsListIdFirst(edited, kAddedAssociationsGroup, type, id);
    edited = WithoutMimeAppsListId(edited, kRemovedAssociationsGroup, type, id);
    if (edited == content)
        return true;
    if (!MakeOwnerOnlyFolders(configHome)) {
        error = CatalogueText("Desktop", "cannot make the folder %1").Arg(configHome).Text();
        return false;
    }
    return WriteTextFileAtomically(path, edited, error);
}

} // namespace sifter
