// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/frame_window.h"

#include "framework/application.h"
#include "framework/command_icons.h"
#include "framework/document.h"
#include "framework/string_resources.h"
#include "res/toolbar.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

namespace sifter {
namespace {

// How often a close that waits for the busy document looks again.
constexpr int kCloseRetryMilliseconds = 20;

QStringList LocalFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

FrameWindow::FrameWindow(Application &app, Document &document)
    : app_(app), document_(document), router_([this] { return RoutingChain(); }),
      actions_(new CommandActions(router_, this))
{
    menus_ = std::make_unique<MenuBuilder>(*actions_, [this](CommandId id) { SetMessageString(id); });
    closeRetry_.setInterval(kCloseRetryMilliseconds);
    connect(&closeRetry_, &QTimer::timeout, this, &FrameWindow::RetryClose);
    connect(&document_, &Document::TitleChanged, this, [this] { UpdateFrameTitle(); });

    OnCommand(cmd::kViewToolbar, [this] {
        if (QWidget *bar = controlBars_[cmd::kViewToolbar])
            bar->setVisible(bar->isHidden());
    });
    OnCommand(cmd::kViewStatusBar, [this] {
        if (QWidget *bar = controlBars_[cmd::kViewStatusBar])
            bar->setVisible(bar->isHidden());
    });
    const auto updateBar = [this](CommandUi &ui) {
        QWidget *bar = controlBars_[ui.Id()];
        ui.Enable(bar != nullptr);
        ui.SetCheck(bar && !bar->isHidden());
    };
    OnUpdateCommand(cmd::kViewToolbar, updateBar);
    OnUpdateCommand(cmd::kViewStatusBar, updateBar);

    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
}

FrameWindow::~FrameWindow()
{
    disconnect(idleConnection_);
}

bool FrameWindow::CreateFrame()
{
    menus_->FillMenuBar(*menuBar(), res::kMenuMain);
    // Every command's keys work anywhere in the window, also for commands in no menu.
    addActions(actions_->AllActions());
    // Toolbar buttons and keys follow their commands' state whenever the program goes idle.
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance()) {
        idleConnection_ = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (isVisible())
                UpdateCommandUi();
        });
    }
    UpdateFrameTitle();
    PostMessageString(str::kIdleMessage);
    return true;
}

void FrameWindow::InitialUpdateFrame()
{
    document_.UpdateAllViews(nullptr);
    UpdateFrameTitle();
    UpdateCommandUi();
}

void FrameWindow::SetMessageString(CommandId id, const QString *text)
{
    QString shown;
    if (text)
        shown = *text;
    else if (id != 0)
        shown = LoadPrompt(id);
    statusBar()->showMessage(shown);
    lastMessageId_ = id;
}

void FrameWindow::PostMessageString(CommandId id)
{
    QMetaObject::invokeMethod(this, [this, id] { SetMessageString(id); }, Qt::QueuedConnection);
}

bool FrameWindow::SendCommand(CommandId id)
{
    return actions_->Trigger(id);
}

void FrameWindow::UpdateCommandUi()
{
    actions_->UpdateAll();
}

void FrameWindow::AddControlBar(CommandId id, QWidget *bar)
{
    controlBars_[id] = bar;
}

QToolBar *FrameWindow::CreateResourceToolBar(const QString &title)
{
    auto *toolBar = new QToolBar(title, this);
    const ToolbarResource resource = MainToolbar();
    // The images are square; a 16 x 15 icon size would shrink them to 15 x 15.
    toolBar->setIconSize(QSize(resource.buttonWidth, resource.buttonWidth));
    for (const CommandId id : resource.buttons) {
        if (id == kToolbarSeparator)
            toolBar->addSeparator();
        else if (QAction *action = actions_->Action(id))
            toolBar->addAction(action);
    }
    return toolBar;
}

std::vector<CommandTarget *> FrameWindow::RoutingChain() const
{
    return {ActiveViewTarget(), &document_, const_cast<FrameWindow *>(this), &app_};
}

void FrameWindow::UpdateFrameTitle()
{
    const QString program = app_.DocTemplate() ? app_.DocTemplate()->DocString(DocStringField::kWindowTitle)
                                               : LoadResString(str::kAppName);
    QString title = document_.Title();
    // "[*]" is Qt's placeholder for the modified mark; doubled it stands for itself.
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title.isEmpty() ? program : title + QStringLiteral(" - ") + program);
}

bool FrameWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Prompts go to status pane 0 only; Qt's own handling would cover the whole bar.
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        if (tip.isEmpty())
            SetMessageString(str::kIdleMessage);
        else
            SetMessageString(0, &tip);
        return true;
    }
    return QMainWindow::event(event);
}

void FrameWindow::closeEvent(QCloseEvent *event)
{
    if (document_.IsBusy()) {
        // Closing now would free what the busy document is using: stop it, close later.
        event->ignore();
        closePending_ = true;
        OnBusyClose();
        if (!closeRetry_.isActive())
            closeRetry_.start();
        return;
    }
    closePending_ = false;
    closeRetry_.stop();
    if (!discardChanges_ && !document_.SaveModified()) {
        event->ignore();
        return;
    }
    OnClosingFrame();
    event->accept();
}

bool FrameWindow::CloseDiscardingChanges()
{
    discardChanges_ = true;
    return close();
}

void FrameWindow::RetryClose()
{
    if (document_.IsBusy())
        return;
    closeRetry_.stop();
    if (closePending_)
        close();
}

void FrameWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // A drag that started in this program carries found files, not a document to open.
    if (!event->source() && !LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FrameWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = event->source() ? QStringList() : LocalFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    // Opened after the drop has finished: a save question must not hold the dragging program.
    QMetaObject::invokeMethod(this, [this, paths] { OnDropFiles(paths); }, Qt::QueuedConnection);
}

void FrameWindow::OnDropFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        app_.OpenDocumentFile(path);
}

} // namespace sifter
