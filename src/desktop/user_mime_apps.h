// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's own mimeapps.list ($XDG_CONFIG_HOME/mimeapps.list), where the desktop's opener
// finds the default application the user chose for a type: read whole or not at all, edited
// line by line (mime_apps_list.h) and written atomically, every other byte kept.
#include <string>
#include <string_view>

namespace sifter {

// configHome + "/mimeapps.list".
std::string UserMimeAppsListPath(const std::string &configHome);

// The list at path: empty content when there is none. False with error when it exists but
// cannot be read whole (a folder, unreadable, larger than a desktop file may be); such a list
// is never rewritten.
bool ReadUserMimeAppsList(const std::string &path, std::string &content, std::string &error);

// Makes id the default application of type as the desktop's own "set as default" does: alone
// on the type's [Default Applications] line, first on its [Added Associations] line, and no
// longer in its [Removed Associations]. configHome (absolute) is made, owner-only, when
// missing. False with error; the list is then as it was.
bool SetUserDefaultApplication(const std::string &configHome, std::string_view type, std::string_view id,
                               std::string &error);

} // namespace sifter
