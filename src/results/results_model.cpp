#include "results/results_model.h"

#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "platform/file_attributes.h"
#include "res/menus.h"
#include "results/file_texts.h"
#include "results/item_description.h"
#include "search/found_file.h"
#include "search/text_field.h"

namespace sifter {

ResultsModel::ResultsModel(const LayoutSettings &settings, QObject *parent)
    : QAbstractTableModel(parent), settings_(settings)
{
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

void ResultsModel::ClearRows()
{
    if (rows_.empty())
        return;
    beginResetModel();
    rows_.clear();
    rowIcons_.Reset();
    endResetModel();
}

void ResultsModel::AppendRow(FoundFile &record)
{
    const int row = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back(&record);
    endInsertRows();
}

FoundFile *ResultsModel::Record(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return nullptr;
    return rows_[static_cast<std::size_t>(row)];
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
    if (role == Qt::ToolTipRole)
        return ItemInfoTip(record, false); // a view that shows the label cut off asks ItemInfoTip itself
    if (role != Qt::DisplayRole)
        return {};
    return CellText(*record, columns_[static_cast<std::size_t>(index.column())]);
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
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
    const FoundFileRecord &stored = record.stored;
    switch (columnId) {
    case cmd::kArrangeByName:
        return FromLocalText(record.Name());
    case cmd::kArrangeByFolder:
        return FromLocalText(record.Folder());
    case cmd::kArrangeBySize:
        return (stored.attributes & kAttributeFolder) ? QString() : FromLocalText(FormatFileSize(stored.size, true));
    case cmd::kArrangeByType:
        return FromLocalText(TextField(stored.typeName));
    case cmd::kArrangeByModified:
        return FromLocalText(FormatFileTime(stored.lastWriteTime, true));
    case cmd::kArrangeByCreated:
        return FromLocalText(FormatFileTime(stored.creationTime, true));
    case cmd::kArrangeByVisited:
        return FromLocalText(FormatFileTime(stored.lastAccessTime, true));
    case cmd::kArrangeByAttributes:
        return FromLocalText(FormatAttributes(stored.attributes));
    case cmd::kArrangeByShortName: {
        const std::string_view shortName = TextField(stored.shortName);
        return shortName.empty() ? FromLocalText(record.Name()) : FromLocalText(shortName);
    }
    default:
        return QString();
    }
}

QString ColumnCaption(std::uint32_t columnId)
{
    const char *text = FindMenuItemText(res::kMenuMain, columnId);
    return text ? RemoveAmpersands(QString::fromUtf8(text)) : QString();
}

} // namespace sifter
