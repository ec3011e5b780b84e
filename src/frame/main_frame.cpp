// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/main_frame.h"

#include "doc/sifter_doc.h"
#include "fileops/clipboard_commands.h"
#include "fileops/delete_command.h"
#include "fileops/desktop_file_manager.h"
#include "fileops/desktop_portal.h"
#include "fileops/file_commands.h"
#include "fileops/transfer_progress_dialog.h"
#include "frame/banner_status_bar.h"
#include "frame/options_desktop.h"
#include "frame/options_dialog.h"
#include "frame/static_splitter.h"
#include "framework/application.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "fs/file_attributes.h"
#include "fs/path.h"
#include "pane/left_view.h"
#include "results/hex_view_dialog.h"
#include "results/item_description.h"
#include "results/preview_pane.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "results/view_commands.h"
#include "search/found_file.h"
#include "stores/layout_settings.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

namespace sifter {
namespace {

// A first start without a stored placement opens the window at this share of the screen,
// where the window manager puts it.
constexpr int kDefaultSizeNumerator = 3;
constexpr int kDefaultSizeDenominator = 4;

// The stored placement as it is when it meets some screen's available area; else (its
// monitor is gone) centred on the primary screen's available area and no larger than it.
QRect OnAScreen(int x, int y, int width, int height)
{
    // Qt makes no window larger than this anyway; with it, and the edges summed in 64
    // bits, no stored value can overflow a rectangle's edges.
    width = std::min(width, QWIDGETSIZE_MAX);
    height = std::min(height, QWIDGETSIZE_MAX);
    const auto meets = [&](const QRect &area) {
        return width > 0 && height > 0 && qint64(x) < qint64(area.x()) + area.width() &&
               qint64(x) + width > area.x() && qint64(y) < qint64(area.y()) + area.height() &&
               qint64(y) + height > area.y();
    };
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        if (meets(screen->availableGeometry()))
            return QRect(x, y, width, height);
    }
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect area = primary ? primary->availableGeometry() : QRect();
    QRect placed(QPoint(0, 0), QSize(width, height).boundedTo(area.size()));
    placed.moveCenter(area.center());
    return placed;
}

} // namespace

CMainFrame::CMainFrame(Application &app, CSifterDoc &document, LayoutSettings &settings,
                       const SearchHistories &histories)
    : FrameWindow(app, document), settings_(settings), histories_(histories)
{
    setObjectName(QStringLiteral("CMainFrame"));

    OnCommand(cmd::kWindowSplit, [this] {
        if (splitter_)
            splitter_->StartKeyboardTracking();
    });
    OnCommand(cmd::kNextPane, [this] {
        if (splitter_)
            splitter_->ActivateNextPane(true);
    });
    OnCommand(cmd::kPrevPane, [this] {
        if (splitter_)
            splitter_->ActivateNextPane(false);
    });
    const auto needsSplitter = [this](CommandUi &ui) { ui.Enable(splitter_ != nullptr); };
    OnUpdateCommand(cmd::kWindowSplit, needsSplitter);
    OnUpdateCommand(cmd::kNextPane, needsSplitter);
    OnUpdateCommand(cmd::kPrevPane, needsSplitter);

    RegisterResultsListCommands();
    RegisterHexViewCommand();
    RegisterFileCommands();
    RegisterClipboardCommands();
    RegisterPreviewCommands();
    RegisterKeyboardCommands();
    OnCommand(cmd::kClearHistories, [this] { OnClearSearchHistories(); });
    OnCommand(cmd::kOptions, [this] { OnOptions(); });

    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        for (QWidget *view : {static_cast<QWidget *>(leftView_), static_cast<QWidget *>(resultsView_),
                              static_cast<QWidget *>(preview_)}) {
            if (view && now && (now == view || view->isAncestorOf(now)))
                activeView_ = view;
        }
    });
}

CMainFrame::~CMainFrame()
{
    // The panes give up the focus while the base class deletes them, when this frame is no
    // longer a CMainFrame.
    disconnect(focusWatch_);
}

