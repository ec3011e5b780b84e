// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/command_quoting.h"
#include "desktop/desktop_applications.h"
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"
#include "desktop/desktop_integration.h"
#include "desktop/mime_apps_list.h"
#include "desktop/program_run.h"
#include "desktop/user_mime_apps.h"
#include "fs/atomic_file.h"
#include "fs/path.h"
#include "text/translation.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::string_view kType = "application/x-sifter";
constexpr std::string_view kPackageName = "application-x-sifter.xml";
// The application's id, as the installed entry and its metainfo name it.
constexpr std::string_view kEntryId = "com.norvane.Sifter.desktop";
// The id that earlier builds wrote; an entry of ours under it is taken back.
constexpr std::string_view kOldEntryId = "sifter.desktop";
// The program's icon, and the result files' own, as the installation puts them in the theme.
constexpr std::string_view kIconName = "sifter";
constexpr std::string_view kTypeIconName = "application-x-sifter";
constexpr std::string_view kMimeDatabaseTool = "update-mime-database";
constexpr std::string_view kDesktopDatabaseTool = "update-desktop-database";
// What tells our files from the same names written by an installation or by the user.
constexpr std::string_view kMarkerKey = "X-Sifter-Written-By";
constexpr std::string_view kMarkerValue = "options";
constexpr std::string_view kPackageMarker = "<!-- X-Sifter-Written-By=options: Sifter's Options wrote this file -->";
// Started first when the program's path holds a "%": the desktop libraries look for the
// program itself before they undo "%%", and find no file of that name.
constexpr std::string_view kLauncher = "/usr/bin/env";
// An id whose dashes might each stand for a subfolder is tried that many ways at most.
constexpr int kMaxIdDashes = 8;

std::string PackagePath(const DesktopFolders &folders)
{
    return PathAppend(PathAppend(folders.dataHome, "mime/packages"), kPackageName);
}

std::string EntryPath(const DesktopFolders &folders, std::string_view id = kEntryId)
{
    return PathAppend(PathAppend(folders.dataHome, "applications"), id);
}

std::string MimeListPath(const DesktopFolders &folders)
{
    return UserMimeAppsListPath(folders.configHome);
}

std::string PackageText()
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text += kPackageMarker;
    text += "\n<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"application/x-sifter\">\n"
            "    <comment>Sifter Result Document</comment>\n"
            "    <icon name=\"";
    text += kTypeIconName;
    text += "\"/>\n"
            "    <glob pattern=\"*.sifter\"/>\n"
            "    <magic priority=\"80\"><match type=\"string\" offset=\"0\" value=\"SF01\\0\"/></magic>\n"
            "  </mime-type>\n"
            "</mime-info>\n";
    return text;
}

// The Exec value starting the program on one file.
std::string ExecValue(const std::string &programPath)
{
    std::string exec;
    if (programPath.find('%') != std::string::npos) {
        exec += kLauncher;
        exec += ' ';
    }
    exec += QuoteDesktopExecArgument(programPath);
    exec += " %f";
    return EscapeDesktopString(exec);
}

std::string EntryText(const std::string &programPath)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Sifter\n"
                       "GenericName=File Search\n"
                       "Comment=Find files by name, contents, size, date and attributes\n"
                       "Exec=";
    text += ExecValue(programPath);
    text += "\nIcon=";
    text += kIconName;
    text += "\nTerminal=false\n"
            "StartupNotify=true\n"
            "Categories=Utility;FileTools;\n"
            "MimeType=application/x-sifter;\n"
            "Keywords=search;find;files;grep;\n";
    text += kMarkerKey;
    text += '=';
    text += kMarkerValue;
    text += '\n';
    return text;
}

// Who a file at one of our paths belongs to.
enum class Owner { kNone, kUs, kOther };

bool IsOurEntryText(std::string_view content)
{
    bool ours = false;
    ForEachDesktopKey(content, [&ours](std::string_view group, std::string_view key, std::string_view value) {
        ours = ours || (group == "Desktop Entry" && key == kMarkerKey && value == kMarkerValue);
    });
    return ours;
}

// A file that cannot be read counts as another's: it is never replaced or removed.
Owner OwnerOf(const std::string &path, bool (*isOurs)(std::string_view))
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 && (errno == ENOENT || errno == ENOTDIR))
        return Owner::kNone;
    const std::optional<std::string> content = ReadDesktopFileText(path);
    return content && isOurs(*content) ? Owner::kUs : Owner::kOther;
}

