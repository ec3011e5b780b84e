// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/results_views.h"

#include "framework/dialog_units.h"
#include "framework/shown_text.h"
#include "results/item_description.h"
#include "results/results_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <functional>

namespace sifter {
namespace {

// A click on one of several selected rows selects that row alone, as in a file manager; only
// a click on the one selected row edits its name. (Qt would edit and keep the selection.)
bool ClickMayEdit(const QItemSelectionModel *selection, QAbstractItemView::EditTrigger trigger)
{
    if (trigger != QAbstractItemView::SelectedClicked || !selection)
        return true;
    int rows = 0;
    for (const QItemSelectionRange &range : selection->selection()) {
        rows += range.height();
        if (rows > 1)
            return false;
    }
    return true;
}

constexpr int kSmallIconPixels = 16;
constexpr int kLargeIconPixels = 32;
// Cell widths in dialog units: List and Small Icons cut a name longer than about 24
// average characters (the tip shows it whole), Large Icons wraps it on two lines.
constexpr int kSmallCellDialogUnits = 4 * 24;
constexpr int kLargeCellDialogUnits = 4 * 13;
constexpr int kLargeCellTextLines = 2;
constexpr int kTextMargin = 2;
constexpr int kCellGap = 8;
// Room a tip takes beside its text: its frame and margins on both sides.
constexpr int kTipFrame = 16;

} // namespace

// Edits a row's label starting from its shown name; the rename itself is not done here, so
// a committed edit leaves the model as it was. For Large Icons it draws the icon above the
// name, centred, the name wrapped: the list view itself only knows icons beside names in
// its list mode.
class RowDelegate : public QStyledItemDelegate {
public:
    // iconView: the list view whose mode decides the look; null for Details.
    // edited hears each committed edit's row and text.
    RowDelegate(const ItemsView *iconView, std::function<void(int, const QString &)> edited, QObject *parent)
        : QStyledItemDelegate(parent), iconView_(iconView), edited_(std::move(edited))
    {
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            line->setText(index.data(Qt::EditRole).toString());
            line->selectAll();
        }
    }

    // The model is left as it is: the rename decides whether the row takes the text.
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && edited_)
            edited_(index.row(), line->text());
    }

    // Whether the name of the row is shown cut off in its cell, option being the view's
    // item option with the cell's rectangle.
    bool NameCutOff(QStyleOptionViewItem option, const QModelIndex &name) const
    {
        initStyleOption(&option, name);
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
        // The style keeps this margin on each side of an item's text.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
        const int width = area.width() - 2 * margin;
        if (!(option.features & QStyleOptionViewItem::WrapText))
            return option.fontMetrics.horizontalAdvance(option.text) > width;
        const QRect needed =
            option.fontMetrics.boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), Qt::TextWrapAnywhere, option.text);
        return needed.height() > area.height();
    }

    // In the list view's modes every item fills its cell: all items have one size, and a
    // name's width never depends on which row happened to be measured first.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (iconView_)
            return iconView_->ItemSize();
        return QStyledItemDelegate::sizeHint(option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // Right to left a cell's text would take the view's direction, and a path, a size or a
        // date read "tmp/a/", "KB 1": left-to-right text keeps its own order between marks.
        if (option->direction == Qt::RightToLeft && !option->text.isRightToLeft()) {
            const QChar mark(0x200E);  // LEFT-TO-RIGHT MARK
            option->text = mark + option->text + mark;
        }
        if (const QVariant elide = index.data(ResultsModel::kTextElideModeRole); elide.isValid())
            option->textElideMode = static_cast<Qt::TextElideMode>(elide.toInt());
        if (!iconView_ || iconView_->Mode() != ViewMode::LargeIcons)
            return;
        option->decorationPosition = QStyleOptionViewItem::Top;
        option->decorationAlignment = Qt::AlignHCenter | Qt::AlignTop;
        option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        option->features |= QStyleOptionViewItem::WrapText;
        option->textElideMode = Qt::ElideRight;
    }

private:
    const ItemsView *iconView_;
    std::function<void(int, const QString &)> edited_;
};

namespace {

// Shows the info tip of the row under the help event; true when the event is handled.
bool ShowRowTip(QAbstractItemView &view, QStyleOptionViewItem option, const RowDelegate &delegate,
                const QHelpEvent &event)
{
    const QModelIndex index = view.indexAt(event.pos());
    const auto *model = qobject_cast<const ResultsModel *>(view.model());
    const FoundFile *record = model && index.isValid() ? model->Record(index.row()) : nullptr;
    if (!record) {
        QToolTip::hideText();
        return true;
    }
    const QModelIndex name = index.siblingAtColumn(0);
    option.rect = view.visualRect(name);
    // A tip wraps a line wider than the screen, but a folder or name it cannot wrap would be
    // cut at the screen's edge; the ends of these tell most, so that line is cut in the middle.
    const QScreen *screen = view.screen();
    const int lineWidth = (screen ? screen->availableGeometry().width() : view.width()) - kTipFrame;
    const QString tip =
        ElideUnwrappableLines(ItemInfoTip(record, delegate.NameCutOff(option, name)), QToolTip::font(), lineWidth);
    QToolTip::showText(event.globalPos(), tip, view.viewport(), view.visualRect(index));
    return true;
}

} // namespace