void CMainFrame::RegisterResultsListCommands()
{
    OnCommandRange(cmd::kViewSmallIcons, cmd::kViewModeRangeLast, [this](CommandId id) {
        ViewMode mode;
        if (resultsView_ && ViewModeOfCommand(id, mode))
            resultsView_->SetViewMode(mode);
    });
    OnUpdateCommandRange(cmd::kViewSmallIcons, cmd::kViewModeRangeLast, [this](CommandUi &ui) {
        ViewMode mode;
        ui.Enable(resultsView_ != nullptr);
        ui.SetRadio(resultsView_ && ViewModeOfCommand(ui.Id(), mode) && resultsView_->Mode() == mode);
    });

    OnCommandRange(cmd::kToggleName, cmd::kToggleShortName, [this](CommandId id) {
        ColumnSetting *column = settings_.FindColumnSetting(ColumnOfToggleCommand(id));
        if (!column)
            return;
        column->visible = column->visible != 0 ? 0 : 1;
        if (resultsView_)
            resultsView_->RebuildColumns();
    });
    OnUpdateCommandRange(cmd::kToggleName, cmd::kToggleShortName, [this](CommandUi &ui) {
        ui.Enable(ui.Id() != cmd::kToggleName);
        if (ui.Id() == cmd::kToggleName)
            ui.SetCheck(true);
        if (const ColumnSetting *column = settings_.FindColumnSetting(ColumnOfToggleCommand(ui.Id())))
            ui.SetCheck(column->visible != 0);
    });

    OnCommandRange(cmd::kArrangeByName, cmd::kArrangeByShortName, [this](CommandId id) {
        if (resultsView_)
            resultsView_->ArrangeBy(id);
    });
    OnUpdateCommandRange(cmd::kArrangeByName, cmd::kArrangeByShortName, [this](CommandUi &ui) {
        ui.Enable(true);
        ui.SetRadio(resultsView_ && resultsView_->SortColumnId() == ui.Id());
    });
}

void CMainFrame::RegisterHexViewCommand()
{
    OnCommand(cmd::kHexView, [this] { OnHexView(); });
    OnUpdateCommand(cmd::kHexView, [this](CommandUi &ui) {
        const FoundFile *record = resultsView_ && resultsView_->SelectedCount() == 1
                                      ? resultsView_->FirstSelectedRecord()
                                      : nullptr;
        ui.Enable(record && (record->attributes & kAttributeFolder) == 0);
    });
}

