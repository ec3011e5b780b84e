// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/sifter_view.h"

#include "doc/sifter_doc.h"
#include "fileops/entry_change.h"
#include "fileops/file_command_guard.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "fs/path.h"
#include "results/column_layout.h"
#include "results/hex_view_dialog.h"
#include "results/results_model.h"
#include "results/results_views.h"
#include "search/found_file.h"
#include "stores/layout_settings.h"
#include "transfer/rename_entry.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QPointer>
#include <QHeaderView>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <utility>

namespace sifter {

CSifterView::CSifterView(CSifterDoc &document, LayoutSettings &settings, QWidget *parent)
    : QWidget(parent), document_(document), settings_(settings), model_(new ResultsModel(settings, this)),
      stack_(new QStackedWidget(this)), details_(new DetailsView(stack_)), items_(new ItemsView(stack_)),
      hexView_(new CHexViewDialog(this))
{
    setObjectName(QStringLiteral("CSifterView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stack_);
    stack_->addWidget(details_);
    stack_->addWidget(items_);

    details_->setModel(model_);
    items_->setModel(model_);
    QItemSelectionModel *own = items_->selectionModel();
    items_->setSelectionModel(details_->selectionModel());
    delete own; // a view never deletes a selection model it was given or made

    QHeaderView *header = details_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setFirstSectionMovable(false);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) { OnSectionResized(logical, size); });
    connect(header, &QHeaderView::sectionMoved, this, [this] { OnSectionMoved(); });
    connect(header, &QHeaderView::sectionClicked, this, [this](int logical) {
        const std::vector<std::uint32_t> &ids = model_->ColumnIds();
        if (logical >= 0 && static_cast<std::size_t>(logical) < ids.size())
            emit CommandPosted(ids[static_cast<std::size_t>(logical)]);
    });
    // A reset of the model re-creates the header's sections at a default size: that is
    // no user's drag, and the columns' widths and order are applied again afterwards.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { applyingHeader_ = true; });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        ApplyHeaderLayout();
        applyingHeader_ = false; // set since modelAboutToBeReset
    });

    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(details_), static_cast<QAbstractItemView *>(items_)})
        connect(view, &QAbstractItemView::activated, this, [this] { emit CommandPosted(cmd::kOpen); });
    connect(details_, &DetailsView::DragStarted, this, &CSifterView::OnBeginDrag);
    connect(items_, &ItemsView::DragStarted, this, &CSifterView::OnBeginDrag);
    connect(details_, &DetailsView::LabelEdited, this, &CSifterView::OnEndLabelEdit);
    connect(items_, &ItemsView::LabelEdited, this, &CSifterView::OnEndLabelEdit);
    connect(SelectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!runInProgress_)
            emit IdleStatusChanged();
    });

    ApplyHeaderLayout();
    SetViewMode(ViewModeOfStyle(settings_.style));
    // A new run gets fresh icons (its rows start unsorted, as the run clears them first); the
    // last rows of a run are shown before anyone counts them; the rows of records about to be
    // freed go first.
    connect(&document_, &CSifterDoc::SearchRunStarting, this, [this] {
        model_->ResetRowIcons();
        runInProgress_ = true;
    });
    connect(&document_, &CSifterDoc::SearchRunEnded, this, [this] {
        model_->FlushPendingRows();
        runInProgress_ = false;
    });
    connect(&document_, &CSifterDoc::ResultSetAboutToBeFreed, model_, &ResultsModel::ClearRows);
    document_.AddView(this);
    document_.SetRowSink(this);
}

CSifterView::~CSifterView()
{
    if (document_.RowSink() == this)
        document_.SetRowSink(nullptr);
    document_.RemoveView(this);
}

QItemSelectionModel *CSifterView::SelectionModel() const
{
    return details_->selectionModel();
}

QAbstractItemView *CSifterView::CurrentView() const
{
    return mode_ == ViewMode::Details ? static_cast<QAbstractItemView *>(details_) : items_;
}

QHeaderView *CSifterView::Header() const
{
    return details_->horizontalHeader();
}

int CSifterView::ItemCount() const
{
    return model_->rowCount();
}

std::vector<std::pair<int, int>> CSifterView::SelectedRowSpans() const
{
    // From the selection's ranges, not one index per row: Select All over a million rows
    // is one range, and the status text asks after every selection change.
    std::vector<std::pair<int, int>> spans;
    const int lastColumn = model_->columnCount() - 1;
    for (const QItemSelectionRange &range : SelectionModel()->selection()) {
        if (range.left() == 0 && range.right() == lastColumn)
            spans.emplace_back(range.top(), range.bottom());
    }
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto &span : spans) {
        if (!merged.empty() && span.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, span.second);
        else
            merged.push_back(span);
    }
    return merged;
}

