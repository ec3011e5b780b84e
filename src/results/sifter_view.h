// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSifterView: the results list, the right pane of the main window's splitter. It owns the
// results model and the views that show it (Details, and one list view for List, Small
// Icons and Large Icons), all on one selection model, so a change of mode keeps the
// selection and the current row. One row per found file of the document's result set;
// each row holds its record without owning it. Rows come from the search run (it is the
// run's results sink) and from the document when it changes.
#include "fileops/result_rows.h"
#include "framework/command_target.h"
#include "framework/document_view.h"
#include "results/view_commands.h"
#include "search/search_sinks.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAbstractItemView;
class QDrag;
class QHeaderView;
class QItemSelectionModel;
class QMenu;
class QStackedWidget;

namespace sifter {

class CHexViewDialog;
class CSifterDoc;
class DetailsView;
class ItemsView;
class ResultsModel;
class UserPrompts;
struct FoundFile;
struct LayoutSettings;
struct SkippedRow;

class CSifterView : public QWidget, public CommandTarget, public DocumentView, public ResultsSink,
                    public ResultRows {
    Q_OBJECT

public:
    // settings give the columns, their widths and the view mode; they must outlive the
    // view, which writes dragged widths and the header's order into them.
    CSifterView(CSifterDoc &document, LayoutSettings &settings, QWidget *parent = nullptr);
    ~CSifterView() override;

    CSifterDoc &GetDocument() const override { return document_; }
    ResultsModel &Model() const { return *model_; }
    QItemSelectionModel *SelectionModel() const;
    DetailsView *Details() const { return details_; }
    ItemsView *Items() const { return items_; }
    // The view of the current mode.
    QAbstractItemView *CurrentView() const;
    QHeaderView *Header() const;

    // Set while a search run fills the list: selection changes then do not refresh the
    // idle status text.
    bool RunInProgress() const { return runInProgress_; }
    void SetRunInProgress(bool running) { runInProgress_ = running; }

    int ItemCount() const;
    int SelectedCount() const;
    // The record of the first selected row; null when nothing is selected.
    FoundFile *FirstSelectedRecord() const;
    // Selects every row; the current row stays.
    void SelectAll();
    // Selects the rows that were not selected and clears the others; the current row stays.
    void InvertSelection();

    // ResultRows: what the file commands act on.
    std::vector<std::pair<int, FoundFile *>> SelectedRows() const override;
    std::vector<std::string> SearchedFolders() const override;
    int RemoveVanishedRows() override;
    // The rows of files in the folder or below it, and the folder's own row, go with their
    // records (the document is marked modified); returns how many went.
    int RemoveRowsInFolder(const std::string &folder);
    std::unique_ptr<SelectionDataSource> BuildSelectionDataSource(SelectionTransfer transfer) const override;

    // A left-button drag of selected rows: runs the drag with the selection's data (copy,
    // move or link allowed, copy preferred), then removes the selected rows whose files the
    // drop target moved away. Nothing happens when no selected row is usable.
    void OnBeginDrag();
    // How a drag is run (default: QDrag::exec, which returns when the drop is done); tests
    // look at the drag and act as the drop target.
    using DragLoop = std::function<Qt::DropAction(QDrag &drag, Qt::DropActions allowed, Qt::DropAction preferred)>;
    void SetDragLoop(DragLoop loop) { dragLoop_ = std::move(loop); }

    // Removes all rows, then makes one per record of the document's result set, in order.
    void FillResultsView();

    // ResultsSink: the search run empties the list and appends a row per match.
    void ClearResultRows() override;
    void AddResultRow(FoundFile &record) override;

    // The document changed (new, opened): refill unless this view sent the change.
    void OnUpdate(DocumentView *sender) override;

    // Re-creates the columns from the settings' column table (Name always shown and
    // first) at their widths, and returns to the stored view mode. Keeps the selection.
    void RebuildColumns();
    ViewMode Mode() const { return mode_; }
    // Shows the rows in the mode; the settings are not changed.
    void SetViewMode(ViewMode mode);

    // The context menus of the header and of the rows (owned by the caller, which
    // updates their items); either may be null (no menu).
    void SetContextMenus(QMenu *headerMenu, QMenu *itemMenu);
    // The "Arrange Icons By" command of the column id: a new column sorts ascending, the
    // last sort's column again flips the direction.
    void ArrangeBy(CommandId columnId);
    // The column id of the last sort; 0 when not sorted.
    CommandId SortColumnId() const;
    // Starts editing the name of the current row, when it is selected.
    void EditLabel();
    // A committed edit of the row's label: renames its file in its folder (never over an
    // existing name); on success the record and label take the new name and the document
    // is marked modified; a refusal is told through the prompts and changes nothing. The
    // label as shown renames nothing (it may stand for bytes that are no text). When the
    // entry is no longer what the record describes, the prompts say what is there now and
    // it is renamed only on a Yes. False when nothing was renamed.
    bool OnEndLabelEdit(int row, const QString &text);
    // Where OnEndLabelEdit tells its refusals (null: nowhere); it must outlive the view.
    void SetPrompts(UserPrompts *prompts) { prompts_ = prompts; }
    // The Hex View window, made hidden with the view and destroyed with it.
    CHexViewDialog *HexViewDialog() const { return hexView_; }

signals:
    // The selection changed outside a search run; the frame refreshes its idle text.
    void IdleStatusChanged();
    // A command for the main window (a header click's sort, Open on activation); the
    // receiver runs it once the event loop turns, after the event that caused it.
    void CommandPosted(CommandId id);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // The fully selected rows as sorted, disjoint [top, bottom] spans.
    std::vector<std::pair<int, int>> SelectedRowSpans() const;
    // BuildSelectionDataSource, the rows left out given to the caller to tell.
    std::unique_ptr<SelectionDataSource> MakeSelectionData(SelectionTransfer transfer,
                                                           std::vector<SkippedRow> &skipped) const;
    void TellSkipped(const std::vector<SkippedRow> &skipped) const;
    void ApplyHeaderLayout();
    void OnSectionResized(int logical, int newSize);
    void OnSectionMoved();
    void ShowSortIndicator();

    CSifterDoc &document_;
    LayoutSettings &settings_;
    ResultsModel *model_;
    QStackedWidget *stack_;
    DetailsView *details_;
    ItemsView *items_;
    CHexViewDialog *hexView_;
    QMenu *headerMenu_ = nullptr;
    QMenu *itemMenu_ = nullptr;
    UserPrompts *prompts_ = nullptr;
    DragLoop dragLoop_;
    ViewMode mode_ = ViewMode::Details;
    bool runInProgress_ = false;
    // Set while the view itself sizes and orders the header, which is no user's doing.
    bool applyingHeader_ = false;
};

} // namespace sifter
