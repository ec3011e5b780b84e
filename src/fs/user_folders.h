// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's home folder and the XDG base folders below it.
#include <string>
#include <string_view>

namespace sifter {

// Where a base folder is when its variable is unset, relative to the home folder.
inline constexpr std::string_view kDefaultConfigBelowHome = ".config";
inline constexpr std::string_view kDefaultDataBelowHome = ".local/share";
inline constexpr std::string_view kDefaultStateBelowHome = ".local/state";

// $HOME when it is an absolute path, else the home folder of the user's password entry;
// empty when neither gives one.
std::string HomeFolder();
// $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_STATE_HOME when absolute (relative values are
// ignored), else their defaults below HomeFolder(); empty when no home folder is known.
std::string ConfigHomeFolder();
std::string DataHomeFolder();
std::string StateHomeFolder();

// Makes folder and its missing parents, each one made owner-only (0700) as the base
// directory rules ask; true when folder is a folder afterwards (links followed).
bool MakeOwnerOnlyFolders(const std::string &folder);

// The same rules on given values (null for unset, passwordHome as the entry gives it).
std::string HomeFolderFrom(const char *home, const char *passwordHome);
std::string BaseFolderFrom(const char *variable, std::string_view home, std::string_view defaultBelowHome);

} // namespace sifter