Owner PackageOwner(const DesktopFolders &folders)
{
    return OwnerOf(PackagePath(folders), [](std::string_view content) {
        return content.find(kPackageMarker) != std::string_view::npos;
    });
}

Owner EntryOwner(const DesktopFolders &folders, std::string_view id = kEntryId)
{
    return OwnerOf(EntryPath(folders, id), IsOurEntryText);
}

// Why path cannot be examined, right after lstat failed on it.
std::string NotExaminedReason(const std::string &path)
{
    const int error = errno;
    return CatalogueText("Desktop", "cannot examine %1: %2").Arg(path).Arg(std::strerror(error)).Text();
}

// The tool's name is a command, the same in every language.
std::string MissingMimeDatabaseToolReason()
{
    return CatalogueText("Desktop", "%1 is missing (package shared-mime-info)").Arg(kMimeDatabaseTool).Text();
}

// Why a file counted as another's.
std::string NotOursReason(const std::string &path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return NotExaminedReason(path);
    if (!ReadDesktopFileText(path))
        return CatalogueText("Desktop", "cannot read %1 (not a readable file, or too large); it is left as it is")
            .Arg(path)
            .Text();
    return CatalogueText("Desktop", "%1 was not written by Sifter's Options; it is left as it is").Arg(path).Text();
}

// message's values: the path, then the system's text for error.
bool SystemFailure(CatalogueText message, const std::string &path, int error, std::string &reason)
{
    reason = message.Arg(path).Arg(std::strerror(error)).Text();
    return false;
}

bool MakeFolder(const std::string &folder, std::string &error)
{
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    return !code ||
           SystemFailure(CatalogueText("Desktop", "cannot create the folder %1: %2"), folder, code.value(), error);
}

bool RemoveFile(const std::string &path, std::string &error)
{
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
        return SystemFailure(CatalogueText("Desktop", "cannot remove %1: %2"), path, errno, error);
    SyncFolderOf(path);
    return true;
}

bool UpdateMimeDatabase(const DesktopFolders &folders, std::string &error)
{
    return RunProgram({std::string(kMimeDatabaseTool), PathAppend(folders.dataHome, "mime")}, error);
}

// The cache of which entry takes which type is optional: without the tool, the desktop reads
// the entries themselves.
bool UpdateDesktopDatabase(const DesktopFolders &folders, std::string &error)
{
    if (FindProgram(kDesktopDatabaseTool).empty())
        return true;
    return RunProgram({std::string(kDesktopDatabaseTool), PathAppend(folders.dataHome, "applications")}, error);
}

