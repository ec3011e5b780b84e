// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mirrors the Options dialog's registrations into the user's desktop, where the registry keys
// alone change nothing: the ".sifter" file type (shared-mime-info package, desktop entry,
// default application) and a "Sifter" action on folders in the common file managers. Works
// for the current user only, in the XDG folders; every file is written atomically and only
// what Sifter wrote is ever removed.
#include <string>
#include <vector>

namespace sifter {

struct DesktopFolders {
    std::string dataHome;     // $XDG_DATA_HOME (~/.local/share)
    std::string configHome;   // $XDG_CONFIG_HOME (~/.config)
    std::string programPath;  // the running program's absolute path
};

// The folders of the running user and program (user_folders.h, /proc/self/exe).
DesktopFolders CurrentDesktopFolders();

// The ".sifter" type in the desktop now.
struct FileTypeState {
    bool registered = false;         // our package and desktop entry are in place
    bool isDefault = false;          // our entry is the type's default application
    std::string otherDefault;        // the desktop entry id of another default, if any
    std::string failure;             // why the state could not be read; empty when it could
};

// Installs the MIME package and the desktop entry, updates the databases, and makes Sifter the
// type's default only when no other application is; an entry the previous version wrote under
// its old id ("sifter.desktop") is replaced. False with the reason in error; what was
// written stays consistent (each file whole or absent).
bool RegisterDesktopFileType(const DesktopFolders &folders, std::string &error);
// Removes what RegisterDesktopFileType added, and what the previous version added under its
// old id, and nothing else; a default given to another program stays. False with the reason in error.
bool UnregisterDesktopFileType(const DesktopFolders &folders, std::string &error);
FileTypeState ReadDesktopFileTypeState(const DesktopFolders &folders);

enum class FileManagerKind { kDolphin, kNautilus, kNemo, kThunar };

struct FolderActionState {
    std::vector<FileManagerKind> installed;  // the file managers that show our action now
    std::vector<std::string> failures;       // one reason per file that could not be read
};

// The file manager's name as users know it ("Dolphin").
const char *FileManagerName(FileManagerKind kind);

// Adds the "Sifter" folder action for every file manager; each failure (one per file manager)
// is appended to errors. False when any failed; the others are still in place.
bool AddFolderActions(const DesktopFolders &folders, std::vector<std::string> &errors);
// Removes only our actions; the user's own are kept byte for byte.
bool RemoveFolderActions(const DesktopFolders &folders, std::vector<std::string> &errors);
FolderActionState ReadFolderActionState(const DesktopFolders &folders);

} // namespace sifter
