// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIME types an application must declare to open a file: the file's own type, its
// aliases and every type it derives from, as shared-mime-info knows them.
#include <string>
#include <vector>

namespace sifter {

// For a folder "inode/directory"; otherwise the type by the file's name and content (a file
// that cannot be read by name alone), then its aliases and ancestors. path is bytes.
std::vector<std::string> FileMimeTypes(const std::string &path, bool isFolder);

} // namespace sifter
