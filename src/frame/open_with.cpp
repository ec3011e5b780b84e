#include "frame/open_with.h"

#include "framework/application.h"
#include "framework/string_resources.h"
#include "platform/desktop_applications.h"
#include "platform/desktop_exec.h"
#include "platform/file_mime_types.h"
#include "platform/path.h"
#include "platform/program_start.h"
#include "results/desktop_portal.h"
#include "results/file_url.h"
#include "results/open_with_dialog.h"

#include <QGuiApplication>

namespace sifter {
namespace {

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

// Starts the application's Exec on the file; a failure is told to the user.
void StartApplication(Application &app, const DesktopEntry &application, const std::string &path)
{
    // Not met by listed entries, whose Exec parsed when they were found.
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
            return;
    }
    app.Prompts().ShowError(
        LoadResString(str::kOpenWithStartFailed)
            .arg(QString::fromStdString(application.name), FromLocal(path), QString::fromLocal8Bit(error.c_str())));
}

// Our own dialog of the applications declaring the file's type; false when none does.
bool OpenWithProgramFromDialog(Application &app, const std::string &path, bool isFolder, QWidget *parent)
{
    std::vector<DesktopEntry> candidates =
        ApplicationsForChooser(FindApplications(ApplicationFolders(), MessagesLanguage()), FileMimeTypes(path, isFolder))
            .declared;
    if (candidates.empty())
        return false;
    std::string entry = path;
    PathRemoveTrailingSeparator(entry);
    OpenWithDialog dialog(FromLocal(PathLastComponent(entry)), std::move(candidates), parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen())
        return true;
    StartApplication(app, *dialog.Chosen(), path);
    return true;
}

} // namespace

bool OpenWithChosenProgram(Application &app, const DesktopPortal &portal, const std::string &path, bool isFolder,
                           QWidget *parent)
{
    // The window outlives any answer that still uses the application (the answer is dropped with it).
    const auto ownDialog = [&app, path, isFolder, parent] {
        if (!OpenWithProgramFromDialog(app, path, isFolder, parent))
            app.Prompts().ShowError(FormatResString(str::kNoProgramForAddress, FromLocal(path)));
    };
    if (portal.ChooseApplicationFor(path, PortalParentWindow(parent), parent, ownDialog))
        return true;
    return OpenWithProgramFromDialog(app, path, isFolder, parent);
}

} // namespace sifter
