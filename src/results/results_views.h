// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two widgets that show the results model: a tree view for Details and one list view
// that CSifterView reconfigures for List, Small Icons and Large Icons. Both find by typing
// and edit labels in the Name column only.
#include "results/view_commands.h"

#include <QListView>
#include <QTableView>

namespace sifter {

class RowDelegate;

// Details: one line per row, the Name column first. A table without grid or row headers:
// unlike a tree it keeps nothing per row and lays out no row when rows are inserted.
class DetailsView : public QTableView {
    Q_OBJECT

public:
    explicit DetailsView(QWidget *parent = nullptr);

    // Type-ahead find looks at the names, whichever cell is current.
    void keyboardSearch(const QString &search) override;

signals:
    // An edit of the row's name was committed with that text (a cancelled one says nothing).
    void LabelEdited(int row, const QString &text);
    // The left button dragged a selected row beyond the drag distance; the receiver runs the drag.
    void DragStarted();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    // Editing a row always edits its name.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    // A row's info tip, with the full name first when the name is shown cut off.
    bool viewportEvent(QEvent *event) override;
    // Home and End go to the first and last row, as in a file manager (a table would go
    // to the row's first and last cell).
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // Rows added below the visible ones change only the scroll bar: a run hands rows over
    // many times a second, and laying out and repainting the screen for each hand-over
    // would cost more than the rows themselves.
    void OnRowCountChanged(int oldCount, int newCount);
    // Sets the vertical scroll bar's range for rows added below the screen, without what the
    // table's own update does besides: it lays the scroll area out again, twice per
    // hand-over, and each layout repaints both scroll bars (it raises each above the other).
    void ExtendScrollRange();

    RowDelegate *delegate_;
};

// List, Small Icons and Large Icons: the rows' names with their icons, all items of one
// size (so a million rows lay out at once).
class ItemsView : public QListView {
    Q_OBJECT

public:
    explicit ItemsView(QWidget *parent = nullptr);

    // Sets flow, icon size and cell size for the mode (Details is treated as List).
    void ConfigureFor(sifter::ViewMode mode);
    sifter::ViewMode Mode() const { return mode_; }
    // The size of every item in the mode; the grid adds the gaps between items.
    QSize ItemSize() const { return itemSize_; }

signals:
    // An edit of the row's name was committed with that text (a cancelled one says nothing).
    void LabelEdited(int row, const QString &text);
    // The left button dragged a selected row beyond the drag distance; the receiver runs the drag.
    void DragStarted();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    // A row's info tip, with the full name first when the name is shown cut off.
    bool viewportEvent(QEvent *event) override;
    // While hidden (Details shows the rows), rows added by a run are laid out only when the
    // view is shown: a list view lays out all its rows again after every insertion.
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void showEvent(QShowEvent *event) override;

private:
    RowDelegate *delegate_;
    bool layoutStale_ = false; // rows were added while hidden
    // Not QListView::ViewMode: the list view stays in its list mode for every mode.
    sifter::ViewMode mode_ = sifter::ViewMode::List;
    QSize itemSize_;
};

} // namespace sifter
