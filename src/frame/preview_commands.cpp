// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's side of the preview pane: View > Preview Pane, the pane's place under
// the results list, what it shows, and the Hex View it opens.
#include "frame/main_frame.h"

#include "doc/sifter_doc.h"
#include "frame/static_splitter.h"
#include "pane/left_view.h"
#include "fs/path.h"
#include "results/hex_view_dialog.h"
#include "results/preview_pane.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/layout_settings.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QSplitter>
#include <QTimer>

#include <algorithm>

namespace sifter {
namespace {

// A key held down moves the selection every few tens of milliseconds: only the row where
// it rests is worth reading.
constexpr int kPreviewPauseMs = 40;
constexpr int kSmallestPreviewHeight = 40;

} // namespace

void CMainFrame::RegisterPreviewCommands()
{
    OnCommand(cmd::kViewPreviewPane, [this] {
        if (!preview_)
            return;
        const bool shown = !preview_->isVisibleTo(this);
        settings_.previewPane = shown ? kPreviewPaneShown : kPreviewPaneHidden;
        SetPreviewShown(shown);
        if (shown)
            preview_->Lines()->setFocus(Qt::ShortcutFocusReason);
    });
    OnUpdateCommand(cmd::kViewPreviewPane, [this](CommandUi &ui) {
        ui.Enable(preview_ != nullptr);
        ui.SetCheck(preview_ && preview_->isVisibleTo(this));
    });
}

void CMainFrame::CreatePreviewPane(QSplitter *column)
{
    preview_ = new CPreviewPane(column);
    column->addWidget(preview_);
    column->setStretchFactor(0, 1);
    column->setStretchFactor(1, 0);
    column->setChildrenCollapsible(false);
    preview_->SetOpenAtOffset([this](const std::string &path, std::int64_t offset) { OpenHexViewAt(path, offset); });
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(kPreviewPauseMs);
    connect(previewTimer_, &QTimer::timeout, this, [this] { UpdatePreview(); });
    connect(resultsView_->SelectionModel(), &QItemSelectionModel::selectionChanged, previewTimer_,
            qOverload<>(&QTimer::start));
    connect(&SifterDoc(), &CSifterDoc::SearchRunEnded, this, [this] { ApplyPreviewChoice(); });
    // A result file opened, or a new search begun: the rows (and the records) are new.
    connect(&resultsView_->Model(), &QAbstractItemModel::modelReset, this, [this] {
        ApplyPreviewChoice();
        previewTimer_->start();
    });
    connect(&SifterDoc(), &CSifterDoc::ResultSetAboutToBeFreed, preview_, &CPreviewPane::Clear);
    splitter_->SetFocusPanes({static_cast<QWidget *>(leftView_), static_cast<QWidget *>(resultsView_),
                              static_cast<QWidget *>(preview_)});
    preview_->setVisible(settings_.previewPane == kPreviewPaneShown);
    column->setSizes({std::max(1, column->height() - settings_.previewHeight), std::max(kSmallestPreviewHeight, settings_.previewHeight)});
}

void CMainFrame::SetPreviewShown(bool shown)
{
    if (!preview_ || preview_->isVisibleTo(this) == shown)
        return;
    if (!shown)
        settings_.previewHeight = preview_->height();
    preview_->setVisible(shown);
    if (shown) {
        const int total = resultsColumn_->height();
        // The list keeps a quarter of the column whatever height was stored.
        const int height = std::clamp(settings_.previewHeight, kSmallestPreviewHeight,
                                      std::max(kSmallestPreviewHeight, total * 3 / 4));
        resultsColumn_->setSizes({std::max(1, total - height), height});
        UpdatePreview();
    } else {
        preview_->Clear();
    }
}

void CMainFrame::ApplyPreviewChoice()
{
    if (settings_.previewPane != kPreviewPaneAfterContentSearch)
        return;
    SetPreviewShown(!TextField(SifterDoc().Search().criteria.words).empty());
}

void CMainFrame::UpdatePreview()
{
    if (!preview_ || !preview_->isVisibleTo(this))
        return;
    const FoundFile *record = resultsView_->SelectedCount() == 1 ? resultsView_->FirstSelectedRecord() : nullptr;
    if (!record) {
        preview_->Clear();
        return;
    }
    SearchCriteria criteria = SifterDoc().Search().criteria;
    // The match lines mark literal words; a file found by a word expression shows as after
    // a search by name, its first lines, rather than marks of the expression's letters.
    if (SifterDoc().Search().extras.regexWords)
        SetTextField(criteria.words, "");
    preview_->ShowRequest(PreviewRequestOf(*record, criteria, resultsView_->SearchedFolders()));
}

void CMainFrame::OpenHexViewAt(const std::string &path, std::int64_t offset)
{
    if (!resultsView_ || !PathExists(path))
        return;
    CHexViewDialog *dialog = resultsView_->HexViewDialog();
    dialog->ShowFile(path, offset); // shown whatever it gives: the caption names the file
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace sifter