int CSifterView::SelectedCount() const
{
    int count = 0;
    for (const auto &[top, bottom] : SelectedRowSpans())
        count += bottom - top + 1;
    return count;
}

FoundFile *CSifterView::FirstSelectedRecord() const
{
    const std::vector<std::pair<int, int>> spans = SelectedRowSpans();
    return spans.empty() ? nullptr : model_->Record(spans.front().first);
}

std::vector<std::pair<int, FoundFile *>> CSifterView::SelectedRows() const
{
    std::vector<std::pair<int, FoundFile *>> rows;
    for (const auto &[top, bottom] : SelectedRowSpans()) {
        for (int row = top; row <= bottom; ++row)
            rows.emplace_back(row, model_->Record(row));
    }
    return rows;
}

void CSifterView::SelectAll()
{
    const int count = ItemCount();
    if (count == 0 || model_->columnCount() == 0)
        return;
    // One range: a million rows selected one by one would take seconds.
    SelectionModel()->select(QItemSelection(model_->index(0, 0), model_->index(count - 1, model_->columnCount() - 1)),
                             QItemSelectionModel::Select);
}

std::vector<std::string> CSifterView::SearchedFolders() const
{
    return sifter::SearchedFolders(document_.Search().criteria);
}

int CSifterView::RemoveVanishedRows()
{
    const std::vector<std::string> searched = SearchedFolders();
    std::vector<FoundFile *> vanished;
    for (const auto &[row, record] : SelectedRows()) {
        // A record whose path leaves its folder was never acted on: its row stays listed.
        if (record && FileCommandFault(*record, searched) == RecordFault::kNone && !PathExists(record->Path()))
            vanished.push_back(record);
    }
    if (vanished.empty())
        return 0;
    const int removed = model_->RemoveRecords(vanished);
    for (FoundFile *record : vanished)
        document_.Search().RemoveFoundFile(record);
    document_.SetModifiedFlag();
    // The count of rows (and of selected ones) has changed, whatever the selection says.
    if (!runInProgress_)
        emit IdleStatusChanged();
    return removed;
}

int CSifterView::RemoveRowsInFolder(const std::string &folder)
{
    std::vector<FoundFile *> inside;
    for (FoundFile *record = document_.Search().Head(); record; record = record->next) {
        if (PathIsSameOrBelow(record->Folder(), folder) || record->Path() == folder)
            inside.push_back(record);
    }
    if (inside.empty())
        return 0;
    const int removed = model_->RemoveRecords(inside);
    for (FoundFile *record : inside)
        document_.Search().RemoveFoundFile(record);
    document_.SetModifiedFlag();
    if (!runInProgress_)
        emit IdleStatusChanged();
    return removed;
}

std::unique_ptr<SelectionDataSource> CSifterView::MakeSelectionData(SelectionTransfer transfer,
                                                                    std::vector<SkippedRow> &skipped) const
{
    std::vector<std::string> paths;
    for (const FoundFile *record : RecordsFileCommandsMayUse(SelectedRows(), SearchedFolders(), skipped))
        paths.push_back(record->Path());
    if (paths.empty())
        return nullptr;
    return std::make_unique<SelectionDataSource>(BuildFileListBlock(paths), transfer);
}

void CSifterView::TellSkipped(const std::vector<SkippedRow> &skipped) const
{
    if (prompts_ && !skipped.empty())
        prompts_->ShowError(SkippedRowsMessage(skipped));
}

std::unique_ptr<SelectionDataSource> CSifterView::BuildSelectionDataSource(SelectionTransfer transfer) const
{
    std::vector<SkippedRow> skipped;
    std::unique_ptr<SelectionDataSource> selection = MakeSelectionData(transfer, skipped);
    TellSkipped(skipped);
    return selection;
}

void CSifterView::OnBeginDrag()
{
    std::vector<SkippedRow> skipped;
    std::unique_ptr<SelectionDataSource> selection = MakeSelectionData(SelectionTransfer::kDrag, skipped);
    if (selection) {
        // Qt deletes a drag it ran itself once it is over; one the loop did not run goes too.
        QPointer<QDrag> drag = new QDrag(CurrentView());
        drag->setMimeData(selection.release());
        const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        if (dragLoop_)
            dragLoop_(*drag, allowed, Qt::CopyAction);
        else
            drag->exec(allowed, Qt::CopyAction);
        if (drag)
            drag->deleteLater();
        // What the target chose is only a hint: the files themselves say whether they were moved.
        RemoveVanishedRows();
    }
    // Told after the drag: a message box in the middle of it would have ended it.
    TellSkipped(skipped);
}

