// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Temporary files that say whether their writer still runs: the writer holds an exclusive
// flock on each for as long as it lives, so a later process can tell the leftovers of a
// killed writer (their lock can be taken) from the files of a living one, in any process
// namespace. Paths are the file system's bytes.
#include <functional>
#include <string>
#include <string_view>

namespace sifter {

// Takes the writer's lock on fd, a temporary it has just made (waiting out a cleaner that
// holds it for a moment). Where the file system has no locks there is none to take, and
// nobody can take such a file for stale either.
void LockTemporary(int fd);

// LockTemporary for a temporary made under its name: false when it lost that name before the
// lock was taken (another process took it for stale); then make another.
bool LockNamedTemporary(int fd);

// Calls onStale for each regular file (never a link, folder or other entry) in folder whose
// name isOurs accepts, whose lock could be taken and whose name still leads to the file
// locked: with the folder's descriptor, the name, and a descriptor of the file that holds
// the lock until it is closed after the call. Best effort: a folder that cannot be read
// has none.
void ForEachStaleTemporary(const std::string &folder, const std::function<bool(std::string_view)> &isOurs,
                           const std::function<void(int folderFd, const char *name, int lockedFd)> &onStale);

// Removes the files ForEachStaleTemporary finds. Best effort: a leftover costs space, never
// content.
void RemoveStaleTemporaries(const std::string &folder, const std::function<bool(std::string_view)> &isOurs);

} // namespace sifter
