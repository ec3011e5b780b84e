// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/path.h"

#include "fs/user_folders.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

constexpr char kHomeSign = '~';

// The path without trailing separators; the root (any run of "/" alone) stays "/".
std::string_view WithoutTrailingSeparators(std::string_view path)
{
    const std::size_t last = path.find_last_not_of(kPathSeparator);
    if (last == std::string_view::npos)
        return path.empty() ? path : path.substr(0, 1);
    return path.substr(0, last + 1);
}

} // namespace

std::string PathLastComponent(std::string_view path)
{
    const std::string_view trimmed = WithoutTrailingSeparators(path);
    if (trimmed.size() == 1 && trimmed[0] == kPathSeparator)
        return std::string(trimmed);
    const std::size_t slash = trimmed.rfind(kPathSeparator);
    return std::string(slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1));
}

std::string PathExtension(std::string_view path)
{
    const std::string name = PathLastComponent(path);
    if (name == "." || name == "..")
        return {};
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string PathAppend(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    const std::string_view base = WithoutTrailingSeparators(folder);
    const std::size_t nameStart = name.find_first_not_of(kPathSeparator);
    if (nameStart == std::string_view::npos)
        return std::string(base);
    std::string joined(base);
    if (joined.back() != kPathSeparator)
        joined.push_back(kPathSeparator);
    joined.append(name.substr(nameStart));
    return joined;
}

bool PathRemoveLastComponent(std::string &path)
{
    const std::string_view trimmed = WithoutTrailingSeparators(path);
    if (trimmed.empty() || (trimmed.size() == 1 && trimmed[0] == kPathSeparator))
        return false;
    const std::size_t slash = trimmed.rfind(kPathSeparator);
    if (slash == std::string_view::npos) {
        path.clear();
        return true;
    }
    path = std::string(WithoutTrailingSeparators(trimmed.substr(0, slash + 1)));
    return true;
}

std::string PathContainingFolder(std::string_view path)
{
    std::string folder(path);
    PathRemoveLastComponent(folder); // "" and the root have none and stay as they are
    return folder.empty() ? "." : folder;
}

bool PathUnquote(std::string &text)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return false;
    text = text.substr(1, text.size() - 2);
    return true;
}

bool PathExists(const std::string &path)
{
    if (path.empty())
        return false;
    // lstat, not stat: a link whose target is gone is still an entry the user can act on.
    // A path that cannot be examined (no access to a parent) counts as absent.
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool PathRemoveTrailingSeparator(std::string &path)
{
    if (path.size() < 2 || path.back() != kPathSeparator)
        return false;
    path.pop_back();
    return true;
}

std::string PercentEncodedPath(std::string_view path)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
                           byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == kPathSeparator;
        if (plain) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHexDigits[byte >> 4]);
            encoded.push_back(kHexDigits[byte & 0x0F]);
        }
    }
    return encoded;
}

std::string PathMadeAbsolute(std::string_view path, std::string_view currentFolder)
{
    std::vector<std::string_view> components;
    const auto addComponents = [&components](std::string_view text, std::size_t &knownReal) {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find(kPathSeparator, start);
            if (end == std::string_view::npos)
                end = text.size();
            const std::string_view component = text.substr(start, end - start);
            start = end + 1;
            if (component.empty() || component == ".")
                continue;
            if (component == "..") {
                // The parent of a folder getcwd named is the folder before it; the root is its own.
                if (components.empty())
                    continue;
                if (components.size() <= knownReal) {
                    components.pop_back();
                    knownReal = components.size();
                    continue;
                }
            }
            components.push_back(component);
        }
    };
    std::size_t knownReal = 0;
    if (path.empty() || path.front() != kPathSeparator) {
        addComponents(currentFolder, knownReal);
        knownReal = components.size();
    }
    addComponents(path, knownReal);
    std::string absolute;
    for (const std::string_view component : components) {
        absolute.push_back(kPathSeparator);
        absolute.append(component);
    }
    return absolute.empty() ? std::string(1, kPathSeparator) : absolute;
}

std::string CurrentFolder(int *error)
{
    std::vector<char> buffer(PATH_MAX);
    // Below a deep enough folder the name is longer than PATH_MAX: getcwd then asks for more.
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() >= (std::size_t{1} << 24)) {
            if (error)
                *error = errno;
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::string PathExpandHome(std::string_view path)
{
    if (path.empty() || path[0] != kHomeSign || (path.size() > 1 && path[1] != kPathSeparator))
        return std::string(path);
    const std::string home = HomeFolder();
    if (home.empty())
        return std::string(path);
    return PathAppend(home, path.substr(1));
}

bool PathIsSameOrBelow(std::string_view path, std::string_view folder)
{
    if (folder.empty() || !path.starts_with(folder))
        return false;
    return path.size() == folder.size() || folder.back() == '/' || path[folder.size()] == '/';
}

} // namespace sifter
