// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_model.h"

#include "framework/local_text.h"
#include "framework/resource_text.h"
#include "framework/shown_text.h"
#include "framework/string_resources.h"
#include "fs/file_attributes.h"
#include "res/menus.h"
#include "results/item_description.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/file_texts.h"

#include <QStringList>

#include <algorithm>

namespace sifter {
namespace {

// What a screen reader reads of a row: its name, folder and size, those it has.
QString SpokenRowText(const FoundFile &record)
{
    QStringList parts;
    for (const std::uint32_t columnId : {cmd::kArrangeByName, cmd::kArrangeByFolder, cmd::kArrangeBySize}) {
        const QString text = ShownText(CellText(record, columnId));
        if (!text.isEmpty())
            parts.append(text);
    }
    return parts.join(QStringLiteral(", "));
}

// Up to this many runs of adjacent rows are removed with a signal each; more are removed
// in one rearrangement, which costs one pass however scattered they are.
constexpr std::size_t kMaxRemovalSignals = 16;

} // namespace

ResultsModel::ResultsModel(const LayoutSettings &settings, QObject *parent)
    : QAbstractTableModel(parent), settings_(settings)
{
    flushTimer_.setSingleShot(true);
    connect(&flushTimer_, &QTimer::timeout, this, &ResultsModel::FlushPendingRows);
    RebuildColumns();
}

void ResultsModel::RebuildColumns()
{
    beginResetModel();
    columns_.clear();
    for (std::size_t i = 0; i < settings_.columns.size() && settings_.columns[i].commandId != 0; ++i) {
        // The Name column carries the rows' labels and is always shown.
        if (i == 0 || settings_.columns[i].visible != 0)
            columns_.push_back(settings_.columns[i].commandId);
    }
    endResetModel();
}

FoundFile *ResultsModel::Record(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return nullptr;
    return rows_[static_cast<std::size_t>(row)];
}

int ResultsModel::RowOf(const FoundFile &record) const
{
    const int row = record.viewRow;
    return Record(row) == &record ? row : -1;
}

void ResultsModel::ClearResultRows()
{
    ClearRows();
    sort_ = SortState{};
    // A run's first rows wait the interval too, so that a run shorter than it shows its rows
    // in one insertion at its end (painting the first rows, and the scroll bar they bring,
    // took a twentieth of a 20 ms search's time in the window).
    sinceInsertion_.start();
}

void ResultsModel::AddResultRow(FoundFile &record)
{
    // Numbered now, while the new record is still in the cache; RowOf tells it is no row yet.
    record.viewRow = static_cast<int>(rows_.size() + pending_.size());
    pending_.push_back(&record);
    if (flushTimer_.isActive())
        return;
    StartFlushTimer();
}

void ResultsModel::SetInsertionInterval(int milliseconds)
{
    insertionIntervalMs_ = std::max(0, milliseconds);
    if (flushTimer_.isActive())
        StartFlushTimer();
}

void ResultsModel::StartFlushTimer()
{
    const qint64 waited = sinceInsertion_.isValid() ? sinceInsertion_.elapsed() : insertionIntervalMs_;
    flushTimer_.start(static_cast<int>(std::max<qint64>(0, insertionIntervalMs_ - waited)));
}

void ResultsModel::FlushPendingRows()
{
    flushTimer_.stop();
    if (pending_.empty())
        return;
    const auto first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(pending_.size()) - 1);
    rows_.insert(rows_.end(), pending_.begin(), pending_.end());
    pending_.clear();
    endInsertRows();
    sinceInsertion_.start();
}

void ResultsModel::ClearRows()
{
    flushTimer_.stop();
    pending_.clear();
    if (rows_.empty())
        return;
    beginResetModel();
    rows_.clear();
    // A million rows leave megabytes behind; a new run or file grows the list again.
    rows_.shrink_to_fit();
    rowIcons_.Reset();
    endResetModel();
}

void ResultsModel::SetRows(FoundFile *head)
{
    beginResetModel();
    pending_.clear();
    rows_.clear();
    for (FoundFile *record = head; record; record = record->next)
        rows_.push_back(record);
    NumberRows(0);
    rowIcons_.Reset();
    endResetModel();
}

