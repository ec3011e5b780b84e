// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/open_with.h"

#include "desktop/desktop_applications.h"
#include "desktop/desktop_exec.h"
#include "desktop/file_mime_types.h"
#include "desktop/program_start.h"
#include "desktop/user_application.h"
#include "desktop/user_mime_apps.h"
#include "fileops/desktop_portal.h"
#include "fileops/file_url.h"
#include "fileops/open_with_dialog.h"
#include "framework/application.h"
#include "framework/string_resources.h"
#include "fs/path.h"
#include "fs/user_folders.h"

#include <QGuiApplication>

namespace sifter {
namespace {

// The type a file without any known one gets from shared-mime-info.
constexpr char kAnyBytesType[] = "application/octet-stream";

QString FromLocal(const std::string &text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// The portal's name for the window its chooser belongs to; none where it has no such name.
QString PortalParentWindow(QWidget *parent)
{
    if (!parent || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(parent->window()->winId(), 16);
}

// Starts the application's Exec on the file; false when it did not start, which is told to
// the user.
bool StartApplication(Application &app, const DesktopEntry &application, const std::string &path)
{
    // Not met by listed entries and commands, whose Exec parsed when they were found.
    std::string error = LoadResString(str::kOpenWithBadExec).toStdString();
    const std::optional<DesktopExec> exec = ParseDesktopExec(application.exec);
    if (exec) {
        ExecFieldValues values;
        values.filePath = path;
        values.fileUri = FileUriOfPath(path).toStdString();
        values.icon = application.icon;
        values.name = application.name;
        values.entryPath = application.path;
        if (StartDetachedProgram(ExpandDesktopExec(*exec, values), error))
            return true;
    }
    app.Prompts().ShowError(
        LoadResString(str::kOpenWithStartFailed)
            .arg(QString::fromStdString(application.name), FromLocal(path), QString::fromLocal8Bit(error.c_str())));
    return false;
}

// How long keeping a choice waits for the desktop's opener to see it.
constexpr int kDefaultSettleMs = 1000;

// Makes the chosen application the type's default for the desktop's opener; a command of the
// user's own first becomes a desktop entry of ours. A failure is told to the user.
void KeepChoice(Application &app, const DesktopEntry &chosen, const std::string &type)
{
    std::string id = chosen.id;
    std::string error;
    if ((!id.empty() || AddUserApplication(DataHomeFolder(), chosen, type, id, error)) &&
        SetUserDefaultApplication(ConfigHomeFolder(), type, id, error)) {
        // Kept in place: a desktop that puts its own list first decides otherwise, and the
        // choice is still ours to have made.
        (void)AwaitDefaultApplication(type, id, kDefaultSettleMs);
        return;
    }
    app.Prompts().ShowError(LoadResString(str::kOpenWithRememberFailed)
                                .arg(QString::fromStdString(chosen.name), QString::fromStdString(type),
                                     QString::fromLocal8Bit(error.c_str())));
}

// Our own chooser: the applications declaring the file's type, the others, or a command.
void OpenWithProgramFromDialog(Application &app, const std::string &path, bool isFolder, QWidget *parent)
{
    const std::vector<std::string> types = FileMimeTypes(path, isFolder);
    const std::string type = types.empty() ? kAnyBytesType : types.front();
    std::string entry = path;
    PathRemoveTrailingSeparator(entry);
    OpenWithDialog dialog(FromLocal(PathLastComponent(entry)), type,
                          ChooserApplicationsForTypes(types),
                          parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen())
        return;
    // A program that does not start is no choice to keep.
    if (StartApplication(app, *dialog.Chosen(), path) && dialog.AlwaysUse())
        KeepChoice(app, *dialog.Chosen(), type);
}

} // namespace

void OpenWithChosenProgram(Application &app, const DesktopPortal &portal, const std::string &path, bool isFolder,
                           QWidget *parent)
{
    // The window outlives any answer that still uses the application (the answer is dropped with it).
    const auto ownDialog = [&app, path, isFolder, parent] { OpenWithProgramFromDialog(app, path, isFolder, parent); };
    if (!portal.ChooseApplicationFor(path, PortalParentWindow(parent), parent, ownDialog))
        OpenWithProgramFromDialog(app, path, isFolder, parent);
}

} // namespace sifter
