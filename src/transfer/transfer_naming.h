// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names for a copy that must not take an existing entry's name.
#include <string>
#include <string_view>

namespace sifter {

// name with " (number)" before its extension: "report.txt" -> "report (2).txt", "a.tar.gz" ->
// "a (2).tar.gz". A folder, a name starting with "." and one without extension take the number
// at the end (".bashrc (2)"). A number already there is replaced, not stacked ("a (1).txt" ->
// "a (2).txt").
std::string NumberedName(std::string_view name, bool isFolder, unsigned number);

// The first NumberedName, from 1 on, with no entry of that name in folder; empty when none can
// be found (the folder cannot be examined, or every number up to a limit is taken).
std::string FreeEntryName(const std::string &folder, std::string_view name, bool isFolder);

} // namespace sifter
