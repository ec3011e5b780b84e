// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the desktop entries and mimeapps.list files are, the applications GIO finds for a MIME
// type, and whether the type has a handler at all (what the desktop's opener would start).
#include "desktop/desktop_entry.h"

#include <string>
#include <vector>

namespace sifter {

// The folders holding desktop entries, first wins: $XDG_DATA_HOME/applications, then each
// absolute folder of $XDG_DATA_DIRS (default /usr/local/share:/usr/share) + /applications.
std::vector<std::string> ApplicationFolders();
// The files that may name default applications, most important first: in $XDG_CONFIG_HOME,
// each $XDG_CONFIG_DIRS (default /etc/xdg), then each of ApplicationFolders(), the lists of
// the desktops of $XDG_CURRENT_DESKTOP ("kde-mimeapps.list") and then mimeapps.list.
std::vector<std::string> MimeAppsListFiles();

// The applications a chooser offers for a file of the types (its own type first, then its
// aliases and ancestors), as GIO finds them in the XDG folders and mimeapps.list files: those
// registered for one of the types, with the own type's default first and the rest by name,
// then all others by name. Only entries shown in choosers are in either: installed (not Hidden,
// TryExec found), not NoDisplay, not Terminal, meant for a desktop of $XDG_CURRENT_DESKTOP,
// and with an Exec that parses. Names are translated for the messages language
// ($LANGUAGE, $LC_ALL, $LC_MESSAGES, $LANG). GIO reads the folders of the environment at its
// first use in the process and follows changes of their contents, not of the variables.
struct ChooserApplications {
    std::vector<DesktopEntry> declared;
    std::vector<DesktopEntry> others;
};
ChooserApplications ChooserApplicationsForTypes(const std::vector<std::string> &types);

// True when one of the types (a file's own first, then its aliases and ancestors) has an
// application: GIO's default for it (what GIO's opener starts: entries Hidden, with a missing
// TryExec or removed for the type do not count, NoDisplay ones do), or one the chooser offers
// as the type's own. "application/octet-stream" counts only as the file's own type. GIO
// follows new and removed entries while the program runs (through its own monitors).
bool HasApplicationForTypes(const std::vector<std::string> &types);

// Waits up to timeoutMs for GIO's default for type to be the entry id, just made so by this
// program: GIO learns of a changed mimeapps.list and entry folder through its monitors a
// moment later (on a busy machine a tenth of a second and more), and the next file opened
// would meanwhile find no default. True once GIO agrees.
bool AwaitDefaultApplication(const std::string &type, const std::string &id, int timeoutMs);

} // namespace sifter
