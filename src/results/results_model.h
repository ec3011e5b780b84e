// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of the results list: one per found file, each holding its record without
// owning it, and the columns of the layout settings' column table that are shown. It is
// the search run's results sink: a run's rows reach the views in one insertion per turn
// of the event loop. Sorting keeps the selection and the current row of every view.
#include "results/row_icon_cache.h"
#include "search/search_sinks.h"
#include "stores/layout_settings.h"
#include "stores/row_sorting.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QTimer>

#include <span>
#include <vector>

namespace sifter {

struct FoundFile;

class ResultsModel : public QAbstractTableModel, public ResultsSink {
    Q_OBJECT

public:
    explicit ResultsModel(const LayoutSettings &settings, QObject *parent = nullptr);

    // Rebuilds the columns from the column table (Name always first and shown).
    void RebuildColumns();
    // The column ids shown, in order.
    const std::vector<std::uint32_t> &ColumnIds() const { return columns_; }

    // The row's record; null for a row out of range. Rows still pending are not rows yet.
    FoundFile *Record(int row) const;
    // Frees the icons held for rows; needed whenever rows change places wholesale.
    void ResetRowIcons() { rowIcons_.Reset(); }
    // The record's row, in constant time; -1 when it has none (pending rows included).
    int RowOf(const FoundFile &record) const;
    // The row's record changed (a rename): the views show the row again.
    void RowChanged(int row);

    // Pending rows become rows in one insertion at the first turn of the event loop once
    // this much has passed since the last insertion or the run's start (ClearResultRows),
    // the first rows outside a run at once: every insertion repaints the views
    // (milliseconds each), while a run's pump turns the loop every 10 ms.
    static constexpr int kInsertionIntervalMs = 50;
    // Another interval (tests take a long one to see rows wait); a waiting hand-over is
    // timed anew.
    void SetInsertionInterval(int milliseconds);

    // ResultsSink. ClearResultRows removes every row (before the run frees the records) and
    // forgets the sort; AddResultRow keeps the record pending (see kInsertionIntervalMs).
    void ClearResultRows() override;
    void AddResultRow(FoundFile &record) override;
    // Makes the pending records rows now, after the last one, in one insertion: for the end
    // of a run and for anyone who must see every row found so far.
    void FlushPendingRows();
    int PendingRowCount() const { return static_cast<int>(pending_.size()); }

    // Removes every row, pending ones too, in one reset. Records are not touched: callers
    // do this before they free them.
    void ClearRows();
    // Replaces every row with one per record of the list starting at head (next links), in
    // order, in one reset. The sort state is kept.
    void SetRows(FoundFile *head);
    // Removes the rows of these records (a pending record is dropped; records without a row
    // are skipped) in one pass; the other rows keep their order, selection and current
    // row. Returns the number of rows removed.
    int RemoveRecords(std::span<FoundFile *const> records);

    // The last sort (sortCommandId 0: not sorted).
    const SortState &Sort() const { return sort_; }
    // The "Arrange Icons By" command: flips or starts the sort state and sorts the rows.
    void OnArrangeBy(std::uint32_t id);
    // Back to "not sorted"; the rows stay where they are.
    void ResetSort() { sort_ = SortState{}; }

    // The data role that tells how a cell's text is cut where it does not fit: Qt::ElideMiddle
    // for folders, whose ends tell rows apart; nothing (the view's way) for the others.
    static constexpr int kTextElideModeRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // The Name cells are editable (their label edits in place); the record is not changed.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Hands the pending rows over once the interval has passed since the last hand-over.
    void StartFlushTimer();
    // Sets each record's row from first on, and the pending records' rows-to-be after.
    void NumberRows(std::size_t first);
    // Moves every persistent index to its record's new row (invalid when it has none) after
    // rows_ was rearranged; old holds the order before.
    void MovePersistentIndexes(const std::vector<FoundFile *> &old);

    const LayoutSettings &settings_;
    std::vector<std::uint32_t> columns_;
    std::vector<FoundFile *> rows_;
    mutable RowIconCache rowIcons_; // filled as views ask for icons
    std::vector<FoundFile *> pending_;
    QTimer flushTimer_;
    QElapsedTimer sinceInsertion_;
    int insertionIntervalMs_ = kInsertionIntervalMs;
    SortState sort_;
};

// The text of a record's cell in the column with that id (empty for an unknown id).
QString CellText(const FoundFile &record, std::uint32_t columnId);
// A column's caption: its "Arrange Icons By" menu text without "&".
QString ColumnCaption(std::uint32_t columnId);

} // namespace sifter
