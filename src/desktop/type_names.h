#pragma once
// The type description of a file that file managers show in their Type column.
#include <memory>
#include <string>
#include <string_view>

namespace sifter {

// Looks type names up in shared-mime-info by file name, caching them per extension.
class TypeNames {
public:
    TypeNames();
    ~TypeNames();
    // "Folder" for folders; otherwise the MIME type's comment for the name (a path's
    // last component), e.g. "plain text document"; for types the database does not
    // know "EXT file" (extension upper-cased) or "file" when there is no extension.
    std::string TypeName(std::string_view fileName, bool isFolder);

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

} // namespace sifter
