// SPDX-License-Identifier: GPL-3.0-or-later
// The "Sifter" action on folders: a file of our own for Dolphin, Nautilus and Nemo, and our
// entry in Thunar's shared uca.xml. Each file of our own carries a marker line, and only a
// file with it is ever replaced or removed.
#include "desktop/command_quoting.h"
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"
#include "desktop/desktop_integration.h"
#include "desktop/thunar_actions.h"
#include "fs/atomic_file.h"
#include "fs/path.h"
#include "text/translation.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

// The program as the first word of a desktop file's Exec value, string escapes applied.
std::string ExecProgramWord(const std::string &program)
{
    return EscapeDesktopString(QuoteDesktopExecArgument(program));
}

constexpr std::string_view kMarkerLine = "X-Sifter-Folder-Action=true";
constexpr std::string_view kWrittenByUs = "# Written by Sifter's Options dialog, which also removes it.";
constexpr std::string_view kDolphinMenu = "kio/servicemenus/sifter-folder.desktop";
constexpr std::string_view kNautilusScript = "nautilus/scripts/Sifter";
constexpr std::string_view kNemoAction = "nemo/actions/sifter-folder.nemo_action";
constexpr mode_t kExecutableMode = 0755;
constexpr mode_t kPlainMode = 0644;
constexpr mode_t kExecuteBits = 0111;
constexpr mode_t kPermissionBits = 07777;

constexpr std::array<FileManagerKind, 4> kAllKinds = {FileManagerKind::kDolphin, FileManagerKind::kNautilus,
                                                       FileManagerKind::kNemo, FileManagerKind::kThunar};

std::string DolphinMenu(const std::string &program)
{
    return std::string(kWrittenByUs) +
           "\n"
           "[Desktop Entry]\n"
           "Type=Service\n"
           "Name=Sifter\n"
           "MimeType=inode/directory;\n"
           "Actions=sifterSearch;\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n" +
           std::string(kMarkerLine) +
           "\n"
           "\n"
           "[Desktop Action sifterSearch]\n"
           "Name=Sifter\n"
           "Icon=system-search\n"
           "Exec=" +
           ExecProgramWord(program) + " /f:%f\n";
}

// Nautilus lists the selection one path a line, though a folder's name may hold a line
// break: a line that names nothing is joined with the next. Every folder but the last is
// started in the background; the last one replaces the script.
std::string NautilusScript(const std::string &program)
{
    return "#!/bin/sh\n" + std::string(kWrittenByUs) + "\n# " + std::string(kMarkerLine) + "\n" +
           "program=" + QuoteShellWord(program) + "\n" +
           R"(newline='
'
pending=
partial=
start() {
    if [ -n "$pending" ]; then
        "$program" "/f:$pending" &
    fi
    pending=$1
    partial=
}
while IFS= read -r line; do
    if [ -n "$partial" ] && [ -d "$partial$newline$line" ]; then
        start "$partial$newline$line"
    elif [ -d "$line" ]; then
        start "$line"
    elif [ -n "$partial" ]; then
        partial=$partial$newline$line
    elif [ -n "$line" ] && [ ! -e "$line" ]; then
        partial=$line
    fi
done <<SELECTION
$NAUTILUS_SCRIPT_SELECTED_FILE_PATHS
SELECTION
if [ -n "$pending" ]; then
    exec "$program" "/f:$pending"
fi
)";
}

std::string NemoAction(const std::string &program)
{
    return std::string(kWrittenByUs) +
           "\n"
           "[Nemo Action]\n"
           "Name=Sifter\n"
           "Comment=Search this folder with Sifter\n"
           "Icon-Name=system-search\n"
           "Exec=" +
           ExecProgramWord(program) +
           " /f:%F\n"
           "Selection=s\n"
           "Extensions=dir;\n"
           "Quote=double\n" +
           std::string(kMarkerLine) + "\n";
}

