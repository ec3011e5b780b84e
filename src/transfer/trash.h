// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The freedesktop.org Trash, worked on by the path's bytes. The home trash
// ($XDG_DATA_HOME/Trash) takes the entries on its own file system; an entry elsewhere goes to
// the trash in the top folder of its file system. An entry reaches a trash only by a rename:
// one that would have to be copied there is refused.
#include <string>
#include <sys/types.h>

namespace sifter {

// A trash folder, holding "files" and "info", and what its info files record.
struct TrashFolder {
    std::string folder;
    // The folder that Path= is relative to: the top folder of a top-folder trash; empty for
    // the home trash, whose Path= is absolute.
    std::string topFolder;
};

// The trash of user uid in topFolder, the top folder of a file system: topFolder/.Trash/uid
// when topFolder/.Trash is a sticky folder and no link, else (or when that one cannot be used)
// topFolder/.Trash-uid. Made 0700 when missing, with "files" and "info"; each must be a folder
// of uid's and no link. False with the reason in error when neither can be used.
bool TopFolderTrash(const std::string &topFolder, uid_t uid, TrashFolder &trash, std::string &error);

// Moves the entry at path to the trash of its file system, made when missing; a symbolic link
// goes itself, a folder whole. The info file info/NAME.trashinfo is created first (NAME made
// free when taken), then the entry is renamed to files/NAME; should that fail, the info file
// goes again. False with the reason in error; the entry is then where it was.
bool MoveToTrash(const std::string &path, std::string &error);

} // namespace sifter
