// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/shell_registration.h"

#include <array>
#include <cstring>

namespace sifter {
namespace {

// The buffer in which the extension's current type is read; a longer name counts as unreadable.
constexpr std::uint32_t kTypeIdBufferBytes = 520;
constexpr std::string_view kOpenCommandKey = "\\shell\\open\\command";
constexpr std::array<std::string_view, 3> kCommandKeys = {kOpenCommandKey, "\\shell\\print\\command",
                                                         "\\shell\\printto\\command"};
constexpr std::array<std::string_view, 2> kVerbOwners = {"Drive", "Folder"};

bool SetDefaultValue(RegistryStore &store, std::string_view path, std::string_view text)
{
    RegistryKey key;
    if (!store.CreateKey(RegistryRoot::ClassesRoot, path, key))
        return false;
    const bool set = key.SetString({}, text);
    return key.Close() && set;
}

// True when the extension names no type (or cannot be read) or names typeId: then it is ours
// to take or to remove.
bool ExtensionIsFreeOrOurs(RegistryStore &store, const ResultFileTypeNames &names)
{
    RegistryKey key;
    if (!store.OpenKey(RegistryRoot::ClassesRoot, names.extension, key))
        return true;
    std::array<char, kTypeIdBufferBytes> buffer{};
    auto size = static_cast<std::uint32_t>(buffer.size());
    if (key.QueryValue({}, buffer.data(), size) != QueryResult::Ok)
        return true;
    const std::string_view value(buffer.data(), strnlen(buffer.data(), size));
    return value.empty() || value == names.typeId;
}

std::string VerbKeyPath(std::string_view format, std::string_view owner)
{
    std::string path(format);
    const std::size_t marker = path.find("%1");
    if (marker != std::string::npos)
        path.replace(marker, 2, owner);
    return path;
}

} // namespace

std::string CommandLineProgram(std::string_view programPath)
{
    if (programPath.find_first_of(" \t\"") == std::string_view::npos)
        return std::string(programPath);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : programPath) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count literally unless a double quote follows them.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

bool RegisterResultFileType(RegistryStore &store, const ResultFileTypeNames &names, std::string_view programPath)
{
    if (names.typeId.empty())
        return true;
    if (!SetDefaultValue(store, names.typeId, names.typeName))
        return false;
    const std::string command = CommandLineProgram(programPath) + " \"%1\"";
    if (!SetDefaultValue(store, names.typeId + std::string(kOpenCommandKey), command))
        return false;
    if (ExtensionIsFreeOrOurs(store, names))
        return SetDefaultValue(store, names.extension, names.typeId);
    return true;
}

void UnregisterResultFileType(RegistryStore &store, const ResultFileTypeNames &names)
{
    if (names.typeId.empty())
        return;
    DeleteKeyUpwards(store, names.typeId + "\\DefaultIcon");
    for (const std::string_view command : kCommandKeys)
        DeleteKeyUpwards(store, names.typeId + std::string(command));
    if (ExtensionIsFreeOrOurs(store, names)) {
        DeleteKeyUpwards(store, names.extension + "\\ShellNew");
        DeleteKeyUpwards(store, names.extension);
    }
}

bool SetFolderVerb(RegistryStore &store, std::string_view verbKeyFormat, std::string_view programPath, bool remove)
{
    const std::string commandLine = CommandLineProgram(programPath) + " /f:\"%1\"";
    for (const std::string_view owner : kVerbOwners) {
        const std::string path = VerbKeyPath(verbKeyFormat, owner);
        if (!remove) {
            // A key that cannot be written leaves nothing to report: the caller shows the same
            // message whatever happened.
            SetDefaultValue(store, path, commandLine);
            continue;
        }
        const std::size_t lastSeparator = path.rfind('\\');
        if (lastSeparator == std::string::npos)
            continue;
        RegistryKey root;
        if (store.OpenKey(RegistryRoot::ClassesRoot, {}, root))
            DeleteKeyTree(root, std::string_view(path).substr(0, lastSeparator));
    }
    return true;
}

void DeleteKeyUpwards(RegistryStore &store, std::string_view path)
{
    std::string current(path);
    for (;;) {
        {
            RegistryKey key;
            if (!store.OpenKey(RegistryRoot::ClassesRoot, current, key) || key.SubkeyCount() > 0)
                return;
        }
        if (!store.DeleteKey(RegistryRoot::ClassesRoot, current))
            return;
        const std::size_t lastSeparator = current.rfind('\\');
        if (lastSeparator == std::string::npos)
            return;
        current.resize(lastSeparator);
    }
}

bool DeleteKeyTree(const RegistryKey &parent, std::string_view path)
{
    RegistryKey key;
    if (!parent.OpenSubkey(path, key))
        return false;
    std::string subkey;
    while (key.EnumSubkey(0, subkey)) {
        if (!DeleteKeyTree(key, subkey))
            return false;
    }
    // A close that cannot write leaves the changes pending; the parent's close writes them.
    key.Close();
    return parent.DeleteSubkey(path);
}

} // namespace sifter