// The file of our own that a file manager reads (all but Thunar).
struct OwnFile {
    std::string path;
    bool executable = false;   // the file manager ignores the file without the bit
    bool desktopText = false;  // UTF-8 text only
    std::string (*content)(const std::string &program) = nullptr;
};

OwnFile OwnFileOf(FileManagerKind kind, const DesktopFolders &folders)
{
    switch (kind) {
    case FileManagerKind::kDolphin: return {PathAppend(folders.dataHome, kDolphinMenu), true, true, &DolphinMenu};
    case FileManagerKind::kNautilus:
        return {PathAppend(folders.dataHome, kNautilusScript), true, false, &NautilusScript};
    case FileManagerKind::kNemo: return {PathAppend(folders.dataHome, kNemoAction), false, true, &NemoAction};
    case FileManagerKind::kThunar: break;
    }
    return {};
}

std::string SystemError(int error)
{
    return std::strerror(error);
}

bool HasMarker(std::string_view content)
{
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (line.starts_with("# "))
            line.remove_prefix(2);
        if (line == kMarkerLine)
            return true;
    }
    return false;
}

enum class Presence { kAbsent, kPresent, kUnknown };

// Whether anything is at path; kUnknown with the reason when that cannot be told.
Presence PresenceAt(const std::string &path, std::string &error)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0)
        return Presence::kPresent;
    if (errno == ENOENT)
        return Presence::kAbsent;
    error = CatalogueText("Desktop", "%1 cannot be examined: %2").Arg(path).Arg(SystemError(errno)).Text();
    return Presence::kUnknown;
}

std::string NotReadReason(const std::string &path, int code)
{
    return CatalogueText("Desktop", "%1 cannot be read: %2").Arg(path).Arg(SystemError(code)).Text();
}

// The content of the file at path, which exists; empty with the reason in error.
std::optional<std::string> ReadExisting(const std::string &path, std::string &error)
{
    std::optional<std::string> content = ReadDesktopFileText(path);
    if (content)
        return content;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        error = NotReadReason(path, errno);
    else if (!S_ISREG(info.st_mode))
        error = CatalogueText("Desktop", "%1 is not a regular file").Arg(path).Text();
    else if (info.st_size > static_cast<off_t>(kMaxDesktopEntryBytes))
        error = CatalogueText("Desktop", "%1 is too large to be read").Arg(path).Text();
    else if (access(path.c_str(), R_OK) != 0)
        error = NotReadReason(path, errno);
    else
        error = CatalogueText("Desktop", "%1 cannot be read").Arg(path).Text();
    return std::nullopt;
}

bool IsExecutable(const std::string &path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & kExecuteBits) == kExecuteBits;
}

bool MakeFolderOf(const std::string &path, std::string &error)
{
    const std::string folder = PathContainingFolder(path);
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (!failure)
        return true;
    error = CatalogueText("Desktop", "the folder %1 cannot be made: %2").Arg(folder).Arg(failure.message()).Text();
    return false;
}

bool WriteWhole(const std::string &path, const std::string &content, mode_t mode, std::string &error)
{
    if (!MakeFolderOf(path, error))
        return false;
    int failure = 0;
    const bool written = WriteFileAtomically(
        path,
        [&content](std::FILE *file) { return std::fwrite(content.data(), 1, content.size(), file) == content.size(); },
        {.newFileMode = mode}, &failure);
    if (!written)
        error = CatalogueText("Desktop", "%1 cannot be written: %2").Arg(path).Arg(SystemError(failure)).Text();
    return written;
}

// Lets everyone run the file; a rewrite keeps the mode the file had, which may lack the bits.
bool MakeExecutable(const std::string &path, std::string &error)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || chmod(path.c_str(), (info.st_mode & kPermissionBits) | kExecuteBits) != 0) {
        error = CatalogueText("Desktop", "%1 cannot be made executable: %2").Arg(path).Arg(SystemError(errno)).Text();
        return false;
    }
    return true;
}

std::string ProgramPathNotTextReason(const std::string &file)
{
    return CatalogueText("Desktop", "the program's path cannot be written in %1 (it is not UTF-8 text)")
        .Arg(file)
        .Text();
}

