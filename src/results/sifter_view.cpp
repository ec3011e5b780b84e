#include "results/sifter_view.h"

#include "doc/sifter_doc.h"
#include "frame/layout_settings.h"
#include "results/results_model.h"
#include "search/found_file.h"

#include <QHeaderView>

namespace sifter {

CSifterView::CSifterView(CSifterDoc &document, LayoutSettings &settings, QWidget *parent)
    : QTreeView(parent), document_(document), settings_(settings), model_(new ResultsModel(settings, this))
{
    setObjectName(QStringLiteral("CSifterView"));
    setModel(model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(true);
    ApplyColumnWidths();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!runInProgress_)
            emit IdleStatusChanged();
    });
    // The last rows of a run are shown before anyone counts them; the rows of records
    // about to be freed go first.
    connect(&document_, &CSifterDoc::SearchRunEnded, model_, &ResultsModel::FlushPendingRows);
    connect(&document_, &CSifterDoc::ResultSetAboutToBeFreed, model_, &ResultsModel::ClearRows);
    document_.AddView(this);
}

CSifterView::~CSifterView()
{
    document_.RemoveView(this);
}

void CSifterView::ApplyColumnWidths()
{
    const std::vector<std::uint32_t> &ids = model_->ColumnIds();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (const ColumnSetting *column = settings_.FindColumnSetting(ids[i]))
            setColumnWidth(static_cast<int>(i), column->width);
    }
}

int CSifterView::ItemCount() const
{
    return model_->rowCount();
}

int CSifterView::SelectedCount() const
{
    return static_cast<int>(selectionModel()->selectedRows().size());
}

FoundFile *CSifterView::FirstSelectedRecord() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    int first = rows.front().row();
    for (const QModelIndex &index : rows)
        first = std::min(first, index.row());
    return model_->Record(first);
}

void CSifterView::FillResultsView()
{
    model_->SetRows(document_.Search().Head());
}

void CSifterView::ClearResultRows()
{
    model_->ClearResultRows();
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

} // namespace sifter
