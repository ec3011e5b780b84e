// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Titles made from texts that may hold characters a file name cannot: the search title
// of an untitled document and the file name proposed for saving it.
#include <QString>

namespace sifter {

// The text with every "/", "\", ":", "*", "?", "\"", "<", ">" and "|" removed and white
// space trimmed at both ends.
QString RemoveTitleUnsafeCharacters(const QString &text);

// The title format (str::kTitleFormat, "%s %s In %s") filled with the name part, the words part and the last
// component of the folder text, then cleaned as above ("/home/me/Work" alone gives
// "In Work").
QString BuildSearchTitle(const QString &namePart, const QString &wordsPart, const QString &folderText);

// The last component of a folder text as the search title takes it: "/a/b" and "/a/b/"
// give "b"; the root "/" stays "/"; a text without "/" stays whole.
QString FolderLastComponent(const QString &folderText);

} // namespace sifter
