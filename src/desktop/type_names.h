// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The type description of a file that file managers show in their Type column.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace sifter {

// Looks type names up in shared-mime-info by file name, caching them per extension (as
// many of the name's last dot-led parts as the longest "*.ext" glob has, ".tar.gz"), or
// per name for a name without one and for names that have globs of their own (Makefile,
// README*, *.so.[0-9]*).
class TypeNames {
public:
    TypeNames();
    ~TypeNames();
    // "Folder" for folders; otherwise the MIME type's comment for the name (a path's
    // last component), e.g. "plain text document"; for types the database does not
    // know "EXT file" (extension upper-cased) or "file" when there is no extension.
    std::string TypeName(std::string_view fileName, bool isFolder);
    // The name of the same MIME type, "inode/directory" for folders and the database's
    // default type ("application/octet-stream") for names it does not know; cached alike.
    std::string MimeTypeName(std::string_view fileName, bool isFolder);
    // How many names were looked up in the database so far; the cache answered the rest.
    std::size_t DatabaseLookups() const;

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

} // namespace sifter
