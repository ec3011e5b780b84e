// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renaming an entry within its folder without ever replacing another entry.
#include <string>
#include <string_view>

namespace sifter {

enum class RenameOutcome {
    kRenamed,
    kEmptyName,          // the new name is empty
    kNameWithSeparator,  // it holds "/"
    kDotName,            // it is "." or ".."
    kExists,             // an entry of the new name is there already; nothing changed
    kFailed,             // the system refused; error holds its errno
};

// Renames folder/name to folder/newName. An existing newName is never replaced: renameat2
// with RENAME_NOREPLACE, or, where the file system does not offer that, a hard link under
// the new name and then removing the old one (a folder, which cannot be linked, is then
// refused with EINVAL). The same name renames nothing and succeeds. error is set for kFailed.
RenameOutcome RenameEntry(const std::string &folder, std::string_view name, std::string_view newName, int &error);

// The fallback of RenameEntry on its own, from one path to another: link, then unlink the old
// name. kExists when to exists; a folder gives kFailed with EINVAL.
RenameOutcome RenameEntryByLink(const std::string &from, const std::string &to, int &error);

// What RenameWithoutReplace does where the file system does not offer RENAME_NOREPLACE (EINVAL)
// or the kernel has no renameat2 (ENOSYS).
enum class NoReplaceFallback {
    kLink,             // RenameEntryByLink: never replaces, but refuses a folder with EINVAL
    kCheckThenRename,  // rename once no entry of the new name is seen: it takes a folder too, and
                       // would replace a name taken in between, so only where nobody else does
};

// Renames from to to (any folders, one file system) without replacing an entry there:
// renameat2 with RENAME_NOREPLACE, else the fallback. 0, or the errno of the failing call:
// EEXIST when an entry of the new name is there, EXDEV when to is on another file system.
int RenameWithoutReplace(const std::string &from, const std::string &to,
                         NoReplaceFallback fallback = NoReplaceFallback::kLink);

} // namespace sifter
