// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/user_application.h"

#include "fs/atomic_file.h"
#include "fs/path.h"
#include "fs/user_folders.h"
#include "text/translation.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::string_view kEntrySuffix = ".desktop";
constexpr std::size_t kMaxNameInId = 64;
// Tells the entries this program wrote from the user's own.
constexpr std::string_view kMarkerLine = "X-Sifter-Written-By=open-with";

std::string IdName(std::string_view name)
{
    std::string text;
    for (char c : name.substr(0, kMaxNameInId)) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '_';
        text += kept ? c : '-';
    }
    return text.empty() ? "program" : text;
}

std::string EntryText(const DesktopEntry &application, std::string_view type)
{
    std::string text = "[Desktop Entry]\nType=Application\nName=" + EscapeDesktopString(application.name) +
                       "\nExec=" + EscapeDesktopString(application.exec);
    if (!application.tryExec.empty())
        text += "\nTryExec=" + EscapeDesktopString(application.tryExec);
    text += "\nNoDisplay=true\nMimeType=";
    text += type;
    text += ";\n";
    text += kMarkerLine;
    text += '\n';
    return text;
}

// Takes the first free id by creating its file empty (O_EXCL), so that two writers never share
// one; empty with error set when none could be taken.
std::string ReserveId(const std::string &folder, const std::string &base, std::string &path, std::string &error)
{
    for (int number = 1; number <= kMaxUserApplicationIds; ++number) {
        std::string id = base + (number == 1 ? "" : "-" + std::to_string(number));
        id += kEntrySuffix;
        path = PathAppend(folder, id);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            close(fd);  // nothing was written through it, so closing cannot lose data
            return id;
        }
        if (errno != EEXIST) {
            error = CatalogueText("Desktop", "cannot create %1: %2").Arg(path).Arg(std::strerror(errno)).Text();
            return {};
        }
    }
    error = CatalogueText("Desktop", "no free name for a desktop entry in %1").Arg(folder).Text();
    return {};
}

} // namespace

std::optional<DesktopEntry> CommandApplication(std::string_view command, ExecFault &fault)
{
    command = TrimDesktopLine(command);
    const std::optional<DesktopExec> exec = ParseDesktopExec(command, &fault);
    if (!exec)
        return std::nullopt;
    DesktopEntry application;
    application.exec = std::string(command);
    if (!DesktopExecNamesFile(*exec))
        application.exec += " %f";
    // The parser has made sure that the program is one literal piece.
    application.tryExec = exec->arguments.front().front().text;
    application.name = PathLastComponent(application.tryExec);
    return application;
}

bool AddUserApplication(const std::string &dataHome, const DesktopEntry &application, std::string_view type,
                        std::string &id, std::string &error)
{
    if (dataHome.empty() || dataHome.front() != kPathSeparator) {
        error = CatalogueText("Desktop", "the user's data folder is not known").Text();
        return false;
    }
    const std::string text = EntryText(application, type);
    if (!IsDesktopFileText(text)) {
        error = CatalogueText("Desktop", "the command is not UTF-8 text, which a desktop entry must be").Text();
        return false;
    }
    const std::string folder = PathAppend(dataHome, "applications");
    if (!MakeOwnerOnlyFolders(folder)) {
        error = CatalogueText("Desktop", "cannot make the folder %1").Arg(folder).Text();
        return false;
    }
    std::string path;
    const std::string base = std::string(kUserApplicationIdPrefix) + IdName(application.name);
    const std::string reserved = ReserveId(folder, base, path, error);
    if (reserved.empty())
        return false;
    if (!WriteTextFileAtomically(path, text, error)) {
        unlink(path.c_str());  // best effort: an empty file is no entry, and hides no other
        return false;
    }
    id = reserved;
    return true;
}

} // namespace sifter