DetailsView::DetailsView(QWidget *parent)
    : QTableView(parent),
      delegate_(new RowDelegate(nullptr, [this](int row, const QString &text) { emit LabelEdited(row, text); }, this))
{
    setItemDelegate(delegate_);
    setIconSize(QSize(kSmallIconPixels, kSmallIconPixels));
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false); // Tab leaves the list, as in a file manager
    verticalHeader()->hide();
    // Every row one line high, fixed: nothing is measured per row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(kSmallIconPixels, fontMetrics().height()) + 2 * kTextMargin);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setTextElideMode(Qt::ElideRight);
    // Rows are dragged out only; nothing is dropped on them.
    setDragDropMode(QAbstractItemView::DragOnly);
    disconnect(verticalHeader(), SIGNAL(sectionCountChanged(int,int)), this, SLOT(rowCountChanged(int,int)));
    connect(verticalHeader(), &QHeaderView::sectionCountChanged, this, &DetailsView::OnRowCountChanged);
}

void DetailsView::OnRowCountChanged(int oldCount, int newCount)
{
    if (newCount > oldCount && oldCount > 0 && rowViewportPosition(oldCount) >= viewport()->height()) {
        ExtendScrollRange();
        return;
    }
    rowCountChanged(oldCount, newCount);
}

void DetailsView::ExtendScrollRange()
{
    QScrollBar *bar = verticalScrollBar();
    // The bar is to show now: that takes the scroll area's own layout.
    if (bar->maximum() <= 0) {
        updateGeometries();
        return;
    }
    // As the table sets it, for rows of one height below the screen: the viewport and the
    // page stay, and with them the rows a page shows.
    const QHeaderView *rows = verticalHeader();
    const int maximum = verticalScrollMode() == ScrollPerItem
                            ? rows->count() - rows->hiddenSectionCount() - bar->pageStep()
                            : rows->length() - viewport()->height();
    // Unheard by the scroll area, which would lay itself out again for the new range.
    const QSignalBlocker quiet(bar);
    bar->setMaximum(maximum);
}

void DetailsView::keyboardSearch(const QString &search)
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.column() != 0)
        selectionModel()->setCurrentIndex(current.siblingAtColumn(0), QItemSelectionModel::NoUpdate);
    QTableView::keyboardSearch(search);
}

void DetailsView::startDrag(Qt::DropActions)
{
    emit DragStarted();
}

bool DetailsView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!ClickMayEdit(selectionModel(), trigger))
        return false;
    return QTableView::edit(index.isValid() ? index.siblingAtColumn(0) : index, trigger, event);
}

QModelIndex DetailsView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if ((action == MoveHome || action == MoveEnd) && model() && model()->rowCount() > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        return model()->index(action == MoveHome ? 0 : model()->rowCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

bool DetailsView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return ShowRowTip(*this, option, *delegate_, *static_cast<QHelpEvent *>(event));
}

bool ItemsView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QListView::viewportEvent(event);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return ShowRowTip(*this, option, *delegate_, *static_cast<QHelpEvent *>(event));
}

ItemsView::ItemsView(QWidget *parent)
    : QListView(parent),
      delegate_(new RowDelegate(this, [this](int row, const QString &text) { emit LabelEdited(row, text); }, this))
{
    setItemDelegate(delegate_);
    setViewMode(QListView::ListMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setUniformItemSizes(true);
    // Rows are laid out a batch per event-loop turn: a million rows never freeze the window.
    setLayoutMode(QListView::Batched);
    setBatchSize(20000);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Whole rows, so that Details shows a selection made here across all its cells.
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionRectVisible(true);
    // Rows are dragged out only; a press on an empty place still draws the selection rectangle.
    setDragDropMode(QAbstractItemView::DragOnly);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setTextElideMode(Qt::ElideRight);
    ConfigureFor(sifter::ViewMode::List);
}

bool ItemsView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    return ClickMayEdit(selectionModel(), trigger) && QListView::edit(index, trigger, event);
}

void ItemsView::startDrag(Qt::DropActions)
{
    emit DragStarted();
}

void ItemsView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    if (isVisible()) {
        QListView::rowsInserted(parent, start, end);
        return;
    }
    layoutStale_ = true;
    QAbstractItemView::rowsInserted(parent, start, end);
}

void ItemsView::showEvent(QShowEvent *event)
{
    if (layoutStale_) {
        layoutStale_ = false;
        // A layout from the first row starts afresh, so nothing of the old one remains.
        scheduleDelayedItemsLayout();
    }
    QListView::showEvent(event);
}

void ItemsView::ConfigureFor(sifter::ViewMode mode)
{
    mode_ = mode == sifter::ViewMode::Details ? sifter::ViewMode::List : mode;
    const DialogUnits units(font());
    const int lineHeight = fontMetrics().height();
    if (mode_ == sifter::ViewMode::LargeIcons) {
        setFlow(QListView::LeftToRight);
        setIconSize(QSize(kLargeIconPixels, kLargeIconPixels));
        setWordWrap(true);
        // Exactly two lines of text under the icon: a third would show cut through.
        itemSize_ = QSize(std::max(units.ToPixelsX(kLargeCellDialogUnits), kLargeIconPixels),
                          kLargeIconPixels + kLargeCellTextLines * lineHeight + kTextMargin);
        setGridSize(itemSize_ + QSize(kCellGap, kCellGap));
    } else {
        setFlow(mode_ == sifter::ViewMode::List ? QListView::TopToBottom : QListView::LeftToRight);
        setIconSize(QSize(kSmallIconPixels, kSmallIconPixels));
        setWordWrap(false);
        itemSize_ = QSize(kSmallIconPixels + units.ToPixelsX(kSmallCellDialogUnits),
                          std::max(kSmallIconPixels, lineHeight) + kTextMargin);
        setGridSize(itemSize_ + QSize(kCellGap, 0));
    }
}

} // namespace sifter
