// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points the XDG data and configuration folders into a temporary tree, so that desktop
// entries and mimeapps.list files come from the test only: XDG_DATA_HOME is <tree>/data,
// XDG_DATA_DIRS <tree>/sysdata, XDG_CONFIG_DIRS <tree>/sysconfig, no current desktop. The
// shared MIME database the process found first stays reachable as <tree>/sysdata/mime.
#include "support/temp_tree.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace sifter::test {

// The system's MIME database folder, looked up once before any test moved the folders.
inline const std::string &SystemMimeFolder()
{
    static const std::string folder = [] {
        const char *dirs = std::getenv("XDG_DATA_DIRS");
        std::string list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
        list += ':';
        for (std::size_t start = 0, colon; (colon = list.find(':', start)) != std::string::npos; start = colon + 1) {
            const std::string candidate = list.substr(start, colon - start) + "/mime";
            if (access((candidate + "/mime.cache").c_str(), R_OK) == 0)
                return candidate;
        }
        return std::string();
    }();
    return folder;
}

inline void UseTempXdgFolders(const TempTree &tree)
{
    const std::string mime = SystemMimeFolder();
    tree.MakeFolder("sysdata");
    if (!mime.empty() && symlink(mime.c_str(), tree.Path("sysdata/mime").c_str()) != 0)
        std::abort();  // the tests of types would fail for the wrong reason
    setenv("XDG_DATA_HOME", tree.Path("data").c_str(), 1);
    setenv("XDG_DATA_DIRS", tree.Path("sysdata").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", tree.Path("sysconfig").c_str(), 1);
    unsetenv("XDG_CURRENT_DESKTOP");
}

} // namespace sifter::test