bool AddOwnFile(const OwnFile &file, const std::string &program, std::string &error)
{
    if (file.desktopText && !IsWritableText(program)) {
        error = ProgramPathNotTextReason(file.path);
        return false;
    }
    const std::string content = file.content(program);
    switch (PresenceAt(file.path, error)) {
    case Presence::kUnknown: return false;
    case Presence::kAbsent: break;
    case Presence::kPresent: {
        const std::optional<std::string> existing = ReadExisting(file.path, error);
        if (!existing)
            return false;
        if (!HasMarker(*existing)) {
            error = CatalogueText("Desktop", "%1 was not written by Sifter and is left alone").Arg(file.path).Text();
            return false;
        }
        if (*existing == content)
            return !file.executable || IsExecutable(file.path) || MakeExecutable(file.path, error);
        break;
    }
    }
    if (!WriteWhole(file.path, content, file.executable ? kExecutableMode : kPlainMode, error))
        return false;
    return !file.executable || IsExecutable(file.path) || MakeExecutable(file.path, error);
}

bool RemoveOwnFile(const OwnFile &file, std::string &error)
{
    switch (PresenceAt(file.path, error)) {
    case Presence::kUnknown: return false;
    case Presence::kAbsent: return true;
    case Presence::kPresent: break;
    }
    const std::optional<std::string> existing = ReadExisting(file.path, error);
    if (!existing)
        return false;
    if (!HasMarker(*existing))
        return true;  // the user's own file of that name: not ours to remove
    if (unlink(file.path.c_str()) != 0) {
        error = CatalogueText("Desktop", "%1 cannot be removed: %2").Arg(file.path).Arg(SystemError(errno)).Text();
        return false;
    }
    SyncFolderOf(file.path);
    return true;
}

std::optional<bool> OwnFileInstalled(const OwnFile &file, std::string &error)
{
    switch (PresenceAt(file.path, error)) {
    case Presence::kUnknown: return std::nullopt;
    case Presence::kAbsent: return false;
    case Presence::kPresent: break;
    }
    const std::optional<std::string> existing = ReadExisting(file.path, error);
    if (!existing)
        return std::nullopt;
    return HasMarker(*existing) && (!file.executable || IsExecutable(file.path));
}

// uca.xml's text; "" when there is none yet, empty with the reason when it cannot be read.
std::optional<std::string> ReadUcaFile(const std::string &path, std::string &error)
{
    switch (PresenceAt(path, error)) {
    case Presence::kUnknown: return std::nullopt;
    case Presence::kAbsent: return std::string();
    case Presence::kPresent: break;
    }
    return ReadExisting(path, error);
}

bool AddThunarAction(const DesktopFolders &folders, std::string &error)
{
    const std::string path = ThunarActionsFile(folders.configHome);
    if (!IsWritableText(folders.programPath)) {
        error = ProgramPathNotTextReason(path);
        return false;
    }
    const std::optional<std::string> text = ReadUcaFile(path, error);
    if (!text)
        return false;
    std::string reason;
    const std::optional<std::string> edited = UcaTextWithOurAction(*text, folders.programPath, reason);
    if (!edited) {
        error = UcaReasonFor(reason, path);
        return false;
    }
    return *edited == *text || WriteWhole(path, *edited, kPlainMode, error);
}

bool RemoveThunarAction(const DesktopFolders &folders, std::string &error)
{
    const std::string path = ThunarActionsFile(folders.configHome);
    const std::optional<std::string> text = ReadUcaFile(path, error);
    if (!text)
        return false;
    if (text->empty())
        return true;
    std::string reason;
    const std::optional<std::string> edited = UcaTextWithoutOurAction(*text, reason);
    if (!edited) {
        error = UcaReasonFor(reason, path);
        return false;
    }
    return *edited == *text || WriteWhole(path, *edited, kPlainMode, error);
}