int ResultsModel::RemoveRecords(std::span<FoundFile *const> records)
{
    if (!pending_.empty()) {
        // A pending record's number is its place among the pending ones after the rows.
        for (const FoundFile *record : records) {
            const auto place = record ? static_cast<std::size_t>(record->viewRow) - rows_.size() : pending_.size();
            if (place < pending_.size() && pending_[place] == record)
                pending_[place] = nullptr;
        }
        std::erase(pending_, nullptr);
    }
    std::vector<int> gone;
    gone.reserve(records.size());
    for (const FoundFile *record : records) {
        if (record && RowOf(*record) >= 0)
            gone.push_back(record->viewRow);
    }
    if (gone.empty()) {
        NumberRows(rows_.size());
        return 0;
    }
    std::sort(gone.begin(), gone.end());
    gone.erase(std::unique(gone.begin(), gone.end()), gone.end());

    // Runs of adjacent rows, last first, so that earlier row numbers stay valid.
    std::vector<std::pair<int, int>> runs;
    for (int row : gone) {
        if (!runs.empty() && runs.back().second + 1 == row)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    for (const int row : gone)
        rows_[static_cast<std::size_t>(row)]->viewRow = -1;
    if (runs.size() <= kMaxRemovalSignals) {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            beginRemoveRows(QModelIndex(), run->first, run->second);
            rows_.erase(rows_.begin() + run->first, rows_.begin() + run->second + 1);
            endRemoveRows();
        }
        NumberRows(static_cast<std::size_t>(gone.front()));
    } else {
        // Many scattered rows: one rearrangement, compacted once; views drop the indexes
        // of the removed rows and keep the rest.
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const std::vector<FoundFile *> old = rows_;
        std::erase_if(rows_, [](const FoundFile *record) { return record->viewRow < 0; });
        NumberRows(static_cast<std::size_t>(gone.front()));
        MovePersistentIndexes(old);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
    return static_cast<int>(gone.size());
}

void ResultsModel::OnArrangeBy(std::uint32_t id)
{
    FlushPendingRows();
    sort_.ArrangeBy(id);
    if (rows_.size() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The icons are kept by row, and rows are about to change places.
    rowIcons_.Reset();
    const std::vector<FoundFile *> old = rows_;
    SortRows(rows_, sort_);
    NumberRows(0);
    MovePersistentIndexes(old);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsModel::NumberRows(std::size_t first)
{
    for (std::size_t row = first; row < rows_.size(); ++row)
        rows_[row]->viewRow = static_cast<int>(row);
    for (std::size_t i = 0; i < pending_.size(); ++i)
        pending_[i]->viewRow = static_cast<int>(rows_.size() + i);
}

void ResultsModel::MovePersistentIndexes(const std::vector<FoundFile *> &old)
{
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &index : from) {
        const auto oldRow = static_cast<std::size_t>(index.row());
        const int row = oldRow < old.size() ? RowOf(*old[oldRow]) : -1;
        to.push_back(row >= 0 ? createIndex(row, index.column()) : QModelIndex());
    }
    changePersistentIndexList(from, to);
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const FoundFile *record = Record(index.row());
    if (!record || index.column() >= static_cast<int>(columns_.size()))
        return {};
    if (role == Qt::DecorationRole && index.column() == 0)
        return rowIcons_.SlotIcon(rowIcons_.GetRowIcon(index.row(), *record));
    const std::uint32_t columnId = columns_[static_cast<std::size_t>(index.column())];
    if (role == Qt::ToolTipRole)
        return ItemInfoTip(record, false); // a view that shows the label cut off asks ItemInfoTip itself
    // A screen reader reads the row from its name cell: what the list and icon modes show
    // alone, and what tells one file from another.
    if (role == Qt::AccessibleTextRole && columnId == cmd::kArrangeByName)
        return SpokenRowText(*record);
    if (role == kTextElideModeRole)
        return columnId == cmd::kArrangeByFolder ? QVariant(int(Qt::ElideMiddle)) : QVariant();
    // The editor of a name starts from the name itself, not from its shown form.
    if (role == Qt::EditRole && columnId == cmd::kArrangeByName)
        return FromLocalText(record->Name());
    if (role != Qt::DisplayRole)
        return {};
    return ShownText(CellText(*record, columnId));
}

void ResultsModel::RowChanged(int row)
{
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex &index) const
{
    // Any cell drags its row out of the list.
    const Qt::ItemFlags flags = index.isValid() ? QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled
                                                : QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == 0 ? flags | Qt::ItemIsEditable : flags;
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return {};
    return ColumnCaption(columns_[static_cast<std::size_t>(section)]);
}

QString CellText(const FoundFile &record, std::uint32_t columnId)
{
    const FoundFile &stored = record;
    switch (columnId) {
    case cmd::kArrangeByName:
        return FromLocalText(record.Name());
    case cmd::kArrangeByFolder:
        return FromLocalText(record.Folder());
    case cmd::kArrangeBySize:
        return (stored.attributes & kAttributeFolder) ? QString() : FromLocalText(FormatFileSize(stored.size, true));
    case cmd::kArrangeByType:
        return FromLocalText(stored.TypeName());
    case cmd::kArrangeByModified:
        return FromLocalText(FormatFileTime(stored.lastWriteTime, true));
    case cmd::kArrangeByCreated:
        return FromLocalText(FormatFileTime(stored.creationTime, true));
    case cmd::kArrangeByVisited:
        return FromLocalText(FormatFileTime(stored.lastAccessTime, true));
    case cmd::kArrangeByAttributes:
        return FromLocalText(FormatAttributes(stored.attributes));
    case cmd::kArrangeByShortName: {
        const std::string_view shortName = stored.ShortName();
        return shortName.empty() ? FromLocalText(record.Name()) : FromLocalText(shortName);
    }
    default:
        return QString();
    }
}

QString ColumnCaption(std::uint32_t columnId)
{
    const char *text = FindMenuItemText(res::kMenuMain, columnId);
    return text ? RemoveAmpersands(MenuText(text)) : QString();
}

} // namespace sifter