void CMainFrame::RegisterFileCommands()
{
    const auto needsSelection = [this](CommandUi &ui) { ui.Enable(resultsView_ && resultsView_->SelectedCount() > 0); };
    const auto desktopBus = [this] { return desktopBus_ ? *desktopBus_ : QDBusConnection::sessionBus(); };
    OnCommand(cmd::kOpen, [this, desktopBus] {
        if (resultsView_)
            OpenSelectedFiles(*resultsView_, App(), DesktopPortal(desktopBus()), this);
    });
    OnUpdateCommand(cmd::kOpen, needsSelection);
    const auto fileManager = [desktopBus] { return DesktopFileManager(desktopBus()); };
    OnCommand(cmd::kOpenContainingFolder, [this, fileManager] {
        if (resultsView_)
            RevealSelectedFiles(*resultsView_, App(), fileManager());
    });
    OnUpdateCommand(cmd::kOpenContainingFolder, needsSelection);
    OnCommand(cmd::kExcludeFolder, [this] { OnExcludeFolder(); });
    // Not during a run: the run skips only what was excluded when it started.
    OnUpdateCommand(cmd::kExcludeFolder, [this](CommandUi &ui) {
        ui.Enable(resultsView_ && leftView_ && resultsView_->SelectedCount() == 1 && !resultsView_->RunInProgress());
    });
    OnCommand(cmd::kProperties, [this, fileManager] {
        if (resultsView_)
            ShowSelectedProperties(*resultsView_, App(), fileManager(), this);
    });
    OnUpdateCommand(cmd::kProperties, [this](CommandUi &ui) {
        ui.Enable(resultsView_ && resultsView_->SelectedCount() == 1);
    });
    OnCommand(cmd::kRename, [this] { OnRename(); });
    OnUpdateCommand(cmd::kRename, needsSelection);
    // Shift held, as with Ctrl+Shift+D or the menu item clicked with Shift, deletes for good.
    OnCommand(cmd::kDelete, [this] {
        if (resultsView_)
            DeleteSelectedFiles(*resultsView_, App(),
                                QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    OnUpdateCommand(cmd::kDelete, needsSelection);
    // Besides the table's Ctrl+D: the plain Delete key, as the desktop's file managers have it
    // (Shift+Delete stays Cut), and Ctrl+Shift+D for deleting for good.
    if (QAction *deleteAction = Actions().Action(cmd::kDelete)) {
        QList<QKeySequence> keys = deleteAction->shortcuts();
        keys.append(QKeySequence(Qt::Key_Delete));
        keys.append(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
        deleteAction->setShortcuts(keys);
    }
    OnCommand(cmd::kCopyToFolder, [this] { OnCopyMoveToFolder(cmd::kCopyToFolder); });
    OnUpdateCommand(cmd::kCopyToFolder, needsSelection);
    OnCommand(cmd::kMoveToFolder, [this] { OnCopyMoveToFolder(cmd::kMoveToFolder); });
    OnUpdateCommand(cmd::kMoveToFolder, needsSelection);
    OnCommand(cmd::kEditSelectAll, [this] {
        if (resultsView_)
            resultsView_->SelectAll();
    });
    OnCommand(cmd::kInvertSelection, [this] {
        if (resultsView_)
            resultsView_->InvertSelection();
    });
}

void CMainFrame::RegisterClipboardCommands()
{
    OnCommandRange(cmd::kEditCopy, cmd::kEditCut, [this](CommandId id) {
        if (resultsView_)
            OnCutCopy(*resultsView_, App(), id);
    });
    OnUpdateCommandRange(cmd::kEditCopy, cmd::kEditCut,
                         [this](CommandUi &ui) { ui.Enable(resultsView_ && resultsView_->SelectedCount() > 0); });
}

void CMainFrame::OnRename()
{
    if (!resultsView_ || !FirstSelectedRecordForFileCommand(*resultsView_, App()))
        return;
    // The first selected row is edited, wherever the current row is.
    const int row = resultsView_->SelectedRows().front().first;
    resultsView_->SelectionModel()->setCurrentIndex(resultsView_->Model().index(row, 0), QItemSelectionModel::NoUpdate);
    resultsView_->EditLabel();
}

void CMainFrame::OnCopyMoveToFolder(CommandId id)
{
    if (!resultsView_)
        return;
    const bool move = id == cmd::kMoveToFolder;
    QString folder;  // the picker opens with no folder of its own
    if (!BrowseForFolder(folderPicker_, this, QString(),
                         LoadResString(move ? str::kChooseMoveFolder : str::kChooseCopyFolder), folder))
        return;
    CopyOrMoveSelection(*resultsView_, App(), ToLocalText(folder), move ? TransferKind::kMove : TransferKind::kCopy,
                        fileTransfer_, this);
}

void CMainFrame::OnHexView()
{
    const FoundFile *record = resultsView_ ? FirstSelectedRecordForFileCommand(*resultsView_, App()) : nullptr;
    if (!record || (record->attributes & kAttributeFolder) != 0)
        return;
    const std::string path = record->Path();
    if (!PathExists(path))
        return;
    CHexViewDialog *dialog = resultsView_->HexViewDialog();
    dialog->ShowFile(path, record->matchOffset);  // shown whatever it gives: the caption names the file
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void CMainFrame::SetDesktopBus(const QDBusConnection &bus)
{
    desktopBus_ = std::make_unique<QDBusConnection>(bus);
}

CSifterDoc &CMainFrame::SifterDoc() const
{
    return static_cast<CSifterDoc &>(GetDocument());
}

bool CMainFrame::CreateFrame()
{
    if (!CreateClient())
        return false;
    if (!FrameWindow::CreateFrame())
        return false;

    toolBar_ = CreateResourceToolBar(RemoveAmpersands(Actions().Action(cmd::kViewToolbar)->text()));
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    AddControlBar(cmd::kViewToolbar, toolBar_);

    statusBar_ = new BannerStatusBar(this);
    setStatusBar(statusBar_);
    AddControlBar(cmd::kViewStatusBar, statusBar_);

    RestorePlacement();
    return true;
}

bool CMainFrame::CreateClient()
{
    splitter_ = new StaticSplitter(this);
    leftView_ = new CLeftView(SifterDoc(), settings_, App().Prompts(), histories_, splitter_);
    resultsColumn_ = new QSplitter(Qt::Vertical, splitter_);
    resultsView_ = new CSifterView(SifterDoc(), settings_, resultsColumn_);
    resultsColumn_->addWidget(resultsView_);
    CreatePreviewPane(resultsColumn_);
    splitter_->addWidget(leftView_);
    splitter_->addWidget(resultsColumn_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->SetFirstColumnWidth(leftView_->WidthToShow());
    setCentralWidget(splitter_);
    activeView_ = leftView_;
    connect(resultsView_, &CSifterView::IdleStatusChanged, this, [this] { SetMessageString(str::kIdleMessage); });
    connect(resultsView_, &CSifterView::CommandPosted, this, [this](CommandId id) { SendCommand(id); },
            Qt::QueuedConnection);
    resultsView_->SetPrompts(&App().Prompts());
    resultsView_->SetContextMenus(Menus().CreatePopupMenu(res::kMenuColumns, resultsView_),
                                  Menus().CreatePopupMenu(res::kMenuItems, resultsView_));
    return true;
}

void CMainFrame::InitialUpdateFrame()
{
    FrameWindow::InitialUpdateFrame();
    // The list was refilled: an idle status line counts the new rows.
    if (LastMessageId() == str::kIdleMessage)
        SetMessageString(str::kIdleMessage);
}

void CMainFrame::RestorePlacement()
{
    if (settings_.width != 0 && settings_.height != 0) {
        setGeometry(OnAScreen(settings_.x, settings_.y, settings_.width, settings_.height));
        if (settings_.bMax != 0) {
            // Applied after start-up has shown the window normally.
            QTimer::singleShot(0, this, [this] { setWindowState(windowState() | Qt::WindowMaximized); });
        }
        return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        resize(available.width() * kDefaultSizeNumerator / kDefaultSizeDenominator,
               available.height() * kDefaultSizeNumerator / kDefaultSizeDenominator);
    }
}

void CMainFrame::CapturePlacement()
{
    if (isMinimized())
        return;
    const bool maximized = isMaximized();
    QRect normal = maximized ? normalGeometry() : geometry();
    if (!normal.isValid())
        normal = geometry();
    settings_.bMax = maximized ? 1 : 0;
    settings_.x = normal.x();
    settings_.y = normal.y();
    settings_.width = normal.width();
    settings_.height = normal.height();
    if (preview_ && preview_->isVisible())
        settings_.previewHeight = preview_->height();
}

void CMainFrame::OnClearSearchHistories()
{
    if (!App().Prompts().AskYesNo(LoadResString(str::kAskClearHistories)))
        return;
    RegistryStore *store = histories_.store ? histories_.store() : nullptr;
    for (CSearchHistory *history : {histories_.folders, histories_.words, histories_.names, histories_.excludes}) {
        if (!history)
            continue;
        history->RemoveAll();
        // A store that cannot be written keeps its entries until the next search's save.
        if (store)
            history->Save(*store);
    }
    if (leftView_)
        leftView_->FillHistoryBoxes();
    App().Prompts().ShowInformation(LoadResString(str::kOperationDone));
}

void CMainFrame::OnExcludeFolder()
{
    const FoundFile *record = resultsView_ && leftView_ ? resultsView_->FirstSelectedRecord() : nullptr;
    if (!record || resultsView_->RunInProgress())
        return;
    const std::string folder(record->Folder()); // the record goes with its row
    leftView_->AddExcludedFolder(FromLocalText(folder));
    resultsView_->RemoveRowsInFolder(folder);
}

void CMainFrame::OnOptions()
{
    const std::unique_ptr<OptionsDesktop> desktop = makeOptionsDesktop_ ? makeOptionsDesktop_() : nullptr;
    COptionsDialog dialog(App().Store(), desktop.get(), App().Prompts(), this);
    dialog.exec();
}

void CMainFrame::StopRunningSearch()
{
    if (leftView_)
        leftView_->GetDocument().StopSearch();
}

void CMainFrame::OnBusyClose()
{
    StopRunningSearch();
    // A copy or move under way stops at its next step; the window closes once it has returned.
    for (TransferProgressDialog *progress : findChildren<TransferProgressDialog *>())
        progress->reject();
}

void CMainFrame::OnClosingFrame()
{
    CapturePlacement();
    StopRunningSearch();
}

CommandTarget *CMainFrame::ActiveViewTarget() const
{
    if (activeView_ == leftView_)
        return leftView_;
    if (activeView_ == resultsView_)
        return resultsView_;
    if (activeView_ && activeView_ == preview_)
        return preview_;
    return nullptr;
}

void CMainFrame::SetMessageString(CommandId id, const QString *text)
{
    if (statusBar_) {
        if (id == str::kIdleMessage)
            statusBar_->SetMessageText(BuildIdleStatusText());
        else if (text)
            statusBar_->SetMessageText(*text);
        else if (id != 0)
            statusBar_->SetMessageText(LoadPrompt(id));
    }
    RecordMessageId(id);
}

QString CMainFrame::BuildIdleStatusText() const
{
    const QString ready = LoadResString(str::kIdleMessage);
    if (!resultsView_)
        return ready;
    const int selected = resultsView_->SelectedCount();
    if (selected <= 0)
        return FormatResString(str::kObjects, QString::number(resultsView_->ItemCount()));
    if (selected == 1) {
        const FoundFile *record = resultsView_->FirstSelectedRecord();
        return record ? BuildItemDescription(record, QLatin1Char(' '), false) : ready;
    }
    return FormatResString(str::kObjectsSelected, QString::number(selected));
}

} // namespace sifter