std::optional<bool> ThunarActionInstalled(const DesktopFolders &folders, std::string &error)
{
    const std::string path = ThunarActionsFile(folders.configHome);
    const std::optional<std::string> text = ReadUcaFile(path, error);
    if (!text)
        return std::nullopt;
    if (text->empty())
        return false;
    std::string reason;
    const std::optional<bool> installed = UcaTextHasOurAction(*text, reason);
    if (!installed)
        error = UcaReasonFor(reason, path);
    return installed;
}

// The reason why the kind's files cannot be found, empty when they can: a relative folder
// would put them wherever the program happens to run.
std::string UnknownFolderReason(FileManagerKind kind, const DesktopFolders &folders)
{
    const bool thunar = kind == FileManagerKind::kThunar;
    const std::string &base = thunar ? folders.configHome : folders.dataHome;
    if (!base.empty() && base.front() == kPathSeparator)
        return {};
    return thunar ? CatalogueText("Desktop", "the user's configuration folder is not known").Text()
                  : CatalogueText("Desktop", "the user's data folder is not known").Text();
}

bool AddFor(FileManagerKind kind, const DesktopFolders &folders, std::string &error)
{
    error = UnknownFolderReason(kind, folders);
    if (!error.empty())
        return false;
    if (folders.programPath.empty() || folders.programPath.front() != kPathSeparator) {
        error = CatalogueText("Desktop", "the program's own path is not known").Text();
        return false;
    }
    if (kind == FileManagerKind::kThunar)
        return AddThunarAction(folders, error);
    return AddOwnFile(OwnFileOf(kind, folders), folders.programPath, error);
}

bool RemoveFor(FileManagerKind kind, const DesktopFolders &folders, std::string &error)
{
    error = UnknownFolderReason(kind, folders);
    if (!error.empty())
        return false;
    if (kind == FileManagerKind::kThunar)
        return RemoveThunarAction(folders, error);
    return RemoveOwnFile(OwnFileOf(kind, folders), error);
}

std::optional<bool> InstalledFor(FileManagerKind kind, const DesktopFolders &folders, std::string &error)
{
    error = UnknownFolderReason(kind, folders);
    if (!error.empty())
        return std::nullopt;
    if (kind == FileManagerKind::kThunar)
        return ThunarActionInstalled(folders, error);
    return OwnFileInstalled(OwnFileOf(kind, folders), error);
}

std::string Failure(FileManagerKind kind, const std::string &reason)
{
    return std::string(FileManagerName(kind)) + ": " + reason;
}

} // namespace

const char *FileManagerName(FileManagerKind kind)
{
    switch (kind) {
    case FileManagerKind::kDolphin: return "Dolphin";
    case FileManagerKind::kNautilus: return "Nautilus";
    case FileManagerKind::kNemo: return "Nemo";
    case FileManagerKind::kThunar: return "Thunar";
    }
    return "";
}

bool AddFolderActions(const DesktopFolders &folders, std::vector<std::string> &errors)
{
    bool allAdded = true;
    for (const FileManagerKind kind : kAllKinds) {
        std::string error;
        if (AddFor(kind, folders, error))
            continue;
        errors.push_back(Failure(kind, error));
        allAdded = false;
    }
    return allAdded;
}

bool RemoveFolderActions(const DesktopFolders &folders, std::vector<std::string> &errors)
{
    bool allRemoved = true;
    for (const FileManagerKind kind : kAllKinds) {
        std::string error;
        if (RemoveFor(kind, folders, error))
            continue;
        errors.push_back(Failure(kind, error));
        allRemoved = false;
    }
    return allRemoved;
}

FolderActionState ReadFolderActionState(const DesktopFolders &folders)
{
    FolderActionState state;
    for (const FileManagerKind kind : kAllKinds) {
        std::string error;
        const std::optional<bool> installed = InstalledFor(kind, folders, error);
        if (!installed)
            state.failures.push_back(Failure(kind, error));
        else if (*installed)
            state.installed.push_back(kind);
    }
    return state;
}

} // namespace sifter
