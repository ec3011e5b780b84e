// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entry data of one file-system entry, examined relative to an open folder.
#include "fs/folder_listing.h"

#include <string_view>

namespace sifter {

// Fills out for the entry at path (relative to folderFd, or AT_FDCWD) without
// following a final link except to learn what it points at; name becomes out.name
// and decides the hidden bit. False (out untouched) when the entry cannot be examined, errno
// then that of the failing call.
bool ReadEntryDataAt(int folderFd, const char *path, std::string_view name, EntryData &out);

} // namespace sifter