void CSifterView::InvertSelection()
{
    const int count = ItemCount();
    const int lastColumn = model_->columnCount() - 1;
    if (count == 0 || lastColumn < 0)
        return;
    // Built from the selected spans, so the change is a few ranges, not one per row.
    QItemSelection inverted;
    int next = 0;
    for (const auto &[top, bottom] : SelectedRowSpans()) {
        if (top > next)
            inverted.select(model_->index(next, 0), model_->index(top - 1, lastColumn));
        next = bottom + 1;
    }
    if (next < count)
        inverted.select(model_->index(next, 0), model_->index(count - 1, lastColumn));
    SelectionModel()->select(inverted, QItemSelectionModel::ClearAndSelect);
}

void CSifterView::FillResultsView()
{
    model_->SetRows(document_.Search().Head());
    ShowSortIndicator();
}

void CSifterView::ClearResultRows()
{
    model_->ClearResultRows();
    // A run starts unsorted.
    ShowSortIndicator();
}

void CSifterView::AddResultRow(FoundFile &record)
{
    model_->AddResultRow(record);
}

void CSifterView::OnUpdate(DocumentView *sender)
{
    if (sender == this)
        return;
    FillResultsView();
}

void CSifterView::RebuildColumns()
{
    // The model's rebuild forgets the selection; rows stay where they are, so it is
    // taken as row ranges and given back over the new columns.
    QItemSelectionModel *selection = SelectionModel();
    std::vector<std::pair<int, int>> selectedRows;
    for (const QItemSelectionRange &range : selection->selection())
        selectedRows.emplace_back(range.top(), range.bottom());
    const int currentRow = selection->currentIndex().row();

    settings_.columns[0].visible = 1;
    model_->RebuildColumns();
    ApplyHeaderLayout();

    const int lastColumn = model_->columnCount() - 1;
    if (lastColumn >= 0) {
        QItemSelection restored;
        for (const auto &[top, bottom] : selectedRows)
            restored.select(model_->index(top, 0), model_->index(bottom, lastColumn));
        selection->select(restored, QItemSelectionModel::Select);
        if (currentRow >= 0)
            selection->setCurrentIndex(model_->index(currentRow, 0), QItemSelectionModel::NoUpdate);
    }
    SetViewMode(ViewModeOfStyle(settings_.style));
}

void CSifterView::SetViewMode(ViewMode mode)
{
    QAbstractItemView *before = stack_->currentWidget() ? CurrentView() : nullptr;
    const bool hadFocus = before && before->hasFocus();
    mode_ = mode;
    if (mode != ViewMode::Details)
        items_->ConfigureFor(mode);
    QAbstractItemView *view = CurrentView();
    stack_->setCurrentWidget(view);
    setFocusProxy(view);
    if (hadFocus)
        view->setFocus();
    const QModelIndex current = SelectionModel()->currentIndex();
    if (current.isValid())
        view->scrollTo(current);
}

void CSifterView::SetContextMenus(QMenu *headerMenu, QMenu *itemMenu)
{
    headerMenu_ = headerMenu;
    itemMenu_ = itemMenu;
}

void CSifterView::ArrangeBy(CommandId columnId)
{
    model_->OnArrangeBy(columnId);
    ShowSortIndicator();
}

CommandId CSifterView::SortColumnId() const
{
    return model_->Sort().sortCommandId;
}

void CSifterView::EditLabel()
{
    QAbstractItemView *view = CurrentView();
    const QModelIndex current = SelectionModel()->currentIndex();
    if (current.isValid() && SelectionModel()->isRowSelected(current.row()))
        view->edit(current.siblingAtColumn(0));
}