// The entry file of an id in one folder: "a-b.desktop" may be "a/b.desktop".
std::string EntryFileOf(const std::string &folder, std::string_view id, int dashesLeft)
{
    std::string path = PathAppend(folder, id);
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        return path;
    for (std::size_t dash = id.find('-'); dash != std::string_view::npos && dashesLeft > 0;
         dash = id.find('-', dash + 1), --dashesLeft) {
        const std::string subfolder = PathAppend(folder, id.substr(0, dash));
        if (stat(subfolder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
            continue;
        std::string found = EntryFileOf(subfolder, id.substr(dash + 1), dashesLeft - 1);
        if (!found.empty())
            return found;
    }
    return {};
}

// Whether the desktop would start the application of id: the first file found for it is a
// sound entry that is not hidden.
bool IsInstalled(const std::vector<std::string> &applicationFolders, const std::string &id)
{
    if (id.empty() || id.find('/') != std::string::npos || id == "." || id == "..")
        return false;
    for (const std::string &folder : applicationFolders) {
        const std::string path = EntryFileOf(folder, id, kMaxIdDashes);
        if (path.empty())
            continue;
        const std::optional<DesktopEntry> entry = ReadDesktopEntry(path, id, {});
        return entry && !entry->hidden;
    }
    return false;
}

struct DefaultLookup {
    std::string id;       // the type's default application now; empty when none is
    std::string failure;  // a list that exists but cannot be read
};

// The first installed application that a [Default Applications] line names for the type,
// the lists read in the desktop's order (the user's own first).
DefaultLookup FindDefault(const DesktopFolders &folders)
{
    std::vector<std::string> lists = MimeAppsListFiles();
    const std::string ownList = MimeListPath(folders);
    if (std::find(lists.begin(), lists.end(), ownList) == lists.end())
        lists.insert(lists.begin(), ownList);
    std::vector<std::string> applicationFolders = ApplicationFolders();
    const std::string ownFolder = PathAppend(folders.dataHome, "applications");
    if (std::find(applicationFolders.begin(), applicationFolders.end(), ownFolder) == applicationFolders.end())
        applicationFolders.insert(applicationFolders.begin(), ownFolder);
    DefaultLookup lookup;
    for (const std::string &list : lists) {
        const std::optional<std::string> content = ReadDesktopFileText(list);
        if (!content) {
            if (list == ownList && access(list.c_str(), F_OK) == 0)
                lookup.failure = CatalogueText("Desktop", "cannot read %1").Arg(list).Text();
            continue;
        }
        for (const std::string &id : MimeAppsListIds(*content, kDefaultApplicationsGroup, kType)) {
            if (IsInstalled(applicationFolders, id)) {
                lookup.id = id;
                return lookup;
            }
        }
    }
    return lookup;
}

// Makes our entry the type's default and first added association, as the desktop's own
// "set as default" does, when no other application is the default.
bool ClaimDefault(const DesktopFolders &folders, std::string &error)
{
    const DefaultLookup lookup = FindDefault(folders);
    if (!lookup.failure.empty()) {
        error = lookup.failure;
        return false;
    }
    if (!lookup.id.empty() && lookup.id != kEntryId)
        return true;
    const std::string path = MimeListPath(folders);
    std::string content;
    if (!ReadUserMimeAppsList(path, content, error))
        return false;
    std::string edited = content;
    if (lookup.id.empty())
        edited = WithMimeAppsListIdAlone(edited, kDefaultApplicationsGroup, kType, kEntryId);
    edited = WithMimeAppsListIdFirst(edited, kAddedAssociationsGroup, kType, kEntryId);
    if (edited == content)
        return true;
    return MakeFolder(folders.configHome, error) && WriteTextFileAtomically(path, edited, error);
}

bool ReleaseDefault(const DesktopFolders &folders, std::string_view id, std::string &error)
{
    const std::string path = MimeListPath(folders);
    std::string content;
    if (!ReadUserMimeAppsList(path, content, error))
        return false;
    std::string edited = WithoutMimeAppsListId(content, kDefaultApplicationsGroup, kType, id);
    edited = WithoutMimeAppsListId(edited, kAddedAssociationsGroup, kType, id);
    return edited == content || WriteTextFileAtomically(path, edited, error);
}

// Takes back the entry and associations that the previous version wrote under its old id, so
// that the menus and "Open With" never show Sifter twice. An entry of that id that we did not
// write, and the associations naming it, are left alone.
bool RemoveOldEntry(const DesktopFolders &folders, std::string &error)
{
    if (EntryOwner(folders, kOldEntryId) != Owner::kUs)
        return true;
    return ReleaseDefault(folders, kOldEntryId, error) && RemoveFile(EntryPath(folders, kOldEntryId), error) &&
           UpdateDesktopDatabase(folders, error);
}

// A desktop entry is UTF-8 text; control characters other than the escaped ones have no form
// there. The launcher of a path with "%" would take one with "=" for a variable to set.
bool CanWriteInEntry(const std::string &path)
{
    if (path.find('%') != std::string::npos && path.find('=') != std::string::npos)
        return false;
    return IsWritableText(path);
}

// Why files cannot be written in folder (or in the folders still to be made there); empty
// when they can.
std::string WriteAccessFailure(std::string folder)
{
    struct stat status {};
    while (lstat(folder.c_str(), &status) != 0) {
        if (errno != ENOENT || !PathRemoveLastComponent(folder))
            return NotExaminedReason(folder);
    }
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return CatalogueText("Desktop", "%1 is not a folder").Arg(folder).Text();
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return CatalogueText("Desktop", "no write access to %1").Arg(folder).Text();
    return {};
}

// The first folder of ours that cannot be written, with its reason; empty when all can.
std::string FirstWriteAccessFailure(const DesktopFolders &folders)
{
    for (const std::string &file : {PackagePath(folders), EntryPath(folders), MimeListPath(folders)}) {
        std::string failure = WriteAccessFailure(PathContainingFolder(file));
        if (!failure.empty())
            return failure;
    }
    return {};
}

bool CheckFolders(const DesktopFolders &folders, std::string &error)
{
    if (folders.dataHome.empty() || folders.dataHome.front() != kPathSeparator || folders.configHome.empty() ||
        folders.configHome.front() != kPathSeparator) {
        error = CatalogueText("Desktop", "the user's data and configuration folders are not known").Text();
        return false;
    }
    if (folders.programPath.empty() || folders.programPath.front() != kPathSeparator) {
        error = CatalogueText("Desktop", "the path of the running program is not known").Text();
        return false;
    }
    return true;
}

} // namespace

bool RegisterDesktopFileType(const DesktopFolders &folders, std::string &error)
{
    if (!CheckFolders(folders, error))
        return false;
    if (!CanWriteInEntry(folders.programPath)) {
        error = CatalogueText("Desktop", "the program's path %1 cannot be written in a desktop entry (it is not UTF-8 "
                                         "text, or holds both \"%\" and \"=\")")
                    .Arg(folders.programPath)
                    .Text();
        return false;
    }
    if (FindProgram(kMimeDatabaseTool).empty()) {
        error = MissingMimeDatabaseToolReason();
        return false;
    }
    error = FirstWriteAccessFailure(folders);
    if (!error.empty())
        return false;
    // Files of the same names that we did not write are an installation's or the user's.
    for (const auto &[owner, path] : {std::pair{PackageOwner(folders), PackagePath(folders)},
                                      std::pair{EntryOwner(folders), EntryPath(folders)}}) {
        if (owner == Owner::kOther) {
            error = NotOursReason(path);
            return false;
        }
    }
    const std::string packagePath = PackagePath(folders);
    const std::string entryPath = EntryPath(folders);
    // The desktop learns of the change from the databases themselves: nothing else to notify.
    return MakeFolder(PathContainingFolder(packagePath), error) &&
           WriteTextFileAtomically(packagePath, PackageText(), error) && UpdateMimeDatabase(folders, error) &&
           MakeFolder(PathContainingFolder(entryPath), error) &&
           WriteTextFileAtomically(entryPath, EntryText(folders.programPath), error) &&
           UpdateDesktopDatabase(folders, error) && RemoveOldEntry(folders, error) && ClaimDefault(folders, error);
}

bool UnregisterDesktopFileType(const DesktopFolders &folders, std::string &error)
{
    if (!CheckFolders(folders, error))
        return false;
    const Owner packageOwner = PackageOwner(folders);
    const Owner entryOwner = EntryOwner(folders);
    std::string firstError;
    const auto note = [&firstError](bool done, const std::string &reason) {
        if (!done && firstError.empty())
            firstError = reason;
    };
    std::string reason;
    // A default naming an entry of our id that we did not write is not ours to take back.
    if (entryOwner == Owner::kOther) {
        note(false, NotOursReason(EntryPath(folders)));
    } else {
        note(ReleaseDefault(folders, kEntryId, reason), reason);
        if (entryOwner == Owner::kUs)
            note(RemoveFile(EntryPath(folders), reason) && UpdateDesktopDatabase(folders, reason), reason);
    }
    note(RemoveOldEntry(folders, reason), reason);
    if (packageOwner == Owner::kOther)
        note(false, NotOursReason(PackagePath(folders)));
    if (packageOwner == Owner::kUs)
        note(RemoveFile(PackagePath(folders), reason) && UpdateMimeDatabase(folders, reason), reason);
    error = firstError;
    return firstError.empty();
}

FileTypeState ReadDesktopFileTypeState(const DesktopFolders &folders)
{
    FileTypeState state;
    if (!CheckFolders(folders, state.failure))
        return state;
    const Owner packageOwner = PackageOwner(folders);
    const Owner entryOwner = EntryOwner(folders);
    state.registered = packageOwner == Owner::kUs && entryOwner == Owner::kUs;
    const DefaultLookup lookup = FindDefault(folders);
    state.isDefault = lookup.id == kEntryId && entryOwner == Owner::kUs;
    if (!lookup.id.empty() && !state.isDefault)
        state.otherDefault = lookup.id;
    if (!lookup.failure.empty())
        state.failure = lookup.failure;
    else if (entryOwner == Owner::kOther)
        state.failure = NotOursReason(EntryPath(folders));
    else if (packageOwner == Owner::kOther)
        state.failure = NotOursReason(PackagePath(folders));
    else if (FindProgram(kMimeDatabaseTool).empty())
        state.failure = MissingMimeDatabaseToolReason();
    else
        state.failure = FirstWriteAccessFailure(folders);
    return state;
}

} // namespace sifter
