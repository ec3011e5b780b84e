// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Path helpers with "/" as the separator.
#include <string>
#include <string_view>

namespace sifter {

inline constexpr char kPathSeparator = '/';

// The last component: "/a/b" -> "b", "/a/b/" -> "b", "name" -> "name"; the root "/" stays "/",
// "" gives "".
std::string PathLastComponent(std::string_view path);
// The extension of the last component from its last dot, dot included ("a.tar.gz" -> ".gz",
// ".bashrc" -> ".bashrc"); empty when the last component has no dot or is "." or "..".
std::string PathExtension(std::string_view path);
// folder + "/" + name, never doubling the separator (trailing ones of folder and leading
// ones of name are dropped); an empty folder gives name, an empty name the folder.
std::string PathAppend(std::string_view folder, std::string_view name);
// Removes the last component and its separator ("/a/b" -> "/a", "/a/b/" -> "/a", "/a" -> "/",
// "a" -> ""); false (path untouched) for "", "/" and the like, where there is nothing to remove.
bool PathRemoveLastComponent(std::string &path);
// The folder holding the last component, usable for opening it: "/a/b" -> "/a", "/a" -> "/",
// "a" and "" -> ".", the root "/" stays "/".
std::string PathContainingFolder(std::string_view path);
// Removes one pair of double quotes enclosing the whole text; false when there was none.
bool PathUnquote(std::string &text);
// True when something exists at the path (a dangling link counts as existing); false for
// an empty path and for one that cannot be examined (no search right on a parent).
bool PathExists(const std::string &path);
// Removes one trailing "/" unless the path is the root "/"; false when nothing was removed.
bool PathRemoveTrailingSeparator(std::string &path);
// The path's bytes with every one but the unreserved characters (ASCII letters, digits and
// "-._~") and "/" written as "%XX" (upper-case hexadecimal), as a file URI or a Trash info
// file carries a path: "/a b/\xff" -> "/a%20b/%FF".
std::string PercentEncodedPath(std::string_view path);
// path as an absolute path of a process whose current folder is currentFolder (absolute,
// as getcwd gives it: no links, no "." or ".."): a relative path is joined to it, "." and
// empty components are dropped, and ".." is collapsed only where that cannot change what
// the path names: against a component of currentFolder and at the root. Any other ".."
// stays, as the component before it may be a link. No trailing "/" except for the root.
std::string PathMadeAbsolute(std::string_view path, std::string_view currentFolder);
// The process's current folder as getcwd gives it; empty with *error (when given) set to
// the errno when it cannot be told (removed, no access, too long).
std::string CurrentFolder(int *error = nullptr);
// "~" alone or a leading "~/" stands for the home folder (HomeFolder of user_folders.h);
// any other text ("~user", "a/~") and a path when no home is known come back unchanged.
std::string PathExpandHome(std::string_view path);
// True when path is folder or lies below it, compared by text ("/a" holds "/a/b", not "/ab";
// the root "/" holds every absolute path). Neither may end in "/" but the root.
bool PathIsSameOrBelow(std::string_view path, std::string_view folder);

} // namespace sifter
