// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mimeapps.list edited line by line: only the lines of one type in one group change, and
// every other byte (other groups and keys, comments, blank lines, their order, bytes that
// are no text at all) stays as it was.
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

inline constexpr std::string_view kDefaultApplicationsGroup = "Default Applications";
inline constexpr std::string_view kAddedAssociationsGroup = "Added Associations";
inline constexpr std::string_view kRemovedAssociationsGroup = "Removed Associations";

// The ids the group lists for type, in the file's order, over every line of the type in
// every copy of the group.
std::vector<std::string> MimeAppsListIds(std::string_view content, std::string_view group, std::string_view type);

// content where type's lines of the group name id alone ("type=id;"); a line is added at
// the end of the group's first copy when it has none, the group at the end of the file
// when there is none.
std::string WithMimeAppsListIdAlone(std::string_view content, std::string_view group, std::string_view type,
                                    std::string_view id);
// content where id leads type's list in the group: put first on the type's first line
// when no line of the type lists it, the rest of the list kept; a line (or group) added as
// above when there is none.
std::string WithMimeAppsListIdFirst(std::string_view content, std::string_view group, std::string_view type,
                                    std::string_view id);
// content without id in type's lines of the group; a line left with no id is removed.
std::string WithoutMimeAppsListId(std::string_view content, std::string_view group, std::string_view type,
                                  std::string_view id);

} // namespace sifter
