// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/transfer_naming.h"

#include "fs/path.h"

#include <cerrno>
#include <sys/stat.h>

namespace sifter {
namespace {

// Past this a folder is either hostile or not readable: give up rather than probe forever.
constexpr unsigned kMaxNumber = 100'000;

// Where the extension starts, or name.size() when the number goes at the end.
std::size_t ExtensionStart(std::string_view name, bool isFolder)
{
    if (isFolder)
        return name.size();
    const std::size_t dot = name.rfind('.');
    // A leading dot names a hidden file, a trailing one ends the name: neither is an extension.
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return name.size();
    // ".tar.gz" and the like travel together, as an archive tool expects.
    constexpr std::string_view kTar = ".tar";
    if (dot > kTar.size() && name.substr(dot - kTar.size(), kTar.size()) == kTar)
        return dot - kTar.size();
    return dot;
}

// The stem without a " (digits)" at its end, so a copy of a copy counts on.
std::string_view WithoutNumber(std::string_view stem)
{
    if (stem.size() < 4 || stem.back() != ')')
        return stem;
    const std::size_t open = stem.rfind(" (");
    if (open == std::string_view::npos || open + 3 > stem.size() - 1 || open == 0)
        return stem;
    for (std::size_t i = open + 2; i + 1 < stem.size(); ++i) {
        if (stem[i] < '0' || stem[i] > '9')
            return stem;
    }
    return stem.substr(0, open);
}

} // namespace

std::string NumberedName(std::string_view name, bool isFolder, unsigned number)
{
    const std::size_t extension = ExtensionStart(name, isFolder);
    std::string result(WithoutNumber(name.substr(0, extension)));
    result += " (" + std::to_string(number) + ")";
    result += name.substr(extension);
    return result;
}

std::string FreeEntryName(const std::string &folder, std::string_view name, bool isFolder)
{
    for (unsigned number = 1; number <= kMaxNumber; ++number) {
        std::string candidate = NumberedName(name, isFolder, number);
        struct stat status {};
        if (lstat(PathAppend(folder, candidate).c_str(), &status) != 0)
            return errno == ENOENT ? candidate : std::string();
    }
    return {};
}

} // namespace sifter
