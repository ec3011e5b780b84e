// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deleting found files: to the desktop's Trash, or for good. Paths are the file system's bytes.
#include <string>

namespace sifter {

// Moves the entry (a folder whole, a link itself) to the freedesktop Trash of its file system
// (trash.h), never copying it; false when it cannot be trashed (no trash folder on its file
// system, no right), with the reason in error.
bool MoveEntryToTrash(const std::string &path, std::string &error);

// Removes the entry for good: a folder with its whole tree, a link itself and never its
// target. False when something stayed, with the reason in error; what went before stays gone.
bool RemoveEntryForGood(const std::string &path, std::string &error);

} // namespace sifter
