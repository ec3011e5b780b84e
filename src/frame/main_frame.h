// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CMainFrame: the main window. A toolbar with flat buttons in the top dock area (with a
// grip), the status bar with the stretching message pane and the banner pane, and a
// static splitter with the criteria pane (CLeftView) on the left at the stored width and
// the results list (CSifterView) on the right. It restores its placement from the layout
// settings and records it when it closes, stops a running search before it goes, and
// writes prompts and the idle text into status pane 0.
#include "fileops/transfer_commands.h"
#include "framework/frame_window.h"
#include "pane/browse_for_folder.h"
#include "stores/search_history.h"

#include <QPointer>

#include <functional>
#include <memory>

class QDBusConnection;
class QSplitter;
class QTimer;
class QToolBar;

namespace sifter {

class BannerStatusBar;
class CPreviewPane;
class OptionsDesktop;
class CLeftView;
class CSifterDoc;
class CSifterView;
class StaticSplitter;
struct LayoutSettings;

class CMainFrame : public FrameWindow {
    Q_OBJECT

public:
    // settings: the layout the frame restores and records; histories: what the criteria
    // pane shows and Clear Search Histories empties. Both outlive the frame.
    CMainFrame(Application &app, CSifterDoc &document, LayoutSettings &settings,
               const SearchHistories &histories = {});
    ~CMainFrame() override;

    // Bars, client area, placement; false when a part cannot be made.
    bool CreateFrame() override;
    void InitialUpdateFrame() override;

    CSifterDoc &SifterDoc() const;
    // The criteria pane, splitter pane (0, 0); null before the client area exists.
    CLeftView *GetLeftView() const { return leftView_; }
    // The results list, splitter pane (0, 1); null before the client area exists.
    CSifterView *GetResultsView() const { return resultsView_; }
    StaticSplitter *Splitter() const { return splitter_; }
    // The preview pane under the results list; null before the client area exists.
    CPreviewPane *PreviewPane() const { return preview_; }
    BannerStatusBar *StatusBarPanes() const { return statusBar_; }
    QToolBar *ToolBar() const { return toolBar_; }

    // Tools > Clear Search Histories: after a Yes to the question, empties and saves the
    // three histories, refills the pane's boxes (their texts stay) and says it is done.
    void OnClearSearchHistories();
    // The selected row's folder goes into the Exclude box, and its rows out of the list.
    void OnExcludeFolder();

    // The bus on which Open Containing Folder and Properties look for the desktop's file
    // manager, and Open for the desktop portal's chooser (default: the session bus); tests
    // give a private one or a disconnected one.
    void SetDesktopBus(const QDBusConnection &bus);
    // The folder picker of Copy to Folder and Move To Folder (default: the desktop's).
    void SetFolderPicker(FolderPicker picker) { folderPicker_ = std::move(picker); }
    // The work of Copy to Folder and Move To Folder (default: TransferEntries).
    void SetFileTransfer(FileTransfer transfer) { fileTransfer_ = std::move(transfer); }

    // The desktop's side of Tools > Options, made each time the dialog opens (default: none,
    // the dialog writes the registry keys alone). The program gives UserDesktop (app/main.cpp).
    using OptionsDesktopMaker = std::function<std::unique_ptr<OptionsDesktop>()>;
    void SetOptionsDesktop(OptionsDesktopMaker make) { makeOptionsDesktop_ = std::move(make); }
    // Tools > Options: the Options dialog, modal.
    void OnOptions();

    // Status pane 0: the idle message (str::kIdleMessage) shows BuildIdleStatusText; otherwise the text
    // given, or the prompt of a non-zero id. Nothing else is put there.
    void SetMessageString(CommandId id, const QString *text = nullptr) override;
    // "Ready" without a results list; else "%1 objects" (nothing selected), the selected
    // file's description (one selected), or "%1 objects selected".
    QString BuildIdleStatusText() const;

protected:
    CommandTarget *ActiveViewTarget() const override;
    void OnBusyClose() override;
    void OnClosingFrame() override;

private:
    bool CreateClient();
    // The view-mode, column show/hide and "Arrange Icons By" commands of the results list.
    void RegisterResultsListCommands();
    // File > Hex View: the one selected file (not a folder) at its match offset.
    void RegisterHexViewCommand();
    void OnHexView();
    // Open, Open Containing Folder, Rename, Delete, Properties, Copy to Folder, Move To
    // Folder, Select All, Invert Selection, and their enabling rules.
    void RegisterFileCommands();
    // Cut and Copy of the selected files onto the clipboard, enabled with a selected row.
    void RegisterClipboardCommands();
    // F5 (Search), Ctrl+F and Ctrl+L (the name and folder boxes), from anywhere in the window.
    void RegisterKeyboardCommands();
    // File > Rename: edits the first selected row's label; the rename follows the edit.
    void OnRename();
    // Edit > Copy to Folder / Move To Folder: a folder from the picker, then the selection
    // copied or moved into it.
    void OnCopyMoveToFolder(CommandId id);
    // View > Preview Pane and what the pane shows: the selected row, after a short pause
    // in the selection's changes, and the Hex View at a line's offset.
    void RegisterPreviewCommands();
    void CreatePreviewPane(QSplitter *column);
    void SetPreviewShown(bool shown);
    // After a search or an open: shown for a content search unless the user chose.
    void ApplyPreviewChoice();
    void UpdatePreview();
    void OpenHexViewAt(const std::string &path, std::int64_t offset);
    void RestorePlacement();
    void CapturePlacement();
    void StopRunningSearch();

    LayoutSettings &settings_;
    SearchHistories histories_;
    StaticSplitter *splitter_ = nullptr;
    CLeftView *leftView_ = nullptr;
    CSifterView *resultsView_ = nullptr;
    QSplitter *resultsColumn_ = nullptr; // the results list over the preview pane
    CPreviewPane *preview_ = nullptr;
    QTimer *previewTimer_ = nullptr;
    BannerStatusBar *statusBar_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QPointer<QWidget> activeView_;
    QMetaObject::Connection focusWatch_; // the application's focus changes, while this frame lives
    std::unique_ptr<QDBusConnection> desktopBus_;  // null: the session bus
    FolderPicker folderPicker_ = PickFolderWithDialog;
    FileTransfer fileTransfer_ = TransferWithDefaults;
    OptionsDesktopMaker makeOptionsDesktop_;
};

} // namespace sifter
