// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Programs the user names by a command ("Other program..."): the command taken as a desktop
// entry's Exec, and that entry kept among the user's applications so that it can be a type's
// default application.
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"

#include <optional>
#include <string>
#include <string_view>

namespace sifter {

// What the ids of the entries written for commands start with.
inline constexpr std::string_view kUserApplicationIdPrefix = "sifter-userapp-";
// How many ids "PREFIX-NAME-2.desktop", "-3", ... are tried before giving up.
inline constexpr int kMaxUserApplicationIds = 100;

// The application a command stands for (its blanks around trimmed): Exec is the command, with
// " %f" added when it names no file (%f %F %u %U), so that the file comes last; Name is the
// program's file name and TryExec the program, so that DesktopEntryTryExecPasses tells whether
// it is there. No id or path. Empty with fault set when the command is malformed.
std::optional<DesktopEntry> CommandApplication(std::string_view command, ExecFault &fault);

// Writes application (from CommandApplication) as a new entry file with NoDisplay=true and
// MimeType=type in dataHome/applications (made when missing), under the first free id of
// "sifter-userapp-NAME.desktop", "sifter-userapp-NAME-2.desktop", ... (NAME: its Name with
// other characters than letters, digits, "." and "_" turned into "-"); id is set to it. False
// with error, and no file left, when the entry cannot be written.
bool AddUserApplication(const std::string &dataHome, const DesktopEntry &application, std::string_view type,
                        std::string &id, std::string &error);

} // namespace sifter