namespace {

QString FromLocal(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// What the user is told of a rename that did not happen.
QString RenameRefusal(RenameOutcome outcome, std::string_view name, std::string_view newName, int error)
{
    switch (outcome) {
    case RenameOutcome::kEmptyName: return LoadResString(str::kRenameEmptyName);
    case RenameOutcome::kNameWithSeparator: return LoadResString(str::kRenameNameWithSeparator);
    case RenameOutcome::kDotName: return LoadResString(str::kRenameDotName);
    case RenameOutcome::kExists: return LoadResString(str::kRenameExists).arg(FromLocal(name), FromLocal(newName));
    case RenameOutcome::kFailed:
    case RenameOutcome::kRenamed: break;
    }
    return LoadResString(str::kRenameFailed).arg(FromLocal(name), QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

bool CSifterView::OnEndLabelEdit(int row, const QString &text)
{
    FoundFile *record = model_->Record(row);
    if (!record)
        return false;
    if (const RecordFault fault = FileCommandFault(*record, SearchedFolders()); fault != RecordFault::kNone) {
        if (prompts_)
            prompts_->ShowError(SkippedRowsMessage({{row, record, fault}}));
        return false;
    }
    // The label shows bytes that are no character as U+FFFD: an edit that changed nothing
    // taken back as text would rename the file to another name.
    if (text == FromLocal(record->Name()))
        return false;
    const RecordedEntry recorded = RecordedEntryOf(*record);
    if (const EntryCheck check = CheckRecordedEntry(recorded);
        check.change == EntryChange::kChanged &&
        (!prompts_ ||
         !prompts_->AskWarningYesNo(FormatResString(str::kAskRenameAnyway, EntryChangeText(recorded, check.now)))))
        return false;
    // The question turned the event loop: the row may hold another record by now.
    if (model_->Record(row) != record || record->Path() != recorded.path)
        return false;
    const QByteArray bytes = text.toLocal8Bit();
    const std::string newName(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    int error = 0;
    const RenameOutcome outcome = RenameEntry(std::string(record->Folder()), record->Name(), newName, error);
    if (outcome != RenameOutcome::kRenamed) {
        if (prompts_)
            prompts_->ShowError(RenameRefusal(outcome, record->Name(), newName, error));
        return false;
    }
    record->SetName(newName);
    model_->RowChanged(row);
    document_.SetModifiedFlag();
    return true;
}

void CSifterView::contextMenuEvent(QContextMenuEvent *event)
{
    QHeaderView *header = Header();
    QPoint at = event->globalPos();
    const bool onHeader = mode_ == ViewMode::Details && header->isVisible() &&
                          event->reason() != QContextMenuEvent::Keyboard &&
                          header->rect().contains(header->mapFromGlobal(at));
    QMenu *menu = onHeader ? headerMenu_ : itemMenu_;
    if (!menu) {
        event->ignore();
        return;
    }
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard the menu opens at the current row, as file managers do.
        QAbstractItemView *view = CurrentView();
        const QModelIndex current = SelectionModel()->currentIndex();
        if (current.isValid())
            at = view->viewport()->mapToGlobal(view->visualRect(current).center());
    }
    menu->popup(at);
    event->accept();
}

void CSifterView::ApplyHeaderLayout()
{
    QScopedValueRollback<bool> applying(applyingHeader_, true);
    QHeaderView *header = Header();
    const std::vector<std::uint32_t> &ids = model_->ColumnIds();
    if (header->count() != static_cast<int>(ids.size()))
        return;
    for (std::size_t logical = 0; logical < ids.size(); ++logical) {
        const int section = static_cast<int>(logical);
        if (const ColumnSetting *column = settings_.FindColumnSetting(ids[logical])) {
            const QString caption = model_->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
            header->resizeSection(section, ShownColumnWidth(*column, caption, *header));
        }
    }
    // The header shows the table's order, which a drag may have changed since the model
    // took its columns.
    int visual = 0;
    for (const ColumnSetting &entry : settings_.columns) {
        if (entry.commandId == 0)
            break;
        for (std::size_t logical = 0; logical < ids.size(); ++logical) {
            const int section = static_cast<int>(logical);
            if (ids[logical] == entry.commandId && header->visualIndex(section) >= visual) {
                header->moveSection(header->visualIndex(section), visual++);
                break;
            }
        }
    }
    ShowSortIndicator();
}

void CSifterView::OnSectionResized(int logical, int newSize)
{
    const std::vector<std::uint32_t> &ids = model_->ColumnIds();
    if (applyingHeader_ || logical < 0 || static_cast<std::size_t>(logical) >= ids.size())
        return;
    if (ColumnSetting *column = settings_.FindColumnSetting(ids[static_cast<std::size_t>(logical)]))
        column->width = newSize;
}

void CSifterView::OnSectionMoved()
{
    if (applyingHeader_)
        return;
    QScopedValueRollback<bool> applying(applyingHeader_, true);
    QHeaderView *header = Header();
    // Name carries the rows' labels and stays first.
    if (header->visualIndex(0) != 0)
        header->moveSection(header->visualIndex(0), 0);
    const std::vector<std::uint32_t> &ids = model_->ColumnIds();
    std::vector<std::uint32_t> shown;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical >= 0 && static_cast<std::size_t>(logical) < ids.size())
            shown.push_back(ids[static_cast<std::size_t>(logical)]);
    }
    // A table the header does not match (an odd stored one) keeps its order.
    StoreColumnOrder(settings_.columns, shown);
}

void CSifterView::ShowSortIndicator()
{
    QHeaderView *header = Header();
    const CommandId sorted = SortColumnId();
    const std::vector<std::uint32_t> &ids = model_->ColumnIds();
    for (std::size_t logical = 0; sorted != 0 && logical < ids.size(); ++logical) {
        if (ids[logical] == sorted) {
            header->setSortIndicator(static_cast<int>(logical),
                                     model_->Sort().sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
            header->setSortIndicatorShown(true);
            return;
        }
    }
    header->setSortIndicatorShown(false);
}

} // namespace sifter
