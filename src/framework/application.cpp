// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/application.h"

#include "framework/document.h"
#include "framework/frame_window.h"
#include "framework/resource_text.h"
#include "framework/termination_signals.h"
#include "registry/registry_store.h"
#include "res/menus.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTimer>

namespace sifter {
namespace {

// How often a close asked for by a signal looks again at what holds it up.
constexpr int kSignalCloseRetryMilliseconds = 20;

} // namespace

Application::Application(std::string appName)
    : appName_(std::move(appName)), openUrl_([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    auto dialogs = std::make_unique<DialogPrompts>();
    dialogPrompts_ = dialogs.get();
    prompts_ = std::move(dialogs);

    OnCommand(cmd::kFileNew, [this] { OnFileNew(); });
    OnCommand(cmd::kFileOpen, [this] { OnFileOpen(); });
    OnCommandRange(cmd::kFileMruFirst, cmd::kFileMruLast, [this](CommandId id) { OnOpenRecentFile(id); });
    OnCommand(cmd::kAppExit, [this] { OnAppExit(); });
    OnCommand(cmd::kHelpIndex, [this] { OnHelp(); });

    // New and open renew the contents: not while the document is busy.
    const auto updateRenewing = [this](CommandUi &ui) {
        const Document *document = TheDocument();
        ui.Enable(!document || !document->IsBusy());
    };
    OnUpdateCommand(cmd::kFileNew, updateRenewing);
    OnUpdateCommand(cmd::kFileOpen, updateRenewing);
    OnUpdateCommandRange(cmd::kFileMruFirst, cmd::kFileMruLast, [this, updateRenewing](CommandUi &ui) {
        const int index = static_cast<int>(ui.Id() - cmd::kFileMruFirst);
        if (recentFiles_.Paths().isEmpty()) {
            // The first place shows the greyed placeholder; the others are not shown.
            ui.SetVisible(index == 0);
            if (index == 0)
                ui.SetText(MenuText(FindMenuItemText(res::kMenuMain, cmd::kFileMruFirst)));
            ui.Enable(false);
            return;
        }
        const bool present = index < recentFiles_.Paths().size();
        ui.SetVisible(present);
        if (!present) {
            ui.Enable(false);
            return;
        }
        ui.SetText(recentFiles_.MenuText(index, res::kRecentFileMenuWidth));
        updateRenewing(ui);
    });
}

Application::~Application()
{
    // The frame and the document go before the store they may still write to.
    template_.reset();
}

int Application::ExitInstance(int code)
{
    if (!profileKey_.empty())
        recentFiles_.WriteList(Store(), profileKey_);
    return code;
}

void Application::SetRegistryKey(const std::string &company)
{
    profileKey_ = "Software\\" + company + "\\" + appName_;
}

void Application::SetRegistryFolder(const std::string &folder)
{
    storeFolder_ = folder;
    store_.reset();
}

RegistryStore &Application::Store()
{
    if (!store_)
        store_ = std::make_unique<RegistryStore>(storeFolder_.empty() ? DefaultRegistryFolder() : storeFolder_);
    return *store_;
}

void Application::LoadStdProfileSettings(int recentFileCount)
{
    recentFiles_ = RecentFileList(recentFileCount);
    if (!profileKey_.empty())
        recentFiles_.ReadList(Store(), profileKey_);
}

void Application::AddDocTemplate(std::unique_ptr<SingleDocTemplate> documentTemplate)
{
    template_ = std::move(documentTemplate);
}

Document *Application::TheDocument() const
{
    return template_ ? template_->TheDocument() : nullptr;
}

FrameWindow *Application::MainWindow() const
{
    return template_ ? template_->TheFrame() : nullptr;
}

void Application::SetPrompts(std::unique_ptr<UserPrompts> prompts)
{
    if (!prompts)
        return;
    prompts_ = std::move(prompts);
    dialogPrompts_ = nullptr;
}

Document *Application::OpenDocumentFile(const QString &path)
{
    if (!template_)
        return nullptr;
    if (Document *document = TheDocument(); document && !path.isEmpty()) {
        if (!document->PathName().isEmpty() && document->PathName() == QFileInfo(path).absoluteFilePath()) {
            if (FrameWindow *frame = MainWindow())
                frame->activateWindow();
            return document;
        }
    }
    Document *document = template_->OpenDocumentFile(path);
    if (dialogPrompts_)
        dialogPrompts_->SetOwner(MainWindow());
    return document;
}

void Application::OnFileNew()
{
    OpenDocumentFile(QString());
}

void Application::OnFileOpen()
{
    if (!template_)
        return;
    if (const Document *document = TheDocument(); document && document->IsBusy())
        return;
    const auto path = prompts_->AskOpenPath(LoadResString(str::kOpenTitle), template_->FileDialogFilter());
    if (path)
        OpenDocumentFile(*path);
}

void Application::OnOpenRecentFile(CommandId id)
{
    const int index = static_cast<int>(id - cmd::kFileMruFirst);
    if (index < 0 || index >= recentFiles_.Paths().size())
        return;
    const QString path = recentFiles_.Paths()[index];
    // A file that cannot be opened any more leaves the list; one whose opening was refused
    // (busy document) or cancelled (the save question) stays.
    if (!OpenDocumentFile(path) && template_->LastOutcome() == SingleDocTemplate::OpenOutcome::kFailed)
        recentFiles_.Remove(static_cast<int>(recentFiles_.Paths().indexOf(path)));
}

void Application::OnAppExit()
{
    if (FrameWindow *frame = MainWindow())
        frame->close();
}

void Application::WatchTerminationSignals()
{
    if (terminationSignals_)
        return;
    terminationSignals_ = std::make_unique<TerminationSignals>();
    QObject::connect(terminationSignals_.get(), &TerminationSignals::Received, terminationSignals_.get(),
                     [this] { CloseForSignal(); });
}

void Application::CloseForSignal()
{
    const auto again = [this] {
        QTimer::singleShot(kSignalCloseRetryMilliseconds, terminationSignals_.get(), [this] { CloseForSignal(); });
    };
    // A dialog's own event loop would keep the program: cancel it and come back once its
    // caller has had the answer.
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (!modal->close())
            modal->hide();
        again();
        return;
    }
    FrameWindow *frame = MainWindow();
    if (frame && !closingForSignal_) {
        closingForSignal_ = true;
        frame->CloseDiscardingChanges();
    }
    if (frame && frame->ClosePending()) {
        // A run is winding down; the frame closes itself once it has returned.
        again();
        return;
    }
    QCoreApplication::quit();
}

} // namespace sifter
