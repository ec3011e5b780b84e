#pragma once
// The rows of the results list: one per found file, each holding its record without
// owning it, and the columns of the layout settings' column table that are shown.
#include "frame/layout_settings.h"
#include "results/row_icon_cache.h"

#include <QAbstractTableModel>

#include <vector>

namespace sifter {

struct FoundFile;

class ResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultsModel(const LayoutSettings &settings, QObject *parent = nullptr);

    // Rebuilds the columns from the column table (Name always first and shown).
    void RebuildColumns();
    // The column ids shown, in order.
    const std::vector<std::uint32_t> &ColumnIds() const { return columns_; }

    void ClearRows();
    void AppendRow(FoundFile &record);
    // The row's record; null for a row out of range.
    FoundFile *Record(int row) const;
    // Frees the icons held for rows; needed whenever rows change places wholesale.
    void ResetRowIcons() { rowIcons_.Reset(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // The Name cells are editable (their label edits in place); the record is not changed.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const LayoutSettings &settings_;
    std::vector<std::uint32_t> columns_;
    std::vector<FoundFile *> rows_;
    mutable RowIconCache rowIcons_; // filled as views ask for icons
};

// The text of a record's cell in the column with that id (empty for an unknown id).
QString CellText(const FoundFile &record, std::uint32_t columnId);
// A column's caption: its "Arrange Icons By" menu text without "&".
QString ColumnCaption(std::uint32_t columnId);

} // namespace sifter
